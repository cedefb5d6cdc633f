#include "generator/generator.h"

#include "platform/ansi.h"
#include "platform/ini.h"
#include "projects/counts.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <array>

namespace generator {

namespace {

const QString crlf = QStringLiteral("\r\n");

// The game grid: the editor shows rows 1 to 8, but the game has a ninth row whose event files
// are read all the same.
constexpr int rows = 9;
constexpr int columns = 17;

QString variablesText(const ini::Snapshot &project, int count)
{
    QString v = QStringLiteral("--Variables du jeu") + crlf + QStringLiteral("var = {}") + crlf;
    v.reserve(v.size() + qsizetype(count) * 24);
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        v += QLatin1StringView("var[") + n + QLatin1StringView("] = ");
        // Quoted so that a value holding a double quote or a backslash still reads back as typed.
        appendLuaQuoted(v, project.value(QStringLiteral("Variable") + n, QStringLiteral("valeur")));
        v += crlf;
    }
    return v;
}

// ev.lua is mostly the cell files' own bytes, so it is made and written as bytes: the same file
// as the text loadfile reads and savefile writes, since both conversions are lossless, without
// converting megabytes twice.
QByteArray eventsText(const Session &session, int maps)
{
    QByteArray e = "function runev(colonne,ligne,map)\r\n";
    // Most of a map's text is its 153 blocks; reserving it keeps the build linear.
    e.reserve(qsizetype(std::clamp(maps, 0, 1000)) * rows * columns * 64 + 64);
    // Each block opens with the same text on every map.
    std::array<QByteArray, rows * columns> opening;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            opening[(r - 1) * columns + c - 1] = "\r\n    if ligne == " + QByteArray::number(r) +
                                                 " and colonne == " + QByteArray::number(c) + " then\r\n    ";
    ansi::FileReader cell;
    for (int m = 1; m <= maps; ++m) {
        const QString nn = pad2(m);
        e += "if map == \"" + nn.toLatin1() + "\" then\r\n";
        // The folder is named for the file system once; each row and cell only add their digits.
        QByteArray path =
            QFile::encodeName(session.projectPath(QStringLiteral("/ev/map") + nn + QStringLiteral("/ev")));
        const qsizetype folder = path.size();
        for (int r = 1; r <= rows; ++r) {
            path.truncate(folder);
            path += QByteArray::number(r);
            const qsizetype row = path.size();
            for (int c = 1; c <= columns; ++c) {
                e += opening[(r - 1) * columns + c - 1];
                path.truncate(row);
                path += QByteArray::number(c);
                // A missing or unreadable file is the empty text, as loadfile reads it.
                if (cell.readNative(path))
                    e += cell.bytes();
                e += "\r\n    end\r\n\r\n";
            }
        }
        e += "end\r\n";
    }
    e += "\r\nend";
    return e;
}

} // namespace

