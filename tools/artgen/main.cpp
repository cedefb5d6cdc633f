// Draws the tool data's pictures into the data folder named on the command line: the hero's
// sprites, the game's system pictures and the tile sets (tile pictures, sheet and texture.ini).
// Everything is computed from fixed seeds, so two runs write the same bytes.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int TileW = 28;
constexpr int TileH = 29;
constexpr int JpegQuality = 92;

// ---------------------------------------------------------------------------------------------
// Deterministic randomness and small colour helpers.

quint32 hash3(int x, int y, int seed)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + quint32(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

double rnd(int x, int y, int seed)
{
    return (hash3(x, y, seed) & 0xffffff) / double(0x1000000);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor(int(std::lround(a.red() + (b.red() - a.red()) * t)),
                  int(std::lround(a.green() + (b.green() - a.green()) * t)),
                  int(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

QColor scaled(const QColor &c, double f)
{
    return QColor(std::clamp(int(std::lround(c.red() * f)), 0, 255),
                  std::clamp(int(std::lround(c.green() * f)), 0, 255),
                  std::clamp(int(std::lround(c.blue() * f)), 0, 255));
}

int wrap(int v, int n)
{
    return ((v % n) + n) % n;
}

// Smooth noise on a torus: blurred white noise, wrapped at the edges so that a tile meets its
// own copy seamlessly. Values are stretched to 0..1.
class Field {
public:
    Field(int w, int h, int seed, int radius) : m_w(w), m_h(h), m_v(size_t(w) * h)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                m_v[size_t(y) * w + x] = rnd(x, y, seed);
        for (int pass = 0; pass < 2 && radius > 0; ++pass) {
            std::vector<double> t(m_v.size());
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    double s = 0;
                    for (int d = -radius; d <= radius; ++d)
                        s += m_v[size_t(y) * w + wrap(x + d, w)];
                    t[size_t(y) * w + x] = s / (2 * radius + 1);
                }
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    double s = 0;
                    for (int d = -radius; d <= radius; ++d)
                        s += t[size_t(wrap(y + d, h)) * w + x];
                    m_v[size_t(y) * w + x] = s / (2 * radius + 1);
                }
        }
        const auto [lo, hi] = std::minmax_element(m_v.begin(), m_v.end());
        const double a = *lo, span = std::max(1e-9, *hi - *lo);
        for (double &v : m_v)
            v = (v - a) / span;
    }
    double at(int x, int y) const { return m_v[size_t(wrap(y, m_h)) * m_w + wrap(x, m_w)]; }

private:
    int m_w, m_h;
    std::vector<double> m_v;
};

// Cells of a Voronoi pattern on the torus: stones, flagstones, cracks.
struct Cell {
    int id;
    double edge; // distance to the nearest border between two cells
};

class Voronoi {
public:
    // One point in each box of a cols x rows grid, jittered, so that no two points crowd and
    // every stone keeps a fair size.
    Voronoi(int w, int h, int cols, int rows, int seed) : m_w(w), m_h(h)
    {
        for (int j = 0; j < rows; ++j)
            for (int i = 0; i < cols; ++i)
                m_points.push_back(
                    {(i + 0.15 + 0.7 * rnd(i, j, seed)) * w / cols, (j + 0.15 + 0.7 * rnd(i, j, seed + 1)) * h / rows});
    }
    Cell at(int x, int y) const
    {
        double d1 = 1e9, d2 = 1e9;
        int id = 0;
        for (size_t i = 0; i < m_points.size(); ++i) {
            double dx = std::abs(x + 0.5 - m_points[i].first);
            double dy = std::abs(y + 0.5 - m_points[i].second);
            dx = std::min(dx, m_w - dx);
            dy = std::min(dy, m_h - dy);
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d < d1) {
                d2 = d1;
                d1 = d;
                id = int(i);
            } else if (d < d2) {
                d2 = d;
            }
        }
        return {id, (d2 - d1) / 2};
    }

private:
    int m_w, m_h;
    std::vector<std::pair<double, double>> m_points;
};

// ---------------------------------------------------------------------------------------------
// Pixel canvas used by the sprites and tiles.

struct Canvas {
    QImage img;
    Canvas(int w, int h, bool alpha) : img(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32)
    {
        img.fill(alpha ? Qt::transparent : Qt::black);
    }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < img.width() && y < img.height(); }
    void put(int x, int y, const QColor &c)
    {
        if (inside(x, y))
            img.setPixelColor(x, y, c);
    }
    void putWrapped(int x, int y, const QColor &c)
    {
        img.setPixelColor(wrap(x, img.width()), wrap(y, img.height()), c);
    }
    QColor get(int x, int y) const { return img.pixelColor(x, y); }
    void rect(int x, int y, int w, int h, const QColor &c)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                put(i, j, c);
    }
    // Blends c over the pixel with the given opacity.
    void blend(int x, int y, const QColor &c, double a)
    {
        if (inside(x, y))
            img.setPixelColor(x, y, mix(get(x, y), c, a));
    }
    template <typename F> void each(F f)
    {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                f(x, y);
    }
};

// An ellipse's soft shadow on the ground.
void groundShadow(Canvas &c, double cx, double cy, double rx, double ry, double strength)
{
    c.each([&](int x, int y) {
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        const double d = dx * dx + dy * dy;
        if (d < 1)
            c.blend(x, y, QColor(10, 20, 10), strength * (1 - d * 0.6));
    });
}

// ---------------------------------------------------------------------------------------------
// The hero: 28 x 29, transparent around the figure, with a dark outline and a ground shadow.

enum class Facing { Down, Up, Right };

const QColor Outline(34, 24, 30);
const QColor Skin(246, 206, 164), SkinShade(216, 162, 122), Blush(238, 150, 140);
const QColor Hair(126, 70, 32), HairLight(168, 104, 52), HairDark(92, 48, 22);
const QColor Tunic(44, 106, 198), TunicShade(30, 72, 150), TunicLight(100, 156, 232);
const QColor Belt(112, 70, 30), Buckle(236, 204, 84);
const QColor Pants(74, 62, 92), PantsFar(52, 44, 68);
const QColor Boot(96, 54, 24), BootFar(70, 38, 16);
const QColor Eye(30, 30, 64);

