#include "fulldisk.h"
#include "generator/generator.h"
#include "harness.h"
#include "map_editor/eventfile.h"
#include "map_editor/mapdocument.h"
#include "map_editor/tilesets.h"
#include "map_editor/ui/mapeditor.h"
#include "platform/ansi.h"
#include "projectlayout.h"
#include "projects/module1.h"
#include "projects/newproject.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// Readable failure output for texts.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// Every entry of the tool folder but its read-only data, with the bytes of each file: what
// a failed write must leave exactly as it was, temporary files included.
std::map<QString, QByteArray> snapshot(const QString &tool)
{
    std::map<QString, QByteArray> entries;
    const QDir root(tool);
    QDirIterator it(tool, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = root.relativeFilePath(it.next());
        if (path.startsWith(QLatin1String("data")) || path.startsWith(QLatin1String("Doc")))
            continue;
        entries[path] = it.fileInfo().isFile() ? readBytes(it.filePath()) : QByteArray("<folder>");
    }
    return entries;
}

// The entries that differ between two snapshots.
QStringList changed(const std::map<QString, QByteArray> &before, const std::map<QString, QByteArray> &after)
{
    QStringList paths;
    for (const auto &[path, bytes] : before)
        if (!after.count(path) || after.at(path) != bytes)
            paths << path;
    for (const auto &[path, bytes] : after)
        if (!before.count(path))
            paths << path;
    paths.sort();
    return paths;
}

Saved outcome(bool ok, const QString &what)
{
    return {ok, what};
}

QString text(qsizetype size)
{
    return QString(size, QLatin1Char('n'));
}

struct Writer {
    const char *name;
    // The most a file may hold while the writer runs.
    rlim_t limit;
    // False when the writer's output has one size only; else it runs with a few bytes and
    // with more than QSaveFile's 16 KB buffer.
    bool sized;
    // Puts the old files in place, with no limit; `size` is the size of the old contents.
    std::function<void(Session &, qsizetype size)> before;
    // Runs in the child under the limit; `size` is the size of what it writes.
    std::function<Saved(Session &, qsizetype size)> write;
    // The entries, relative to the tool folder, that the row lets change.
    QStringList written = {};
};

// A tool folder with the real data and a session on it, with no window: the child that writes
// under the limit is forked from a process that has started no window's threads.
struct Tool {
    ToolFolder tool;
    ScriptedDialogs dialogs;
    FakeShell shell;
    Session session{tool.path(), Edition::English, dialogs, shell};
};

void oldFile(Session &s, const QString &part, qsizetype size)
{
    writeBytes(s.projectPath(part), QByteArray(size, 'o'));
}

} // namespace

