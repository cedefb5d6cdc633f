// The player as the test run starts it: the script named on the command line, the current
// folder, dofile, and how a failing script is reported.
#include "stage.h"

#include "toolfolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

QByteArray canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath().toUtf8();
}

} // namespace

TEST(LuaPlayerSystem, RunsTheBootScriptOfTheTestRunIntoTheProjectFolder)
{
    // The tool's boot script is Windows-1252 and names the project folder, which the tool made
    // from the same name; the project's own index.lua has the same name as the boot script.
    Stage s;
    const QString project = QStringLiteral("Mon jeu \u00e0 l'\u00e9t\u00e9");
    s.put(QStringLiteral("index.lua"), "System.currentDirectory(\"projets/Mon jeu \xe0 l'\xe9t\xe9\")\r\ndofile(\"index.lua\")\r\n");
    s.put(QStringLiteral("projets/") + project + QStringLiteral("/index.lua"),
          "dofile(\"ram.lua\")\r\nscreen:print(0, 8, System.currentDirectory())\r\n");
    s.put(QStringLiteral("projets/") + project + QStringLiteral("/ram.lua"), "screen:print(0, 0, \"ram\")\r\n");

    // Records named relative to the starting folder stay there when the script moves on.
    const Stage::Result r = s.start({QStringLiteral("index.lua")},
                                    {{QStringLiteral("LUAPLAYER_SHOTS"), QStringLiteral("../shots")},
                                     {QStringLiteral("LUAPLAYER_TRACE"), QStringLiteral("../trace.txt")}});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_FALSE(r.shot(QStringLiteral("last.png")).isNull());
    ASSERT_EQ(r.printed().size(), 2);
    EXPECT_EQ(r.printed()[0], "ram");
    // The folder comes back in the scripts' code page, so it can be handed back as it is.
    EXPECT_EQ(r.printed()[1].toStdString(),
              QFileInfo(s.file(QStringLiteral("projets/") + project)).canonicalFilePath().toLatin1().toStdString());
}

TEST(LuaPlayerSystem, CurrentDirectoryMovesRelativelyAndKeepsItsPlaceForAMissingFolder)
{
    Stage s;
    s.put(QStringLiteral("sub/inner/lib.lua"), "screen:print(0, 0, \"inner lib\")\n");
    s.put(QStringLiteral("lib.lua"), "screen:print(0, 0, \"top lib\")\n");
    const Stage::Result r = s.run(R"(
local start = System.currentDirectory()
screen:print(0, 0, start)
local left = System.currentDirectory("sub/inner")
screen:print(0, 0, tostring(left == start))
screen:print(0, 0, System.currentDirectory())
dofile("lib.lua")
local before = System.currentDirectory("no such folder")
screen:print(0, 0, tostring(before == System.currentDirectory()))
screen:print(0, 0, System.currentDirectory())
System.currentDirectory("..")
screen:print(0, 0, System.currentDirectory())
System.currentDirectory("..")
dofile("lib.lua")
)");
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QList<QByteArray> expected = {
        canonical(s.folder()), "true", canonical(s.file(QStringLiteral("sub/inner"))), "inner lib", "true",
        canonical(s.file(QStringLiteral("sub/inner"))), canonical(s.file(QStringLiteral("sub"))), "top lib",
    };
    EXPECT_EQ(r.printed(), expected);
}