// Draws the figure's colours; the outline and shadow come afterwards. step is -1, 0 or +1:
// the two contact poses of the walk and the standing pose between them.
void drawHero(Canvas &c, Facing f, int step, bool dead)
{
    if (f == Facing::Right) {
        // Far leg first, near leg over it. With step -1 the near leg is in front.
        auto leg = [&](bool nearLeg, int pose) { // pose: -1 back, 0 straight, +1 front
            const QColor p = nearLeg ? Pants : PantsFar, b = nearLeg ? Boot : BootFar;
            const int base = nearLeg ? 14 : 12;
            if (pose == 0) {
                c.rect(base, 22, 2, 3, p);
                c.rect(base, 25, 3, 2, b);
            } else if (pose > 0) {
                c.rect(15, 22, 2, 1, p);
                c.rect(16, 23, 2, 2, p);
                c.rect(16, 25, 3, 2, b);
            } else {
                c.rect(12, 22, 2, 1, p);
                c.rect(11, 23, 2, 1, p);
                c.rect(10, 24, 2, 1, p);
                c.rect(9, 25, 3, 2, b);
            }
        };
        leg(false, step == 0 ? 0 : (step < 0 ? -1 : 1));
        leg(true, step == 0 ? 0 : (step < 0 ? 1 : -1));
        // Tunic, belt and skirt.
        c.rect(11, 13, 6, 6, Tunic);
        c.rect(11, 13, 1, 6, TunicShade);
        c.rect(16, 14, 1, 5, TunicLight);
        c.rect(11, 19, 6, 1, Belt);
        c.rect(11, 20, 6, 2, Tunic);
        c.rect(11, 21, 6, 1, TunicShade);
        // Head: hair at the back and on top, face to the right.
        c.rect(11, 2, 6, 1, Hair);
        c.rect(10, 3, 9, 3, Hair);
        c.rect(11, 3, 4, 1, HairLight);
        c.rect(10, 6, 4, 6, Hair);
        c.rect(11, 12, 3, 1, HairDark);
        c.rect(10, 10, 1, 2, HairDark);
        c.rect(14, 6, 5, 6, Skin);
        c.rect(14, 6, 2, 1, Hair); // fringe
        c.rect(14, 12, 4, 1, Skin);
        c.put(19, 9, Skin);             // nose
        c.rect(13, 8, 1, 2, SkinShade); // ear
        c.rect(16, 8, 1, 2, Eye);
        c.put(17, 10, Blush);
        c.put(17, 11, SkinShade);
        // Near arm, swinging against the near leg.
        const QColor edge(22, 50, 112);
        if (step == 0) {
            c.rect(12, 14, 1, 4, edge);
            c.rect(13, 14, 2, 4, TunicShade);
            c.rect(13, 18, 2, 2, Skin);
        } else if (step < 0) { // near leg in front: arm behind
            c.rect(12, 14, 1, 2, edge);
            c.rect(11, 16, 1, 2, edge);
            c.rect(13, 14, 2, 2, TunicShade);
            c.rect(12, 16, 2, 2, TunicShade);
            c.rect(11, 18, 2, 2, Skin);
        } else {
            c.rect(15, 14, 1, 2, edge);
            c.rect(16, 16, 1, 2, edge);
            c.rect(13, 14, 2, 2, TunicShade);
            c.rect(14, 16, 2, 2, TunicShade);
            c.rect(15, 18, 2, 2, Skin);
        }
        return;
    }

    // Seen from the front or from behind. Frame 1 lifts the right-hand leg, frame 3 the left.
    const int liftL = step > 0 ? 2 : 0, liftR = step < 0 ? 2 : 0;
    const int armL = step < 0 ? 1 : (step > 0 ? -1 : 0), armR = -armL;
    c.rect(11, 22, 2, 3 - liftL, Pants);
    c.rect(10, 25 - liftL, 3, 2, Boot);
    c.rect(15, 22, 2, 3 - liftR, Pants);
    c.rect(15, 25 - liftR, 3, 2, Boot);
    // Arms: sleeve, then the hand; the swinging arm reaches one pixel further.
    c.rect(8, 14, 2, 3, f == Facing::Down ? Tunic : TunicShade);
    c.rect(8, 17, 2, 2 + armL, Skin);
    c.rect(18, 14, 2, 3, f == Facing::Down ? TunicShade : Tunic);
    c.rect(18, 17, 2, 2 + armR, Skin);
    c.put(9, 13, Tunic);
    c.put(18, 13, Tunic);
    // Tunic, belt and skirt.
    c.rect(10, 13, 8, 6, Tunic);
    c.rect(17, 13, 1, 6, TunicShade);
    c.rect(10, 13, 1, 6, TunicLight);
    c.rect(10, 19, 8, 1, Belt);
    c.rect(10, 20, 8, 2, Tunic);
    c.rect(10, 21, 8, 1, TunicShade);
    // Head box with trimmed corners.
    c.rect(11, 2, 6, 1, Hair);
    c.rect(10, 3, 8, 1, Hair);
    c.rect(9, 4, 10, 8, Hair);
    c.rect(10, 12, 8, 1, Hair);
    c.rect(11, 3, 3, 1, HairLight);
    c.rect(10, 4, 2, 1, HairLight);
    if (f == Facing::Up) {
        // The back of the head is all hair; a strap crosses the back of the tunic.
        c.rect(12, 6, 4, 1, HairLight);
        c.rect(10, 10, 1, 3, HairDark);
        c.rect(13, 11, 1, 2, HairDark);
        c.rect(16, 10, 1, 3, HairDark);
        for (int i = 0; i < 6; ++i)
            c.put(11 + i, 13 + i, Belt);
        c.rect(10, 19, 8, 1, Belt);
        return;
    }
    c.rect(10, 6, 8, 6, Skin);
    c.rect(11, 12, 6, 1, Skin);
    c.rect(9, 6, 1, 4, Hair);
    c.rect(18, 6, 1, 4, Hair);
    c.put(10, 6, Hair);
    c.put(12, 6, Hair);
    c.put(13, 6, Hair);
    c.put(16, 6, Hair);
    c.put(17, 6, Hair);
    c.rect(13, 13, 2, 1, SkinShade); // neck opening
    c.rect(13, 19, 2, 1, Buckle);
    if (dead) {
        for (int ex : {11, 14}) {
            c.put(ex, 7, Eye);
            c.put(ex + 2, 7, Eye);
            c.put(ex + 1, 8, Eye);
            c.put(ex, 9, Eye);
            c.put(ex + 2, 9, Eye);
        }
        c.rect(12, 11, 4, 1, SkinShade);
    } else {
        c.rect(12, 8, 1, 2, Eye);
        c.rect(15, 8, 1, 2, Eye);
        c.put(11, 10, Blush);
        c.put(16, 10, Blush);
        c.rect(13, 11, 2, 1, SkinShade);
    }
}

