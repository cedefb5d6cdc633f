// What reaches the screen: pictures, blits, text, the frame clock and the pad, checked in the
// shots and the trace of headless runs.
#include "stage.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <future>
#include <vector>

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 255, 0);
const QRgb blue = qRgb(0, 0, 255);
const QRgb backdrop = qRgb(0, 0, 100);

// 4 x 4: red, green / blue, half-transparent white, in 2 x 2 quarters.
QImage quarters()
{
    QImage image(4, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, y < 2 ? (x < 2 ? red : green) : (x < 2 ? blue : qRgba(255, 255, 255, 128)));
    }
    return image;
}

QImage filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::string rgb(QRgb c)
{
    return std::to_string(qRed(c)) + "," + std::to_string(qGreen(c)) + "," + std::to_string(qBlue(c));
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

const Stage::Env shotAtZero = {{QStringLiteral("LUAPLAYER_SHOT_FRAMES"), QStringLiteral("0")}};

} // namespace

TEST(LuaPlayerScreen, ImageLoadReadsPngAndJpegByTheNameInAnyCase)
{
    Stage s;
    const QString png = QStringLiteral("pics/a.png");
    s.putImage(png, filled(6, 4, green), "PNG");
    const QStringList jpegs = {QStringLiteral("b.jpg"), QStringLiteral("c.JPG"), QStringLiteral("d.jpeg"), QStringLiteral("e.JpEg")};
    for (const QString &name : jpegs)
        s.putImage(name, filled(28, 29, red), "JPEG");

    const Stage::Result r = s.run(R"(
local names = { "pics/a.png", "b.jpg", "c.JPG", "d.jpeg", "e.JpEg" }
for i, name in ipairs(names) do
  local image = Image.load(name)
  screen:print(0, 0, image:width() .. "x" .. image:height())
  screen:blit(i * 40, 100, image)
end
screen.flip()
screen.waitVblankStart()
)",
                                  shotAtZero);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.printed(), (QList<QByteArray>{"6x4", "28x29", "28x29", "28x29", "28x29"}));
    EXPECT_TRUE(r.trace.contains("0 blit 40 100 pics/a.png"));
    EXPECT_TRUE(r.trace.contains("0 blit 200 100 e.JpEg"));
    const QImage shot = r.shot(QStringLiteral("frame-00000.png"));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(rgb(shot.pixel(41, 101)), rgb(green));
    for (int i = 2; i <= 5; ++i)
        EXPECT_TRUE(near(shot.pixel(i * 40 + 14, 114), red, 8)) << i << ": " << rgb(shot.pixel(i * 40 + 14, 114));
}

TEST(LuaPlayerScreen, ImageLoadFailsWithALuaErrorNamingThePicture)
{
    Stage s;
    s.putImage(QStringLiteral("photo.png"), filled(8, 8, red), "JPEG");  // a JPEG under a PNG name
    s.putImage(QStringLiteral("drawing.jpg"), filled(8, 8, red), "PNG"); // and the other way round
    s.put(QStringLiteral("broken.png"), "not a picture at all");
    s.putImage(QStringLiteral("wide.png"), filled(513, 2, red), "PNG");
    s.putImage(QStringLiteral("tall.jpeg"), filled(2, 600, red), "JPEG");
    s.putImage(QStringLiteral("largest.png"), filled(512, 512, red), "PNG");

    const Stage::Result r = s.run(R"(
for _, name in ipairs({ "missing.png", "photo.png", "drawing.jpg", "broken.png", "wide.png", "tall.jpeg", "largest.png" }) do
  local ok, message = pcall(Image.load, name)
  screen:print(0, 0, tostring(ok) .. " " .. tostring(message))
end
)");
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QList<QByteArray> printed = r.printed();
    ASSERT_EQ(printed.size(), 7);
    EXPECT_EQ(printed[0], "false Image.load: cannot load \"missing.png\": no such file");
    EXPECT_TRUE(printed[1].startsWith("false Image.load: cannot load \"photo.png\": not a readable PNG picture")) << printed[1].toStdString();
    EXPECT_TRUE(printed[2].startsWith("false Image.load: cannot load \"drawing.jpg\": not a readable JPEG picture")) << printed[2].toStdString();
    EXPECT_TRUE(printed[3].startsWith("false Image.load: cannot load \"broken.png\"")) << printed[3].toStdString();
    EXPECT_EQ(printed[4], "false Image.load: cannot load \"wide.png\": 513 x 2 pixels, larger than 512 x 512");
    EXPECT_EQ(printed[5], "false Image.load: cannot load \"tall.jpeg\": 2 x 600 pixels, larger than 512 x 512");
    EXPECT_TRUE(printed[6].startsWith("true userdata")) << printed[6].toStdString();

    // Not caught, it ends the run at the line that loaded.
    const Stage::Result uncaught = s.run("local a = 1\nlocal p = Image.load(\"missing.png\")\n");
    EXPECT_EQ(uncaught.code, 1);
    EXPECT_EQ(uncaught.err.toStdString(), "luaplayer: main.lua:2: Image.load: cannot load \"missing.png\": no such file\n");
}

