// The program's icon: drawn at build time in each size, built in, and shown by the main window
// and in the title bar of every child window in place of the toolkit's logo.
#include "harness.h"
#include "icon/icon.h"
#include "projectlayout.h"
#include "shell/app.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QList<int> Sizes{16, 32, 48, 64};

QString sizeName(int size)
{
    return QStringLiteral("tarnwick%1.png").arg(size);
}

// Whether the picture lies somewhere in the image, pixel for pixel wherever it is opaque.
bool contains(const QImage &image, const QImage &picture)
{
    const QImage a = image.convertToFormat(QImage::Format_ARGB32);
    const QImage b = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y0 = 0; y0 + b.height() <= a.height(); ++y0)
        for (int x0 = 0; x0 + b.width() <= a.width(); ++x0) {
            bool same = true;
            for (int y = 0; same && y < b.height(); ++y)
                for (int x = 0; same && x < b.width(); ++x) {
                    const QRgb p = b.pixel(x, y);
                    same = qAlpha(p) != 255 || (a.pixel(x0 + x, y0 + y) & 0xffffff) == (p & 0xffffff);
                }
            if (same)
                return true;
        }
    return false;
}

// Whether the window's title bar shows the icon, at whatever size its style draws it.
bool titleBarShows(QMdiSubWindow *window, const QIcon &icon)
{
    const QImage bar = window->grab(QRect(0, 0, window->width(), window->widget()->y())).toImage();
    for (int size = 8; size <= 32; ++size)
        if (contains(bar, icon.pixmap(size).toImage()))
            return true;
    return false;
}

} // namespace

TEST(Icon, HoldsEverySizeDrawnAsBuilt)
{
    const QIcon icon = tarnwickIcon();
    ASSERT_FALSE(icon.isNull());
    QList<int> sizes;
    for (const QSize &s : icon.availableSizes()) {
        EXPECT_EQ(s.width(), s.height());
        sizes.append(s.width());
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, Sizes);
    // Each size is its own drawing from the build, not a scaled copy of another.
    for (int size : Sizes) {
        SCOPED_TRACE(size);
        const QImage built(QStringLiteral(TARNWICK_ICON_DIR "/") + sizeName(size));
        ASSERT_EQ(built.size(), QSize(size, size));
        EXPECT_EQ(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                  built.convertToFormat(QImage::Format_ARGB32));
    }
}

TEST(Icon, IcongenDrawsTheSameBytesOnEveryRun)
{
    QTemporaryDir first, second;
    QStringList sizes;
    for (int size : Sizes)
        sizes << QString::number(size);
    for (const QTemporaryDir *dir : {&first, &second}) {
        QProcess run;
        run.start(QStringLiteral(TARNWICK_ICONGEN), QStringList{dir->path()} + sizes);
        ASSERT_TRUE(run.waitForFinished(60000));
        ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().constData();
    }
    for (int size : Sizes) {
        SCOPED_TRACE(size);
        const QByteArray a = readBytes(first.filePath(sizeName(size)));
        ASSERT_FALSE(a.isEmpty());
        EXPECT_TRUE(a == readBytes(second.filePath(sizeName(size)))) << "differs between two runs";
        EXPECT_TRUE(a == readBytes(QStringLiteral(TARNWICK_ICON_DIR "/") + sizeName(size)))
            << "differs from the build's";
    }
    EXPECT_EQ(QDir(first.path()).entryList(QDir::Files).size(), Sizes.size());
}

// With the program's icon set, the main window and every child window show it.
TEST(Icon, MainWindowAndEveryChildWindowShowIt)
{
    setProgramIcon();
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes().size(), Sizes.size());

    Harness h;
    h.mainform->startUp();
    layOutProject(h.session);
    h.mainform->showDashboard();
    h.mainform->showNewProject();
    h.mainform->showOpenProject();
    h.mainform->showVariables();
    h.mainform->showGameOptions();
    h.mainform->openMapEditor("01");
    h.mainform->openFightEditor();
    h.settle();

    EXPECT_EQ(h.mainform->windowIcon().cacheKey(), icon.cacheKey());
    const QList<QMdiSubWindow *> windows = h.mainform->mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 8);
    for (QMdiSubWindow *w : windows) {
        SCOPED_TRACE(w->windowTitle().toStdString());
        EXPECT_EQ(w->windowIcon().cacheKey(), icon.cacheKey());
        // What the user sees: the picture in the title bar, where the toolkit's logo was.
        if (w->windowFlags() & Qt::WindowSystemMenuHint && !(w->windowFlags() & Qt::FramelessWindowHint)) {
            EXPECT_TRUE(titleBarShows(w, icon));
        }
    }
}