// Every empty pixel beside the figure becomes the outline colour.
void outline(Canvas &c)
{
    QImage src = c.img;
    auto solid = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < src.width() && y < src.height() && qAlpha(src.pixel(x, y)) > 0;
    };
    c.each([&](int x, int y) {
        if (!solid(x, y) && (solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1)))
            c.img.setPixelColor(x, y, Outline);
    });
}

// A soft shadow on the empty pixels under the figure.
void spriteShadow(Canvas &c, double cx, double cy, double rx, double ry)
{
    c.each([&](int x, int y) {
        if (qAlpha(c.img.pixel(x, y)) > 0)
            return;
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        const double d = dx * dx + dy * dy;
        if (d < 1)
            c.img.setPixelColor(x, y, QColor(0, 0, 0, int(90 * (1 - d * 0.5))));
    });
}

QImage heroSprite(Facing f, int step)
{
    Canvas c(TileW, TileH, true);
    drawHero(c, f, step, false);
    outline(c);
    spriteShadow(c, 14, 27.5, 7, 1.8);
    return c.img;
}

// The fallen hero: the front view with closed eyes, turned to lie along the bottom of the cell.
QImage fallenHero()
{
    Canvas standing(TileW, TileH, true);
    drawHero(standing, Facing::Down, 0, true);
    Canvas c(TileW, TileH, true);
    standing.each([&](int x, int y) {
        const QColor px = standing.img.pixelColor(x, y);
        if (px.alpha() > 0)
            c.put(y, 33 - x, px); // head to the left, feet to the right
    });
    outline(c);
    spriteShadow(c, 14.5, 23.5, 14, 5);
    return c.img;
}

// ---------------------------------------------------------------------------------------------
// Tiles: 28 x 29, opaque, seamless where they show ground.

using TileFn = std::function<void(Canvas &)>;

void noiseFill(Canvas &c, const QColor &dark, const QColor &light, int seed, int radius, double grain)
{
    const Field f(TileW, TileH, seed, radius);
    c.each([&](int x, int y) {
        const double g = (rnd(x, y, seed + 7) - 0.5) * grain;
        c.put(x, y, mix(dark, light, f.at(x, y) + g));
    });
}

void grass(Canvas &c)
{
    const int seed = 11;
    noiseFill(c, QColor(62, 132, 48), QColor(108, 182, 70), seed, 2, 0.35);
    for (int i = 0; i < 16; ++i) { // blades
        const int x = int(rnd(i, 3, seed) * TileW), y = int(rnd(i, 4, seed) * TileH);
        c.putWrapped(x, y, QColor(48, 108, 38));
        c.putWrapped(x, y + 1, QColor(48, 108, 38));
        c.putWrapped(x, y - 1, QColor(150, 204, 96));
    }
}

void flowers(Canvas &c)
{
    grass(c);
    struct F {
        int x, y;
        QColor petal;
    };
    const F list[] = {{5, 6, QColor(250, 250, 250)},   {18, 4, QColor(250, 214, 60)}, {11, 14, QColor(226, 70, 80)},
                      {22, 16, QColor(250, 250, 250)}, {6, 22, QColor(250, 214, 60)}, {17, 24, QColor(190, 110, 230)}};
    for (const F &f : list) {
        c.put(f.x - 1, f.y, f.petal);
        c.put(f.x + 1, f.y, f.petal);
        c.put(f.x, f.y - 1, f.petal);
        c.put(f.x, f.y + 1, f.petal);
        c.put(f.x, f.y, QColor(244, 160, 40));
        c.put(f.x + 1, f.y + 1, QColor(44, 98, 34));
    }
}

void pebbles(Canvas &c, int seed, int count, const QColor &base)
{
    for (int i = 0; i < count; ++i) {
        const int x = 2 + int(rnd(i, 5, seed) * (TileW - 5)), y = 2 + int(rnd(i, 6, seed) * (TileH - 5));
        const QColor p = scaled(base, 0.9 + rnd(i, 7, seed) * 0.3);
        c.put(x, y, p);
        c.put(x + 1, y, p);
        c.put(x, y - 1, scaled(p, 1.15));
        c.put(x + 1, y + 1, scaled(base, 0.55));
        c.put(x, y + 1, scaled(base, 0.65));
    }
}

void dirt(Canvas &c)
{
    noiseFill(c, QColor(146, 104, 62), QColor(192, 150, 96), 21, 2, 0.3);
    pebbles(c, 22, 6, QColor(170, 150, 126));
}

void sand(Canvas &c)
{
    noiseFill(c, QColor(218, 194, 134), QColor(242, 224, 168), 31, 3, 0.5);
    for (int i = 0; i < 7; ++i) { // wind ripples
        const int x = int(rnd(i, 3, 32) * TileW), y = int(rnd(i, 4, 32) * TileH);
        for (int k = 0; k < 4; ++k)
            c.putWrapped(x + k, y + (k == 0 || k == 3 ? 1 : 0), QColor(204, 176, 116));
    }
}