TEST(LuaPlayerScreen, BlitDrawsTheWholeImageOrItsSourceRectangleClippedToTheScreen)
{
    Stage s;
    s.putImage(QStringLiteral("q.png"), quarters(), "PNG");
    const Stage::Result r = s.run(R"(
local q = Image.load("q.png")
screen:clear(Color.new(0, 0, 100))
screen:blit(10, 20, q)                 -- whole, blended
screen:blit(30, 20, q, false)          -- whole, copied
screen:blit(50, 20, q, 2, 0, 2, 2)     -- the green quarter
screen:blit(60, 20, q, 2, 2, 2, 2, false)
screen:blit(70, 20, q, 3, 3, 9, 9)     -- a rectangle past the image's edge keeps its one pixel
screen:blit(-1, -1, q)                 -- clipped at both edges
screen:blit(478, 270, q)
local empty = Image.createEmpty(3, 3)
empty:blit(0, 0, q, 0, 0, 2, 2)        -- onto an image: not on the screen, not traced
screen:blit(90, 20, empty)
screen.flip()
screen.waitVblankStart()
)",
                                  shotAtZero);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QImage shot = r.shot(QStringLiteral("frame-00000.png"));
    ASSERT_EQ(shot.size(), QSize(480, 272));
    const QRgb halfWhite = qRgb(128, 128, 178); // white at alpha 128 over (0, 0, 100)

    struct Pixel {
        int x, y;
        QRgb expected;
    };
    const Pixel pixels[] = {
        {10, 20, red}, {12, 20, green}, {11, 22, blue}, {13, 23, halfWhite}, {14, 20, backdrop},
        {30, 20, red}, {33, 23, qRgb(255, 255, 255)},
        {50, 20, green}, {51, 21, green}, {52, 20, backdrop}, {50, 22, backdrop}, {49, 20, backdrop},
        {60, 20, qRgb(255, 255, 255)}, {61, 21, qRgb(255, 255, 255)}, {62, 20, backdrop},
        {70, 20, halfWhite}, {71, 20, backdrop}, {70, 21, backdrop},
        {0, 0, red}, {1, 0, green}, {0, 1, blue}, {2, 2, halfWhite}, {3, 0, backdrop}, {0, 3, backdrop},
        {478, 270, red}, {479, 271, red},
        {90, 20, red}, {91, 21, red}, {92, 20, backdrop},
    };
    for (const Pixel &p : pixels)
        EXPECT_TRUE(near(shot.pixel(p.x, p.y), p.expected, 1)) << p.x << "," << p.y << ": " << rgb(shot.pixel(p.x, p.y));

    const QList<QByteArray> expected = {
        "0 clear", "0 blit 10 20 q.png", "0 blit 30 20 q.png", "0 blit 50 20 q.png", "0 blit 60 20 q.png",
        "0 blit 70 20 q.png", "0 blit -1 -1 q.png", "0 blit 478 270 q.png", "0 blit 90 20 -", "0 flip",
    };
    EXPECT_EQ(r.trace, expected);
}

