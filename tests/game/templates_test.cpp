// The game's scripts as a new project gets them, run on the stand-in Lua Player, which offers
// the console player's API and nothing more.
#include "gamerun.h"

#include "platform/ansi.h"
#include "projects/newproject.h"
#include "toolfolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList kTemplates = {"ftgi.dat", "ftgr.dat", "ftgm.dat", "ftgms.dat", "ftgev.dat"};

// Past the intro, then "New game" on the title menu.
const QString kStartGame = "5 start\n10 cross\n";

QByteArray dataFile(const QString &name)
{
    return readBytes(QStringLiteral(TARNWICK_SOURCE_DIR "/data/") + name);
}

int runTool(const QString &program, const QStringList &arguments, QString *output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    p.waitForFinished(30000);
    if (output)
        *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(Templates, AreLuaWithCrLfLines)
{
    for (const QString &name : kTemplates) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray text = dataFile(name);
        ASSERT_FALSE(text.isEmpty());
        // The project's copy gets one more CR LF; the template's own lines all end with one.
        EXPECT_FALSE(text.endsWith("\r\n"));
        EXPECT_EQ(text.count('\n'), text.count("\r\n")) << "a line end that is not CR LF";
        EXPECT_EQ(text.count('\r'), text.count("\r\n"));
        QString output;
        EXPECT_EQ(runTool(TARNWICK_LUAC, {"-p", QStringLiteral(TARNWICK_SOURCE_DIR "/data/") + name}, &output), 0)
            << output.toStdString();
    }
}

TEST(Templates, FirstEvLuaHasARunevThatDoesNothing)
{
    QString output;
    const QString check = QStringLiteral("dofile([[" TARNWICK_SOURCE_DIR "/data/ftgev.dat]]) "
                                         "local before = {} for k in pairs(_G) do before[k] = true end "
                                         "assert(type(runev) == 'function') "
                                         "assert(select('#', runev(3, 2, '01')) == 0) "
                                         "for k in pairs(_G) do assert(before[k], 'runev made ' .. k) end");
    EXPECT_EQ(runTool(TARNWICK_LUA, {"-e", check}, &output), 0) << output.toStdString();
}

// One cell's event lines, as the event commands write them.
struct CellEvent {
    QString map;
    int row, column;
    QStringList lines;
};

// An ev.lua of the shape the generator writes, holding only the given cells.
QByteArray evLua(const QList<CellEvent> &events)
{
    QString text = "function runev(colonne,ligne,map)\r\n";
    for (const CellEvent &e : events) {
        text += QStringLiteral("if map == \"%1\" then\r\n    if ligne == %2 and colonne == %3 then\r\n    \r\n")
                    .arg(e.map)
                    .arg(e.row)
                    .arg(e.column);
        for (const QString &line : e.lines)
            text += line + "\r\n";
        text += "\r\n    end\r\nend\r\n";
    }
    return ansi::encode(text + "\r\nend\r\n");
}

QStringList rowsOf(const QString &row)
{
    return QStringList(8, row);
}

// Presses of one frame each, every `gap` frames from `first` to `last`.
QString pressesEvery(int first, int last, int gap, const QString &buttons)
{
    QString keys;
    for (int f = first; f <= last; f += gap)
        keys += QStringLiteral("%1 %2\n").arg(f).arg(buttons);
    return keys;
}

class Game : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(tool.file("/projets")); // made at start-up
        ASSERT_EQ(newproject::create(tool.path(), "My Quest", "Corvin", Edition::English), QString());
        project = tool.file("/projets/My Quest");
    }

    void write(const QString &file, const QByteArray &bytes) { writeBytes(project + file, bytes); }
    // A free map of tile 0 with the hero's start; blocked cells by row.
    void writeMap(const QString &nn, int column, int row, const QStringList &blocks = rowsOf("00000000000000000"))
    {
        write("/map" + nn + ".map", mapFile(column, row, rowsOf("00000000000000000")));
        write("/map" + nn + ".ev", blockFile(blocks));
        if (nn != "01") {
            QDir().mkpath(project + "/images/map" + nn);
            QFile::copy(project + "/images/map01/terrain.png", project + "/images/map" + nn + "/terrain.png");
        }
    }
    PlayResult run(const QString &keys, int frames)
    {
        PlayResult r = play(project, "index.lua", keys, frames);
        EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
        EXPECT_EQ(r.errors, QString());
        return r;
    }

    ToolFolder tool;
    QString project;
};

