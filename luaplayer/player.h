#pragma once

#include "options.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QString>

#include <chrono>

struct lua_State;
class PlayerWindow;

// One run of a script: Lua 5.1 with the part of the console's API that the game uses, the
// screen (drawn into, shown by flip), the frame counter and the records that tests read.
class Player {
public:
    static constexpr int screenWidth = 480;
    static constexpr int screenHeight = 272;
    static constexpr int hookInterval = 10000; // instructions between two calls of the count hook

    // Which limit of a headless frame (in Options) the frame running now went past.
    enum class Overrun { none, instructions, time };

    explicit Player(const Options &options);
    ~Player();
    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;

    // Opens the trace and makes the shot folder; false with the reason.
    bool prepare(QString &problem);
    // Without a window the run is headless: frames cost no time and the frame limit ends it.
    void setWindow(PlayerWindow *window) { m_window = window; }
    // Runs the script until it returns, the frame limit is reached or the window is closed;
    // false when it ended in an error (errorMessage(), "file:line: message").
    bool run();
    const QByteArray &errorMessage() const { return m_error; }
    const QByteArray &traceback() const { return m_traceback; }
    // The screen as flip last showed it.
    const QImage &shown() const { return m_shown; }

    // The API's side of the frame clock and the records.
    int frame() const { return m_frame; }
    bool stopping() const { return m_stopping; }
    void flip(QImage &drawing);
    void waitFrames(int count);
    unsigned held() const;
    bool tracing() const { return m_trace.isOpen(); }
    void trace(const QByteArray &event);
    void keepResponsive();
    // Called every hookInterval instructions.
    Overrun frameOverrun();
    void setTraceback(const QByteArray &text) { m_traceback = text; }

private:
    void handleWindowEvents();
    void saveShots(int from, int to);
    void saveShot(const QString &name);
    void finish();

    Options m_options;
    lua_State *m_lua = nullptr;
    PlayerWindow *m_window = nullptr;
    QImage m_shown;
    QFile m_trace;
    QList<int> m_shotsTaken;
    int m_frame = 0;
    int m_flipFrame = -1; // the frame of the last flip, -1 before the first
    int m_quietHooks = 0; // count hook calls since a frame last passed
    std::chrono::steady_clock::time_point m_frameStart{}; // when a frame last passed
    bool m_stopping = false;
    QByteArray m_error;
    QByteArray m_traceback;
    std::chrono::steady_clock::time_point m_nextVblank{};
    QElapsedTimer m_sinceEvents;
};