TEST(LuaPlayerScreen, FillRectClearAndColor)
{
    Stage s;
    const Stage::Result r = s.run(R"(
screen:print(0, 0, tostring(Color.new(300, -5, 10.7) == Color.new(255, 0, 10)))
screen:print(0, 0, tostring(Color.new(1, 2, 3) == Color.new(1, 2, 3, 255)))
screen:print(0, 0, tostring(Color.new(1, 2, 3) == Color.new(1, 2, 3, 0)))
screen:clear(Color.new(10, 20, 30))
screen:fillRect(5, 5, 3, 2, Color.new(200, 100, 0))
screen:fillRect(470, 260, 50, 50, Color.new(0, 200, 0))
screen:fillRect(20, 5, 2, 2)
screen:print(0, 0, screen:width() .. " " .. screen:height())
screen.flip()
screen.waitVblankStart()
)",
                                  shotAtZero);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.printed(), (QList<QByteArray>{"true", "true", "false", "480 272"}));
    const QImage shot = r.shot(QStringLiteral("frame-00000.png"));
    EXPECT_EQ(rgb(shot.pixel(5, 5)), rgb(qRgb(200, 100, 0)));
    EXPECT_EQ(rgb(shot.pixel(7, 6)), rgb(qRgb(200, 100, 0)));
    EXPECT_EQ(rgb(shot.pixel(8, 6)), rgb(qRgb(10, 20, 30)));
    EXPECT_EQ(rgb(shot.pixel(5, 7)), rgb(qRgb(10, 20, 30)));
    EXPECT_EQ(rgb(shot.pixel(479, 271)), rgb(qRgb(0, 200, 0)));
    EXPECT_EQ(rgb(shot.pixel(20, 5)), rgb(qRgb(0, 0, 0))); // no colour: black
}

TEST(LuaPlayerScreen, PrintDrawsWholeCharactersAndIsTraced)
{
    Stage s;
    const Stage::Result r = s.run(R"(
local white = Color.new(255, 255, 255)
screen:clear(white)
screen:print(100, 100, "H")                 -- black unless told
screen:print(200, 100, "HH", Color.new(255, 0, 0))
screen:print(466, 50, "HHH", Color.new(0, 0, 255))  -- the third one would cross the edge
screen:print(0, 268, "H", Color.new(0, 0, 255))     -- does not fit below
local img = Image.createEmpty(16, 8)
img:print(0, 0, "not traced", white)
screen:print(1, 2, "tab\there \\ back")
screen.flip()
screen.waitVblankStart(2)
screen:print(3, 4, "later")
)",
                                  shotAtZero);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QList<QByteArray> expected = {
        "0 clear", "0 print 100 100 H", "0 print 200 100 HH", "0 print 466 50 HHH", "0 print 0 268 H",
        "0 print 1 2 tab\\x09here \\\\ back", "0 flip", "2 print 3 4 later",
    };
    EXPECT_EQ(r.trace, expected);

    const QImage shot = r.shot(QStringLiteral("frame-00000.png"));
    auto count = [&](int x0, int y0, int w, int h, QRgb c) {
        int n = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                n += rgb(shot.pixel(x, y)) == rgb(c) ? 1 : 0;
        return n;
    };
    const int inkOfH = count(100, 100, 8, 8, qRgb(0, 0, 0));
    EXPECT_GT(inkOfH, 8);
    EXPECT_EQ(count(92, 92, 24, 24, qRgb(0, 0, 0)), inkOfH); // nothing outside its cell
    EXPECT_EQ(count(200, 100, 16, 8, qRgb(255, 0, 0)), 2 * inkOfH);
    EXPECT_EQ(count(466, 50, 14, 8, qRgb(0, 0, 255)), 1 * inkOfH); // 466 + 16 > 480: only one fits
    EXPECT_EQ(count(0, 260, 20, 12, qRgb(0, 0, 255)), 0);
}

