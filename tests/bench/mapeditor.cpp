// What a map editor window costs: one redraw of its 136 cells, an idle tick of its 100 ms
// timer, the processor an idle window takes over a few seconds, and one canvas press through
// to both files written. Run by hand: build-test/tests/bench_mapeditor [seconds]

#include "map_editor/ui/mapeditor.h"
#include "harness.h"
#include "projectlayout.h"
#include "map_editor/mapdocument.h"
#include "map_editor/tilesets.h"
#include "projects/module1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QRadioButton>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void layOut(Session &session)
{
    layOutProject(session, QStringLiteral("Bench"));
    // Every tile of the set on the map, so that a redraw draws ten distinct pictures.
    QString map = QStringLiteral("0101\r\n"), blocks;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 17; ++c) {
            map += QString::number((r * 17 + c) % 10);
            blocks += (r + c) % 5 == 0 ? QStringLiteral("1") : QStringLiteral("0");
        }
        map += QStringLiteral("\r\n");
        blocks += QStringLiteral("\r\n");
    }
    Module1::savefile(map, session.projectPath(mapdoc::mapFilePart(QStringLiteral("01"))));
    Module1::savefile(blocks, session.projectPath(mapdoc::blockFilePart(QStringLiteral("01"))));
}

struct Figures {
    double median, best;
};

template <class F> Figures time(int runs, F &&f)
{
    std::vector<double> us;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f(i);
        us.push_back(t.nsecsElapsed() / 1e3);
    }
    std::sort(us.begin(), us.end());
    return {us[us.size() / 2], us.front()};
}

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;

    Harness h;
    layOut(h.session);
    mapeditor *e = h.mainform->openMapEditor(QStringLiteral("01"));
    h.settle();

    // One redraw that paints all 136 cells: a block flag changes before each, so none is skipped.
    mapdoc::MapState &state = e->mapState();
    const Figures full = time(500, [&](int i) {
        state.blocks[135] = i % 2 ? QStringLiteral("1") : QStringLiteral("0");
        e->drawmap();
    });
    // The same redraw as the timer runs it while nothing changes.
    const Figures idle = time(500, [&](int) { e->Timer1_Timer(); });
    // For comparison: decoding the 136 tile pictures afresh, as a redraw without a cache would.
    const QString tool = h.session.toolFolder();
    const Figures decode = time(50, [&](int) {
        for (int i = 0; i < mapdoc::kShownCells; ++i)
            QImage(tilesets::picturePath(tool, QStringLiteral("01"), i % 10 + 1));
    });

    // A Blocks-mode press: hit test, toggle, redraw and savemap (projet.ini, block and map file).
    e->Option1[1]->setChecked(true);
    const Figures pressed =
        time(500, [&](int i) { e->CarteImg_MouseDown(1, 0, 420.0f * (i % 17) + 10, 435.0f * 3 + 10); });

    // An idle window with its timer running, in the real event loop.
    QEventLoop loop;
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double cpu = cpuSeconds() - cpu0;
    const double share = 100.0 * cpu / (wall.nsecsElapsed() / 1e9);

    std::printf("%-44s %10s %10s\n", "", "median us", "best us");
    std::printf("%-44s %10.1f %10.1f\n", "drawmap, all 136 cells painted", full.median, full.best);
    std::printf("%-44s %10.1f %10.1f\n", "drawmap, idle tick (nothing changed)", idle.median, idle.best);
    std::printf("%-44s %10.1f %10.1f\n", "decoding 136 tile JPEGs (no cache)", decode.median, decode.best);
    std::printf("%-44s %10.1f %10.1f\n", "canvas press to both files written", pressed.median, pressed.best);
    std::printf("idle window, %d s of 10 redraws/s: %.3f s of processor, %.2f %% of one core\n", seconds, cpu, share);
    std::printf("idle tick cost at 10/s: %.3f %% of one core\n", idle.median * 10 / 1e6 * 100);
    return 0;
}