CompileResult compile(const Session &session)
{
    CompileResult result;
    // One reading of projet.ini for every value the generation takes from it.
    const ini::Snapshot project(session.projectIni());
    Facts &f = result.facts;
    f.name = session.currentProject();
    f.author = project.value(QStringLiteral("Jeu"), QStringLiteral("Auteur"));
    f.maps = project.value(QStringLiteral("Jeu"), QStringLiteral("cartes"));
    f.fights = project.value(QStringLiteral("Jeu"), QStringLiteral("combats"));

    const QString notWritten = session.tx("variables.lua and ev.lua were not written.",
                                          "variables.lua et ev.lua n'ont pas été écrits.");
    // Without a folder every value reads as empty and every write fails silently: the user
    // would be told nothing while the game stays as it was.
    if (session.currentProject().isEmpty() || !QFileInfo(session.projectFolder()).isDir()) {
        result.error = session.tx("The project folder was not found: %1", "Le dossier du projet est introuvable : %1")
                           .arg(QDir::toNativeSeparators(session.projectFolder()))
                       + QLatin1Char('\n') + notWritten;
        return result;
    }
    // Without projet.ini every value reads as empty too, and the game would be made with no
    // map and no variable.
    if (!project.wasRead()) {
        const QString ini = session.projectIni();
        result.error =
            (QFileInfo::exists(ini)
                 ? session.tx("projet.ini cannot be read: %1 (%2)", "projet.ini ne peut pas être lu : %1 (%2)")
                       .arg(QDir::toNativeSeparators(ini), ansi::readFailure(ini))
                 : session.tx("projet.ini was not found: %1", "projet.ini est introuvable : %1")
                       .arg(QDir::toNativeSeparators(ini))) +
            QLatin1Char('\n') + notWritten;
        return result;
    }

    // Both counts are checked before anything is written, so a good ev.lua is never replaced
    // by a half-made one.
    const ReadCount variables =
        generatedCount(session.edition(), project.value(QStringLiteral("Variables"), QStringLiteral("nombre")),
                       "The number of variables ([Variables] nombre)", "Le nombre de variables ([Variables] nombre)");
    const ReadCount maps = generatedCount(session.edition(), f.maps, "The number of maps ([Jeu] cartes)",
                                          "Le nombre de cartes ([Jeu] cartes)");
    QStringList problems;
    for (const ReadCount &count : {variables, maps})
        if (!count.failure.isEmpty())
            problems << count.failure;
    if (!problems.isEmpty()) {
        result.error = problems.join(QLatin1Char('\n')) + QLatin1Char('\n') + notWritten;
        return result;
    }

    // A script that cannot be written stays whole as it was; the user must hear of it, or the
    // game would run on the old scripts as if all were well.
    const QString cannotWrite = session.tx("%1 could not be written (%2).", "%1 n'a pas pu être écrit (%2).");
    const QString variablesPath = session.projectPath(QStringLiteral("/variables.lua"));
    if (const Saved saved = Module1::savefile(variablesText(project, variables.value), variablesPath); !saved) {
        result.error =
            cannotWrite.arg(QDir::toNativeSeparators(variablesPath), saved.reason) + QLatin1Char('\n') + notWritten;
        return result;
    }
    const QString eventsPath = session.projectPath(QStringLiteral("/ev.lua"));
    if (const Saved saved = Module1::savebytes(eventsText(session, maps.value), eventsPath); !saved)
        result.error = cannotWrite.arg(QDir::toNativeSeparators(eventsPath), saved.reason) + QLatin1Char('\n') +
                       session.tx("variables.lua was written; ev.lua was not.",
                                  "variables.lua a été écrit ; ev.lua ne l'a pas été.");
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
    // A boot script that cannot be written stops the run: the player would start the game that
    // an earlier boot script names, perhaps another project's.
    const QString boot = tool + QStringLiteral("/index.lua");
    if (const Saved saved =
            Module1::savefile(QStringLiteral("System.currentDirectory(\"projets/") + session.currentProject() +
                                  QStringLiteral("\")") + crlf + QStringLiteral("dofile(\"index.lua\")"),
                              boot);
        !saved) {
        result.error = session
                           .tx("The boot script could not be written: %1 (%2)\nLua Player was not started.",
                               "Le script de démarrage n'a pas pu être écrit : %1 (%2)\nLua Player n'a pas été "
                               "lancé.")
                           .arg(QDir::toNativeSeparators(boot), saved.reason);
        return result;
    }

    // The program and its argument go to the platform apart, so a tool folder with blanks needs
    // no quoting.
    const QString player = tool + QStringLiteral("/luaplayer.exe");
    const QString shown = QDir::toNativeSeparators(player);
    if (!QFileInfo(player).isFile()) {
        result.error = session.tx("Lua Player was not found: %1\nThe game's scripts are up to date; put luaplayer.exe "
                                  "in the tool folder and try again.",
                                  "Lua Player est introuvable : %1\nLes scripts du jeu sont à jour ; placez "
                                  "luaplayer.exe dans le dossier de l'outil et réessayez.")
                           .arg(shown);
    } else if (!session.shell().startDetached(player, {QStringLiteral("index.lua")}, tool)) {
        result.error = session.tx("Lua Player could not be started: %1\nThe game's scripts are up to date.",
                                  "Lua Player n'a pas pu être lancé : %1\nLes scripts du jeu sont à jour.")
                           .arg(shown);
    }
    return result;
}

} // namespace generator
