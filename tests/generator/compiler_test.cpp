#include "generator/generator.h"
#include "project.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

std::string str(const QByteArray &b) { return b.toStdString(); }

void expectLuaAccepts(const Project &p)
{
    EXPECT_EQ(luacComplaint(p.folder() + QStringLiteral("/variables.lua")).toStdString(), "");
    EXPECT_EQ(luacComplaint(p.folder() + QStringLiteral("/ev.lua")).toStdString(), "");
}

} // namespace

TEST(Compiler, WorkedExampleByteForByte)
{
    Project p;
    p.ini("[Jeu]\r\nnom=Quest\r\nauteur=Ann\r\nver=3.0.0\r\ncartes=1\r\ncombats=0\r\n"
          "[Carte01]\r\ntexture=01\r\nnom=Carte 1\r\n[Variables]\r\nnombre=1\r\n[Variable1]\r\nnumero=1\r\nvaleur=0\r\n");
    p.cellBytes(1, 1, 2, "\r\nscreen.waitVblankStart(60)\r\n");

    const generator::CompileResult r = generator::compile(p.session);
    EXPECT_EQ(r.error.toStdString(), "");
    EXPECT_EQ(r.facts.name, QStringLiteral("Quest"));
    EXPECT_EQ(r.facts.author, QStringLiteral("Ann"));
    EXPECT_EQ(r.facts.maps, QStringLiteral("1"));
    EXPECT_EQ(r.facts.fights, QStringLiteral("0"));

    EXPECT_EQ(str(p.variablesLua()), "--Variables du jeu\r\nvar = {}\r\nvar[1] = \"0\"\r\n\r\n");

    const QByteArray ev = p.evLua();
    const QList<QByteArray> lines = crlfLines(ev);
    ASSERT_EQ(lines.size(), 772);
    EXPECT_EQ(str(lines[0]), "function runev(colonne,ligne,map)");
    EXPECT_EQ(str(lines[1]), "if map == \"01\" then");
    const QList<QByteArray> cell12{"    if ligne == 1 and colonne == 2 then", "    ", "screen.waitVblankStart(60)",
                                   "", "    end", ""};
    EXPECT_EQ(lines.mid(8, 6), cell12);
    EXPECT_EQ(str(lines[15]), "    if ligne == 1 and colonne == 3 then");
    EXPECT_EQ(str(lines[765]), "    if ligne == 9 and colonne == 17 then");
    EXPECT_EQ(str(lines[769]), "end");
    EXPECT_EQ(str(lines[770]), "");
    EXPECT_EQ(str(lines[771]), "end");
    EXPECT_TRUE(ev.endsWith("\r\nend\r\n"));
    EXPECT_EQ(ev.count('\n'), ev.count("\r\n"));
    EXPECT_EQ(str(ev), str(expectedEv(1, {{{1, 1, 2}, {"screen.waitVblankStart(60)"}}})));

    expectLuaAccepts(p);
    EXPECT_EQ(str(runHarness(p, {{2, 1, "01"}, {2, 1, "1", true}, {1, 1, "01"}, {2, 1, "02"}})),
              "var[1]=0\n2 1 01: wait 60\n2 1 1:\n1 1 01:\n2 1 02:\n");
}

struct CompileCase {
    const char *name;
    QByteArray ini;
    Cells cells;
    QStringList bareFolders; // ev/mapNN folders that hold no cell file
    int maps;
    QList<QByteArray> varLines;
};

