// The share of one core that luaplayer.exe takes in a window, on a virtual X display (Xvfb, from
// the Debian package xvfb; the tests do not need it), while the game of a new project shows a
// picture that does not change (the intro, the title menu, the hero standing) and while the
// hero walks. The processor time is read from /proc over 10 s of each run, 60 frames a second.
// Run by hand: build-rel/tests/bench_player [runs, 5 by default] [another luaplayer.exe to measure]

#include "projects/newproject.h"
#include "toolfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int measuredMs = 10000;

// The hero starts on column 5 of row 1 and walks eight cells right, eight back, and so on;
// a cell takes nine frames, so the walk never reaches the grid's edge and stops.
QByteArray walkingKeys()
{
    QByteArray keys = "30 start\n40 cross\n";
    for (int from = 60, way = 0; from < 60 * 60; from += 72, way ^= 1)
        keys += QByteArray::number(from) + '-' + QByteArray::number(from + 71) + (way == 0 ? " right\n" : " left\n");
    return keys;
}

struct State {
    const char *name;
    QByteArray keys;
    int leadInMs; // from the start to the state measured
};

// The processor time the process used so far (all its threads), in seconds.
std::optional<double> cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = stat.readAll();
    // Fields after the program's name in parentheses: state is the 3rd, utime the 14th, stime the 15th.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return std::nullopt;
    return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

QProcessEnvironment playerEnvironment(const QString &display, const QString &keyFile)
{
    static const QTemporaryDir runtime; // the toolkit wants a folder of its own for the session
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("XDG_RUNTIME_DIR")))
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    for (const QString &key : env.keys()) {
        if (key.startsWith(QLatin1String("LUAPLAYER_")) || key == QLatin1String("QT_QPA_PLATFORM") ||
            key == QLatin1String("WAYLAND_DISPLAY"))
            env.remove(key);
    }
    env.insert(QStringLiteral("DISPLAY"), display);
    env.insert(QStringLiteral("LUAPLAYER_KEYS"), keyFile);
    return env;
}

// One run in a window: the share of a core in percent, or a negative value when it failed.
double measure(const QString &program, const QString &project, const QString &display, const QString &keyFile,
               int leadInMs)
{
    QProcess player;
    player.setProcessEnvironment(playerEnvironment(display, keyFile));
    player.setWorkingDirectory(project);
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(program, {QStringLiteral("index.lua")});
    if (!player.waitForStarted())
        return -1;
    QThread::msleep(leadInMs);
    const std::optional<double> before = cpuSeconds(player.processId());
    QElapsedTimer clock;
    clock.start();
    QThread::msleep(measuredMs);
    const std::optional<double> after = cpuSeconds(player.processId());
    const qint64 elapsed = clock.elapsed();
    const bool running = player.state() == QProcess::Running;
    player.kill();
    player.waitForFinished();
    if (!before || !after || !running)
        return -1;
    return (*after - *before) * 100000.0 / double(elapsed);
}

// The hero's cells drawn headless with these keys from frame `from` to `to`: proof that the
// walking state walks.
int heroMoves(const QString &program, const QString &project, const QString &keyFile, int from, int to)
{
    QTemporaryDir work;
    QProcessEnvironment env = playerEnvironment(QString(), keyFile);
    env.insert(QStringLiteral("LUAPLAYER_FRAMES"), QString::number(to));
    env.insert(QStringLiteral("LUAPLAYER_TRACE"), work.filePath(QStringLiteral("trace.txt")));
    QProcess player;
    player.setProcessEnvironment(env);
    player.setWorkingDirectory(project);
    player.start(program, {QStringLiteral("index.lua")});
    player.waitForFinished(60000);
    int moves = 0;
    QByteArray last;
    for (const QByteArray &line : readBytes(work.filePath(QStringLiteral("trace.txt"))).split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() < 5 || words[1] != "blit" || !words[4].contains("personnages/hero/") ||
            words[0].toInt() < from)
            continue;
        const QByteArray at = words[2] + ',' + words[3];
        moves += !last.isEmpty() && at != last;
        last = at;
    }
    return moves;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 1) : 5;
    const QString program = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(TARNWICK_LUAPLAYER);

    // Xvfb picks a free display and names it on the descriptor given.
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    while (!number.contains('\n') && xvfb.waitForReadyRead(10000))
        number += xvfb.readAllStandardOutput();
    if (!number.contains('\n')) {
        std::fprintf(stderr, "cannot start Xvfb (apt-get install xvfb)\n");
        return 1;
    }
    const QString display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

    ToolFolder tool;
    QDir().mkpath(tool.file(QStringLiteral("/projets")));
    const QString made =
        newproject::create(tool.path(), QStringLiteral("Bench"), QStringLiteral("Ann"), Edition::English);
    if (!made.isEmpty()) {
        std::fprintf(stderr, "cannot make the project: %s\n", qPrintable(made));
        return 1;
    }
    const QString project = tool.file(QStringLiteral("/projets/Bench"));
    QFile map(project + QStringLiteral("/map01.map"));
    if (!map.open(QIODevice::ReadWrite) || map.write("0501", 4) != 4) {
        std::fprintf(stderr, "cannot set the hero's start\n");
        return 1;
    }
    map.close();

    const State states[] = {
        {"intro (still)", "", 1000},
        {"title menu (still)", "30 start\n", 1500},
        {"hero standing (still)", "30 start\n40 cross\n", 1500},
        {"hero walking", walkingKeys(), 1500},
    };
    const QString keyFile = tool.file(QStringLiteral("/keys.txt"));
    writeBytes(keyFile, states[3].keys);
    const int moves = heroMoves(program, project, keyFile, 90, 90 + 60 * measuredMs / 1000);
    if (moves < 60 * measuredMs / 2000) {
        std::fprintf(stderr, "the hero does not walk through the walking state (%d moves)\n", moves);
        return 1;
    }
    std::printf("%s\n", qPrintable(program));
    std::printf("Xvfb %s, %d runs of %d s per state; the hero changes place %d times in the walking state\n",
                qPrintable(display), runs, measuredMs / 1000, moves);
    std::printf("%-24s %10s %10s   (%% of one core)\n", "state", "min", "median");
    for (const State &s : states) {
        writeBytes(keyFile, s.keys);
        std::vector<double> shares;
        for (int i = 0; i < runs; ++i) {
            const double share = measure(program, project, display, keyFile, s.leadInMs);
            if (share < 0) {
                std::fprintf(stderr, "%s: the player did not run through the measurement\n", s.name);
                return 1;
            }
            shares.push_back(share);
        }
        std::sort(shares.begin(), shares.end());
        std::printf("%-24s %10.1f %10.1f\n", s.name, shares.front(), shares[shares.size() / 2]);
        std::fflush(stdout);
    }
    xvfb.terminate();
    xvfb.waitForFinished();
    return 0;
}
