// Generation time against the number of maps, each with an event file in every cell of rows 1
// to 8. Run by hand: build-test/tests/bench_compiler [maps...]

#include "generator/generator.h"
#include "projects/session.h"
#include "scripted.h"
#include "toolfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

QString mapText(int m) { return m < 10 ? QStringLiteral("0%1").arg(m) : QString::number(m); }

// The first and the best of five runs, in milliseconds, and the size of the ev.lua written.
double timeCompile(int maps, double &first, qint64 &evBytes)
{
    ToolFolder tool(false);
    ScriptedDialogs dialogs;
    FakeShell shell;
    Session session(tool.path(), Edition::English, dialogs, shell);
    session.setCurrentProject(QStringLiteral("Bench"));
    const QString folder = session.projectFolder();
    QDir().mkpath(folder);
    writeBytes(folder + QStringLiteral("/projet.ini"),
               QStringLiteral("[Jeu]\r\nnom=Bench\r\ncartes=%1\r\ncombats=0\r\n[Variables]\r\nnombre=20\r\n")
                       .arg(mapText(maps))
                       .toLatin1());
    for (int m = 1; m <= maps; ++m)
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 17; ++c)
                writeBytes(QStringLiteral("%1/ev/map%2/ev%3%4").arg(folder, mapText(m)).arg(r).arg(c),
                           QStringLiteral("\r\nif hero.vie > 0 then\r\naffichertexte(\"Cell %1 %2\")\r\n"
                                          "screen.waitVblankStart(30)\r\nend\r\n")
                               .arg(r)
                               .arg(c)
                               .toLatin1());
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        const generator::CompileResult r = generator::compile(session);
        const double ms = t.nsecsElapsed() / 1e6;
        if (run == 0)
            first = ms;
        best = std::min(best, ms);
        if (!r.error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(r.error));
    }
    evBytes = QFileInfo(folder + QStringLiteral("/ev.lua")).size();
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << QString::fromLocal8Bit(argv[i]).toInt();
    if (counts.isEmpty())
        counts = {10, 50, 100};
    std::printf("%6s %10s %10s %12s %10s\n", "maps", "first ms", "best ms", "best/map ms", "ev.lua KB");
    for (const int maps : counts) {
        qint64 bytes = 0;
        double first = 0;
        const double ms = timeCompile(maps, first, bytes);
        std::printf("%6d %10.1f %10.1f %12.3f %10lld\n", maps, first, ms, ms / maps,
                    static_cast<long long>(bytes / 1024));
    }
    return 0;
}
