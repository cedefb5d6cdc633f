#include "project.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

namespace {

QByteArray mapText(int m) { return m < 10 ? "0" + QByteArray::number(m) : QByteArray::number(m); }

const char *harnessLua = R"lua(
local calls
screen = { waitVblankStart = function(n) calls[#calls + 1] = " wait " .. tostring(n) end }
hero = { vie = 10, x = 1, y = 1 }
function affichertexte(t) calls[#calls + 1] = " text " .. t end
function runmap(m) calls[#calls + 1] = " map " .. tostring(m) end
dofile(arg[1])
dofile(arg[2])
for i = 1, #var do io.write("var[", i, "]=", var[i], "\n") end
for i = 3, #arg, 4 do
  local map = arg[i + 3] == "n" and tonumber(arg[i + 2]) or arg[i + 2]
  calls = {}
  runev(tonumber(arg[i]), tonumber(arg[i + 1]), map)
  io.write(arg[i], " ", arg[i + 1], " ", arg[i + 2], ":", table.concat(calls), "\n")
end
)lua";

} // namespace

Project::Project(const QString &name, Edition edition)
    : session(tool.path(), edition, dialogs, shell), m_previousCurrent(QDir::currentPath())
{
    session.setCurrentProject(name);
    QDir().mkpath(folder());
    // Earlier scripts, longer than most results, so a partial rewrite would show.
    const QByteArray old = QByteArray("-- old script\r\n").repeated(4000);
    writeBytes(folder() + QStringLiteral("/variables.lua"), old);
    writeBytes(folder() + QStringLiteral("/ev.lua"), old);
}

Project::~Project()
{
    // The test run makes the tool folder current; the next test must not start inside it.
    QDir::setCurrent(m_previousCurrent);
}

void Project::ini(const QByteArray &text) const { writeBytes(folder() + QStringLiteral("/projet.ini"), text); }

void Project::cell(int map, int row, int col, const QList<QByteArray> &statements) const
{
    QByteArray bytes;
    for (const QByteArray &s : statements)
        bytes += "\r\n" + s;
    cellBytes(map, row, col, bytes + "\r\n");
}

void Project::cellBytes(int map, int row, int col, const QByteArray &bytes) const
{
    writeBytes(folder() + QStringLiteral("/ev/map%1/ev%2%3").arg(QString::fromLatin1(mapText(map))).arg(row).arg(col),
               bytes);
}

QByteArray expectedEv(int maps, const Cells &cells)
{
    QList<QByteArray> lines{"function runev(colonne,ligne,map)"};
    for (int m = 1; m <= maps; ++m) {
        lines << "if map == \"" + mapText(m) + "\" then";
        for (int r = 1; r <= 9; ++r) {
            for (int c = 1; c <= 17; ++c) {
                lines << "" << "    if ligne == " + QByteArray::number(r) + " and colonne == " + QByteArray::number(c) + " then"
                      << "    ";
                const auto found = cells.find({m, r, c});
                if (found != cells.end())
                    lines << found->second << "";
                lines << "    end" << "";
            }
        }
        lines << "end";
    }
    lines << "" << "end";
    return lines.join("\r\n") + "\r\n";
}

QByteArray expectedVariables(const QList<QByteArray> &varLines)
{
    QList<QByteArray> lines{"--Variables du jeu", "var = {}"};
    lines << varLines << "";
    return lines.join("\r\n") + "\r\n";
}

QList<QByteArray> crlfLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        else
            line += "<no CR>";
    }
    return lines;
}

QString luacComplaint(const QString &path)
{
    QProcess luac;
    luac.setProcessChannelMode(QProcess::MergedChannels);
    luac.start(QStringLiteral(TARNWICK_LUAC), {QStringLiteral("-p"), path});
    if (!luac.waitForFinished(30000))
        return QStringLiteral("luac5.1 did not finish");
    if (luac.exitStatus() == QProcess::NormalExit && luac.exitCode() == 0)
        return {};
    return QString::fromLocal8Bit(luac.readAll());
}

QByteArray runHarness(const Project &project, const QList<Probe> &probes)
{
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("harness.lua"));
    writeBytes(script, harnessLua);
    QStringList args{script, project.folder() + QStringLiteral("/variables.lua"), project.folder() + QStringLiteral("/ev.lua")};
    for (const Probe &p : probes)
        args << QString::number(p.col) << QString::number(p.row) << QString::fromLatin1(p.map)
             << (p.asNumber ? QStringLiteral("n") : QStringLiteral("s"));
    QProcess lua;
    lua.start(QStringLiteral(TARNWICK_LUA), args);
    if (!lua.waitForFinished(30000))
        return "lua5.1 did not finish";
    const QByteArray err = lua.readAllStandardError();
    return lua.readAllStandardOutput() + (err.isEmpty() ? QByteArray() : "stderr: " + err);
}

void limitAddressSpace(long long headroom)
{
    long long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = rlim_t(pages * sysconf(_SC_PAGESIZE) + headroom);
    const rlimit r{limit, limit};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &r), 0);
}
