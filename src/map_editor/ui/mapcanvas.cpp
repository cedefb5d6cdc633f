#include "map_editor/ui/mapcanvas.h"

#include "map_editor/tilesets.h"
#include "platform/twips.h"
#include "shell/controls.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>

#include <sys/stat.h>

MapCanvas::MapCanvas(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CarteImg"));
    setGeometry(twipsRect(0, 0, 7215, 3735));
    m_surface = QImage(size(), QImage::Format_RGB32);
    m_surface.fill(Qt::black);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_surface, event->rect());
}

void MapCanvas::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position() * kTwipsPerPixel;
    emit mouseDown(int(event->button()), int(event->modifiers() >> 25), float(at.x()), float(at.y()));
}

FileStamp stampOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec,
            static_cast<unsigned long long>(st.st_ino)};
}

const QImage &TilePictures::picture(const QString &path, const FileStamp &stamp)
{
    auto it = m_entries.find(path);
    if (it == m_entries.end() || it->stamp != stamp) {
        Entry entry{stamp, stamp.exists ? QImage(path) : QImage()};
        if (stamp.exists)
            ++m_decodes;
        it = m_entries.insert(path, std::move(entry));
    }
    return it->image;
}

bool MapPainter::draw(MapCanvas &canvas, const QString &tileSet, const mapdoc::MapState &state)
{
    Scene scene;
    scene.tileSet = tileSet;
    for (int i = 0; i < mapdoc::kShownCells; ++i) {
        scene.pictures[i] = mapdoc::pictureNumber(state.tiles[i]);
        scene.blocked[i] = mapdoc::isBlocked(state.blocks[i]);
        if (scene.pictures[i] && !scene.stamps.contains(*scene.pictures[i]))
            scene.stamps.emplace(*scene.pictures[i],
                                 stampOf(tilesets::picturePath(m_toolFolder, tileSet, *scene.pictures[i])));
    }
    if (m_drawn == scene)
        return false;

    QPainter painter(&canvas.surface());
    painter.setFont(controls::arial(false, 14));
    painter.setPen(Qt::white);
    for (int r = 0; r < mapdoc::kShownRows; ++r)
        for (int c = 0; c < mapdoc::kColumns; ++c) {
            const int i = mapdoc::cellIndex(r, c);
            const int x = mapdoc::kCellWidth * c;
            const int y = mapdoc::kCellHeight * r;
            // A cell whose picture cannot be named or loaded keeps what it showed.
            if (const auto number = scene.pictures[i]) {
                const QImage &image =
                    m_pictures.picture(tilesets::picturePath(m_toolFolder, tileSet, *number), scene.stamps.at(*number));
                if (!image.isNull())
                    painter.drawImage(QPoint(px(x), px(y)), image);
            }
            if (scene.blocked[i])
                painter.drawText(QRect(px(x + 75), px(y), px(mapdoc::kCellWidth), px(mapdoc::kCellHeight)),
                                 Qt::AlignLeft | Qt::AlignTop, QStringLiteral("X"));
        }
    painter.end();
    m_drawn = std::move(scene);
    canvas.update();
    return true;
}
