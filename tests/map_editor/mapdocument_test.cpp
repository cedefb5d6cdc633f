#include "map_editor/mapdocument.h"
#include "map_editor/tilesets.h"
#include "projectlayout.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "scripted.h"
#include "toolfolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace mapdoc;

namespace {

QString ini(const Session &s, const QString &section, const QString &key)
{
    return Module1::readini(section, key, s.projectIni());
}

struct MapDocument : ::testing::Test {
    ToolFolder tool;
    ScriptedDialogs dialogs;
    FakeShell shell;
    Session session{tool.path(), Edition::English, dialogs, shell};
    MapState state;

    void SetUp() override { layOutProject(session); }
    QString project(const QString &part) const { return session.projectPath(part); }
};

} // namespace

TEST_F(MapDocument, TemplatesMakeFullFilesThatLoadAndSaveBackWithAnEmptyNinthRow)
{
    const QByteArray map = templateCopy(session, QStringLiteral("ftgmma.dat"));
    const QByteArray block = templateCopy(session, QStringLiteral("ftgmev.dat"));
    ASSERT_EQ(map.size(), 179);
    ASSERT_EQ(block.size(), 173);
    ASSERT_EQ(mapBytes(session, "01"), map);
    ASSERT_EQ(blockBytes(session, "01"), block);

    const Loaded loaded = load(session, QStringLiteral("01"), state);
    ASSERT_TRUE(loaded.valid);
    EXPECT_EQ(loaded.heroColumn, QString::fromLatin1(map.left(2)));
    EXPECT_EQ(loaded.heroRow, QString::fromLatin1(map.mid(2, 2)));
    EXPECT_EQ(loaded.name, "Carte 1");
    EXPECT_EQ(loaded.texture, "01");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(state.tiles[136]));

    ASSERT_TRUE(save(session, "01", "Forest", loaded.heroColumn, loaded.heroRow, state));
    EXPECT_EQ(mapBytes(session, "01"), map.left(6 + 8 * 19) + "\r\n\r\n");
    EXPECT_EQ(blockBytes(session, "01"), block.left(8 * 19) + "\r\n\r\n");
    EXPECT_EQ(mapBytes(session, "01").size(), 162);
    EXPECT_EQ(blockBytes(session, "01").size(), 156);
    EXPECT_EQ(ini(session, "carte01", "nom"), "Forest");
}

TEST_F(MapDocument, ReadsEveryCellAtItsFixedPosition)
{
    // Each cell holds a character of its own, so a shifted position shows at once.
    QByteArray map = "0503\r\n", block;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 17; ++c) {
            map += char('A' + (r * 17 + c) % 26);
            block += char('a' + (r * 3 + c) % 26);
        }
        map += "\r\n";
        block += "\r\n";
    }
    writeBytes(project("/map01.map"), map);
    writeBytes(project("/map01.ev"), block);
    const Loaded loaded = load(session, "01", state);
    EXPECT_EQ(loaded.heroColumn, "05");
    EXPECT_EQ(loaded.heroRow, "03");
    for (int i = 0; i < 136; ++i) {
        EXPECT_EQ(cellText(state.tiles[i]), QString(QChar('A' + i % 26))) << i;
        EXPECT_EQ(cellText(state.blocks[i]), QString(QChar('a' + ((i / 17) * 3 + i % 17) % 26))) << i;
    }
    ASSERT_TRUE(save(session, "01", "x", loaded.heroColumn, loaded.heroRow, state));
    EXPECT_EQ(mapBytes(session, "01"), map.left(6 + 8 * 19) + "\r\n\r\n");
    EXPECT_EQ(blockBytes(session, "01"), block.left(8 * 19) + "\r\n\r\n");
}

