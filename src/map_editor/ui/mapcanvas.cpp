#include "map_editor/ui/mapcanvas.h"

#include "map_editor/tilesets.h"
#include "platform/twips.h"
#include "shell/controls.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <map>

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

bool MapPainter::sameAsDrawn(const QString &tileSet, const mapdoc::MapState &state) const
{
    const auto shown = [](const auto &cells) { return cells.begin() + mapdoc::kShownCells; };
    return m_drawn && m_drawn->tileSet == tileSet &&
           std::equal(m_drawn->tiles.begin(), m_drawn->tiles.end(), state.tiles.begin(), shown(state.tiles)) &&
           std::equal(m_drawn->blocks.begin(), m_drawn->blocks.end(), state.blocks.begin(), shown(state.blocks)) &&
           std::all_of(m_drawn->pictures.begin(), m_drawn->pictures.end(),
                       [](const auto &picture) { return stampOf(picture.first) == picture.second; });
}

bool MapPainter::draw(MapCanvas &canvas, const QString &tileSet, const mapdoc::MapState &state)
{
    if (sameAsDrawn(tileSet, state))
        return false;

    Drawn drawn;
    drawn.tileSet = tileSet;
    std::copy_n(state.tiles.begin(), mapdoc::kShownCells, drawn.tiles.begin());
    std::copy_n(state.blocks.begin(), mapdoc::kShownCells, drawn.blocks.begin());
    // Each distinct picture is looked at once per redraw.
    std::map<long long, std::pair<QString, FileStamp>> pictures;
    for (const mapdoc::Cell &tile : drawn.tiles)
        if (const auto number = mapdoc::pictureNumber(tile); number && !pictures.contains(*number)) {
            const QString path = tilesets::picturePath(m_toolFolder, tileSet, *number);
            pictures.emplace(*number, std::pair(path, stampOf(path)));
        }

    QPainter painter(&canvas.surface());
    painter.setFont(controls::arial(false, 14));
    painter.setPen(Qt::white);
    for (int r = 0; r < mapdoc::kShownRows; ++r)
        for (int c = 0; c < mapdoc::kColumns; ++c) {
            const int i = mapdoc::cellIndex(r, c);
            const int x = mapdoc::kCellWidth * c;
            const int y = mapdoc::kCellHeight * r;
            // A cell whose picture cannot be named or loaded keeps what it showed.
            if (const auto number = mapdoc::pictureNumber(drawn.tiles[i])) {
                const auto &[path, stamp] = pictures.at(*number);
                const QImage &image = m_pictures.picture(path, stamp);
                if (!image.isNull())
                    painter.drawImage(QPoint(px(x), px(y)), image);
            }
            if (mapdoc::isBlocked(drawn.blocks[i]))
                painter.drawText(QRect(px(x + 75), px(y), px(mapdoc::kCellWidth), px(mapdoc::kCellHeight)),
                                 Qt::AlignLeft | Qt::AlignTop, QStringLiteral("X"));
        }
    painter.end();
    for (auto &[number, picture] : pictures)
        drawn.pictures.push_back(std::move(picture));
    m_drawn = std::move(drawn);
    canvas.update();
    return true;
}
