// The screen font through the script's own bytes: the game's strings are Windows-1252.
#include "platform/ansi.h"
#include "stage.h"

#include <QImage>
#include <QMap>

#include <gtest/gtest.h>

namespace {

// Windows-1252's printable bytes: all but the controls, DEL and the five it leaves undefined
// (read as the C1 controls of the same value).
QList<unsigned char> printable()
{
    QList<unsigned char> bytes;
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (ansi::decode(QByteArray(1, char(b))).at(0).category() != QChar::Other_Control)
            bytes.append(static_cast<unsigned char>(b));
    }
    return bytes;
}

// Where byte i of the list is printed: one cell in each 10 x 10 square, so no ink can spill
// into a neighbour's cell.
QPoint cellOf(qsizetype i)
{
    return {int(i % 40) * 10 + 20, int(i / 40) * 10 + 20};
}

} // namespace

// Every printable character draws a glyph of its own, in the 8 x 8 cell: none shows as "?",
// an accented letter (a capital too) differs from its plain letter, and no two characters
// share a glyph, but for the no-break space, which is a blank like the space.
TEST(LuaPlayerFont, EveryPrintableWindows1252CharacterHasAGlyphOfItsOwn)
{
    const QList<unsigned char> bytes = printable();
    ASSERT_EQ(bytes.size(), 95 + 27 + 96);

    QByteArray script = "screen:clear(Color.new(255, 255, 255))\n";
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const QPoint at = cellOf(i);
        script += "screen:print(" + QByteArray::number(at.x()) + ", " + QByteArray::number(at.y()) + ", \"\\" +
                  QByteArray::number(bytes[i]) + "\")\n";
    }
    script += "screen.flip()\n";
    Stage s;
    const Stage::Result r = s.run(script, {{QStringLiteral("LUAPLAYER_SHOT_FRAMES"), QStringLiteral("0")}});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QImage shot = r.shot(QStringLiteral("frame-00000.png"));
    ASSERT_FALSE(shot.isNull());

    // Each glyph as 64 bits of ink, read from the shot; the square around it must be blank.
    QMap<unsigned char, quint64> glyphs;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const QPoint at = cellOf(i);
        quint64 bits = 0;
        int outside = 0;
        for (int y = -1; y < 9; ++y) {
            for (int x = -1; x < 9; ++x) {
                const bool ink = qRed(shot.pixel(at.x() + x, at.y() + y)) < 128;
                if (x < 0 || y < 0 || x > 7 || y > 7)
                    outside += ink ? 1 : 0;
                else if (ink)
                    bits |= quint64(1) << (y * 8 + x);
            }
        }
        EXPECT_EQ(outside, 0) << "byte " << int(bytes[i]);
        glyphs.insert(bytes[i], bits);
    }

    const auto name = [](unsigned char b) {
        return QStringLiteral("0x%1 %2").arg(b, 2, 16).arg(ansi::decode(QByteArray(1, char(b)))).toStdString();
    };
    for (const unsigned char b : bytes) {
        if (b == ' ' || b == 0xA0) {
            EXPECT_EQ(glyphs[b], 0u) << name(b);
            continue;
        }
        EXPECT_NE(glyphs[b], 0u) << name(b) << " draws nothing";
        if (b != '?') {
            EXPECT_NE(glyphs[b], glyphs['?']) << name(b) << " shows as \"?\"";
        }
        // The plain letter of an accented one: the first of its canonical decomposition.
        const QString decomposed = ansi::decode(QByteArray(1, char(b))).normalized(QString::NormalizationForm_D);
        if (decomposed.size() > 1 && decomposed.at(0).unicode() < 0x80) {
            EXPECT_NE(glyphs[b], glyphs[static_cast<unsigned char>(decomposed.at(0).unicode())])
                << name(b) << " looks like its plain letter";
        }
    }
    QMap<quint64, unsigned char> owner;
    for (const unsigned char b : bytes) {
        if (b == 0xA0)
            continue;
        const auto it = owner.constFind(glyphs[b]);
        EXPECT_TRUE(it == owner.constEnd())
            << name(b) << " has the glyph of " << name(it == owner.constEnd() ? b : *it);
        owner.insert(glyphs[b], b);
    }
}