TEST_F(MapDocument, WritesHeroStartAndCellsAsTheyStand)
{
    state.tiles.fill(QStringLiteral("0"));
    state.blocks.fill(QStringLiteral("0"));
    state.tiles[0] = 9LL;        // painted
    state.tiles[16] = QString(); // read past the end of a short file
    state.tiles[20] = std::monostate{};
    state.blocks[18] = QStringLiteral("1");
    ASSERT_TRUE(save(session, "01", "n", "17", "8", state));
    const QByteArray map = mapBytes(session, "01");
    EXPECT_EQ(map.left(6), "1708\r\n");
    EXPECT_EQ(map.mid(6, 18), QByteArray("9") + QByteArray(15, '0') + "\r\n");
    EXPECT_EQ(map.mid(24, 18), QByteArray(3, '0') + QByteArray(13, '0') + "\r\n");
    EXPECT_EQ(map.size(), 6 + 9 * 19 - 2 + 2);
    EXPECT_EQ(blockBytes(session, "01").mid(19, 19), "01" + QByteArray(15, '0') + "\r\n");

    ASSERT_TRUE(save(session, "01", "n", "1", "1", state));
    EXPECT_EQ(mapBytes(session, "01").left(4), "0101");
    ASSERT_TRUE(save(session, "01", "n", "5", "3", state));
    EXPECT_EQ(mapBytes(session, "01").left(4), "0503");
}

TEST_F(MapDocument, ShortAndMissingFiles)
{
    // Only the first line: every tile reads as the empty text.
    writeBytes(project("/map01.map"), "0202\r\n");
    QFile::remove(project("/map01.ev"));
    Loaded loaded = load(session, "01", state);
    ASSERT_TRUE(loaded.valid);
    for (int i = 0; i < 136; ++i) {
        EXPECT_EQ(state.tiles[i], Cell(QString())) << i;
        EXPECT_FALSE(isBlocked(state.blocks[i])) << i;
    }
    EXPECT_FALSE(pictureNumber(state.tiles[0]));
    ASSERT_TRUE(save(session, "01", "n", loaded.heroColumn, loaded.heroRow, state));
    EXPECT_EQ(mapBytes(session, "01"), "0202\r\n" + QByteArray("\r\n").repeated(9) + "\r\n");
    EXPECT_EQ(blockBytes(session, "01"), QByteArray("\r\n").repeated(10));

    // A missing map file: the cells stay as they were, the hero start reads empty and
    // nothing can be saved from it.
    state.tiles[5] = 4LL;
    QFile::remove(project("/map01.map"));
    const QByteArray blocks = blockBytes(session, "01");
    loaded = load(session, "01", state);
    EXPECT_FALSE(loaded.valid);
    EXPECT_EQ(loaded.heroColumn, "");
    EXPECT_EQ(state.tiles[5], Cell(4LL));
    EXPECT_FALSE(save(session, "01", "other", loaded.heroColumn, loaded.heroRow, state));
    EXPECT_FALSE(QFileInfo::exists(project("/map01.map")));
    EXPECT_EQ(blockBytes(session, "01"), blocks);
    EXPECT_EQ(ini(session, "Carte01", "nom"), "n");
}

TEST_F(MapDocument, RefusesHeroCaptionsThatAreNoNumbersAndAnEmptyMapNumber)
{
    const QByteArray map = mapBytes(session, "01");
    for (const auto &[column, row] :
         std::vector<std::pair<QString, QString>>{{"", "1"}, {"1", ""}, {"a", "1"}, {"1", "0x"}})
        EXPECT_FALSE(save(session, "01", "changed", column, row, state)) << column.toStdString();
    EXPECT_FALSE(save(session, "", "changed", "1", "1", state));
    EXPECT_EQ(mapBytes(session, "01"), map);
    EXPECT_EQ(ini(session, "Carte01", "nom"), "Carte 1");
    EXPECT_FALSE(QFileInfo::exists(project("/map.map")));
}

