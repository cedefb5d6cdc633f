#include "projects/numbers.h"

#include <QProcess>
#include <QTemporaryDir>

#include "toolfolder.h"

#include <gtest/gtest.h>

TEST(Numbers, Pad2)
{
    EXPECT_EQ(pad2(1), "01");
    EXPECT_EQ(pad2(9), "09");
    EXPECT_EQ(pad2(10), "10");
    EXPECT_EQ(pad2(100), "100");
}

TEST(Numbers, WholeNumber)
{
    EXPECT_EQ(wholeNumber("02"), 2);
    EXPECT_EQ(wholeNumber(" 7 "), 7);
    EXPECT_EQ(wholeNumber("-3"), -3);
    for (const char *bad : {"", " ", "2.5", "abc", "1e3", "0x10"})
        EXPECT_FALSE(wholeNumber(bad)) << bad;
}

// Every count read from a file goes through fileCount; its bound keeps a damaged count from
// driving a loop of billions of steps.
TEST(Numbers, FileCountIsAWholeNumberFrom0To32767)
{
    using S = FileCount::Status;
    const struct {
        const char *text;
        S status;
        int value;
    } cases[] = {
        {"0", S::Valid, 0},
        {" 02 ", S::Valid, 2},
        {"32767", S::Valid, 32767},
        {"", S::Empty, 0},
        {"  ", S::Empty, 0},
        {"abc", S::NotNumber, 0},
        {"2.5", S::NotNumber, 0},
        {"1e3", S::NotNumber, 0},
        {"-1", S::Negative, 0},
        {"-4294767296", S::Negative, 0},
        {"32768", S::TooLarge, 0},
        {"2000000000", S::TooLarge, 0},
        {"99999999999999999999999", S::TooLarge, 0},
        {"-99999999999999999999999", S::Negative, 0},
    };
    for (const auto &c : cases) {
        const FileCount count = fileCount(c.text);
        EXPECT_EQ(count.status, c.status) << c.text;
        EXPECT_EQ(count.value, c.value) << c.text;
    }
}

TEST(Numbers, ToInt16RoundsHalfToEvenAndChecksTheRange)
{
    const struct {
        const char *text;
        std::optional<short> value;
    } cases[] = {{"007", 7},
                 {"-3", -3},
                 {"2.5", 2},
                 {"3.5", 4},
                 {" 12 ", 12},
                 {"32767", 32767},
                 {"-32768", -32768},
                 {"40000", std::nullopt},
                 {"abc", std::nullopt},
                 {"", std::nullopt},
                 {"1,5", std::nullopt},
                 {"32767.5", std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(toInt16(c.text), c.value) << c.text;
}

TEST(Numbers, LuaQuotedLoadsBackInLua)
{
    QTemporaryDir dir;
    const QString text = QString::fromUtf8("a \"quoted\" \\ back\r\nslash é");
    const QString script = "local s = " + luaQuoted(text) + "\nio.write(s)\n";
    writeBytes(dir.path() + "/q.lua", script.toUtf8());
    QProcess lua;
    lua.start(TARNWICK_LUA, {dir.path() + "/q.lua"});
    ASSERT_TRUE(lua.waitForFinished(10000));
    EXPECT_EQ(lua.exitCode(), 0) << lua.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(lua.readAllStandardOutput()), text);
}
