#include "harness.h"
#include "map_editor/tilesets.h"
#include "map_editor/ui/mapeditor.h"
#include "platform/ansi.h"
#include "platform/iniseam.h"
#include "projectlayout.h"
#include "projects/module1.h"

#include <QDateTime>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

// Whether the top-left cell shows the set's first picture, as every cell of a new map does.
bool showsSet(mapeditor *e, const Session &s, const QString &set)
{
    const QImage picture = QImage(tilesets::picturePath(s.toolFolder(), set, 1)).convertToFormat(QImage::Format_RGB32);
    return !picture.isNull() && e->CarteImg->surface().copy(QRect(QPoint(0, 0), picture.size())) == picture;
}

// Rewrites the file where it stands, as an editor that saves in place does: the same file,
// the same size.
void rewriteInPlace(const QString &path, const QByteArray &from, const QByteArray &to)
{
    QByteArray bytes = readBytes(path);
    ASSERT_TRUE(bytes.contains(from));
    writeBytes(path, bytes.replace(from, to));
}

} // namespace

// The redraw reads the map's tile set from projet.ini ten times a second; it reads the file
// again only when it changed, and every change shows at the next tick: those that another
// program makes in place, and the program's own, which replace the file.
TEST(Redraw, ReadsProjetIniAgainOnlyWhenItChanged)
{
    Harness h;
    const Session &s = h.session;
    layOutProject(h.session);
    const QString ini = s.projectIni();
    {
        // A project as it lies between edits: its file last changed an hour ago.
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }
    mapeditor *e = h.mainform->openMapEditor(QStringLiteral("01"));
    ASSERT_TRUE(showsSet(e, s, "01"));

    int reads = 0;
    const ini::FileReadSeam counting([&](const QString &path, QByteArray &bytes) {
        reads += path == ini;
        return ansi::readFile(path, bytes);
    });
    e->Timer1_Timer();
    reads = 0;
    for (int i = 0; i < 20; ++i)
        e->Timer1_Timer();
    EXPECT_EQ(reads, 0) << "an unchanged projet.ini is not read again";

    rewriteInPlace(ini, "texture=01", "texture=02");
    e->Timer1_Timer();
    EXPECT_TRUE(showsSet(e, s, "02"));
    rewriteInPlace(ini, "texture=02", "texture=01");
    e->Timer1_Timer();
    EXPECT_TRUE(showsSet(e, s, "01"));

    Module1::writeini("Carte01", "texture", "03", ini);
    e->Timer1_Timer();
    EXPECT_TRUE(showsSet(e, s, "03"));
}