void waves(Canvas &c, int seed, int count, const QColor &crest)
{
    for (int i = 0; i < count; ++i) {
        const int x = int(rnd(i, 3, seed) * TileW), y = int(rnd(i, 4, seed) * TileH);
        c.putWrapped(x, y + 1, crest);
        c.putWrapped(x + 1, y, crest);
        c.putWrapped(x + 2, y, crest);
        c.putWrapped(x + 3, y + 1, crest);
    }
}

void water(Canvas &c)
{
    noiseFill(c, QColor(28, 78, 168), QColor(54, 120, 214), 41, 3, 0.15);
    waves(c, 42, 7, QColor(156, 204, 246));
}

void tree(Canvas &c)
{
    grass(c);
    groundShadow(c, 15, 24, 11, 4, 0.45);
    c.rect(12, 19, 4, 8, QColor(110, 70, 36));
    c.rect(12, 19, 1, 8, QColor(80, 48, 24));
    c.rect(15, 19, 1, 8, QColor(140, 92, 50));
    const Field clumps(TileW, TileH, 14, 1);
    const double cx = 14, cy = 11, r = 11.5;
    c.each([&](int x, int y) {
        const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        if (d > r)
            return;
        const double light = 1 - std::hypot(x + 0.5 - cx + 4, y + 0.5 - cy + 4) / (r * 1.7);
        QColor col = mix(QColor(24, 80, 32), QColor(92, 168, 64), light + (clumps.at(x, y) - 0.5) * 0.5);
        if (d > r - 1.2)
            col = QColor(22, 62, 28);
        c.put(x, y, col);
    });
}

// A boulder lit from the top left; with a snow cap, its upper part is covered.
void rockShape(Canvas &c, double cx, double cy, double rx, double ry, const QColor &dark, const QColor &light, int seed,
               bool snowCap = false)
{
    const Field f(TileW, TileH, seed, 1);
    c.each([&](int x, int y) {
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        const double d = std::sqrt(dx * dx + dy * dy) + (f.at(x, y) - 0.5) * 0.15;
        if (d > 1)
            return;
        const double lit = 0.75 - dx * 0.35 - dy * 0.45 + (f.at(x, y) - 0.5) * 0.3;
        QColor col = d > 0.9 ? scaled(dark, 0.6) : mix(dark, light, lit);
        if (snowCap && dy + (f.at(x, y) - 0.5) * 0.5 + std::abs(dx) * 0.35 < -0.1)
            col = d > 0.9 ? QColor(186, 198, 220) : mix(QColor(214, 224, 242), QColor(255, 255, 255), 0.6 - dx * 0.6);
        c.put(x, y, col);
    });
}

void rock(Canvas &c)
{
    grass(c);
    groundShadow(c, 15.5, 21, 12, 5, 0.5);
    rockShape(c, 14, 15, 11, 9, QColor(96, 96, 100), QColor(196, 196, 200), 16);
    c.put(12, 14, QColor(80, 80, 86));
    c.put(13, 15, QColor(80, 80, 86));
    c.put(13, 16, QColor(80, 80, 86));
    c.put(18, 12, QColor(80, 80, 86));
    c.put(19, 13, QColor(80, 80, 86));
}

// Courses of bricks: the rows' tops and heights (a mortar line below each), brick width.
void bricks(Canvas &c, const std::vector<int> &rowHeights, int width, const QColor &dark, const QColor &light,
            const QColor &mortar, int seed)
{
    const Field f(TileW, TileH, seed, 1);
    int top = 0;
    for (size_t row = 0; row < rowHeights.size(); ++row) {
        const int h = rowHeights[row];
        const int offset = (row % 2) ? width / 2 : 0;
        for (int y = top; y < top + h + 1 && y < TileH; ++y)
            for (int x = 0; x < TileW; ++x) {
                const int bx = wrap(x + offset, width);
                const int brick = (x + offset) / width + int(row) * 7;
                if (y == top + h || bx == width - 1) {
                    c.put(x, y, mortar);
                    continue;
                }
                QColor col = mix(dark, light, rnd(brick, int(row), seed) * 0.7 + f.at(x, y) * 0.3);
                if (y == top || bx == 0)
                    col = scaled(col, 1.18);
                else if (y == top + h - 1 || bx == width - 2)
                    col = scaled(col, 0.8);
                c.put(x, y, col);
            }
        top += h + 1;
    }
}

void stoneWall(Canvas &c)
{
    bricks(c, {6, 6, 6, 7}, 14, QColor(118, 110, 98), QColor(160, 150, 134), QColor(64, 60, 54), 51);
}

void planks(Canvas &c, const QColor &dark, const QColor &light, int seed)
{
    const Field grain(TileW, TileH, seed, 1);
    c.each([&](int x, int y) {
        const int p = x / 7, px = x % 7;
        if (px == 6) {
            c.put(x, y, scaled(dark, 0.45));
            return;
        }
        const double g = grain.at(x, y / 6) * 0.6 + rnd(p, 0, seed) * 0.4;
        QColor col = mix(dark, light, g);
        if (px == 0)
            col = scaled(col, 1.12);
        c.put(x, y, col);
    });
    for (int p = 0; p < 4; ++p) { // nails
        c.put(p * 7 + 3, 3, QColor(60, 50, 44));
        c.put(p * 7 + 3, 25, QColor(60, 50, 44));
    }
}

void bridge(Canvas &c)
{
    planks(c, QColor(132, 86, 44), QColor(184, 128, 72), 61);
}

void cobbles(Canvas &c, int seed, const QColor &dark, const QColor &light, const QColor &joint, int cols, int rows)
{
    const Voronoi v(TileW, TileH, cols, rows, seed);
    const Field f(TileW, TileH, seed + 1, 1);
    c.each([&](int x, int y) {
        const Cell cell = v.at(x, y);
        if (cell.edge < 0.8) {
            c.put(x, y, joint);
            return;
        }
        QColor col = mix(dark, light, rnd(cell.id, 9, seed) * 0.6 + f.at(x, y) * 0.4);
        if (cell.edge < 1.6)
            col = scaled(col, 0.86);
        c.put(x, y, col);
    });
}

