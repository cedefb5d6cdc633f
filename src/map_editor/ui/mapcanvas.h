#pragma once

#include "map_editor/mapdocument.h"
#include "platform/filestamp.h"

#include <QHash>
#include <QImage>
#include <QWidget>

#include <array>
#include <optional>
#include <utility>
#include <vector>

// The map picture: a drawing surface that keeps what was drawn on it until it is drawn
// over, as the map editor's redraw expects (it never clears).
class MapCanvas : public QWidget {
    Q_OBJECT
public:
    explicit MapCanvas(QWidget *parent);

    QImage &surface() { return m_surface; }

signals:
    // Any mouse button; the position in twips from the top-left corner.
    void mouseDown(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_surface;
};

// Tile pictures decoded once per path and read again only when the file's stamp changes, so
// that ten redraws a second cost a stat per distinct picture instead of a decode per cell.
class TilePictures {
public:
    // A null image when the file is missing or is no picture.
    const QImage &picture(const QString &path, const FileStamp &stamp);
    int decodes() const { return m_decodes; }

private:
    struct Entry {
        FileStamp stamp;
        QImage image;
    };
    QHash<QString, Entry> m_entries;
    int m_decodes = 0;
};

// Draws the grid's 136 cells onto the canvas: tile pictures at their natural size, a white
// "X" on blocked cells. A redraw whose tile set, cells and picture files are all as at the
// last one would paint the very same pixels, so it is skipped, and costs no more than a look
// at those files' stamps.
class MapPainter {
public:
    explicit MapPainter(QString toolFolder) : m_toolFolder(std::move(toolFolder)) {}

    // Answers whether anything was painted.
    bool draw(MapCanvas &canvas, const QString &tileSet, const mapdoc::MapState &state);
    const TilePictures &pictures() const { return m_pictures; }

private:
    // What the last painting was made from, as the window held it.
    struct Drawn {
        QString tileSet;
        std::array<mapdoc::Cell, mapdoc::kShownCells> tiles;
        std::array<mapdoc::Cell, mapdoc::kShownCells> blocks;
        // Each picture drawn, once, with its stamp then.
        std::vector<std::pair<QString, FileStamp>> pictures;
    };
    bool sameAsDrawn(const QString &tileSet, const mapdoc::MapState &state) const;

    QString m_toolFolder;
    TilePictures m_pictures;
    std::optional<Drawn> m_drawn;
};