TEST_F(MapDocument, ResetZeroesEveryCellAndEmptiesTheEventFilesOfRowsOneToEight)
{
    addMap(session, "02");
    addMap(session, "03");
    writeBytes(project("/ev/map03/ev91"), "\r\nrow nine\r\n");
    writeBytes(project("/ev/map03/ev117"), "\r\nend\r\n");
    writeBytes(project("/ev/map01/ev11"), "\r\nkeep\r\n");
    const Loaded loaded = load(session, "03", state);
    reset(session, "03", state);

    const QStringList files = QDir(project("/ev/map03")).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 137);
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 17; ++c)
            EXPECT_EQ(readBytes(project(eventFilePart("03", r, c))), "\r\n") << r << "," << c;
    EXPECT_EQ(readBytes(project("/ev/map03/ev91")), "\r\nrow nine\r\n");
    EXPECT_EQ(readBytes(project("/ev/map01/ev11")), "\r\nkeep\r\n");
    // The reset itself writes no map file; the next save writes all nine rows of zeros.
    EXPECT_EQ(mapBytes(session, "03"), templateCopy(session, "ftgmma.dat"));
    for (int i = 0; i < kCells; ++i)
        ASSERT_EQ(state.tiles[i], Cell(QStringLiteral("0"))) << i;
    ASSERT_TRUE(save(session, "03", "n", loaded.heroColumn, loaded.heroRow, state));
    const QByteArray map = mapBytes(session, "03");
    EXPECT_EQ(map, map.left(6) + rows('0') + "\r\n");
    EXPECT_EQ(map.size(), 179);
    EXPECT_EQ(blockBytes(session, "03"), rows('0') + "\r\n");
    EXPECT_EQ(blockBytes(session, "03").size(), 173);
}

TEST(MapCells, HitTestTakesTheFirstCellInRowMajorOrder)
{
    struct Case {
        float x, y;
        std::optional<int> cell;
    };
    const Case cases[] = {{419, 434, 0}, {420, 434, 1},  {7139, 3479, 135}, {300, 0, 0},
                          {300, 300, 0}, {419.9f, 0, 0}, {0, 435, 17},      {420, 435, 18},
                          {7140, 0, {}}, {0, 3480, {}},  {7140, 3479, {}},  {-149, -149, 0},
                          {-150, 0, {}}, {0, -150, {}},  {6720, 3045, 135}, {6719.5f, 100, 15}};
    for (const Case &c : cases)
        EXPECT_EQ(hitCell(c.x, c.y), c.cell) << c.x << "," << c.y;
}

TEST(MapCells, PictureNumberIsTheCodePlusOne)
{
    EXPECT_EQ(pictureNumber(Cell()), 1);
    EXPECT_EQ(pictureNumber(Cell(QStringLiteral("3"))), 4);
    EXPECT_EQ(pictureNumber(Cell(9LL)), 10);
    EXPECT_EQ(pictureNumber(Cell(QString())), std::nullopt);
    EXPECT_EQ(pictureNumber(Cell(QStringLiteral("a"))), std::nullopt);
    EXPECT_TRUE(isBlocked(Cell(QStringLiteral("1"))));
    for (const Cell &free : {Cell(), Cell(QString()), Cell(QStringLiteral("0")), Cell(1LL), Cell(QStringLiteral("2"))})
        EXPECT_FALSE(isBlocked(free));
    EXPECT_EQ(eventFilePart("02", 3, 11), "/ev/map02/ev311");
    EXPECT_EQ(eventFilePart("01", 1, 12), "/ev/map01/ev112");
}

TEST_F(MapDocument, NewMapNumbersFollowTheMapCount)
{
    struct Case {
        const char *count, *made;
    };
    for (const Case &c : {Case{"1", "02"}, Case{"09", "10"}, Case{"10", "11"}}) {
        Module1::writeini("Jeu", "cartes", c.count, session.projectIni());
        const NewMap made = createMap(session);
        ASSERT_EQ(made.outcome, NewMap::Created) << c.count;
        EXPECT_EQ(made.map, c.made);
        EXPECT_TRUE(made.sheet.sheet);
        EXPECT_EQ(ini(session, "Jeu", "cartes"), c.made);
        EXPECT_EQ(ini(session, QStringLiteral("Carte") + c.made, "texture"), "01");
        EXPECT_EQ(ini(session, QStringLiteral("Carte") + c.made, "nom"), "Carte 1");
        EXPECT_TRUE(QFileInfo(project(QStringLiteral("/ev/map") + c.made)).isDir());
        EXPECT_EQ(mapBytes(session, c.made), templateCopy(session, "ftgmma.dat"));
        EXPECT_EQ(blockBytes(session, c.made), templateCopy(session, "ftgmev.dat"));
        EXPECT_EQ(readBytes(project(QStringLiteral("/images/map") + c.made + "/terrain.png")),
                  readBytes(tilesets::sheetPath(session.toolFolder(), "01")));
    }
}

