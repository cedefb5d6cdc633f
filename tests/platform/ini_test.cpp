#include "platform/ini.h"
#include "toolfolder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Ini : public ::testing::Test {
protected:
    QString file(const QString &name = QStringLiteral("t.ini")) const { return dir.path() + '/' + name; }
    QTemporaryDir dir;
};

} // namespace

TEST_F(Ini, WritesInFirstWrittenOrderAndCreatesTheFile)
{
    const QString f = file();
    EXPECT_TRUE(ini::write("Jeu", "nom", "Quest", f));
    EXPECT_TRUE(ini::write("Jeu", "auteur", "Corvin", f));
    EXPECT_TRUE(ini::write("Carte01", "texture", "01", f));
    EXPECT_TRUE(ini::write("Jeu", "cartes", "1", f));
    EXPECT_EQ(readBytes(f), QByteArray("[Jeu]\r\nnom=Quest\r\nauteur=Corvin\r\ncartes=1\r\n"
                                       "[Carte01]\r\ntexture=01\r\n"));
}

TEST_F(Ini, NamesMatchWithoutRegardToCase)
{
    const QString f = file();
    ini::write("Jeu", "auteur", "Corvin", f);
    ini::write("Carte01", "nom", "Carte 1", f);
    EXPECT_EQ(ini::read("jeu", "Auteur", f), "Corvin");
    EXPECT_EQ(ini::read("carte01", "NOM", f), "Carte 1");
    // Rewriting under other capitals replaces the entry and keeps the file's spelling.
    ini::write("JEU", "AUTEUR", "Ana", f);
    EXPECT_EQ(readBytes(f), QByteArray("[Jeu]\r\nauteur=Ana\r\n[Carte01]\r\nnom=Carte 1\r\n"));
}

TEST_F(Ini, MissingFileSectionOrKeyReadsEmpty)
{
    const QString f = file();
    EXPECT_EQ(ini::read("Jeu", "nom", f), "");
    ini::write("Jeu", "nom", "x", f);
    EXPECT_EQ(ini::read("Autre", "nom", f), "");
    EXPECT_EQ(ini::read("Jeu", "autre", f), "");
}

TEST_F(Ini, LongValueIsStoredWholeAndReadBackAs254Characters)
{
    const QString f = file();
    const QString value(300, QLatin1Char('a'));
    ini::write("Jeu", "nom", value, f);
    EXPECT_TRUE(readBytes(f).contains(value.toLatin1()));
    EXPECT_EQ(ini::read("Jeu", "nom", f), QString(254, QLatin1Char('a')));
    EXPECT_EQ(ini::read("Jeu", "nom", f, 10), QString(9, QLatin1Char('a')));
}

TEST_F(Ini, AccentedValueIsOneWindows1252Byte)
{
    const QString f = file();
    ini::write("Jeu", "nom", QString::fromUtf8("é"), f);
    EXPECT_EQ(readBytes(f), QByteArray("[Jeu]\r\nnom=\xE9\r\n"));
    EXPECT_EQ(ini::read("Jeu", "nom", f), QString::fromUtf8("é"));
}

TEST_F(Ini, ReadsAsTheWindowsReaderDoes)
{
    const QString f = file();
    writeBytes(f, "orphan=before\r\n"
                  "[ Jeu ]\n"
                  "; nom=commented\r"
                  "  nom \t=  \"quoted value\"  \r\n"
                  "no equals sign\r\n"
                  "nom=second wins not\r\n"
                  "single='x'\r\n"
                  "half=\"x\r\n"
                  "[Jeu]\r\n"
                  "other=in second section\r\n");
    EXPECT_EQ(ini::read("", "orphan", f), "");
    EXPECT_EQ(ini::read("Jeu", "nom", f), "quoted value");
    EXPECT_EQ(ini::read("Jeu", "single", f), "x");
    EXPECT_EQ(ini::read("Jeu", "half", f), "\"x");
    EXPECT_EQ(ini::read("Jeu", "other", f), "") << "the first section of a name wins";
}

TEST_F(Ini, RoundTripsValuesTheReaderWouldChange)
{
    const QString f = file();
    for (const QString &value : {QStringLiteral(" lead"), QStringLiteral("trail "), QStringLiteral("\"q\""),
                                QStringLiteral("'s'"), QStringLiteral(""), QStringLiteral("a=b"),
                                QStringLiteral("\"")}) {
        ini::write("S", "k", value, f);
        EXPECT_EQ(ini::read("S", "k", f), value) << value.toStdString();
    }
}

TEST_F(Ini, EditsKeepEveryOtherLineByteForByte)
{
    const QString f = file();
    writeBytes(f, "; head\r\n[A]\r\nx=1\n\r\n[B]\r\ny=2\r\n; tail");
    ini::write("A", "x", "9", f);
    ini::write("A", "z", "3", f);
    ini::write("C", "w", "4", f);
    EXPECT_EQ(readBytes(f), QByteArray("; head\r\n[A]\r\nx=9\nz=3\r\n\r\n[B]\r\ny=2\r\n; tail\r\n[C]\r\nw=4\r\n"));
}

TEST_F(Ini, MissingFolderCreatesNothing)
{
    const QString f = dir.path() + "/nowhere/t.ini";
    EXPECT_FALSE(ini::write("Jeu", "nom", "x", f));
    EXPECT_FALSE(QFile::exists(f));
}
