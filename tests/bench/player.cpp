// The share of one core that luaplayer.exe takes in a window, on a virtual X display (Xvfb, from
// the Debian package xvfb; the tests do not need it), while the game of a new project shows a
// picture that does not change (the intro, the title menu, the hero standing) and while the
// hero walks. The processor time is read from /proc over 10 s of each run, 60 frames a second.
// Then the time from a key press sent to the window to the first change of its pixels, with a
// game that shows white while cross is held.
// Run by hand: build-rel/tests/bench_player [runs, 5 by default] [another luaplayer.exe to measure]
//
// It then measures the share of a core that the editor takes with one map editor open and
// nothing happening, by size of projet.ini, and the time of one readini on each projet.ini.
// build-rel/tests/bench_player editor [runs] measures only these.

#include "harness.h"
#include "map_editor/ui/mapeditor.h"
#include "projectlayout.h"
#include "projects/module1.h"
#include "projects/newproject.h"
#include "projects/numbers.h"
#include "toolfolder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <random>
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
// The share of one core, in percent, that a running process takes over measuredMs after the
// lead-in, read with `seconds`; negative when it stopped or its time could not be read. The
// process is ended.
double shareOf(QProcess &process, int leadInMs, std::optional<double> (*seconds)(qint64))
{
    QThread::msleep(leadInMs);
    const std::optional<double> before = seconds(process.processId());
    QElapsedTimer clock;
    clock.start();
    QThread::msleep(measuredMs);
    const std::optional<double> after = seconds(process.processId());
    const qint64 elapsed = clock.elapsed();
    const bool running = process.state() == QProcess::Running;
    process.kill();
    process.waitForFinished();
    if (!before || !after || !running)
        return -1;
    return (*after - *before) * 100000.0 / double(elapsed);
}

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
    return shareOf(player, leadInMs, cpuSeconds);
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

// --- An idle map editor ------------------------------------------------------------------------

struct EditorCase {
    int maps;
    int variables;
};
constexpr EditorCase editorCases[] = {{1, 0}, {100, 0}, {100, 2000}, {100, 8000}};
constexpr int editorLeadInMs = 1000;
const char *const editorWindowMode = "editor-window";

// projet.ini as the editors leave it when the maps are made after the variables: map 01 with the
// game, every later map after the last variable, so that the last map's tile set is the file's
// last entry.
QByteArray editorProjectIni(int maps, int variables)
{
    QByteArray ini = "[Jeu]\r\nnom=Bench\r\nauteur=Ann\r\nver=3.0.0\r\ncartes=" + pad2(maps).toLatin1() +
                     "\r\ncombats=0\r\n[Carte01]\r\ntexture=01\r\nnom=Carte 1\r\n[Variables]\r\nnombre=" +
                     QByteArray::number(variables) + "\r\n";
    for (int v = 1; v <= variables; ++v)
        ini += "[Variable" + QByteArray::number(v) + "]\r\nnumero=" + QByteArray::number(v) +
               "\r\nvaleur=" + QByteArray::number(10000000 + v * 7919 % 90000000) + "\r\n";
    for (int m = 2; m <= maps; ++m)
        ini += "[Carte" + pad2(m).toLatin1() + "]\r\ntexture=01\r\nnom=Carte " + QByteArray::number(m) + "\r\n";
    return ini;
}

// The processor time of every thread of the process so far, in seconds, to the nanosecond.
std::optional<double> threadSeconds(qint64 pid)
{
    long long ns = 0;
    bool any = false;
    QDirIterator tasks(QStringLiteral("/proc/%1/task").arg(pid), QDir::Dirs | QDir::NoDotAndDotDot);
    while (tasks.hasNext()) {
        QFile stat(tasks.next() + QStringLiteral("/schedstat"));
        if (stat.open(QIODevice::ReadOnly)) {
            ns += stat.readAll().split(' ').value(0).toLongLong();
            any = true;
        }
    }
    return any ? std::optional<double>(double(ns) / 1e9) : std::nullopt;
}

