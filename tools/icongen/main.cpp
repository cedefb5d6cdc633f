// Draws the program's icon into a folder, once for each size named on the command line
// (tarnwick16.png, tarnwick32.png, ...): a corner of a tile map seen from above, with the hero
// standing on it, in the dark blues of the welcome screen. Plain pixel work, so two runs write
// the same bytes.
#include <QColor>
#include <QDir>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The picture is laid out on a 16 x 16 grid; a size of 16 k draws each cell as k x k pixels,
// and only the thin lines (tile joints, frame) stay one pixel wide.
constexpr int Grid = 16;

// The welcome screen's blues (src/art/art.cpp) and a few shades between them.
const QColor NavyDeep(12, 20, 62);
const QColor Navy(24, 38, 104);
const QColor Joint(8, 12, 40);
const QColor EdgeDark(44, 62, 140);
const QColor EdgeLight(176, 196, 250);
const QColor BlockFace(44, 66, 156);
const QColor BlockLight(120, 150, 228);
const QColor BlockShade(30, 46, 116);
const QColor Ripple(100, 128, 210);

// The map under the hero, four tiles a side, each four cells: floor, raised blocks and water.
// The outer cell all round is the frame, so the border tiles show three cells of their four.
enum Tile { Floor, Path, Block, Water };
constexpr Tile Map[4][4] = {
    {Block, Block, Block, Water},
    {Path, Floor, Floor, Water},
    {Path, Floor, Floor, Block},
    {Path, Path, Path, Path},
};

// The hero facing the viewer, 8 x 11 cells, with a dark outline so that it stands out on any tile.
// clang-format off
constexpr const char *Hero[] = {
    "..oooo..",
    ".ohhhho.",
    "ohhhhhho",
    "ohssssho",
    "osesseso",
    ".osssso.",
    "otTttTto",
    "osttttso",
    ".obggbo.",
    ".opoopo.",
    ".okooko.",
};
// clang-format on
constexpr int HeroLeft = 4, HeroTop = 4;

// The hero's colours by the letters of its picture (those of the game's hero sprites); a dot
// lets the tile show through.
const struct {
    char key;
    QColor colour;
} HeroColours[] = {
    {'o', QColor(16, 12, 28)},    // outline
    {'h', QColor(126, 70, 32)},   // hair
    {'s', QColor(246, 206, 164)}, // skin
    {'e', QColor(30, 30, 64)},    // eyes
    {'t', QColor(44, 106, 198)},  // tunic
    {'T', QColor(100, 156, 232)}, // tunic, lit
    {'b', QColor(112, 70, 30)},   // belt
    {'g', QColor(236, 204, 84)},  // buckle
    {'p', QColor(74, 62, 92)},    // trousers
    {'k', QColor(96, 54, 24)},    // boots
};

QColor heroColour(char key)
{
    for (const auto &c : HeroColours)
        if (c.key == key)
            return c.colour;
    return QColor();
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor(int(a.red() + (b.red() - a.red()) * t + 0.5), int(a.green() + (b.green() - a.green()) * t + 0.5),
                  int(a.blue() + (b.blue() - a.blue()) * t + 0.5));
}

class Picture {
public:
    explicit Picture(int size) : m_img(size, size, QImage::Format_ARGB32), m_unit(size / Grid)
    {
        m_img.fill(Qt::transparent);
    }
    const QImage &image() const { return m_img; }
    int unit() const { return m_unit; }

    void pixel(int x, int y, const QColor &c)
    {
        if (x >= 0 && y >= 0 && x < m_img.width() && y < m_img.height())
            m_img.setPixelColor(x, y, c);
    }
    void pixels(int x, int y, int w, int h, const QColor &c)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                pixel(i, j, c);
    }
    // A rectangle of grid cells.
    void cells(int x, int y, int w, int h, const QColor &c)
    {
        pixels(x * m_unit, y * m_unit, w * m_unit, h * m_unit, c);
    }

private:
    QImage m_img;
    int m_unit;
};

void drawTile(Picture &p, Tile tile, int x0, int y0, int size)
{
    const int last = size - 1;
    switch (tile) {
    case Floor:
    case Path: {
        const QColor face = tile == Path ? mix(Navy, BlockLight, 0.3) : Navy;
        p.pixels(x0, y0, size, size, face);
        // A lighter top and left edge: flagstones lit from the top left.
        p.pixels(x0, y0, size, 1, mix(face, BlockLight, 0.25));
        p.pixels(x0, y0, 1, size, mix(face, BlockLight, 0.25));
        break;
    }
    case Block: {
        const int bevel = std::max(1, size / 8);
        p.pixels(x0, y0, size, size, BlockFace);
        p.pixels(x0, y0, size, bevel, BlockLight);
        p.pixels(x0, y0, bevel, size, BlockLight);
        p.pixels(x0, y0 + size - bevel, size, bevel, BlockShade);
        p.pixels(x0 + size - bevel, y0 + bevel, bevel, size - bevel, BlockShade);
        break;
    }
    case Water:
        p.pixels(x0, y0, size, size, NavyDeep);
        // Two short ripples.
        p.pixels(x0 + size / 4, y0 + size / 3, size / 3, std::max(1, size / 16), Ripple);
        p.pixels(x0 + size / 2, y0 + 2 * size / 3, size / 3, std::max(1, size / 16), Ripple);
        break;
    }
    // The joint between tiles.
    p.pixels(x0, y0 + last, size, 1, Joint);
    p.pixels(x0 + last, y0, 1, size, Joint);
}

QImage icon(int size)
{
    Picture p(size);
    const int u = p.unit();
    const int tile = 4 * u;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            drawTile(p, Map[row][col], col * tile, row * tile, tile);

    for (int y = 0; y < int(std::size(Hero)); ++y)
        for (int x = 0; Hero[y][x]; ++x)
            if (const QColor c = heroColour(Hero[y][x]); c.isValid())
                p.cells(HeroLeft + x, HeroTop + y, 1, 1, c);

    // The frame: one cell wide, from the welcome screen's darker edge at the top left to its
    // light one at the bottom right, with a dark line inside; the corners are cut.
    const int last = size - 1;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int d = std::min({x, y, last - x, last - y});
            if (d >= u)
                continue;
            p.pixel(x, y, mix(EdgeDark, EdgeLight, double(x + y) / (2 * last)));
        }
    for (int i = u; i < size - u; ++i) {
        p.pixel(i, u, Joint);
        p.pixel(u, i, Joint);
    }
    const int cut = std::max(1, u / 2);
    for (int y = 0; y < cut; ++y)
        for (int x = 0; x < cut - y; ++x) {
            p.pixel(x, y, Qt::transparent);
            p.pixel(last - x, y, Qt::transparent);
            p.pixel(x, last - y, Qt::transparent);
            p.pixel(last - x, last - y, Qt::transparent);
        }
    return p.image();
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QByteArray(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size % Grid != 0) {
            std::fprintf(stderr, "icongen: the size %s is not a multiple of %d\n", argv[i], Grid);
            return 2;
        }
        sizes.push_back(size);
    }
    if (sizes.empty()) {
        std::fprintf(stderr, "usage: icongen FOLDER SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = true;
    for (int size : sizes) {
        const QString path = folder + "/tarnwick" + QString::number(size) + ".png";
        if (!icon(size).save(path, "PNG")) {
            std::fprintf(stderr, "icongen: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