void road(Canvas &c)
{
    cobbles(c, 71, QColor(122, 118, 112), QColor(172, 166, 156), QColor(84, 78, 70), 3, 3);
}

// Dungeon.
void flagstones(Canvas &c)
{
    cobbles(c, 101, QColor(100, 94, 88), QColor(134, 126, 116), QColor(68, 62, 58), 2, 2);
}

void mossyFloor(Canvas &c)
{
    flagstones(c);
    const Field moss(TileW, TileH, 103, 2);
    c.each([&](int x, int y) {
        // Thinner towards the border, so the patch does not stop at a plain neighbour's edge.
        const double border = std::min({x, TileW - 1 - x, y, TileH - 1 - y}) / 4.0;
        const double m = moss.at(x, y) * std::min(1.0, 0.6 + border * 0.4);
        if (m > 0.45)
            c.blend(x, y, mix(QColor(60, 96, 40), QColor(96, 140, 58), rnd(x, y, 104)), std::min(0.9, (m - 0.45) * 5));
    });
}

void dungeonWall(Canvas &c, int seed = 111)
{
    bricks(c, {9, 9, 8}, 14, QColor(62, 64, 80), QColor(96, 98, 116), QColor(30, 30, 40), seed);
}

void torchWall(Canvas &c)
{
    dungeonWall(c, 112);
    // Warm light on the stones around the flame.
    c.each([&](int x, int y) {
        const double d = std::hypot(x + 0.5 - 14, y + 0.5 - 8);
        if (d < 13)
            c.blend(x, y, QColor(255, 160, 60), 0.45 * (1 - d / 13));
    });
    c.rect(11, 17, 6, 2, QColor(40, 40, 46)); // bracket
    c.rect(13, 19, 2, 3, QColor(40, 40, 46));
    c.rect(13, 11, 2, 7, QColor(120, 76, 38)); // torch
    c.rect(12, 10, 4, 2, QColor(70, 50, 30));
    c.each([&](int x, int y) { // flame
        const double dx = (x + 0.5 - 14) / 3.2, dy = (y + 0.5 - 7) / 4.5;
        const double d = dx * dx + dy * dy;
        if (d < 1 && y < 11)
            c.put(x, y, mix(QColor(255, 250, 190), QColor(236, 90, 20), d * 1.2));
    });
}

void lava(Canvas &c)
{
    const Field f(TileW, TileH, 121, 2);
    const Field crust(TileW, TileH, 122, 3);
    c.each([&](int x, int y) {
        const double v = f.at(x, y);
        QColor col = mix(QColor(150, 28, 8), QColor(246, 124, 24), v);
        if (std::abs(v - 0.55) < 0.06)
            col = QColor(255, 222, 110);
        if (crust.at(x, y) > 0.7)
            col = mix(QColor(70, 34, 26), QColor(100, 50, 34), rnd(x, y, 123));
        c.put(x, y, col);
    });
}

void door(Canvas &c)
{
    dungeonWall(c, 113);
    const QColor frame(130, 128, 140);
    c.each([&](int x, int y) {
        const bool arch = y >= 11 || std::hypot(x + 0.5 - 14, y + 0.5 - 11) <= 9;
        const bool inner = y >= 12 || std::hypot(x + 0.5 - 14, y + 0.5 - 12) <= 7.3;
        if (x < 5 || x > 22 || y < 2 || !arch)
            return;
        if (!inner || x < 7 || x > 20) {
            c.put(x, y, mix(frame, QColor(90, 88, 100), rnd(x / 3, y / 3, 114)));
            return;
        }
        QColor wood = mix(QColor(96, 58, 28), QColor(140, 88, 44), rnd(x / 3, y / 8, 115) * 0.6 + 0.2);
        if ((x - 7) % 3 == 2)
            wood = QColor(70, 40, 20);
        if (y == 10 || y == 22)
            wood = QColor(54, 54, 60);
        c.put(x, y, wood);
    });
    c.rect(17, 16, 2, 2, QColor(226, 190, 80)); // handle
}

void stairs(Canvas &c)
{
    dungeonWall(c, 116);
    const int steps = 6;
    for (int s = 0; s < steps; ++s) {
        const int y0 = 1 + s * 4 + (s > 3 ? 1 : 0);
        const double depth = 1.0 - s * 0.13;
        const QColor tread = scaled(QColor(150, 142, 130), depth), riser = scaled(QColor(94, 88, 82), depth);
        c.rect(4, y0, 20, 1, scaled(tread, 1.15));
        c.rect(4, y0 + 1, 20, 2, tread);
        c.rect(4, y0 + 3, 20, 2, riser);
    }
    c.rect(3, 1, 1, 28, QColor(40, 40, 48));
    c.rect(24, 1, 1, 28, QColor(40, 40, 48));
    c.rect(4, 26, 20, 3, QColor(24, 22, 26));
}

void chest(Canvas &c)
{
    flagstones(c);
    groundShadow(c, 15, 24, 11, 3, 0.55);
    const QColor wood(150, 86, 36), woodDark(100, 54, 22), gold(232, 190, 70);
    c.rect(5, 12, 18, 12, wood);
    c.rect(6, 9, 16, 3, wood);
    c.rect(7, 8, 14, 1, scaled(wood, 1.15));
    c.rect(5, 15, 18, 1, woodDark);
    c.rect(5, 23, 18, 1, woodDark);
    c.rect(5, 9, 1, 15, woodDark);
    c.rect(22, 9, 1, 15, woodDark);
    c.rect(8, 9, 2, 15, gold);
    c.rect(18, 9, 2, 15, gold);
    c.rect(12, 14, 4, 4, gold);
    c.put(13, 16, QColor(60, 40, 20));
    c.put(14, 16, QColor(60, 40, 20));
}