TEST(Compiler, Cases)
{
    const QByteArray jeu1 = "[Jeu]\r\nnom=Quest\r\ncartes=1\r\n";
    const QByteArray none = "[Variables]\r\nnombre=0\r\n";
    const QList<CompileCase> cases{
        {"nombre 0", jeu1 + none, {}, {"map01"}, 1, {}},
        {"an empty start value and more variables than sections",
         jeu1 + "[Variables]\r\nnombre=3\r\n[Variable1]\r\nvaleur=\r\n[variable2]\r\nVALEUR=7\r\n",
         {},
         {},
         1,
         {"var[1] = \"\"", "var[2] = \"7\"", "var[3] = \"\""}},
        {"a quote and a backslash", jeu1 + "[Variables]\r\nnombre=1\r\n[Variable1]\r\nvaleur=say \"hi\" \\ now\r\n",
         {},
         {},
         1,
         {"var[1] = \"say \\\"hi\\\" \\\\ now\""}},
        {"a value in Windows-1252", jeu1 + "[Variables]\r\nnombre=1\r\n[Variable1]\r\nvaleur=\xe9t\xe9\r\n",
         {},
         {},
         1,
         {"var[1] = \"\xe9t\xe9\""}},
        {"no counts at all", "[Jeu]\r\nnom=Quest\r\n", {}, {}, 0, {}},
        {"cartes 0", "[Jeu]\r\ncartes=0\r\n" + none, {}, {}, 0, {}},
        {"cartes below 0", "[Jeu]\r\ncartes=-1\r\n" + none, {}, {}, 0, {}},
        {"cartes 02", "[Jeu]\r\ncartes=02\r\n" + none,
         {{{1, 1, 1}, {"screen.waitVblankStart(1)"}}, {{2, 8, 17}, {"screen.waitVblankStart(2)"}}},
         {},
         2,
         {}},
        {"ten maps", "[Jeu]\r\ncartes=10\r\n" + none,
         {{{9, 4, 5}, {"screen.waitVblankStart(9)"}}, {{10, 4, 5}, {"screen.waitVblankStart(10)"}}},
         {"map01", "map02", "map03", "map04", "map05", "map06", "map07", "map08"},
         10,
         {}},
        {"a map without its ev folder", "[Jeu]\r\ncartes=2\r\n" + none, {{{1, 3, 4}, {"screen.waitVblankStart(3)"}}}, {}, 2, {}},
        {"row 9", jeu1 + none,
         {{{1, 9, 1}, {"screen.waitVblankStart(91)"}}, {{1, 9, 17}, {"screen.waitVblankStart(917)"}}},
         {},
         1,
         {}},
        {"an emptied cell, three statements and an accent", jeu1 + none,
         {{{1, 2, 3}, {}},
          {{1, 1, 12},
           {"if hero.vie > 0 then", "affichertexte(\"\xe9t\xe9 \xe0 Tarnwick\")", "screen.waitVblankStart(4)", "end"}},
          {{1, 2, 1}, {"screen.waitVblankStart(5)"}}},
         {},
         1,
         {}},
    };

    for (const CompileCase &c : cases) {
        SCOPED_TRACE(c.name);
        Project p;
        p.ini(c.ini);
        for (const auto &[cell, statements] : c.cells)
            p.cell(std::get<0>(cell), std::get<1>(cell), std::get<2>(cell), statements);
        for (const QString &f : c.bareFolders)
            QDir().mkpath(p.folder() + QStringLiteral("/ev/") + f);

        const generator::CompileResult r = generator::compile(p.session);
        EXPECT_EQ(r.error.toStdString(), "");
        EXPECT_EQ(str(p.variablesLua()), str(expectedVariables(c.varLines)));
        EXPECT_EQ(str(p.evLua()), str(expectedEv(c.maps, c.cells)));
        expectLuaAccepts(p);

        // Every cell with a statement runs it for its own map text and for nothing else.
        QList<Probe> probes;
        QByteArray expected;
        for (const QByteArray &line : c.varLines) {
            // The harness prints the value Lua holds: the quoted text with its escapes undone.
            QByteArray value = line.mid(line.indexOf("= \"") + 3);
            value.chop(1);
            value.replace("\\\\", "\x01").replace("\\\"", "\"").replace("\x01", "\\");
            expected += line.left(line.indexOf(" = ")).replace(" ", "") + "=" + value + "\n";
        }
        for (const auto &[cell, statements] : c.cells) {
            const auto [m, row, col] = cell;
            const QByteArray nn = (m < 10 ? "0" : "") + QByteArray::number(m);
            probes << Probe{col, row, nn} << Probe{col, row, QByteArray::number(m), true};
            QByteArray waits;
            for (const QByteArray &s : statements) {
                if (s.startsWith("screen.waitVblankStart("))
                    waits += " wait " + s.mid(23).chopped(1);
                if (s.startsWith("affichertexte(\""))
                    waits += " text " + s.mid(15).chopped(2);
            }
            expected += QByteArray::number(col) + " " + QByteArray::number(row) + " " + nn + ":" + waits + "\n";
            expected += QByteArray::number(col) + " " + QByteArray::number(row) + " " + QByteArray::number(m) + ":\n";
        }
        probes << Probe{17, 9, "01"};
        expected += "17 9 01:" + QByteArray(c.cells.count({1, 9, 17}) ? " wait 917" : "") + "\n";
        EXPECT_EQ(str(runHarness(p, probes)), str(expected));
    }
}

