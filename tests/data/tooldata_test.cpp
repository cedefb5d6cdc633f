// The built tool data: every file that new projects, new maps and the map editor take from it,
// the map templates' bytes, and the drawn pictures (the same bytes on every run).
#include "art/art.h"
#include "toolfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

const QString Data = QStringLiteral(TARNWICK_TOOLDATA_DIR "/data");

QImage load(const QString &path, QByteArray *format = nullptr)
{
    QImageReader reader(path);
    if (format)
        *format = reader.format();
    return reader.read();
}

double lightness(const QImage &img, int x, int y)
{
    return img.pixelColor(x, y).lightnessF();
}

QColor average(const QImage &img, const QRect &r)
{
    qint64 red = 0, green = 0, blue = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            red += c.red();
            green += c.green();
            blue += c.blue();
        }
    const qint64 n = qint64(r.width()) * r.height();
    return QColor(int(red / n), int(green / n), int(blue / n));
}

// Every file below the folder, as a path relative to it, with its bytes.
std::map<QString, QByteArray> tree(const QString &root)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path.mid(root.size())] = readBytes(path);
    }
    return files;
}

} // namespace

TEST(ToolData, HeroSpritesAreCellSizedOnATransparentBackground)
{
    for (const char *name : {"dos1", "dos2", "dos3", "face1", "face2", "face3", "droite1", "droite2", "droite3",
                             "gauche1", "gauche2", "gauche3", "mort"}) {
        SCOPED_TRACE(name);
        QByteArray format;
        const QImage img = load(Data + "/images/personnages/perso01/" + name + ".png", &format);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(format, "png");
        EXPECT_EQ(img.size(), QSize(28, 29));
        EXPECT_EQ(img.pixelColor(0, 0).alpha(), 0) << "the map must show around the hero";
        EXPECT_EQ(img.pixelColor(14, 16).alpha(), 255) << "the figure stands in the cell's middle";
    }
    // The walk is a cycle of different frames, and left is not right.
    const QString hero = Data + "/images/personnages/perso01/";
    EXPECT_NE(load(hero + "face1.png"), load(hero + "face3.png"));
    EXPECT_NE(load(hero + "dos1.png"), load(hero + "dos2.png"));
    EXPECT_NE(load(hero + "droite2.png"), load(hero + "gauche2.png"));
}

TEST(ToolData, SystemPicturesFitTheScreenAndPanelsTakeBlackText)
{
    const QString theme = Data + "/images/system/theme01/";
    for (const char *name : {"imgprinc.png", "menuingame.png", "menuprinc.png", "parler.png"}) {
        SCOPED_TRACE(name);
        const QImage img = load(theme + name);
        ASSERT_FALSE(img.isNull());
        EXPECT_LE(img.width(), 480);
        EXPECT_LE(img.height(), 272);
    }
    EXPECT_EQ(load(theme + "menuprinc.png").size(), QSize(480, 272));
    EXPECT_EQ(load(theme + "imgprinc.png").size(), QSize(480, 272));
    // The game prints black text inside the text box and the in-game menu.
    const QImage box = load(theme + "parler.png"), menu = load(theme + "menuingame.png");
    EXPECT_GT(lightness(box, 20, 20), 0.8);
    EXPECT_GT(lightness(box, box.width() / 2, box.height() / 2), 0.8);
    EXPECT_GT(lightness(menu, 20, 20), 0.8);
    EXPECT_GT(lightness(menu, menu.width() / 2, menu.height() / 2), 0.8);
}

TEST(ToolData, TileSetsHoldTextureIniTilesAndSheet)
{
    for (const char *set : {"terrain01", "terrain02", "terrain03"}) {
        SCOPED_TRACE(set);
        const QString folder = Data + "/images/terrains/" + set;
        // Read the way Windows' profile reader would, and held to ten tiles (one character a code).
        const QByteArray ini = readBytes(folder + "/texture.ini");
        ASSERT_TRUE(ini.startsWith("[texture]\r\nnbimg=")) << ini.constData();
        ASSERT_TRUE(ini.endsWith("\r\n"));
        bool ok = false;
        const int n = ini.mid(17, ini.size() - 19).toInt(&ok);
        ASSERT_TRUE(ok) << ini.constData();
        EXPECT_GE(n, 4) << "the tile-set frame previews tiles 1 to 4";
        EXPECT_LE(n, 10);

        const QImage sheet = load(folder + "/terrain01.png");
        ASSERT_EQ(sheet.size(), QSize(28 * n, 29));
        for (int i = 1; i <= n; ++i) {
            SCOPED_TRACE(i);
            QByteArray format;
            const QImage tile = load(folder + "/terrain0" + QString::number(i) + ".JPG", &format);
            ASSERT_FALSE(tile.isNull());
            EXPECT_EQ(format, "jpeg");
            EXPECT_EQ(tile.size(), QSize(28, 29));
            // Code k = i - 1 lies at x = 28 k of the sheet: the same picture, give or take JPEG.
            const QColor a = average(tile, tile.rect()), b = average(sheet, QRect(28 * (i - 1), 0, 28, 29));
            EXPECT_NEAR(a.red(), b.red(), 6);
            EXPECT_NEAR(a.green(), b.green(), 6);
            EXPECT_NEAR(a.blue(), b.blue(), 6);
        }
        EXPECT_FALSE(QFile::exists(folder + "/terrain0" + QString::number(n + 1) + ".JPG"));
    }
}