// Each writer, on a disk full before it has written what it was asked: it says false with the
// platform's reason, the old file keeps every byte, and no temporary file is left.
TEST(FullDisk, EveryWriterKeepsTheOldFileAndSaysWhy)
{
    const QString big = QStringLiteral("/big.txt");
    const QList<Writer> writers = {
        {"savefile", 1, true, [&](Session &s, qsizetype n) { oldFile(s, big, n); },
         [&](Session &s, qsizetype n) { return Module1::savefile(text(n), s.projectPath(big)); }},
        {"savebytes", 1, true, [&](Session &s, qsizetype n) { oldFile(s, big, n); },
         [&](Session &s, qsizetype n) { return Module1::savebytes(text(n).toLatin1(), s.projectPath(big)); }},
        {"writeini", 1, true, [](Session &s, qsizetype n) { Module1::writeini("Old", "v", text(n), s.projectIni()); },
         [](Session &s, qsizetype n) { return Module1::writeini("Jeu", "nom", text(n), s.projectIni()); }},
        {"cell event file", 1, true, [](Session &s, qsizetype n) { oldFile(s, "/ev/map01/ev11", n); },
         [](Session &s, qsizetype n) { return eventfile::save({text(n)}, s.projectPath("/ev/map01/ev11")); }},
        {"tile sheet copy", 1, true,
         [](Session &s, qsizetype n) {
             oldFile(s, "/images/map01/terrain.png", n);
             writeBytes(tilesets::sheetPath(s.toolFolder(), "02"), QByteArray(n + 1, 's'));
         },
         [](Session &s, qsizetype) { return tilesets::copySheet(s, "02", "01").sheet; }},
        {"map save: name, block file, map file", 1, false, [](Session &, qsizetype) {},
         [](Session &s, qsizetype) {
             mapdoc::MapState state;
             state.tiles.fill(QStringLiteral("3"));
             state.blocks.fill(QStringLiteral("1"));
             const mapdoc::SaveResult r = mapdoc::save(s, "01", "Renamed", "5", "3", state);
             return outcome(bool(r), r.failures.size() == 3 ? r.failures[0].reason : "not every file failed");
         }},
        {"map reset's emptied cell files", 1, false,
         [](Session &s, qsizetype) {
             for (const char *cell : {"/ev/map01/ev11", "/ev/map01/ev817"})
                 writeBytes(s.projectPath(cell), "\r\nscreen.waitVblankStart(1)\r\n");
         },
         [](Session &s, qsizetype) {
             mapdoc::MapState state;
             const QList<NotSaved> kept = mapdoc::reset(s, "01", state);
             return outcome(kept.isEmpty(), kept.size() == mapdoc::kShownCells ? kept[0].reason : "some were emptied");
         }},
        {"Change Texture: projet.ini before the sheet", 1, false, [](Session &, qsizetype) {},
         [](Session &s, qsizetype) {
             const tilesets::Change c = tilesets::apply(s, "02", "01");
             return outcome(c.entry || c.sheetFound, c.entry.reason);
         }},
        {"New Map", 1, false, [](Session &, qsizetype) {},
         [](Session &s, qsizetype) {
             const mapdoc::NewMap made = mapdoc::createMap(s);
             return outcome(made.outcome != mapdoc::NewMap::NotWritten, made.failure.reason);
         }},
        {"generation: variables.lua", 1, false,
         [](Session &s, qsizetype) {
             oldFile(s, "/variables.lua", 5);
             oldFile(s, "/ev.lua", 5);
         },
         [](Session &s, qsizetype) {
             const generator::CompileResult r = generator::compile(s);
             return outcome(r.error.isEmpty(), r.error);
         }},
        {"generation: ev.lua over 16 KB once variables.lua is written",
         1000,
         false,
         [](Session &s, qsizetype) {
             addMap(s, "02");
             addMap(s, "03");
             oldFile(s, "/ev.lua", 30000);
         },
         [](Session &s, qsizetype) {
             const generator::CompileResult r = generator::compile(s);
             return outcome(r.error.isEmpty(), r.error);
         },
         {"projets/Demo/variables.lua"}},
        {"Test Game: the boot script",
         60,
         false,
         [](Session &s, qsizetype) {
             Module1::writeini("Jeu", "cartes", "0", s.projectIni());
             writeBytes(s.toolPath("/index.lua"), "-- earlier boot\r\n");
         },
         [](Session &s, qsizetype) {
             const generator::TestRunResult r = generator::testRun(s);
             auto &shell = static_cast<FakeShell &>(s.shell());
             return outcome(r.error.isEmpty() || !shell.started.isEmpty(), r.error);
         },
         {"projets/Demo/ev.lua", "projets/Demo/variables.lua"}},
        {"Create!: projet.ini",
         1,
         false,
         [](Session &, qsizetype) {},
         [](Session &s, qsizetype) {
             const QString error = newproject::create(s.toolFolder(), "Fresh", "Ann", Edition::English);
             return outcome(error.isEmpty(), error);
         },
         {"projets/Fresh"}},
        {"Create!: a picture copy",
         300,
         false,
         [](Session &, qsizetype) {},
         [](Session &s, qsizetype) {
             const QString error = newproject::create(s.toolFolder(), "Fresh", "Ann", Edition::English);
             return outcome(error.isEmpty(), error);
         },
         {"projets/Fresh", "projets/Fresh/ev", "projets/Fresh/ev/map01", "projets/Fresh/images",
          "projets/Fresh/images/System", "projets/Fresh/images/map01", "projets/Fresh/images/personnages",
          "projets/Fresh/images/personnages/hero", "projets/Fresh/projet.ini"}},
    };

    for (const Writer &w : writers) {
        for (const qsizetype size : w.sized ? QList<qsizetype>{5, 20000} : QList<qsizetype>{0}) {
            SCOPED_TRACE(std::string(w.name) + (w.sized ? " of " + std::to_string(size) + " bytes" : ""));
            Tool t;
            layOutProject(t.session);
            w.before(t.session, size);
            const auto old = snapshot(t.tool.path());
            const Saved saved =
                inChildWithFileLimit(w.limit, [&] { return w.write(t.session, size == 5 ? 11 : size + 1); });
            EXPECT_FALSE(saved.ok);
            EXPECT_TRUE(saved.reason.contains(fileTooLarge())) << saved.reason.toStdString();
            EXPECT_EQ(changed(old, snapshot(t.tool.path())), w.written);
        }
    }
}

