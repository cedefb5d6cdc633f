#pragma once

#include <QList>
#include <QString>

#include <array>

// The pad's buttons as bits of one mask, named as the methods of a Controls.read() result.
namespace buttons {

struct Name {
    const char *name;
    unsigned bit;
};

constexpr std::array<Name, 12> names{{
    {"up", 1u << 0}, {"down", 1u << 1}, {"left", 1u << 2}, {"right", 1u << 3},
    {"cross", 1u << 4}, {"circle", 1u << 5}, {"square", 1u << 6}, {"triangle", 1u << 7},
    {"start", 1u << 8}, {"select", 1u << 9}, {"l", 1u << 10}, {"r", 1u << 11},
}};

unsigned bitOf(const QString &name); // 0 for an unknown name

} // namespace buttons

// Buttons held by script, frame by frame.
struct KeyScript {
    struct Span {
        int from;
        int to;
        unsigned held;
    };
    QList<Span> spans;

    unsigned heldAt(int frame) const;
    // Reads "F buttons..." and "F-G buttons..." lines; false with the reason on a bad line.
    bool parse(const QByteArray &text, QString &problem);
};

// What the environment asks of a run (the variables are described in main.cpp).
struct Options {
    // Headless, time stands still between frames, so a loop that never lets one pass would never
    // end: a frame that runs this many Lua instructions, or this long, ends the run.
    static constexpr int frameInstructionLimit = 1000000000;
    static constexpr int frameSecondLimit = 5;

    // The command line, and what a run without a window allows.
    static QString usage();
    // The command line names a script to run.
    static bool namesScript(const QStringList &arguments);

    QByteArray script;
    bool headless = false;
    int frameLimit = 0;
    KeyScript keys;
    QString shotFolder;
    QList<int> shotFrames; // sorted, no repeats
    QString tracePath;

    // False with the reason when a variable cannot be used.
    bool read(const QStringList &arguments, QString &problem);
};
