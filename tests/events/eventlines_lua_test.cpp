#include "map_editor/eventfile.h"
#include "map_editor/eventlines.h"
#include "platform/ansi.h"
#include "projects/module1.h"
#include "toolfolder.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString runTool(const char *program, const QStringList &arguments, int *exitCode)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QString::fromUtf8(program), arguments);
    EXPECT_TRUE(p.waitForFinished(10000)) << program;
    *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAll());
}

} // namespace

// Typed texts with quotes, backslashes and line breaks must reach the game exactly as typed:
// the lines are saved as a cell event file, pasted into a script as the generator pastes
// them, checked by luac and run by a real Lua, which writes back every text it was given.
TEST(EventLines, TypedTextsLoadInLuaAndReachTheGameUnchanged)
{
    const QStringList typed = {
        QStringLiteral("He said \"hi\""),
        QStringLiteral("C:\\path\\"),
        QStringLiteral("\\\""),
        QStringLiteral("\""),
        QStringLiteral("two\r\nlines"),
        QStringLiteral("]] -- [[ end"),
        QString::fromUtf8("Déplacé à l'été €"),
        QString(),
    };
    QStringList lines;
    for (const QString &t : typed)
        lines << eventlines::displayText(t);
    // A variable set to a text with a quote and a condition on that same text: only an exact
    // round trip makes the condition hold.
    lines << eventlines::setVariable(2, typed[0]) << eventlines::condition(2, "=", typed[0])
          << eventlines::displayText("equal") << eventlines::closeCondition() << eventlines::condition(2, "!", "a\\b\"")
          << eventlines::displayText("different") << eventlines::closeCondition() << *eventlines::pause("3.5")
          << eventlines::changeMap("01") << eventlines::heroHp(eventlines::HpChange::Remove, "5")
          << eventlines::heroHp(eventlines::HpChange::Add, "2")
          << eventlines::heroHp(eventlines::HpChange::Replace, "50") << eventlines::heroMove(2, 5);

    QTemporaryDir dir;
    const QString eventFile = dir.path() + "/ev11";
    eventfile::save(lines, eventFile);
    ASSERT_EQ(eventfile::load(eventFile), lines) << "the lines survive the cell event file";

    const QString out = dir.path() + "/shown.txt";
    const QString script =
        QStringLiteral("shown = {}\n"
                       "function affichertexte(t) shown[#shown + 1] = t end\n"
                       "function runmap(n) shown[#shown + 1] = 'map ' .. n end\n"
                       "screen = {waitVblankStart = function(n) shown[#shown + 1] = 'wait ' .. n end}\n"
                       "hero = {vie = 10, x = 1, y = 1}\n"
                       "var = {}\n"
                       "function runev()") +
        Module1::loadfile(eventFile) +
        QStringLiteral("end\n"
                       "runev()\n"
                       "shown[#shown + 1] = 'hero ' .. hero.vie .. ' ' .. hero.x .. ' ' .. hero.y\n"
                       "local f = assert(io.open(arg[1], 'wb'))\n"
                       "f:write(table.concat(shown, '|'))\n"
                       "f:close()\n");
    const QString scriptFile = dir.path() + "/ev.lua";
    Module1::savefile(script, scriptFile);

    int code = 0;
    const QString luac = runTool(TARNWICK_LUAC, {"-p", scriptFile}, &code);
    EXPECT_EQ(code, 0) << luac.toStdString();
    const QString lua = runTool(TARNWICK_LUA, {scriptFile, out}, &code);
    ASSERT_EQ(code, 0) << lua.toStdString();

    QStringList expected = typed;
    expected << "equal"
             << "different"
             << "wait 4"
             << "map 01"
             << "hero 50 5 2";
    EXPECT_EQ(ansi::decode(readBytes(out)), expected.join('|'));
}
