#pragma once

#include "projects/session.h"
#include "scripted.h"
#include "toolfolder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <tuple>

// A bare tool folder (no tool data: the generator reads none) with one project folder whose
// projet.ini and cell event files each test writes byte for byte.
class Project {
public:
    explicit Project(const QString &name = QStringLiteral("Quest"), Edition edition = Edition::English);
    ~Project();

    QString folder() const { return session.projectFolder(); }
    void ini(const QByteArray &text) const;
    // A cell event file as the event panel saves it: CR LF before each statement, one after all.
    void cell(int map, int row, int col, const QList<QByteArray> &statements) const;
    void cellBytes(int map, int row, int col, const QByteArray &bytes) const;
    QByteArray variablesLua() const { return readBytes(folder() + QStringLiteral("/variables.lua")); }
    QByteArray evLua() const { return readBytes(folder() + QStringLiteral("/ev.lua")); }

    ToolFolder tool{false};
    ScriptedDialogs dialogs;
    FakeShell shell;
    Session session;

private:
    QString m_previousCurrent;
};

// (map, row, column) -> the statements of the cell's saved event file.
using Cells = std::map<std::tuple<int, int, int>, QList<QByteArray>>;

// ev.lua as its line layout says, with the final CR LF.
QByteArray expectedEv(int maps, const Cells &cells);
// variables.lua from the var lines after "var = {}", with the final CR LF.
QByteArray expectedVariables(const QList<QByteArray> &varLines);

// The file split at CR LF; a file that ends with CR LF gives no trailing empty piece.
QList<QByteArray> crlfLines(const QByteArray &bytes);

// Lets this process map at most `headroom` bytes more than it has mapped now, so that an
// allocation far beyond what the work needs fails instead of quietly succeeding.
void limitAddressSpace(long long headroom);

// luac5.1 -p on the file; "" when accepted, else its complaint.
QString luacComplaint(const QString &path);

// One call of runev in the Lua harness: column, row, and the map as a Lua string ("01") or,
// when asNumber, as the number.
struct Probe {
    int col, row;
    QByteArray map;
    bool asNumber = false;
};
// Loads variables.lua and ev.lua of the project in lua5.1 with recording stand-ins for the
// game's functions; prints "var[i]=value" for every variable, then one line per probe:
// "col row map:" followed by " wait N" for each screen.waitVblankStart(N) the call ran.
QByteArray runHarness(const Project &project, const QList<Probe> &probes);