void pillar(Canvas &c)
{
    flagstones(c);
    groundShadow(c, 17, 26, 10, 3, 0.55);
    auto shaft = [&](int x0, int w, int y0, int h) {
        for (int x = x0; x < x0 + w; ++x) {
            const double t = double(x - x0) / (w - 1);
            const double lit = 1.0 - std::abs(t - 0.35) * 1.4;
            c.rect(x, y0, 1, h, mix(QColor(90, 88, 98), QColor(200, 198, 206), lit));
        }
    };
    shaft(7, 14, 1, 4);  // capital
    shaft(9, 10, 5, 17); // column
    shaft(7, 14, 22, 4); // base
    c.rect(7, 4, 14, 1, QColor(70, 68, 78));
    c.rect(7, 25, 14, 1, QColor(70, 68, 78));
}

void rubble(Canvas &c)
{
    flagstones(c);
    pebbles(c, 152, 9, QColor(140, 132, 122));
    // A few bones.
    const QColor bone(226, 220, 200);
    c.rect(7, 19, 6, 1, bone);
    c.put(6, 18, bone);
    c.put(6, 20, bone);
    c.put(13, 18, bone);
    c.put(13, 20, bone);
    c.rect(18, 7, 1, 5, bone);
    c.put(17, 6, bone);
    c.put(19, 6, bone);
    c.put(17, 12, bone);
    c.put(19, 12, bone);
}

// Snow.
void snow(Canvas &c)
{
    const int seed = 201;
    noiseFill(c, QColor(234, 240, 250), QColor(250, 252, 255), seed, 1, 0.5);
    for (int i = 0; i < 6; ++i)
        c.putWrapped(int(rnd(i, 3, seed) * TileW), int(rnd(i, 4, seed) * TileH), QColor(255, 255, 255));
}

void tracks(Canvas &c)
{
    snow(c);
    const QColor print(180, 194, 218), rim(236, 242, 252);
    for (int i = 0; i < 4; ++i) { // footprints of someone who walked up the cell
        const int x = (i % 2) ? 15 : 10, y = 1 + i * 7;
        c.rect(x, y + 1, 3, 3, print);
        c.rect(x + 1, y, 1, 1, print);
        c.rect(x, y + 5, 3, 1, print);
        c.rect(x + 3, y + 1, 1, 3, rim);
    }
}

void ice(Canvas &c)
{
    const Voronoi cracks(TileW, TileH, 2, 2, 211);
    noiseFill(c, QColor(164, 206, 232), QColor(204, 232, 248), 212, 3, 0.1);
    c.each([&](int x, int y) {
        if (cracks.at(x, y).edge < 0.45)
            c.blend(x, y, QColor(240, 250, 255), 0.8);
        if (wrap(x + y, 14) == 0 || wrap(x + y, 14) == 1)
            c.blend(x, y, QColor(255, 255, 255), 0.35);
    });
}

void icyWater(Canvas &c)
{
    noiseFill(c, QColor(30, 74, 118), QColor(56, 110, 152), 221, 3, 0.15);
    const Field floes(TileW, TileH, 222, 2);
    c.each([&](int x, int y) {
        const double v = floes.at(x, y);
        if (v > 0.7)
            c.put(x, y, v > 0.75 ? QColor(226, 240, 250) : QColor(170, 206, 230));
    });
    waves(c, 223, 4, QColor(120, 170, 206));
}

void pine(Canvas &c)
{
    snow(c);
    groundShadow(c, 16, 25, 9, 3, 0.3);
    c.rect(13, 22, 3, 5, QColor(104, 66, 36));
    // Three tiers, each a triangle with snow along its top edge.
    const int tiers[3][3] = {{2, 9, 5}, {7, 15, 8}, {12, 22, 11}}; // top, bottom, half width
    for (const auto &t : tiers) {
        for (int y = t[0]; y <= t[1]; ++y) {
            const int hw = 1 + (y - t[0]) * t[2] / std::max(1, t[1] - t[0]);
            for (int x = 14 - hw; x <= 14 + hw - 1; ++x) {
                QColor col = x < 14 ? QColor(34, 100, 62) : QColor(22, 74, 48);
                if (y == t[1] || x == 14 - hw || x == 14 + hw - 1)
                    col = QColor(16, 56, 38);
                if (y - t[0] < 2 + (x % 3 == 0 ? 1 : 0) && x < 14 + hw - 1)
                    col = QColor(244, 248, 255);
                c.put(x, y, col);
            }
        }
    }
}

void snowyRock(Canvas &c)
{
    snow(c);
    groundShadow(c, 15.5, 21, 12, 5, 0.35);
    rockShape(c, 14, 15, 11, 9, QColor(62, 66, 80), QColor(140, 146, 162), 242, true);
}

void iceWall(Canvas &c)
{
    bricks(c, {9, 9, 8}, 14, QColor(120, 170, 210), QColor(176, 214, 240), QColor(70, 110, 150), 251);
    c.each([&](int x, int y) {
        if (wrap(x - y, 9) == 0)
            c.blend(x, y, QColor(255, 255, 255), 0.4);
    });
}

void logWall(Canvas &c)
{
    const int tops[] = {0, 7, 14, 21};
    const int heights[] = {7, 7, 7, 8};
    for (int i = 0; i < 4; ++i) {
        for (int y = tops[i]; y < tops[i] + heights[i]; ++y) {
            const double t = double(y - tops[i]) / (heights[i] - 1);
            const double round = 1.0 - std::abs(t - 0.35) * 1.3;
            for (int x = 0; x < TileW; ++x) {
                QColor col =
                    mix(QColor(90, 54, 26), QColor(170, 112, 60), round + (rnd(x / 4, y, 261 + i) - 0.5) * 0.2);
                if (y == tops[i] + heights[i] - 1)
                    col = QColor(58, 34, 16);
                c.put(x, y, col);
            }
        }
    }
    c.each([&](int x, int y) { // snow on the upper edges of the logs
        for (int t : tops)
            if (y == t && rnd(x, y, 262) > 0.3)
                c.put(x, y, QColor(236, 242, 252));
    });
}

struct TileSet {
    const char *name;
    std::vector<TileFn> tiles;
};