TEST(LuaPlayerSystem, TheScriptIsLookedUpInTheCurrentFolder)
{
    Stage s;
    s.put(QStringLiteral("game.lua"), "screen:print(0, 0, \"top\")\n");
    s.put(QStringLiteral("sub/game.lua"), "screen:print(0, 0, \"sub\")\n");
    const Stage::Result r = s.start({QStringLiteral("game.lua")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.printed(), QList<QByteArray>{"top"});

    const Stage::Result missing = s.start({QStringLiteral("other.lua")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.startsWith("luaplayer: cannot open other.lua")) << missing.err.toStdString();

    const Stage::Result none = s.start({});
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(none.err.contains("usage")) << none.err.toStdString();
}

TEST(LuaPlayerSystem, AnErrorIsReportedWithFileAndLine)
{
    struct Case {
        const char *name;
        QByteArray script;
        std::string expected;
    };
    const Case cases[] = {
        {"runtime error", "local a = 1\nlocal b = nil\nscreen:print(0, 0, b.x)\n",
         "luaplayer: main.lua:3: attempt to index local 'b' (a nil value)\n"},
        {"in a file run by dofile", "screen:print(0, 0, \"before\")\ndofile(\"lib.lua\")\n",
         "luaplayer: lib.lua:2: broken\n"},
        {"syntax error", "local a = 1\nlocal = 2\n", "luaplayer: main.lua:2: '<name>' expected near '='\n"},
        {"error without a level", "\n\nerror(\"plain\", 0)\n", "luaplayer: main.lua:3: plain\n"},
        {"error value that is no text", "error({})\n", "luaplayer: main.lua:1: error object is a table value\n"},
        {"bad argument to the API", "\nscreen:print(0, 0)\n",
         "luaplayer: main.lua:2: bad argument #3 to 'print' (string expected, got no value)\n"},
        {"blit with a wrong count", "local i = Image.createEmpty(2, 2)\nscreen:blit(0, 0, i, 1, 1)\n",
         "luaplayer: main.lua:2: blit takes 3, 4, 7 or 8 arguments (x, y, image [, sx, sy, w, h] [, alpha]), not 5\n"},
    };
    Stage s;
    s.put(QStringLiteral("lib.lua"), "local x = 1\nerror(\"broken\")\n");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Stage::Result r = s.run(c.script);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err.toStdString(), c.expected);
    }
}

TEST(LuaPlayerSystem, AFailingScriptLeavesItsTraceAndLastScreen)
{
    Stage s;
    const Stage::Result r = s.run(R"(
screen:print(0, 0, "one")
screen.flip()
screen.waitVblankStart(3)
screen:print(0, 0, "two")
undefined_function()
)");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.toStdString(), "luaplayer: main.lua:6: attempt to call global 'undefined_function' (a nil value)\n");
    const QList<QByteArray> expected = {"0 print 0 0 one", "0 flip", "3 print 0 0 two"};
    EXPECT_EQ(r.trace, expected);
    EXPECT_FALSE(r.shot(QStringLiteral("last.png")).isNull());
}

TEST(LuaPlayerSystem, BadTestSettingsAreRefusedBeforeTheScriptRuns)
{
    Stage s;
    s.put(QStringLiteral("keys.txt"), "3 cross\n4 jump\n");
    const Stage::Env cases[] = {
        {{QStringLiteral("LUAPLAYER_FRAMES"), QStringLiteral("ten")}},
        {{QStringLiteral("LUAPLAYER_KEYS"), s.file(QStringLiteral("keys.txt"))}},
        {{QStringLiteral("LUAPLAYER_KEYS"), s.file(QStringLiteral("missing.txt"))}},
        {{QStringLiteral("LUAPLAYER_SHOT_FRAMES"), QStringLiteral("1,x")}},
        {{QStringLiteral("LUAPLAYER_SHOTS"), QString()}, {QStringLiteral("LUAPLAYER_SHOT_FRAMES"), QStringLiteral("1")}},
    };
    for (const Stage::Env &env : cases) {
        SCOPED_TRACE(env.firstKey().toStdString() + "=" + env.first().toStdString());
        const Stage::Result r = s.run("screen:print(0, 0, \"ran\")\n", env);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.startsWith("luaplayer: LUAPLAYER_")) << r.err.toStdString();
        EXPECT_TRUE(r.printed().isEmpty());
    }
    const Stage::Result badButton = s.run("", cases[1]);
    EXPECT_TRUE(badButton.err.contains("line 2: unknown button \"jump\"")) << badButton.err.toStdString();
}