TEST_F(Game, TitleMenuLeadsToTheFirstMapOrQuits)
{
    PlayResult quit = run("5 start\n10 down\n20 cross\n", 200);
    const int intro = quit.trace.findBlit("images/System/imgprinc.png");
    EXPECT_EQ(intro, quit.trace.findPrint("Press START") - 1);
    EXPECT_GT(quit.trace.findBlit("images/System/menuprinc.png"), intro);
    EXPECT_TRUE(quit.trace.anyPrint("New game"));
    EXPECT_TRUE(quit.trace.anyPrint("Quit"));
    EXPECT_LT(quit.lastFrame(), 30) << "Quit ends the game";
    EXPECT_LT(quit.trace.findBlit("images/map01/terrain.png"), 0);

    // The stock new project: map 01 as the map template holds it.
    const QByteArray map = readBytes(tool.file("/data/ftgmma.dat"));
    const Cell start{map.mid(0, 2).toInt(), map.mid(2, 2).toInt()};
    const PlayResult r = run(kStartGame, 40);
    const int title = r.trace.findPrint("New game");
    const int firstMap = r.trace.findBlit("images/map01/terrain.png");
    ASSERT_GE(title, 0);
    ASSERT_GT(firstMap, title);
    EXPECT_LT(r.trace.lines[title].frame, 10);
    EXPECT_EQ(r.trace.heroStops(firstMap).value(0), QStringLiteral("face1 %1,%2").arg(start.column).arg(start.row));
    EXPECT_GE(r.trace.findPrint("HP: 100", firstMap), 0);
    EXPECT_LT(r.trace.findBlit("images/System/menuprinc.png", firstMap), 0);
}

TEST_F(Game, TheMapIsDrawnFromItsSheetByTileCode)
{
    // Codes 0 to 9 over rows 1 to 7; row 8 is an empty line, so its cells have no tile.
    QStringList rows;
    for (int r = 1; r <= 7; ++r) {
        QString row;
        for (int c = 1; c <= 17; ++c)
            row += QString::number((r + c) % 10);
        rows.append(row);
    }
    rows.append(QString());
    write("/map01.map", mapFile(17, 7, rows));
    QTemporaryDir shots;
    const PlayResult r = play(project, "index.lua", kStartGame, 30, shots.path(), "20");
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    const QImage screen = QImage(shots.filePath("frame-00020.png")).convertToFormat(QImage::Format_RGB32);
    const QImage sheet = QImage(project + "/images/map01/terrain.png").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(screen.size(), QSize(480, 272));
    ASSERT_GE(sheet.width(), 280);
    for (int row = 1; row <= 8; ++row) {
        for (int column = 1; column <= 17; ++column) {
            if (column == 17 && row == 7)
                continue; // the hero stands there
            const QImage cell = screen.copy(cellX(column), cellY(row), 28, 29);
            if (row == 8) {
                QImage black(28, 29, QImage::Format_RGB32);
                black.fill(Qt::black);
                EXPECT_EQ(cell, black) << "row 8, column " << column;
            } else {
                EXPECT_EQ(cell, sheet.copy(28 * ((row + column) % 10), 0, 28, 29))
                    << "row " << row << ", column " << column;
            }
        }
    }
}

TEST_F(Game, HeroWalksCellByCellAndStopsAtBlocksAndTheGridsEdge)
{
    QStringList blocks = rowsOf("00000000000000000");
    blocks[0] = "00001000000000000"; // row 1, column 5
    writeMap("01", 2, 1, blocks);
    // Every cell entered leaves a line: its column, row and map as runev got them.
    write("/ev.lua", "function runev(colonne, ligne, map)\r\n"
                     "  local f = io.open(\"entered.txt\", \"a\")\r\n"
                     "  f:write(type(colonne), \" \", type(map), \" \", colonne, \",\", ligne, \" \", map, \"\\n\")\r\n"
                     "  f:close()\r\n"
                     "end\r\n");
    const PlayResult r = run(kStartGame + "30-70 left\n100-180 right\n200-203 up\n220-300 down\n", 330);

    EXPECT_EQ(r.trace.heroStops(),
              (QStringList{"face1 2,1", "gauche1 1,1", "droite1 2,1", "droite1 3,1", "droite1 4,1", "dos1 4,1",
                           "face1 4,2", "face1 4,3", "face1 4,4", "face1 4,5", "face1 4,6", "face1 4,7", "face1 4,8"}));
    // Row 9 is not part of the game's grid: the editor never shows it.
    const QString cells = QString::fromLatin1(readBytes(project + "/entered.txt"));
    QString expected;
    for (const char *cell : {"1,1", "2,1", "3,1", "4,1", "4,2", "4,3", "4,4", "4,5", "4,6", "4,7", "4,8"})
        expected += QStringLiteral("number string %1 01\n").arg(cell);
    EXPECT_EQ(cells, expected);
    // A short walk cycle: one foot, the other, standing in between.
    const QStringList walkRight = r.trace.heroSprites(r.trace.findBlit("droite1.png"));
    EXPECT_TRUE(walkRight.contains("droite2"));
    EXPECT_TRUE(walkRight.contains("droite3"));
    EXPECT_TRUE(r.trace.heroSprites().contains("gauche2") || r.trace.heroSprites().contains("gauche3"));
}

