#include "generator/generator.h"
#include "platform/ui/qtshell.h"
#include "project.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const QByteArray smallIni = "[Jeu]\r\ncartes=1\r\n[Variables]\r\nnombre=1\r\n[Variable1]\r\nvaleur=5\r\n";

QString canonical(const QString &path) { return QFileInfo(path).canonicalFilePath(); }

void putPlayer(const Project &p, const QByteArray &body = "not run by the fake shell\n")
{
    const QString path = p.tool.file(QStringLiteral("/luaplayer.exe"));
    writeBytes(path, body);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
}

} // namespace

TEST(TestRun, WritesTheBootScriptAndStartsLuaPlayerInTheToolFolder)
{
    // Blanks and accents, as the boot script and the shell must carry them.
    const QString name = QStringLiteral("Mon jeu \u00e0 l'\u00e9t\u00e9");
    Project p(name);
    p.ini(smallIni);
    putPlayer(p);
    writeBytes(p.folder() + QStringLiteral("/index.lua"), "-- the game's own entry script\r\n");

    const generator::TestRunResult r = generator::testRun(p.session);
    EXPECT_EQ(r.error.toStdString(), "");
    EXPECT_EQ(r.compile.error.toStdString(), "");
    EXPECT_EQ(r.compile.facts.name, name);

    EXPECT_EQ(readBytes(p.tool.file(QStringLiteral("/index.lua"))).toStdString(),
              "System.currentDirectory(\"projets/Mon jeu \xe0 l'\xe9t\xe9\")\r\ndofile(\"index.lua\")\r\n");
    EXPECT_EQ(readBytes(p.folder() + QStringLiteral("/index.lua")).toStdString(), "-- the game's own entry script\r\n");
    EXPECT_EQ(luacComplaint(p.tool.file(QStringLiteral("/index.lua"))).toStdString(), "");
    EXPECT_EQ(p.variablesLua().toStdString(), expectedVariables({"var[1] = \"5\""}).toStdString());
    EXPECT_EQ(p.evLua().toStdString(), expectedEv(1, {}).toStdString());
    EXPECT_EQ(canonical(QDir::currentPath()), canonical(p.tool.path()));

    ASSERT_EQ(p.shell.started.size(), 1);
    EXPECT_EQ(p.shell.started[0].program, p.tool.path() + QStringLiteral("/luaplayer.exe"));
    EXPECT_EQ(p.shell.started[0].arguments, QStringList{QStringLiteral("index.lua")});
    EXPECT_EQ(p.shell.started[0].workingFolder, p.tool.path());

    // Each run starts one more player; the earlier one is left alone.
    EXPECT_EQ(generator::testRun(p.session).error.toStdString(), "");
    ASSERT_EQ(p.shell.started.size(), 2);
    EXPECT_EQ(p.shell.started[1].program, p.shell.started[0].program);
    EXPECT_EQ(p.shell.started[1].arguments, p.shell.started[0].arguments);
    EXPECT_EQ(p.shell.terminated, 0);
    EXPECT_TRUE(p.dialogs.shown.isEmpty());
}

TEST(TestRun, AMissingOrUnstartablePlayerIsReportedWithTheScriptsUpToDate)
{
    for (const bool present : {false, true}) {
        SCOPED_TRACE(present ? "cannot start" : "missing");
        Project p;
        p.ini(smallIni);
        p.cell(1, 1, 1, {"screen.waitVblankStart(1)"});
        if (present) {
            putPlayer(p);
            p.shell.startSucceeds = false;
        }
        const QString player = p.tool.path() + QStringLiteral("/luaplayer.exe");

        const generator::TestRunResult r = generator::testRun(p.session);
        EXPECT_EQ(r.compile.error.toStdString(), "");
        const QString expected = present ? QStringLiteral("Lua Player could not be started: ") + player
                                         : QStringLiteral("Lua Player was not found: ") + player;
        EXPECT_TRUE(r.error.startsWith(expected)) << r.error.toStdString();
        EXPECT_EQ(p.shell.started.size(), present ? 1 : 0);

        EXPECT_EQ(p.variablesLua().toStdString(), expectedVariables({"var[1] = \"5\""}).toStdString());
        EXPECT_EQ(p.evLua().toStdString(), expectedEv(1, {{{1, 1, 1}, {"screen.waitVblankStart(1)"}}}).toStdString());
        EXPECT_EQ(readBytes(p.tool.file(QStringLiteral("/index.lua"))).toStdString(),
                  "System.currentDirectory(\"projets/Quest\")\r\ndofile(\"index.lua\")\r\n");
    }
}