std::vector<TileSet> tileSets()
{
    return {
        // Grassland: tile 1 is the plain ground; water, trees, rocks and walls are there to block.
        {"terrain01", {grass, flowers, dirt, sand, water, tree, rock, stoneWall, bridge, road}},
        // Dungeon.
        {"terrain02",
         {flagstones, mossyFloor, [](Canvas &c) { dungeonWall(c); }, torchWall, lava, door, stairs, chest, pillar,
          rubble}},
        // Snowfield.
        {"terrain03", {snow, tracks, ice, icyWater, pine, snowyRock, iceWall, logWall}},
    };
}

// ---------------------------------------------------------------------------------------------
// System pictures of the game.

// Picks the bundled serif face when it is installed, so the title looks the same everywhere.
QFont titleFont(int pixelSize)
{
    QString family = QStringLiteral("serif");
    const QString file = QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf");
    if (QFileInfo::exists(file)) {
        const int id = QFontDatabase::addApplicationFont(file);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            family = families.first();
    }
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// A light parchment panel with a dark wooden border, readable with black text.
void parchment(QPainter &p, const QRectF &r, double radius)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 24, 12, 110)); // drop shadow
    p.drawRoundedRect(r.translated(2, 2), radius, radius);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(252, 246, 226));
    g.setColorAt(1, QColor(236, 222, 186));
    p.setBrush(g);
    p.setPen(QPen(QColor(92, 56, 26), 3));
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(204, 164, 86), 1));
    p.drawRoundedRect(r.adjusted(5.5, 5.5, -5.5, -5.5), radius * 0.6, radius * 0.6);
    p.restore();
}

// A silhouette of hills: the height of the ridge at each x from a few fixed waves.
QPainterPath ridge(int w, int h, double base, const std::vector<std::array<double, 3>> &waves)
{
    QPainterPath path;
    path.moveTo(0, h);
    for (int x = 0; x <= w; x += 4) {
        double y = base;
        for (const auto &wv : waves)
            y += wv[0] * std::sin(x * wv[1] + wv[2]);
        path.lineTo(x, y);
    }
    path.lineTo(w, h);
    path.closeSubpath();
    return path;
}

void stars(QPainter &p, int w, int h, int count, int seed)
{
    for (int i = 0; i < count; ++i) {
        const double x = rnd(i, 1, seed) * w, y = rnd(i, 2, seed) * h;
        const int a = 90 + int(rnd(i, 3, seed) * 165);
        p.fillRect(QRectF(x, y, 1, 1), QColor(255, 255, 240, a));
        if (rnd(i, 4, seed) > 0.9) {
            p.fillRect(QRectF(x - 1, y, 3, 1), QColor(255, 255, 240, a / 2));
            p.fillRect(QRectF(x, y - 1, 1, 3), QColor(255, 255, 240, a / 2));
        }
    }
}

void castle(QPainter &p, double x, double ground, const QColor &stone, const QColor &window)
{
    p.setPen(Qt::NoPen);
    p.setBrush(stone);
    p.drawRect(QRectF(x, ground - 34, 70, 34));      // curtain wall
    p.drawRect(QRectF(x - 8, ground - 56, 18, 56));  // left tower
    p.drawRect(QRectF(x + 60, ground - 56, 18, 56)); // right tower
    p.drawRect(QRectF(x + 24, ground - 74, 22, 74)); // keep
    for (int i = 0; i < 4; ++i) {                    // battlements
        p.drawRect(QRectF(x - 8 + i * 5, ground - 60, 3, 4));
        p.drawRect(QRectF(x + 60 + i * 5, ground - 60, 3, 4));
        p.drawRect(QRectF(x + 24 + i * 6, ground - 78, 4, 4));
    }
    for (int i = 0; i < 7; ++i)
        p.drawRect(QRectF(x + 12 + i * 7, ground - 38, 4, 4));
    QPolygonF roof;
    roof << QPointF(x + 22, ground - 74) << QPointF(x + 35, ground - 96) << QPointF(x + 48, ground - 74);
    p.drawPolygon(roof);
    p.setBrush(window);
    p.drawRect(QRectF(x + 32, ground - 64, 5, 8));
    p.drawRect(QRectF(x - 2, ground - 44, 4, 6));
    p.drawRect(QRectF(x + 66, ground - 44, 4, 6));
    p.drawRect(QRectF(x + 30, ground - 18, 10, 18)); // gate, lit from inside
}