TEST_F(Game, EventLinesShowTextPauseMoveTheHeroAndChangeMap)
{
    writeMap("01", 1, 1);
    writeMap("02", 3, 2);
    write("/variables.lua", "--Variables du jeu\r\nvar = {}\r\nvar[1] = \"start\"\r\n\r\n");
    QStringList words;
    for (int i = 1; i <= 300; ++i)
        words.append(QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0')));
    const QString longText = words.join(' ');
    write("/ev.lua", evLua({{"01",
                             1,
                             2,
                             {"affichertexte(\"var is \" .. var[1])", "screen.waitVblankStart(30)",
                              "var[1] = \"changed\"", "if var[1] == \"start\" then", "affichertexte(\"never\")", "end",
                              "if var[1] == \"changed\" then", "affichertexte(\"" + longText + "\")", "end",
                              QString::fromUtf8("hero.vie = hero.vie - 10 -- Retrait de 10 de vie au héro"),
                              QString::fromUtf8("hero.x = 6 -- Déplacement du héro(vertical)"),
                              QString::fromUtf8("hero.y = 40 -- Déplacelement du héro(horizontal)")}},
                            {"01", 8, 7, {"runmap(\"02\")"}}}));
    // Cross held from before the box opened does not close it; only a new press does. Then
    // the long text's pages, then a step right onto the cell that changes the map.
    const QString keys =
        kStartGame + "30-33 right\n35-80 cross\n100 cross\n" + pressesEvery(160, 400, 10, "cross") + "430-433 right\n";
    const PlayResult r = run(keys, 480);
    const Trace &t = r.trace;

    const int shown = t.findPrint("var is start");
    ASSERT_GE(shown, 0) << "variables.lua is loaded before the events run";
    EXPECT_GE(t.findBlit("images/System/parler.png"), 0);
    const int lastShown = t.findLastPrint("var is start");
    EXPECT_GE(t.lines[lastShown].frame, 99) << "the held cross closed the box";
    EXPECT_FALSE(t.anyPrint("never")) << "the condition is false once the variable changed";

    // The pause: nothing is drawn for 30 frames after the box is taken away.
    const int firstPage = t.find([](const TraceLine &l) { return l.kind == "print" && l.text.startsWith("w001"); });
    ASSERT_GT(firstPage, lastShown);
    EXPECT_GE(t.lines[firstPage].frame - t.lines[lastShown].frame, 30);
    int flips = 0;
    for (int i = lastShown; i < firstPage; ++i)
        flips += t.lines[i].kind == "flip";
    EXPECT_LE(flips, 2);
    // The frame shown through the pause is the map without the box.
    const int boxFrame = t.lines[lastShown].frame;
    const int pauseFrame =
        t.lines[t.find([&](const TraceLine &l) { return l.kind == "flip" && l.frame > boxFrame; }, lastShown)].frame;
    EXPECT_LT(t.find([&](const TraceLine &l) { return l.frame == pauseFrame && l.text.endsWith("parler.png"); }), 0);
    EXPECT_GE(t.find([&](const TraceLine &l) { return l.frame == pauseFrame && l.text.endsWith("droite1.png"); }), 0);

    // The long text in pages: every word shows, in order, and never all at once.
    QStringList lines;
    for (int i = firstPage; i < t.lines.size(); ++i) {
        const TraceLine &l = t.lines[i];
        if (l.kind == "print" && l.text.startsWith('w') && !lines.contains(l.text))
            lines.append(l.text);
    }
    EXPECT_EQ(lines.join(' '), longText);
    const int lastWord = t.find([](const TraceLine &l) { return l.kind == "print" && l.text.endsWith("w300"); });
    ASSERT_GT(lastWord, firstPage);
    EXPECT_GT(t.lines[lastWord].frame, t.lines[firstPage].frame + 1) << "the text is shown a boxful at a time";

    // HP loss, the hero moved by the event (a row beyond the grid holds it on the last row),
    // then the step onto the cell that loads map 02 with the hero on its start.
    EXPECT_GE(t.findPrint("HP: 100"), 0);
    const int afterText = t.findPrint("HP: 90", lastWord);
    ASSERT_GT(afterText, 0);
    const int map2 = t.findBlit("images/map02/terrain.png");
    ASSERT_GT(map2, afterText);
    EXPECT_EQ(t.heroStops(afterText, map2), (QStringList{"droite1 6,8", "droite1 7,8"}));
    EXPECT_EQ(t.heroStops(map2).value(0), "droite1 3,2");
    EXPECT_LT(t.findBlit("images/map01/terrain.png", map2), 0);
}

TEST_F(Game, AChangeToAMapThatIsNotThereNamesTheEventLine)
{
    writeMap("01", 1, 1);
    write("/ev.lua", evLua({{"01", 1, 2, {"runmap(\"07\")"}}}));
    const PlayResult r = play(project, "index.lua", kStartGame + "30-33 right\n", 100);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.startsWith("luaplayer: ev.lua:5: runmap: map07.map is missing")) << r.errors.toStdString();
}