// The child: the program's main window with one map editor on the last map, in its own event
// loop; says "ready" once the editor shows.
int editorWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int maps = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 1;
    const int variables = argc > 3 ? std::max(0, QString::fromLocal8Bit(argv[3]).toInt()) : 0;
    Harness h;
    layOutProject(h.session, QStringLiteral("Bench"));
    if (maps > 1)
        addMap(h.session, pad2(maps));
    writeBytes(h.session.projectIni(), editorProjectIni(maps, variables));
    h.mainform->openMapEditor(pad2(maps));
    h.settle();
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

// One run: the editor's share of one core in percent, or a negative value when it failed.
double measureEditor(const QString &display, const EditorCase &c)
{
    QProcess editor;
    editor.setProcessEnvironment(playerEnvironment(display, QString()));
    editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    editor.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(editorWindowMode),
                                                           QString::number(c.maps), QString::number(c.variables)});
    QByteArray said;
    while (!said.contains("ready") && editor.waitForReadyRead(60000))
        said += editor.readAllStandardOutput();
    const double share = shareOf(editor, editorLeadInMs, threadSeconds);
    return said.contains("ready") ? share : -1;
}

// One readini of the last map's tile set, as the editor's redraw reads it: min and median in
// microseconds over a second's worth of reads.
std::pair<double, double> timeReadini(const QString &file, int maps)
{
    std::vector<double> us;
    QElapsedTimer total;
    total.start();
    while (us.size() < 20 || (total.elapsed() < 1000 && us.size() < 100000)) {
        QElapsedTimer t;
        t.start();
        const QString set = Module1::readini(QStringLiteral("Carte") + pad2(maps), QStringLiteral("texture"), file);
        us.push_back(double(t.nsecsElapsed()) / 1e3);
        if (set != QLatin1String("01"))
            return {-1, -1};
    }
    std::sort(us.begin(), us.end());
    return {us.front(), us[us.size() / 2]};
}

int idleEditor(const QString &display, int runs)
{
    QTemporaryDir dir;
    std::printf("\none readini of the last map's tile set   (us)\n");
    std::printf("%-28s %10s %10s %10s\n", "project", "projet.ini", "min", "median");
    for (const EditorCase &c : editorCases) {
        const QString file = dir.filePath(QStringLiteral("projet.ini"));
        const QByteArray bytes = editorProjectIni(c.maps, c.variables);
        writeBytes(file, bytes);
        const auto [min, median] = timeReadini(file, c.maps);
        if (min < 0) {
            std::fprintf(stderr, "readini does not read the tile set\n");
            return 1;
        }
        std::printf("%3d maps, %4d variables      %8.1f KB %10.1f %10.1f\n", c.maps, c.variables,
                    double(bytes.size()) / 1024.0, min, median);
    }
    std::printf("\none map editor open on the last map, nothing happening: %d runs of %d s\n", runs,
                measuredMs / 1000);
    std::printf("%-28s %10s %10s   (%% of one core)\n", "project", "min", "median");
    for (const EditorCase &c : editorCases) {
        std::vector<double> shares;
        for (int i = 0; i < runs; ++i) {
            const double share = measureEditor(display, c);
            if (share < 0) {
                std::fprintf(stderr, "the editor did not run through the measurement\n");
                return 1;
            }
            shares.push_back(share);
        }
        std::sort(shares.begin(), shares.end());
        std::printf("%3d maps, %4d variables      %10.2f %10.2f\n", c.maps, c.variables, shares.front(),
                    shares[shares.size() / 2]);
        std::fflush(stdout);
    }
    return 0;
}

// ---- key to screen

constexpr int pressesPerRun = 60;

// White while cross is held, black otherwise, drawn every frame as a game draws its screen.
constexpr const char *pressGame = R"(local white, black = Color.new(255, 255, 255), Color.new(0, 0, 0)
while true do
  screen:clear(Controls.read():cross() and white or black)
  screen.flip()
  screen.waitVblankStart()
end
)";

