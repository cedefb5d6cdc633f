#include "map_editor/eventfile.h"
#include "projects/module1.h"
#include "toolfolder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CellEventFile, NameRunsRowAndColumnTogether)
{
    EXPECT_EQ(eventfile::filePart("02", "3", "11"), "/ev/map02/ev311");
    EXPECT_EQ(eventfile::filePart("01", "1", "12"), "/ev/map01/ev112");
    EXPECT_EQ(eventfile::filePart("01", "2", "1"), "/ev/map01/ev21");
    EXPECT_EQ(eventfile::filePart("10", "0", "0"), "/ev/map10/ev00");
}

TEST(CellEventFile, SavedListsReadBackByteForByte)
{
    const struct {
        const char *name;
        QStringList lines;
        QByteArray bytes;
        QStringList readBack;
    } cases[] = {
        {"two lines", {"end", "x"}, QByteArray::fromHex("0d0a656e640d0a780d0a"), {"end", "x"}},
        {"empty list", {}, "\r\n", {}},
        {"only empty lines", {"", ""}, "\r\n", {}},
        {"empty lines dropped", {"", "a", "", "b", ""}, "\r\na\r\nb\r\n", {"a", "b"}},
        {"one character line", {"x"}, "\r\nx\r\n", {"x"}},
        {"one character lines", {"x", "y", "end"}, "\r\nx\r\ny\r\nend\r\n", {"x", "y", "end"}},
        {"condition, text, end",
         {"if var[1] == \"2\" then", "affichertexte(\"Hi\")", "end"},
         "\r\nif var[1] == \"2\" then\r\naffichertexte(\"Hi\")\r\nend\r\n",
         {"if var[1] == \"2\" then", "affichertexte(\"Hi\")", "end"}},
        {"Windows-1252 text",
         {QString::fromUtf8("héro \u0081 €")},
         "\r\nh\xe9ro \x81 \x80\r\n",
         {QString::fromUtf8("héro \u0081 €")}},
        {"a lone CR or lone LF inside a line is written as it stands",
         {"hero.vie = 0 -- lose all\nhero.x = 3", "a\rb", "\n\r"},
         "\r\nhero.vie = 0 -- lose all\nhero.x = 3\r\na\rb\r\n\n\r\r\n",
         {"hero.vie = 0 -- lose all\nhero.x = 3", "a\rb", "\n\r"}},
    };
    QTemporaryDir dir;
    const QString f = dir.path() + "/ev11";
    for (const auto &c : cases) {
        eventfile::save(c.lines, f);
        EXPECT_EQ(readBytes(f), c.bytes) << c.name;
        EXPECT_EQ(eventfile::load(f), c.readBack) << c.name;
    }
}

TEST(CellEventFile, OtherLayoutsReadAsTheScanReadsThem)
{
    const struct {
        const char *name;
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"no final CR LF: the last line is dropped", "\r\nend\r\nx", {"end"}},
        {"no CR LF after the only line", "\r\nend", {}},
        {"no leading CR LF: the first line loses its first character", "end\r\nx\r\n", {"d", "x"}},
        {"a short first line before the fourth character is not a line", "x\r\ny\r\n", {"\ny"}},
        {"two CR LF make one empty line", "\r\n\r\n", {""}},
        {"lone CR and lone LF stay inside a line", "\r\na\rb\nc\r\n", {"a\rb\nc"}},
        {"an empty file", "", {}},
    };
    QTemporaryDir dir;
    const QString f = dir.path() + "/ev11";
    for (const auto &c : cases) {
        writeBytes(f, c.bytes);
        EXPECT_EQ(eventfile::load(f), c.lines) << c.name;
    }
    EXPECT_EQ(eventfile::load(dir.path() + "/missing"), QStringList()) << "a missing file is an empty list";
}

TEST(CellEventFile, SaveIntoAMissingMapFolderWritesNothing)
{
    QTemporaryDir dir;
    eventfile::save({"end"}, dir.path() + "/ev/map03/ev11");
    EXPECT_FALSE(QDir(dir.path() + "/ev").exists());
}

// A lone LF inside a stored line is Lua's own line break: "hero.x = 3" after it is a statement.
// Re-saving once joined the two and made it part of the comment.
TEST(CellEventFile, ReSavingKeepsEveryLinesBytes)
{
    QTemporaryDir dir;
    const QString f = dir.path() + "/ev11";
    for (const QByteArray &bytes : {QByteArray("\r\nhero.vie = 0 -- lose all\nhero.x = 3\r\n"),
                                    QByteArray("\r\na = 1\rb = 2\r\n\n\r\nend\r\n")}) {
        writeBytes(f, bytes);
        eventfile::save(eventfile::load(f), f);
        EXPECT_EQ(readBytes(f), bytes);
    }
}