// A project file that is a FIFO, a device or a socket reads as an unreadable file at once and
// is never written over: a FIFO once blocked the program for good, since the map editor
// rereads projet.ini ten times a second. An alarm ends the test program in a second if
// anything waits on it.
TEST(NonRegularFiles, ReadAsUnreadableWithoutWaiting)
{
    const QList<std::pair<const char *, std::function<bool(const QString &)>>> kinds = {
        {"FIFO", [](const QString &path) { return mkfifo(QFile::encodeName(path).constData(), 0600) == 0; }},
        {"device", [](const QString &path) { return QFile::link(QStringLiteral("/dev/zero"), path); }},
        {"socket",
         [](const QString &path) {
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             const QByteArray native = QFile::encodeName(path);
             if (size_t(native.size()) >= sizeof address.sun_path)
                 return false;
             std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
             const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
             return fd >= 0 && bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
         }},
    };
    for (const auto &[name, make] : kinds) {
        SCOPED_TRACE(name);
        Harness h;
        layOutProject(h.session);
        const QString ini = h.session.projectIni();
        QFile::remove(ini);
        ASSERT_TRUE(make(ini));

        alarm(1);
        QByteArray bytes;
        EXPECT_FALSE(ansi::readFile(ini, bytes));
        EXPECT_EQ(Module1::loadfile(ini), "");
        EXPECT_EQ(Module1::readini("Jeu", "nom", ini), "");
        EXPECT_FALSE(Module1::writeini("Jeu", "nom", "x", ini));
        EXPECT_TRUE(generator::compile(h.session).error.contains("projet.ini cannot be read"));
        mapeditor *e = h.mainform->openMapEditor("01");
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 300)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        alarm(0);
        EXPECT_TRUE(e);
        EXPECT_FALSE(QFileInfo(ini).isFile()) << "not replaced by a file";
    }
}

// "Test Game" without a projet.ini to read says so, writes nothing and starts no player.
TEST(TestGame, WithoutAReadableProjetIniWritesNothingAndStartsNoPlayer)
{
    const struct {
        const char *name;
        std::function<void(const QString &)> make;
        // How the message begins, before the path.
        const char *english, *french;
    } cases[] = {
        {"missing", [](const QString &ini) { QFile::remove(ini); },
         "projet.ini was not found: ", "projet.ini est introuvable : "},
        {"a folder in its place",
         [](const QString &ini) {
             QFile::remove(ini);
             QDir().mkpath(ini + "/inside");
         },
         "projet.ini cannot be read: ", "projet.ini ne peut pas être lu : "},
    };
    for (const Edition edition : {Edition::English, Edition::French})
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (edition == Edition::French ? " fr" : " en"));
            Harness h(edition);
            layOutProject(h.session);
            writeBytes(h.tool.file("/luaplayer.exe"), "#!/bin/sh\n");
            c.make(h.session.projectIni());
            const auto old = snapshot(h.tool.path());
            const generator::TestRunResult r = generator::testRun(h.session);
            EXPECT_TRUE(r.error.startsWith(tx(edition, c.english, c.french) + h.session.projectIni()))
                << r.error.toStdString();
            EXPECT_TRUE(r.error.endsWith(tx(edition, "variables.lua and ev.lua were not written.",
                                            "variables.lua et ev.lua n'ont pas été écrits.")));
            EXPECT_EQ(changed(old, snapshot(h.tool.path())), QStringList());
            EXPECT_TRUE(h.shell.started.isEmpty());
        }
}