// The bench's own client of the virtual display: it finds the player's window, sends it keys as
// the server would and reads its pixels back.
class Display {
public:
    explicit Display(const QString &name)
    {
        int screenNumber = 0;
        m_connection = xcb_connect(name.toLocal8Bit().constData(), &screenNumber);
        if (xcb_connection_has_error(m_connection))
            return;
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < screenNumber; ++i)
            xcb_screen_next(&it);
        m_root = it.data->root;
        m_cross = keycodeOf('c');
    }
    ~Display() { xcb_disconnect(m_connection); }
    Display(const Display &) = delete;
    Display &operator=(const Display &) = delete;

    bool usable() const { return !xcb_connection_has_error(m_connection) && m_cross != 0; }

    // The shown window titled "Lua Player", 0 while there is none.
    xcb_window_t playerWindow()
    {
        xcb_window_t found = 0;
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr);
        if (tree == nullptr)
            return 0;
        const xcb_window_t *children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree) && found == 0; ++i) {
            xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(
                m_connection, xcb_get_window_attributes(m_connection, children[i]), nullptr);
            xcb_get_property_reply_t *title = xcb_get_property_reply(
                m_connection,
                xcb_get_property(m_connection, 0, children[i], XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
                nullptr);
            if (attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE && title != nullptr &&
                QByteArray(static_cast<const char *>(xcb_get_property_value(title)),
                           xcb_get_property_value_length(title)) == "Lua Player")
                found = children[i];
            std::free(attributes);
            std::free(title);
        }
        std::free(tree);
        return found;
    }

    // Cross pressed or let go, sent to the window as the server sends a key.
    void sendCross(xcb_window_t window, bool press)
    {
        xcb_key_press_event_t event{};
        event.response_type = press ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
        event.detail = m_cross;
        event.time = XCB_CURRENT_TIME;
        event.root = m_root;
        event.event = window;
        event.child = XCB_NONE;
        event.same_screen = 1;
        xcb_send_event(m_connection, 0, window, press ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE,
                       reinterpret_cast<const char *>(&event));
        xcb_flush(m_connection);
    }

    // A few pixels at the middle of the window, as the display shows them.
    QByteArray pixels(xcb_window_t window)
    {
        xcb_get_image_reply_t *image = xcb_get_image_reply(
            m_connection, xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 478, 270, 4, 4, ~0u),
            nullptr);
        if (image == nullptr)
            return {};
        const QByteArray bytes(reinterpret_cast<const char *>(xcb_get_image_data(image)),
                               xcb_get_image_data_length(image));
        std::free(image);
        return bytes;
    }

private:
    xcb_keycode_t keycodeOf(xcb_keysym_t symbol)
    {
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *map = xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, count), nullptr);
        if (map == nullptr)
            return 0;
        const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(map);
        xcb_keycode_t code = 0;
        for (int i = 0; i < count && code == 0; ++i) {
            if (symbols[i * map->keysyms_per_keycode] == symbol)
                code = xcb_keycode_t(setup->min_keycode + i);
        }
        std::free(map);
        return code;
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_keycode_t m_cross = 0;
};

// Polls the pixels until `done` says yes; the time it took in ms, or a negative value after 2 s.
template <typename Done>
double waitForPixels(Display &x, xcb_window_t window, Done done)
{
    using namespace std::chrono;
    const auto start = steady_clock::now();
    while (!done(x.pixels(window))) {
        if (steady_clock::now() - start > seconds(2))
            return -1;
        usleep(200);
    }
    return duration<double, std::milli>(steady_clock::now() - start).count();
}