TEST(LuaPlayerScreen, WaitVblankStartCountsFramesAndTheLimitEndsTheRun)
{
    Stage s;
    const Stage::Result r = s.run(R"(
screen:print(0, 0, "a", Color.new(255, 255, 255))
screen.flip()
screen.waitVblankStart(5)
screen:print(0, 0, "b", Color.new(255, 255, 255))
screen.flip()
screen:waitVblankStart(2)
screen:print(0, 0, "c", Color.new(255, 255, 255))
screen.waitVblankStart(0)
screen.waitVblankStart()
screen:print(0, 0, "d", Color.new(255, 255, 255))
screen.flip()
while true do screen.waitVblankStart(4) end
)",
                                  {{QStringLiteral("LUAPLAYER_FRAMES"), QStringLiteral("30")},
                                   {QStringLiteral("LUAPLAYER_SHOT_FRAMES"), QStringLiteral("3, 6,30,40")}});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QList<QByteArray> expected = {"0 print 0 0 a", "0 flip", "5 print 0 0 b", "5 flip", "7 print 0 0 c",
                                        "8 print 0 0 d", "8 flip"};
    EXPECT_EQ(r.trace, expected);
    // Frame 3 lies inside the wait of 5 frames: it shows what the first flip showed.
    const QImage a = r.shot(QStringLiteral("frame-00003.png"));
    const QImage b = r.shot(QStringLiteral("frame-00006.png"));
    ASSERT_FALSE(a.isNull());
    ASSERT_FALSE(b.isNull());
    // (2, 2) is inked in the font's "a" and not in its "b".
    EXPECT_EQ(rgb(a.pixel(2, 2)), rgb(qRgb(255, 255, 255)));
    EXPECT_EQ(rgb(b.pixel(2, 2)), rgb(qRgb(0, 0, 0)));
    EXPECT_NE(a, b);
    EXPECT_EQ(r.shot(QStringLiteral("frame-00030.png")), r.shot(QStringLiteral("last.png"))); // ended at 30
    EXPECT_TRUE(r.shot(QStringLiteral("frame-00040.png")).isNull());

    // A script that never waits for a frame is still ended once the limit is reached.
    const Stage::Result busy = s.run("while true do screen.waitVblankStart() pcall(screen.flip) local x = 1 end\n",
                                     {{QStringLiteral("LUAPLAYER_FRAMES"), QStringLiteral("3")}});
    EXPECT_EQ(busy.code, 0) << busy.err.toStdString();
}

// Headless, only the script moves the clock: a loop ends at the frame limit or at a scripted
// press as long as it flips or waits, and otherwise at the limits of one frame, by its line. A
// frame of slow work, far below those limits, runs to its end.
TEST(LuaPlayerScreen, HeadlessLoopsEndAtTheLimitAKeyOrTheBudget)
{
    const std::string advice = " without letting a frame pass, the most one frame may take without a window: a loop "
                               "that waits for a key or a frame must call screen.waitVblankStart() or "
                               "screen.flip(), and longer work must be split over several frames\n";
    const std::string instructions = "the script ran 1000 million Lua instructions" + advice;
    const std::string seconds = "the script ran for 5 seconds" + advice;
    const QList<QByteArray> tenFlips = {"0 flip", "1 flip", "2 flip", "3 flip", "4 flip",
                                        "5 flip", "6 flip", "7 flip", "8 flip", "9 flip"};
    // A loop that never lets a frame pass meets one limit or the other first, as fast as the
    // machine runs it; a loop of slow calls can only meet the clock.
    enum Ending { normally, eitherLimit, clock };
    struct Case {
        const char *name;
        QByteArray script;
        Ending ending;
        std::string err; // after "luaplayer: main.lua:" for a limit met
        QList<QByteArray> trace;
    };
    const Case cases[] = {
        {"a loop that does nothing", "while true do end\n", eitherLimit, "1: ", {}},
        {"a loop that only flips", "while true do screen.flip() end\n", normally, "", tenFlips},
        {"a wait of no frame is no wait", "while true do screen.flip() screen.waitVblankStart(0) end\n", normally, "",
         tenFlips},
        {"a loop that flips and polls ends by the press",
         "while true do if Controls.read():cross() then break end screen.flip() end\nscreen:print(0, 0, \"crossed\")\n",
         normally,
         "",
         {"0 flip", "1 flip", "2 flip", "3 flip", "4 flip", "4 print 0 0 crossed"}},
        {"a loop that polls and never flips",
         "screen.flip()\nrepeat until Controls.read():cross()\n",
         eitherLimit,
         "2: ",
         {"0 flip"}},
        {"a loop of waits of no frame", "\n\nwhile true do screen.waitVblankStart(0) end\n", eitherLimit, "3: ", {}},
        {"a loop of slow calls", "\nwhile true do screen:fillRect(0, 0, 480, 272) end\n", clock, "2: ", {}},
        {"flips with waits between them keep their frames",
         "screen.flip()\nscreen.flip()\nscreen.waitVblankStart()\nscreen.flip()\nscreen.waitVblankStart(2)\n"
         "screen.flip()\nscreen.flip()\n",
         normally,
         "",
         {"0 flip", "1 flip", "2 flip", "4 flip", "5 flip"}},
        {"a slow frame runs to its end",
         "local t = {}\nfor i = 1, 5000000 do t[i % 100 + 1] = i end\nscreen:print(0, 0, \"done\")\nscreen.flip()\n"
         "screen.waitVblankStart()\n",
         normally,
         "",
         {"0 print 0 0 done", "0 flip"}},
        {"more than the budget in all, 300 million instructions between two frames",
         "for f = 1, 4 do\n  for i = 1, 300000000 do end\n  screen.waitVblankStart()\nend\nscreen:print(0, 0, "
         "\"done\")\n",
         normally,
         "",
         {"4 print 0 0 done"}},
    };
    // Each in a folder of its own and all at once: a loop that never ends takes up to the time
    // limit of a frame.
    std::vector<std::future<Stage::Result>> results;
    for (const Case &c : cases) {
        results.push_back(std::async(std::launch::async, [&c] {
            Stage s;
            s.put(QStringLiteral("keys.txt"), "4 cross\n");
            return s.run(c.script, {{QStringLiteral("LUAPLAYER_FRAMES"), QStringLiteral("10")},
                                    {QStringLiteral("LUAPLAYER_KEYS"), s.file(QStringLiteral("keys.txt"))}});
        }));
    }
    for (size_t i = 0; i < results.size(); ++i) {
        const Case &c = cases[i];
        SCOPED_TRACE(c.name);
        const Stage::Result r = results[i].get();
        const std::string at = "luaplayer: main.lua:" + c.err;
        const std::string err = r.err.toStdString();
        const bool byInstructions = c.ending == eitherLimit && err == at + instructions;
        EXPECT_EQ(r.code, c.ending == normally ? 0 : 1);
        EXPECT_EQ(err, c.ending == normally ? "" : at + (byInstructions ? instructions : seconds));
        EXPECT_EQ(r.trace, c.trace);
    }
}