TEST(ToolData, MapTemplatesCopyToFullEmptyMaps)
{
    // A new map's files are the templates' text plus the CR LF that savefile appends.
    const QByteArray row = QByteArray(17, '0') + "\r\n";
    const QByteArray map = readBytes(Data + "/ftgmma.dat") + "\r\n";
    const QByteArray blocks = readBytes(Data + "/ftgmev.dat") + "\r\n";
    EXPECT_EQ(map, "0101\r\n" + row.repeated(9) + "\r\n");
    EXPECT_EQ(map.size(), 179);
    EXPECT_EQ(blocks, row.repeated(9) + "\r\n");
    EXPECT_EQ(blocks.size(), 173);
}

TEST(ToolData, HelpPageStandsAlone)
{
    const QByteArray page = readBytes(QStringLiteral(TARNWICK_TOOLDATA_DIR "/Doc/index.html"));
    ASSERT_FALSE(page.isEmpty());
    for (const char *outside : {"http:", "https:", "src=", "<link", "@import"})
        EXPECT_FALSE(page.contains(outside)) << outside;
}

TEST(ToolData, ArtgenDrawsTheSameBytesOnEveryRun)
{
    const QString artgen = QStringLiteral(TARNWICK_TOOLDATA_DIR "/../tools/artgen");
    QTemporaryDir first, second;
    for (const QTemporaryDir *dir : {&first, &second}) {
        QProcess run;
        run.start(artgen, {dir->path()});
        ASSERT_TRUE(run.waitForFinished(60000));
        ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().constData();
    }
    const auto a = tree(first.path()), b = tree(second.path());
    auto names = [](const std::map<QString, QByteArray> &files) {
        std::vector<std::string> list;
        for (const auto &entry : files)
            list.push_back(entry.first.toStdString());
        return list;
    };
    ASSERT_FALSE(a.empty());
    ASSERT_EQ(names(a), names(b));
    for (const auto &[part, bytes] : a)
        EXPECT_TRUE(bytes == b.at(part)) << part.toStdString() << " differs between two runs";
    // And the build's tool data holds exactly these pictures.
    for (const auto &[part, bytes] : a)
        EXPECT_TRUE(readBytes(Data + part) == bytes) << part.toStdString();
}

TEST(Art, WindowPicturesHaveTheirSizes)
{
    const struct {
        const char *name;
        QPixmap pixmap;
        QSize size;
    } pictures[] = {
        {"welcomeBackground", art::welcomeBackground(), {250, 200}},
        {"buttonPicture", art::buttonPicture(), {218, 81}},
        {"dashboardBackground", art::dashboardBackground(), {249, 593}},
        {"mapListPanel", art::mapListPanel(), {257, 305}},
        {"fightPortrait", art::fightPortrait(), {96, 135}},
        {"tilePreview", art::tilePreview(), {28, 29}},
    };
    for (const auto &p : pictures)
        EXPECT_EQ(p.pixmap.size(), p.size) << p.name;

    // White captions lie on the welcome screen, the buttons and the dashboard.
    const QImage welcome = art::welcomeBackground().toImage();
    EXPECT_LT(lightness(welcome, 125, 100), 0.35);
    EXPECT_LT(lightness(art::buttonPicture().toImage(), 109, 40), 0.4);
    EXPECT_LT(lightness(art::dashboardBackground().toImage(), 124, 40), 0.35);
    // The welcome screen's edge grows lighter towards the bottom-right corner.
    EXPECT_GT(lightness(welcome, 246, 196), lightness(welcome, 3, 3) + 0.2);
}
