#include "generator/generator.h"

#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace generator {

namespace {

const QString crlf = QStringLiteral("\r\n");

// The game grid: the editor shows rows 1 to 8, but the game has a ninth row whose event files
// are read all the same.
constexpr int rows = 9;
constexpr int columns = 17;

// A count read from projet.ini: empty counts as 0 and a negative one runs no loop. Sets
// `problem` to the user's message when the text is not a usable number; generating a count
// beyond the bound would only exhaust memory.
std::optional<int> readCount(const Session &session, const QString &text, const char *whatEn, const char *whatFr,
                             QString &problem)
{
    const FileCount count = fileCount(text);
    const QString what = session.tx(whatEn, whatFr);
    switch (count.status) {
    case FileCount::Valid:
    case FileCount::Empty:
    case FileCount::Negative:
        return count.value;
    case FileCount::NotNumber:
        problem = session
                      .tx("%1 in projet.ini is not a whole number: \"%2\".",
                          "%1 de projet.ini n'est pas un nombre entier : \"%2\".")
                      .arg(what, text);
        break;
    case FileCount::TooLarge:
        problem = session
                      .tx("%1 in projet.ini is too large: \"%2\" (at most %3).",
                          "%1 de projet.ini est trop grand : \"%2\" (%3 au plus).")
                      .arg(what, text, QString::number(kLargestCount));
        break;
    }
    return std::nullopt;
}

QString variablesText(const QString &ini, int count)
{
    QString v = QStringLiteral("--Variables du jeu") + crlf + QStringLiteral("var = {}") + crlf;
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        // Quoted so that a value holding a double quote or a backslash still reads back as typed.
        v += QStringLiteral("var[") + n + QStringLiteral("] = ") +
             luaQuoted(Module1::readini(QStringLiteral("Variable") + n, QStringLiteral("valeur"), ini)) + crlf;
    }
    return v;
}

QString eventsText(const Session &session, int maps)
{
    QString e = QStringLiteral("function runev(colonne,ligne,map)") + crlf;
    // Most of a map's text is its 153 empty blocks; reserving it keeps the build linear.
    e.reserve(qsizetype(std::clamp(maps, 0, 1000)) * rows * columns * 56 + 64);
    for (int m = 1; m <= maps; ++m) {
        const QString nn = pad2(m);
        e += QStringLiteral("if map == \"") + nn + QStringLiteral("\" then") + crlf;
        const QString folder = session.projectPath(QStringLiteral("/ev/map") + nn + QStringLiteral("/ev"));
        for (int r = 1; r <= rows; ++r) {
            const QString row = QString::number(r);
            for (int c = 1; c <= columns; ++c) {
                const QString col = QString::number(c);
                e += crlf + QStringLiteral("    if ligne == ") + row + QStringLiteral(" and colonne == ") + col +
                     QStringLiteral(" then") + crlf + QStringLiteral("    ") + Module1::loadfile(folder + row + col) +
                     crlf + QStringLiteral("    end") + crlf + crlf;
            }
        }
        e += QStringLiteral("end") + crlf;
    }
    e += crlf + QStringLiteral("end");
    return e;
}

} // namespace

CompileResult compile(const Session &session)
{
    CompileResult result;
    const QString ini = session.projectIni();
    Facts &f = result.facts;
    f.name = session.currentProject();
    f.author = Module1::readini(QStringLiteral("Jeu"), QStringLiteral("Auteur"), ini);
    f.maps = Module1::readini(QStringLiteral("Jeu"), QStringLiteral("cartes"), ini);
    f.fights = Module1::readini(QStringLiteral("Jeu"), QStringLiteral("combats"), ini);

    const QString notWritten =
        session.tx("variables.lua and ev.lua were not written.", "variables.lua et ev.lua n'ont pas été écrits.");
    // Without a folder every value reads as empty and every write fails silently: the user
    // would be told nothing while the game stays as it was.
    if (session.currentProject().isEmpty() || !QFileInfo(session.projectFolder()).isDir()) {
        result.error = session.tx("The project folder was not found: %1", "Le dossier du projet est introuvable : %1")
                           .arg(QDir::toNativeSeparators(session.projectFolder())) +
                       QLatin1Char('\n') + notWritten;
        return result;
    }

    // Both counts are checked before anything is written, so a good ev.lua is never replaced
    // by a half-made one.
    QStringList problems;
    QString problem;
    const std::optional<int> variables = readCount(
        session, Module1::readini(QStringLiteral("Variables"), QStringLiteral("nombre"), ini),
        "The number of variables ([Variables] nombre)", "Le nombre de variables ([Variables] nombre)", problem);
    if (!variables)
        problems << problem;
    const std::optional<int> maps =
        readCount(session, f.maps, "The number of maps ([Jeu] cartes)", "Le nombre de cartes ([Jeu] cartes)", problem);
    if (!maps)
        problems << problem;
    if (!problems.isEmpty()) {
        result.error = problems.join(QLatin1Char('\n')) + QLatin1Char('\n') + notWritten;
        return result;
    }

    Module1::savefile(variablesText(ini, *variables), session.projectPath(QStringLiteral("/variables.lua")));
    Module1::savefile(eventsText(session, *maps), session.projectPath(QStringLiteral("/ev.lua")));
    return result;
}

TestRunResult testRun(const Session &session)
{
    TestRunResult result;
    result.compile = compile(session);
    if (!result.compile.error.isEmpty()) {
        result.error = result.compile.error;
        return result;
    }

    const QString tool = session.toolFolder();
    QDir::setCurrent(tool);
    // The name goes in unchanged: it is the project's folder name, relative to the tool folder.
    Module1::savefile(QStringLiteral("System.currentDirectory(\"projets/") + session.currentProject() +
                          QStringLiteral("\")") + crlf + QStringLiteral("dofile(\"index.lua\")"),
                      tool + QStringLiteral("/index.lua"));

    // The program and its argument go to the platform apart, so a tool folder with blanks needs
    // no quoting.
    const QString player = tool + QStringLiteral("/luaplayer.exe");
    const QString shown = QDir::toNativeSeparators(player);
    if (!QFileInfo(player).isFile()) {
        result.error = session
                           .tx("Lua Player was not found: %1\nThe game's scripts are up to date; put luaplayer.exe "
                               "in the tool folder and try again.",
                               "Lua Player est introuvable : %1\nLes scripts du jeu sont à jour ; placez "
                               "luaplayer.exe dans le dossier de l'outil et réessayez.")
                           .arg(shown);
    } else if (!session.shell().startDetached(player, {QStringLiteral("index.lua")}, tool)) {
        result.error = session
                           .tx("Lua Player could not be started: %1\nThe game's scripts are up to date.",
                               "Lua Player n'a pas pu être lancé : %1\nLes scripts du jeu sont à jour.")
                           .arg(shown);
    }
    return result;
}

} // namespace generator