TEST(LuaPlayerScreen, ShotsShowWhatFlipShowedAtEachListedFrame)
{
    // The console draws behind what it shows: a flip swaps the two screens.
    Stage s;
    const Stage::Result r = s.run(R"(
screen:clear(Color.new(255, 0, 0))
screen.flip()
screen.waitVblankStart()
screen:fillRect(0, 0, 1, 1, Color.new(0, 255, 0))
screen.waitVblankStart()
screen.flip()
screen.waitVblankStart()
)",
                                  {{QStringLiteral("LUAPLAYER_SHOT_FRAMES"), QStringLiteral("0,1,2")}});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QImage first = r.shot(QStringLiteral("frame-00000.png"));
    const QImage second = r.shot(QStringLiteral("frame-00001.png"));
    const QImage third = r.shot(QStringLiteral("frame-00002.png"));
    EXPECT_EQ(rgb(first.pixel(0, 0)), rgb(red));
    EXPECT_EQ(rgb(second.pixel(0, 0)), rgb(red)); // drawn, not yet shown
    EXPECT_EQ(rgb(third.pixel(0, 0)), rgb(green));
    EXPECT_EQ(rgb(third.pixel(5, 5)), rgb(qRgb(0, 0, 0))); // the screen before the first flip
    EXPECT_EQ(r.shot(QStringLiteral("last.png")), third);
}

TEST(LuaPlayerScreen, ControlsReadGivesTheScriptedButtonsOfTheFrame)
{
    Stage s;
    s.put(QStringLiteral("keys.txt"), "# the hero walks left, then fights\n\n2 cross\n4-6 left up\n6 start\n  8   l r select\n");
    const Stage::Result r = s.run(R"(
local names = { "up", "down", "left", "right", "cross", "circle", "square", "triangle", "start", "select", "l", "r" }
for frame = 0, 9 do
  local pad = Controls.read()
  local held = {}
  for _, name in ipairs(names) do
    if pad[name](pad) then table.insert(held, name) end
  end
  screen:print(0, 0, table.concat(held, " ") .. "|" .. tostring(pad == Controls.read()))
  screen.waitVblankStart()
end
)",
                                  {{QStringLiteral("LUAPLAYER_KEYS"), s.file(QStringLiteral("keys.txt"))}});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QList<QByteArray> expected = {"|true", "|true", "cross|true", "|true", "up left|true", "up left|true",
                                        "up left start|true", "|true", "select l r|true", "|true"};
    EXPECT_EQ(r.printed(), expected);

    const Stage::Result differ = s.run(R"(
local a = Controls.read()
screen.waitVblankStart(2)
screen:print(0, 0, tostring(a == Controls.read()) .. " " .. tostring(a:cross()))
)",
                                       {{QStringLiteral("LUAPLAYER_KEYS"), s.file(QStringLiteral("keys.txt"))}});
    EXPECT_EQ(differ.printed(), QList<QByteArray>{"false false"});
}