void title(QPainter &p, const QString &text, const QPointF &centre, int size)
{
    const QFont font = titleFont(size);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF b = path.boundingRect();
    path.translate(centre.x() - b.center().x(), centre.y() - b.center().y());
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(path.translated(3, 4));
    QLinearGradient gold(0, path.boundingRect().top(), 0, path.boundingRect().bottom());
    gold.setColorAt(0, QColor(255, 244, 180));
    gold.setColorAt(0.5, QColor(246, 196, 80));
    gold.setColorAt(1, QColor(176, 110, 30));
    p.setPen(QPen(QColor(60, 30, 10), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(path);
    p.restore();
}

QImage titleScreen()
{
    QImage img(480, 272, QImage::Format_ARGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, QColor(14, 18, 58));
    sky.setColorAt(0.55, QColor(86, 58, 122));
    sky.setColorAt(1, QColor(240, 150, 96));
    p.fillRect(img.rect(), sky);
    stars(p, 480, 110, 90, 301);
    QRadialGradient glow(QPointF(438, 38), 34);
    glow.setColorAt(0, QColor(255, 250, 220, 120));
    glow.setColorAt(1, QColor(255, 250, 220, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(438, 38), 34, 34);
    p.setBrush(QColor(250, 244, 214));
    p.drawEllipse(QPointF(438, 38), 13, 13);
    p.setBrush(QColor(96, 72, 130));
    p.drawPath(ridge(480, 272, 178, {{{14, 0.021, 0.4}}, {{7, 0.057, 1.3}}, {{3, 0.13, 2.0}}}));
    castle(p, 352, 196, QColor(46, 36, 72), QColor(255, 214, 110));
    p.setBrush(QColor(56, 48, 84));
    p.drawPath(ridge(480, 272, 200, {{{9, 0.017, 2.2}}, {{4, 0.049, 0.2}}}));
    p.setBrush(QColor(30, 34, 52));
    p.drawPath(ridge(480, 272, 232, {{{6, 0.025, 1.0}}, {{3, 0.08, 0.7}}}));
    title(p, QStringLiteral("Tarnwick"), QPointF(240, 62), 68);
    // Room for the menu's lines.
    parchment(p, QRectF(160, 128, 160, 104), 8);
    return img;
}

QImage introPicture()
{
    QImage img(480, 272, QImage::Format_ARGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 180);
    sky.setColorAt(0, QColor(90, 150, 222));
    sky.setColorAt(1, QColor(250, 212, 150));
    p.fillRect(img.rect(), sky);
    QRadialGradient sun(QPointF(240, 176), 90);
    sun.setColorAt(0, QColor(255, 244, 200, 255));
    sun.setColorAt(0.2, QColor(255, 230, 150, 200));
    sun.setColorAt(1, QColor(255, 220, 140, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(240, 176), 90, 90);
    for (int i = 0; i < 5; ++i) { // clouds
        const double x = 30 + i * 100 + rnd(i, 1, 401) * 40, y = 30 + rnd(i, 2, 401) * 50;
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(QPointF(x, y), 26, 9);
        p.drawEllipse(QPointF(x + 18, y - 5), 16, 9);
        p.drawEllipse(QPointF(x - 16, y - 2), 12, 7);
    }
    p.setBrush(QColor(112, 140, 168));
    p.drawPath(ridge(480, 272, 172, {{{16, 0.018, 1.1}}, {{8, 0.045, 0.3}}}));
    p.setBrush(QColor(86, 150, 70));
    p.drawPath(ridge(480, 272, 196, {{{10, 0.02, 0.6}}, {{5, 0.06, 2.4}}}));
    p.setBrush(QColor(60, 122, 52));
    p.drawPath(ridge(480, 272, 226, {{{8, 0.015, 2.9}}, {{4, 0.07, 1.7}}}));
    // A road winding towards the horizon.
    QPainterPath road;
    road.moveTo(200, 272);
    road.cubicTo(230, 240, 300, 230, 244, 200);
    road.lineTo(250, 200);
    road.cubicTo(320, 232, 270, 246, 300, 272);
    road.closeSubpath();
    p.setBrush(QColor(196, 164, 110));
    p.drawPath(road);
    // Dark pines along the edges.
    for (int i = 0; i < 14; ++i) {
        const double x = i < 7 ? 10 + i * 24 : 320 + (i - 7) * 24, base = 250 + rnd(i, 3, 402) * 20;
        const double h = 40 + rnd(i, 4, 402) * 22;
        QPolygonF t;
        t << QPointF(x, base - h) << QPointF(x - h * 0.3, base) << QPointF(x + h * 0.3, base);
        p.setBrush(QColor(28, 70, 40));
        p.drawPolygon(t);
    }
    // A banner across the middle, for a line of text.
    parchment(p, QRectF(110, 104, 260, 56), 10);
    return img;
}

QImage panelPicture(int w, int h, double radius)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    parchment(p, QRectF(0, 0, w - 2, h - 2), radius);
    return img;
}

// ---------------------------------------------------------------------------------------------
// Writing.

class Writer {
public:
    explicit Writer(QString root) : m_root(std::move(root)) {}
    bool ok() const { return m_ok; }

    void image(const QString &part, const QImage &img, const char *format, int quality = -1)
    {
        const QString path = m_root + part;
        QDir().mkpath(QFileInfo(path).path());
        if (!img.save(path, format, quality))
            fail(path);
    }
    void bytes(const QString &part, const QByteArray &data)
    {
        const QString path = m_root + part;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size())
            fail(path);
    }

private:
    void fail(const QString &path)
    {
        std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
        m_ok = false;
    }
    QString m_root;
    bool m_ok = true;
};

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen DATA_FOLDER\n");
        return 2;
    }
    Writer out(QString::fromLocal8Bit(argv[1]));

    const QString hero = QStringLiteral("/images/personnages/perso01/");
    const struct {
        const char *name;
        Facing facing;
        bool mirrored;
    } poses[] = {{"dos", Facing::Up, false},
                 {"face", Facing::Down, false},
                 {"droite", Facing::Right, false},
                 {"gauche", Facing::Right, true}};
    for (const auto &pose : poses)
        for (int frame = 1; frame <= 3; ++frame) {
            QImage img = heroSprite(pose.facing, frame - 2);
            if (pose.mirrored)
                img = img.mirrored(true, false);
            out.image(hero + QString::fromLatin1(pose.name) + QString::number(frame) + ".png", img, "PNG");
        }
    out.image(hero + "mort.png", fallenHero(), "PNG");

    const QString system = QStringLiteral("/images/system/theme01/");
    out.image(system + "menuprinc.png", titleScreen(), "PNG");
    out.image(system + "imgprinc.png", introPicture(), "PNG");
    out.image(system + "parler.png", panelPicture(470, 70, 10), "PNG");
    out.image(system + "menuingame.png", panelPicture(200, 120, 10), "PNG");

    for (const TileSet &set : tileSets()) {
        const QString folder = QStringLiteral("/images/terrains/") + QString::fromLatin1(set.name) + "/";
        const int n = int(set.tiles.size());
        QImage sheet(TileW * n, TileH, QImage::Format_RGB32);
        QPainter sp(&sheet);
        for (int i = 0; i < n; ++i) {
            Canvas tile(TileW, TileH, false);
            set.tiles[size_t(i)](tile);
            // Tile pictures are named "terrain0" + number, also from 10 on ("terrain010.JPG").
            out.image(folder + "terrain0" + QString::number(i + 1) + ".JPG", tile.img, "JPG", JpegQuality);
            sp.drawImage(TileW * i, 0, tile.img);
        }
        sp.end();
        out.image(folder + "terrain01.png", sheet, "PNG");
        out.bytes(folder + "texture.ini", "[texture]\r\nnbimg=" + QByteArray::number(n) + "\r\n");
    }
    return out.ok() ? 0 : 1;
}