TEST(Compiler, InsertsAnEventFileUnchanged)
{
    // A file not saved by the event panel (no leading CR LF, a lone LF) goes in as it is.
    Project p;
    p.ini("[Jeu]\r\ncartes=1\r\n");
    p.cellBytes(1, 1, 1, "x = 1\ny = 2");
    generator::compile(p.session);
    EXPECT_TRUE(p.evLua().startsWith("function runev(colonne,ligne,map)\r\nif map == \"01\" then\r\n\r\n"
                                     "    if ligne == 1 and colonne == 1 then\r\n    x = 1\ny = 2\r\n    end\r\n\r\n\r\n"
                                     "    if ligne == 1 and colonne == 2 then\r\n"));
}

TEST(Compiler, ACellFileThatCannotBeReadIsTheEmptyText)
{
    Project p;
    p.ini("[Jeu]\r\ncartes=1\r\n");
    QDir().mkpath(p.folder() + QStringLiteral("/ev/map01/ev11"));
    p.cell(1, 1, 2, {"screen.waitVblankStart(2)"});
    EXPECT_EQ(generator::compile(p.session).error.toStdString(), "");
    EXPECT_EQ(str(p.evLua()), str(expectedEv(1, {{{1, 1, 2}, {"screen.waitVblankStart(2)"}}})));
}

// A folder where a script goes cannot be replaced by a file: the user hears which script was
// not written, and that one is left as it was.
TEST(Compiler, AScriptThatCannotBeWrittenIsReported)
{
    struct Blocked {
        const char *script;
        Edition edition;
        QStringList mentions;
    };
    const QList<Blocked> cases{
        {"variables.lua",
         Edition::English,
         {"variables.lua could not be written (Filename refers to a directory).",
          "variables.lua and ev.lua were not written."}},
        {"ev.lua",
         Edition::English,
         {"ev.lua could not be written (Filename refers to a directory).",
          "variables.lua was written; ev.lua was not."}},
        {"ev.lua",
         Edition::French,
         {"ev.lua n'a pas pu \u00eatre \u00e9crit (", "variables.lua a \u00e9t\u00e9 \u00e9crit ; ev.lua ne l'a pas "
                                                      "\u00e9t\u00e9."}},
    };
    for (const Blocked &c : cases) {
        SCOPED_TRACE(std::string(c.script) + (c.edition == Edition::French ? " fr" : " en"));
        Project p(QStringLiteral("Quest"), c.edition);
        p.ini("[Jeu]\r\ncartes=1\r\n[Variables]\r\nnombre=1\r\n[Variable1]\r\nvaleur=5\r\n");
        const QString blocked = p.folder() + QStringLiteral("/") + QLatin1String(c.script);
        QFile::remove(blocked);
        QDir().mkpath(blocked + QStringLiteral("/inside"));
        const QByteArray oldEv = p.evLua();

        const generator::CompileResult r = generator::compile(p.session);
        for (const QString &m : c.mentions)
            EXPECT_TRUE(r.error.contains(m)) << r.error.toStdString() << "\nlacks: " << m.toStdString();
        EXPECT_TRUE(QFileInfo(blocked + QStringLiteral("/inside")).isDir());
        if (QLatin1String(c.script) == QLatin1String("ev.lua"))
            EXPECT_EQ(str(p.variablesLua()), str(expectedVariables({"var[1] = \"5\""})));
        else
            EXPECT_EQ(p.evLua(), oldEv);
    }
}

TEST(Compiler, TwoRunsGiveIdenticalFiles)
{
    Project p;
    p.ini("[Jeu]\r\ncartes=02\r\n[Variables]\r\nnombre=2\r\n[Variable1]\r\nvaleur=a\r\n[Variable2]\r\nvaleur=b\r\n");
    p.cell(1, 3, 3, {"screen.waitVblankStart(3)"});
    p.cell(2, 8, 1, {"hero.vie = hero.vie - 1"});
    generator::compile(p.session);
    const QByteArray vars = p.variablesLua(), ev = p.evLua();
    generator::compile(p.session);
    EXPECT_EQ(p.variablesLua(), vars);
    EXPECT_EQ(p.evLua(), ev);
    EXPECT_EQ(str(ev), str(expectedEv(2, {{{1, 3, 3}, {"screen.waitVblankStart(3)"}}, {{2, 8, 1}, {"hero.vie = hero.vie - 1"}}})));
}

TEST(Compiler, FactsAsRead)
{
    Project p(QStringLiteral("Mon jeu \u00e0 moi"));
    p.ini("[Jeu]\r\nnom=Mon jeu \xe0 moi\r\nauteur=Z\xe9lie\r\ncartes=02\r\ncombats=0\r\n");
    const generator::CompileResult r = generator::compile(p.session);
    EXPECT_EQ(r.facts.name, QStringLiteral("Mon jeu \u00e0 moi"));
    EXPECT_EQ(r.facts.author, QStringLiteral("Z\u00e9lie"));
    EXPECT_EQ(r.facts.maps, QStringLiteral("02"));
    EXPECT_EQ(r.facts.fights, QStringLiteral("0"));
    // The first line, two maps of header, 153 five-line blocks and footer, the empty line and "end".
    EXPECT_EQ(crlfLines(p.evLua()).size(), 1 + 2 * (1 + 153 * 5 + 1) + 2);
}