// A window needs a display: without one the player says so and how to run headless, instead of
// the toolkit aborting, and shows its usage only when the command line names no script. A
// platform chosen on purpose still opens the window.
TEST(LuaPlayerSystem, WithoutADisplayItTellsHowToRunHeadless)
{
    const std::string usage =
        "luaplayer: usage: luaplayer.exe script.lua (the script is looked up in the current folder)\n"
        "  with LUAPLAYER_FRAMES=N it runs N frames without a window; there one frame may run at most 1000 million "
        "Lua instructions and 5 seconds, else the run ends with an error\n";
    const std::string headless = ", so the player cannot open its window; to run without a window, set "
                                 "LUAPLAYER_FRAMES=N, the number of frames to run\n";
    Stage::Env noDisplay;
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LUAPLAYER_FRAMES"})
        noDisplay.insert(QLatin1String(variable), QString());
    Stage s;
    const QByteArray script = "screen:print(0, 0, \"ran\")\n";
    const std::string notFound = "luaplayer: no display found (DISPLAY and WAYLAND_DISPLAY are not set)" + headless;

    const Stage::Result none = s.run(script, noDisplay);
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.err.toStdString(), notFound);
    EXPECT_TRUE(none.trace.isEmpty());
    for (const QStringList &arguments : {QStringList(), QStringList{QString()}}) {
        const Stage::Result noScript = s.start(arguments, noDisplay);
        EXPECT_EQ(noScript.code, 2);
        EXPECT_EQ(noScript.err.toStdString(), notFound + usage);
    }

    Stage::Env missing = noDisplay;
    missing.insert(QStringLiteral("DISPLAY"), QStringLiteral(":9876"));
    const Stage::Result unreachable = s.run(script, missing);
    EXPECT_EQ(unreachable.code, 2);
    // The toolkit's own warnings come first.
    const std::string notOpened = "luaplayer: no display could be opened" + headless;
    EXPECT_TRUE(unreachable.err.toStdString().ends_with(notOpened)) << unreachable.err.toStdString();
    const Stage::Result unreachableNoScript = s.start({QStringLiteral("-platform"), QStringLiteral("xcb")}, missing);
    EXPECT_EQ(unreachableNoScript.code, 2);
    EXPECT_TRUE(unreachableNoScript.err.toStdString().ends_with(notOpened + usage))
        << unreachableNoScript.err.toStdString();

    Stage::Env offscreen = noDisplay;
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const Stage::Result chosen = s.run(script, offscreen);
    EXPECT_EQ(chosen.code, 0) << chosen.err.toStdString();
    EXPECT_EQ(chosen.printed(), QList<QByteArray>{"ran"});
    const Stage::Result onTheCommandLine =
        s.start({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("main.lua")}, noDisplay);
    EXPECT_EQ(onTheCommandLine.code, 0) << onTheCommandLine.err.toStdString();
    EXPECT_EQ(onTheCommandLine.printed(), QList<QByteArray>{"ran"});
}

// In a window (Qt's offscreen platform here) frames take real time, the run ends when the
// script returns, and an error stays on show instead of ending the run silently.
TEST(LuaPlayerSystem, InAWindowFramesTakeTheirTimeAndAnErrorStaysOnShow)
{
    Stage s;
    const Stage::Env windowed = {{QStringLiteral("LUAPLAYER_FRAMES"), QString()}};
    QElapsedTimer clock;
    clock.start();
    const Stage::Result r = s.run("screen:print(0, 0, \"hi\")\nscreen.flip()\nscreen.waitVblankStart(30)\n", windowed);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_GE(clock.elapsed(), 450); // 30 frames of 1/60 s
    EXPECT_EQ(r.trace, (QList<QByteArray>{"0 print 0 0 hi", "0 flip"}));

    s.put(QStringLiteral("main.lua"), "screen.waitVblankStart(2)\nerror(\"shown\")\n");
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.remove(QStringLiteral("LUAPLAYER_FRAMES"));
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(e);
    p.setWorkingDirectory(s.folder());
    p.start(QStringLiteral(TARNWICK_LUAPLAYER), {QStringLiteral("main.lua")});
    QByteArray err;
    QElapsedTimer wait;
    wait.start();
    // Qt may warn about its platform first; the player's report is its own line.
    while (!err.contains("luaplayer: main.lua:2: shown\n") && wait.elapsed() < 20000 && p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(200);
        err += p.readAllStandardError();
    }
    EXPECT_TRUE(err.contains("luaplayer: main.lua:2: shown\n")) << err.toStdString();
    EXPECT_FALSE(p.waitForFinished(300)) << "the window closed by itself";
    p.kill();
    p.waitForFinished();
}
