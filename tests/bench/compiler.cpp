// Generation time against its floor, for 10, 50, 100 and 200 maps with 0, 250 and 2000
// variables; every map has an event file of a few lines in each cell of rows 1 to 8.
//
// The floor is the input and output that no generation can avoid, measured in the same
// process between the generation runs: projet.ini read once, every cell path the generation
// reads opened and read (rows 1 to 9; the ninth row has no files), and one file of the size of
// ev.lua and variables.lua together written with the program's own atomic file writer.
//
// Run by hand, from a Release build: build-rel/tests/bench_compiler [runs] (at least 5).

#include "generator/generator.h"
#include "platform/ansi.h"
#include "projects/numbers.h"
#include "projects/session.h"
#include "scripted.h"
#include "toolfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Figures {
    double best, median;
};

Figures summary(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

// projet.ini as the editors leave it: the game, one section per map, the count, then one
// section per variable.
QByteArray projectIni(int maps, int variables)
{
    QByteArray ini =
        "[Jeu]\r\nnom=Bench\r\nauteur=Bench\r\nver=3.0.0\r\ncartes=" + QByteArray::number(maps) + "\r\ncombats=0\r\n";
    for (int m = 1; m <= maps; ++m)
        ini += "[Carte" + pad2(m).toLatin1() + "]\r\ntexture=01\r\nnom=Carte " + QByteArray::number(m) + "\r\n";
    ini += "[Variables]\r\nnombre=" + QByteArray::number(variables) + "\r\n";
    for (int v = 1; v <= variables; ++v)
        ini += "[Variable" + QByteArray::number(v) + "]\r\nnumero=" + QByteArray::number(v) +
               "\r\nvaleur=" + QByteArray::number(v * 7 % 100) + "\r\n";
    return ini;
}

void writeCells(const QString &folder, int maps)
{
    for (int m = 1; m <= maps; ++m) {
        const QString dir = QStringLiteral("%1/ev/map%2").arg(folder, pad2(m));
        QDir().mkpath(dir);
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 17; ++c)
                writeBytes(QStringLiteral("%1/ev%2%3").arg(dir).arg(r).arg(c),
                           QStringLiteral("\r\nif hero.vie > 0 then\r\naffichertexte(\"Cell %1 %2\")\r\n"
                                          "screen.waitVblankStart(30)\r\nend\r\n")
                               .arg(r)
                               .arg(c)
                               .toLatin1());
    }
}

// Every path the generation opens, in its order.
std::vector<QByteArray> cellPaths(const QString &folder, int maps)
{
    std::vector<QByteArray> paths;
    for (int m = 1; m <= maps; ++m)
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 17; ++c)
                paths.push_back(
                    QFile::encodeName(QStringLiteral("%1/ev/map%2/ev%3%4").arg(folder, pad2(m)).arg(r).arg(c)));
    return paths;
}

// Reads the whole file into the buffer with the fewest calls: open, size, read, close.
qint64 readWhole(const QByteArray &path, std::vector<char> &buffer)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    struct stat st;
    qint64 got = 0;
    if (::fstat(fd, &st) == 0) {
        buffer.resize(std::max<size_t>(buffer.size(), size_t(st.st_size)));
        got = ::read(fd, buffer.data(), size_t(st.st_size));
    }
    ::close(fd);
    return got;
}

double floorRun(const QByteArray &ini, const std::vector<QByteArray> &paths, const QByteArray &output,
                const QString &outputPath)
{
    std::vector<char> buffer(4096);
    QElapsedTimer t;
    t.start();
    qint64 total = readWhole(ini, buffer);
    for (const QByteArray &p : paths)
        total += readWhole(p, buffer);
    if (!ansi::replaceFile(outputPath, output) || total <= 0)
        std::fprintf(stderr, "the floor's input or output failed\n");
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = std::max(5, argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 7);

    std::printf("%d runs each; times in ms as best / median; ratio = generation / floor\n", runs);
    std::printf("%5s %6s %9s | %17s | %17s | %13s\n", "maps", "vars", "out KB", "generation", "floor", "ratio");
    for (const int maps : {10, 50, 100, 200}) {
        ToolFolder tool(false);
        ScriptedDialogs dialogs;
        FakeShell shell;
        Session session(tool.path(), Edition::English, dialogs, shell);
        session.setCurrentProject(QStringLiteral("Bench"));
        const QString folder = session.projectFolder();
        QDir().mkpath(folder);
        writeCells(folder, maps);
        const std::vector<QByteArray> paths = cellPaths(folder, maps);

        for (const int variables : {0, 250, 2000}) {
            writeBytes(session.projectIni(), projectIni(maps, variables));
            // One run unmeasured, so that every file is in the cache for both sides alike.
            const generator::CompileResult first = generator::compile(session);
            if (!first.error.isEmpty()) {
                std::fprintf(stderr, "%s\n", qPrintable(first.error));
                return 1;
            }
            const qint64 outBytes = QFileInfo(folder + QStringLiteral("/ev.lua")).size() +
                                    QFileInfo(folder + QStringLiteral("/variables.lua")).size();
            const QByteArray output(outBytes, 'x');
            const QString floorFile = folder + QStringLiteral("/floor.out");
            const QByteArray ini = QFile::encodeName(session.projectIni());

            std::vector<double> generation, floor;
            for (int run = 0; run < runs; ++run) {
                // Alternated, so that a busy moment of the machine falls on both sides.
                QElapsedTimer t;
                t.start();
                generator::compile(session);
                generation.push_back(t.nsecsElapsed() / 1e6);
                floor.push_back(floorRun(ini, paths, output, floorFile));
            }
            const Figures g = summary(generation), f = summary(floor);
            std::printf("%5d %6d %9lld | %7.1f / %7.1f | %7.1f / %7.1f | %5.2f / %5.2f\n", maps, variables,
                        static_cast<long long>(outBytes / 1024), g.best, g.median, f.best, f.median, g.best / f.best,
                        g.median / f.median);
            std::fflush(stdout);
        }
    }
    return 0;
}