TEST_F(Game, LosingAllHpEndsInTheGameOverThenANewGameStartsAfresh)
{
    writeMap("01", 1, 1);
    write("/variables.lua", "--Variables du jeu\r\nvar = {}\r\nvar[1] = \"start\"\r\n\r\n");
    write("/ev.lua",
          evLua({{"01",
                  1,
                  2,
                  {"affichertexte(\"var is \" .. var[1])", "var[1] = \"changed\"", "hero.vie = hero.vie - 150"}}}));
    const PlayResult r = run(kStartGame + "30-33 right\n60 cross\n100 cross\n130 cross\n150-153 right\n", 200);
    const Trace &t = r.trace;

    const int dead = t.findBlit("hero/mort.png");
    ASSERT_GT(dead, 0);
    EXPECT_EQ(t.heroStops(dead).value(0), "mort 2,1");
    EXPECT_GE(t.findPrint("GAME OVER", dead), 0);
    EXPECT_GE(t.findPrint("HP: 0", dead), 0) << "a loss beyond 0 shows as 0";
    const int title = t.findBlit("images/System/menuprinc.png", dead);
    ASSERT_GT(title, dead);
    EXPECT_GE(t.lines[title].frame, 100) << "the game over waits for cross";
    // The second game: full HP again and the variables back at their start values.
    const int again = t.findPrint("HP: 100", title);
    ASSERT_GT(again, title);
    EXPECT_GE(t.findPrint("var is start", again), 0);
}

TEST_F(Game, StartOpensTheInGameMenu)
{
    writeMap("01", 1, 1);
    const PlayResult r =
        run(kStartGame + "30 start\n50 circle\n70 start\n80 down\n90 cross\n110 down\n120 cross\n", 300);
    const Trace &t = r.trace;

    const int menu = t.findBlit("images/System/menuingame.png");
    ASSERT_GT(menu, 0);
    EXPECT_GE(t.lines[menu].frame, 30);
    EXPECT_TRUE(t.anyPrint("Resume"));
    EXPECT_TRUE(t.anyPrint("Back to title"));
    // The game stays drawn behind the menu.
    const int frame = t.lines[menu].frame;
    EXPECT_GE(
        t.find([&](const TraceLine &l) { return l.frame == frame && l.text.endsWith("images/map01/terrain.png"); }), 0);
    // Circle resumes: a frame of the game without the menu before start opens it again.
    const int resumed = t.find([](const TraceLine &l) { return l.frame >= 50 && l.frame < 70 && l.kind == "blit"; });
    ASSERT_GE(resumed, 0);
    EXPECT_LT(
        t.find([](const TraceLine &l) { return l.frame >= 52 && l.frame < 70 && l.text.endsWith("menuingame.png"); }),
        0);
    // "Back to title", then "Quit".
    const int title = t.findBlit("images/System/menuprinc.png", menu);
    ASSERT_GT(title, menu);
    EXPECT_GE(t.lines[title].frame, 90);
    EXPECT_LT(r.lastFrame(), 130);
}

TEST_F(Game, TheProjectsOwnEditedCopiesRunThroughTheBootScript)
{
    // A user who edits the project's ram.lua gets that game; the tool folder's files play no part.
    QByteArray ram = readBytes(project + "/ram.lua");
    ASSERT_TRUE(ram.contains("START_HP = 100"));
    write("/ram.lua", ram.replace("START_HP = 100", "START_HP = 7"));
    writeBytes(tool.file("/ram.lua"), "error('the tool folder ram.lua ran')\r\n");
    writeBytes(tool.file("/index.lua"), "System.currentDirectory(\"projets/My Quest\")\r\ndofile(\"index.lua\")\r\n");
    const PlayResult r = play(tool.path(), "index.lua", kStartGame, 30);
    EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_GE(r.trace.findPrint("HP: 7"), 0);
}

} // namespace