TEST_F(MapDocument, NewMapWritesNothingWhenAFolderIsInTheWayOrTheCountIsNoNumber)
{
    const QByteArray iniBefore = readBytes(session.projectIni());
    QDir().mkpath(project("/ev/map02"));
    NewMap made = createMap(session);
    EXPECT_EQ(made.outcome, NewMap::FolderExists);
    EXPECT_EQ(made.folder, project("/ev/map02"));
    EXPECT_FALSE(QFileInfo::exists(project("/images/map02")));
    EXPECT_FALSE(QFileInfo::exists(project("/map02.map")));
    EXPECT_EQ(readBytes(session.projectIni()), iniBefore);

    for (const char *count : {"", "two", "1.5", "-1", "2000000000"}) {
        Module1::writeini("Jeu", "cartes", count, session.projectIni());
        EXPECT_EQ(createMap(session).outcome, NewMap::NoCount) << count;
    }
    // Map 32768 would lie beyond what every reader of the count accepts.
    Module1::writeini("Jeu", "cartes", "32767", session.projectIni());
    EXPECT_EQ(createMap(session).outcome, NewMap::Full);
    EXPECT_FALSE(QFileInfo::exists(project("/ev/map32768")));
    EXPECT_FALSE(QFileInfo::exists(project("/images/map02")));

    // A project folder that is gone: the folder cannot be made, and nothing else is tried.
    Module1::writeini("Jeu", "cartes", "1", session.projectIni());
    QDir().rmdir(project("/ev/map02"));
    QDir(project("/images")).removeRecursively();
    made = createMap(session);
    EXPECT_EQ(made.outcome, NewMap::FolderFailed);
    EXPECT_FALSE(QFileInfo::exists(project("/ev/map02")));
    EXPECT_FALSE(QFileInfo::exists(project("/map02.map")));
}

TEST_F(MapDocument, TileSetsCountFromOneToTheFirstGap)
{
    const QString tool = session.toolFolder();
    removeTileSetsFrom(session, 4);
    for (int n = 1; n <= 3; ++n)
        writeTileSet(session, pad2(n), 4);
    EXPECT_EQ(tilesets::count(tool), 3);
    for (int n = 4; n <= 12; ++n)
        writeTileSet(session, pad2(n), 4);
    EXPECT_EQ(tilesets::count(tool), 12);
    EXPECT_TRUE(QFileInfo(tool + "/data/images/terrains/terrain10/texture.ini").exists());
    removeTileSetsFrom(session, 3);
    writeTileSet(session, "04", 4);
    EXPECT_EQ(tilesets::count(tool), 2);
    removeTileSetsFrom(session, 1);
    EXPECT_EQ(tilesets::count(tool), 0);
}

TEST_F(MapDocument, BrushReachesAtMostTenTiles)
{
    struct Case {
        const char *nbimg;
        int maximum;
    };
    for (const Case &c : {Case{"4", 4}, Case{"10", 10}, Case{"12", 10}, Case{"", 1}, Case{"x", 1}, Case{"0", 1},
                          Case{"2000000000", 1}}) {
        QDir().mkpath(tilesets::folder(session.toolFolder(), "07"));
        Module1::writeini("texture", "nbimg", c.nbimg, tilesets::folder(session.toolFolder(), "07") + "/texture.ini");
        EXPECT_EQ(tilesets::brushMaximum(session.toolFolder(), "07"), c.maximum) << c.nbimg;
    }
    EXPECT_EQ(tilesets::picturePath("T", "02", 10), "T/data/images/terrains/terrain02/terrain010.JPG");
    EXPECT_EQ(tilesets::picturePath("T", "11", 1), "T/data/images/terrains/terrain11/terrain01.JPG");
}