TEST(Compiler, ACountThatIsNotANumberWritesNothing)
{
    struct Bad {
        const char *name;
        Edition edition;
        QByteArray ini;
        QStringList mentions;
    };
    const QList<Bad> cases{
        {"cartes", Edition::English, "[Jeu]\r\ncartes=abc\r\n[Variables]\r\nnombre=1\r\n",
         {"The number of maps ([Jeu] cartes) in projet.ini is not a whole number: \"abc\".",
          "variables.lua and ev.lua were not written."}},
        {"nombre", Edition::English, "[Jeu]\r\ncartes=1\r\n[Variables]\r\nnombre=1.5\r\n",
         {"The number of variables ([Variables] nombre) in projet.ini is not a whole number: \"1.5\"."}},
        {"both", Edition::English, "[Jeu]\r\ncartes=2 maps\r\n[Variables]\r\nnombre=x\r\n",
         {"[Jeu] cartes", "\"2 maps\"", "[Variables] nombre", "\"x\""}},
        {"too large", Edition::English, "[Jeu]\r\ncartes=99999999999\r\n",
         {"The number of maps ([Jeu] cartes) in projet.ini is too large: \"99999999999\" (at most 32767)."}},
        {"French", Edition::French, "[Jeu]\r\ncartes=deux\r\n",
         {"Le nombre de cartes ([Jeu] cartes) de projet.ini n'est pas un nombre entier : \"deux\".",
          "variables.lua et ev.lua n'ont pas \u00e9t\u00e9 \u00e9crits."}},
    };
    for (const Bad &c : cases) {
        SCOPED_TRACE(c.name);
        Project p(QStringLiteral("Quest"), c.edition);
        p.ini(c.ini);
        p.cell(1, 1, 1, {"screen.waitVblankStart(1)"});
        const QByteArray vars = p.variablesLua(), ev = p.evLua();
        const generator::CompileResult r = generator::compile(p.session);
        for (const QString &m : c.mentions)
            EXPECT_TRUE(r.error.contains(m)) << r.error.toStdString() << "\nlacks: " << m.toStdString();
        EXPECT_EQ(p.variablesLua(), vars);
        EXPECT_EQ(p.evLua(), ev);
        EXPECT_TRUE(p.dialogs.shown.isEmpty());
    }
}

TEST(Compiler, AMissingProjectFolderIsReported)
{
    Project p;
    p.session.setCurrentProject(QStringLiteral("Gone"));
    const generator::CompileResult r = generator::compile(p.session);
    EXPECT_TRUE(r.error.contains(QStringLiteral("The project folder was not found: ") + p.session.projectFolder()))
        << r.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(p.session.projectFolder()));
    EXPECT_EQ(r.facts.name, QStringLiteral("Gone"));

    // With no project at all nothing lands in the projets folder itself.
    p.session.setCurrentProject(QString());
    EXPECT_FALSE(generator::compile(p.session).error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(p.tool.file(QStringLiteral("/projets/ev.lua"))));
}

// A negative count runs no loop and reserves nothing: -4294767296 once slipped through a
// narrowing to int as 200000 maps' worth of memory, and "Test Game" ended in std::bad_alloc
// wherever memory was limited. The generation runs here with little room to spare.
TEST(Compiler, ANegativeCountGeneratesNothingAndReservesNothing)
{
    for (const char *count : {"-1", "-4294767296"}) {
        SCOPED_TRACE(count);
        Project p;
        p.ini(QByteArray("[Jeu]\r\ncartes=") + count + "\r\n[Variables]\r\nnombre=" + count + "\r\n");
        p.cell(1, 1, 1, {"screen.waitVblankStart(1)"});
        EXPECT_EXIT(
            {
                limitAddressSpace(512 * 1024 * 1024);
                std::exit(generator::compile(p.session).error.isEmpty() ? 0 : 1);
            },
            testing::ExitedWithCode(0), "");
        EXPECT_EQ(generator::compile(p.session).error.toStdString(), "");
        EXPECT_EQ(str(p.variablesLua()), "--Variables du jeu\r\nvar = {}\r\n\r\n");
        EXPECT_EQ(str(p.evLua()), "function runev(colonne,ligne,map)\r\n\r\nend\r\n");
    }
}