TEST(TestRun, AFailedGenerationStopsBeforeTheBootScript)
{
    Project p;
    p.ini("[Jeu]\r\ncartes=abc\r\n");
    putPlayer(p);
    writeBytes(p.tool.file(QStringLiteral("/index.lua")), "-- earlier boot\r\n");
    const generator::TestRunResult r = generator::testRun(p.session);
    EXPECT_FALSE(r.compile.error.isEmpty());
    EXPECT_EQ(r.error, r.compile.error);
    EXPECT_EQ(readBytes(p.tool.file(QStringLiteral("/index.lua"))).toStdString(), "-- earlier boot\r\n");
    EXPECT_TRUE(p.shell.started.isEmpty());
}

TEST(TestRun, ABootScriptThatCannotBeWrittenStopsTheRun)
{
    for (const Edition edition : {Edition::English, Edition::French}) {
        SCOPED_TRACE(edition == Edition::French ? "fr" : "en");
        Project p(QStringLiteral("Quest"), edition);
        p.ini(smallIni);
        putPlayer(p);
        // A folder where the boot script goes cannot be replaced by a file.
        const QString boot = p.tool.file(QStringLiteral("/index.lua"));
        QDir().mkpath(boot + QStringLiteral("/inside"));

        const generator::TestRunResult r = generator::testRun(p.session);
        EXPECT_EQ(r.compile.error.toStdString(), "");
        EXPECT_EQ(r.error.toStdString(),
                  (edition == Edition::French ? QStringLiteral("Le script de d\u00e9marrage n'a pas pu \u00eatre "
                                                               "\u00e9crit : %1 (%2)\nLua Player n'a pas "
                                                               "\u00e9t\u00e9 lanc\u00e9.")
                                              : QStringLiteral("The boot script could not be written: %1 (%2)\nLua "
                                                               "Player was not started."))
                      .arg(boot, "Filename refers to a directory")
                      .toStdString());
        EXPECT_TRUE(p.shell.started.isEmpty());
        EXPECT_TRUE(QFileInfo(boot + QStringLiteral("/inside")).isDir());
    }
}

TEST(TestRun, StartsTheRealProcessFromAToolFolderWithABlank)
{
    Project p;
    ASSERT_TRUE(p.tool.path().contains(QLatin1Char(' ')));
    p.ini(smallIni);
    // A stand-in player that notes where it runs and what it was given, then appears at once.
    putPlayer(p, "#!/bin/sh\n"
                 "{ pwd; echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; } > started.tmp\n"
                 "mv started.tmp started.txt\n");
    QtShell shell;
    Session session(p.tool.path(), Edition::English, p.dialogs, shell);
    session.setCurrentProject(p.session.currentProject());

    EXPECT_EQ(generator::testRun(session).error.toStdString(), "");

    const QString record = p.tool.file(QStringLiteral("/started.txt"));
    const QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(record) && !deadline.hasExpired())
        QThread::msleep(10);
    ASSERT_TRUE(QFileInfo::exists(record)) << "the player did not start";
    const QList<QByteArray> lines = readBytes(record).split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(canonical(QString::fromLocal8Bit(lines[0])), canonical(p.tool.path()));
    EXPECT_EQ(lines[1].toStdString(), "1");
    EXPECT_EQ(lines[2].toStdString(), "index.lua");
}