// One run: the player started afresh, pressesPerRun presses at times spread over the frame.
// The latencies in ms; empty, with the reason, when the run failed.
std::vector<double> keyLatencies(Display &x, const QString &program, const QString &display, int run, QString &problem)
{
    QTemporaryDir game;
    writeBytes(game.filePath(QStringLiteral("index.lua")), pressGame);
    QProcessEnvironment env = playerEnvironment(display, QString());
    env.remove(QStringLiteral("LUAPLAYER_KEYS"));
    QProcess player;
    player.setProcessEnvironment(env);
    player.setWorkingDirectory(game.path());
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(program, {QStringLiteral("index.lua")});
    std::vector<double> latencies;
    xcb_window_t window = 0;
    for (int i = 0; i < 100 && window == 0 && player.waitForStarted(); ++i) {
        QThread::msleep(100);
        window = x.playerWindow();
    }
    problem = player.state() == QProcess::Running
                  ? QStringLiteral("no window titled \"Lua Player\" within 10 s")
                  : QStringLiteral("the player ended at its start (%1, exit code %2)")
                        .arg(player.exitStatus() == QProcess::CrashExit ? "crashed" : "exited")
                        .arg(player.exitCode());
    if (window != 0) {
        problem.clear();
        QThread::msleep(1000); // the start-up done
        std::mt19937 random{unsigned(run)};
        std::uniform_int_distribution<int> pause(30, 70);
        const QByteArray still = x.pixels(window);
        for (int i = 1; i <= pressesPerRun && problem.isEmpty(); ++i) {
            QThread::msleep(pause(random));
            x.sendCross(window, true);
            const double ms = waitForPixels(x, window, [&](const QByteArray &now) { return now != still; });
            x.sendCross(window, false);
            if (ms < 0)
                problem = QStringLiteral("press %1: the window did not change within 2 s").arg(i);
            else if (waitForPixels(x, window, [&](const QByteArray &now) { return now == still; }) < 0)
                problem = QStringLiteral("press %1: the window did not change back within 2 s").arg(i);
            else
                latencies.push_back(ms);
        }
    }
    player.kill();
    player.waitForFinished();
    if (!problem.isEmpty())
        return {};
    return latencies;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Key press to changed pixels, run after run; false when a run failed.
bool measureKeyLatency(const QString &program, const QString &display, int runs)
{
    Display x(display);
    if (!x.usable()) {
        std::fprintf(stderr, "cannot reach the display %s, or it has no key for c\n", qPrintable(display));
        return false;
    }
    std::printf("\nkey press to changed window pixels, %d presses a run (ms)\n", pressesPerRun);
    std::printf("%-24s %10s %10s\n", "run", "median", "mean");
    std::vector<double> medians;
    std::vector<double> means;
    for (int run = 1; run <= runs; ++run) {
        QString problem;
        const std::vector<double> latencies = keyLatencies(x, program, display, run, problem);
        if (latencies.empty()) {
            std::fprintf(stderr, "run %d: %s\n", run, qPrintable(problem));
            return false;
        }
        medians.push_back(median(latencies));
        means.push_back(std::accumulate(latencies.begin(), latencies.end(), 0.0) / double(latencies.size()));
        std::printf("%-24d %10.1f %10.1f\n", run, medians.back(), means.back());
        std::fflush(stdout);
    }
    std::printf("%-24s %10.1f %10.1f\n", "min over runs", *std::min_element(medians.begin(), medians.end()),
                *std::min_element(means.begin(), means.end()));
    std::printf("%-24s %10.1f %10.1f\n", "median over runs", median(medians), median(means));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], editorWindowMode) == 0)
        return editorWindow(argc, argv);
    QCoreApplication app(argc, argv);
    const bool editorOnly = argc > 1 && qstrcmp(argv[1], "editor") == 0;
    const int first = editorOnly ? 2 : 1;
    const int runs = argc > first ? std::max(QString::fromLocal8Bit(argv[first]).toInt(), 1) : 5;
    // The players run in other folders.
    const QString program = QFileInfo(argc > first + 1 ? QString::fromLocal8Bit(argv[first + 1])
                                                       : QStringLiteral(TARNWICK_LUAPLAYER))
                                .absoluteFilePath();

    // Xvfb picks a free display and names it on the descriptor given; it does not reset when its
    // last client leaves, which would refuse a player started at that moment.
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                QStringLiteral("-noreset")});
    QByteArray number;
    while (!number.contains('\n') && xvfb.waitForReadyRead(10000))
        number += xvfb.readAllStandardOutput();
    if (!number.contains('\n')) {
        std::fprintf(stderr, "cannot start Xvfb (apt-get install xvfb)\n");
        return 1;
    }
    const QString display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    const auto stopXvfb = qScopeGuard([&xvfb] {
        xvfb.terminate();
        xvfb.waitForFinished();
    });
    if (editorOnly)
        return idleEditor(display, runs);

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
    if (!measureKeyLatency(program, display, runs) || idleEditor(display, runs) != 0)
        return 1;
    return 0;
}
