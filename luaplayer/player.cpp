#include "player.h"

#include "canvas.h"
#include "platform/ansi.h"
#include "window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <lua5.1/lua.hpp>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <new>
#include <thread>

// The API functions are called from Lua, which unwinds errors with longjmp: a function raises
// a Lua error only while no C++ object with a destructor lives in its own frame. The C++ work
// is done in helpers that return before the error is raised.

namespace {

constexpr const char *imageType = "luaplayer.Image";
constexpr const char *screenType = "luaplayer.Screen";
constexpr int largestImage = 512;

// Raised to end the run without an error (frame limit, window closed); never a message.
char stopKey;
char playerKey;

struct Surface {
    QImage image;
    QByteArray source; // the path given to Image.load
    bool loaded = false;
    bool isScreen = false;
};

// Colours and pad readings are small values, compared with == by what they hold.
struct Colour {
    static constexpr const char *type = "luaplayer.Color";
    QRgb value;
    bool operator==(const Colour &) const = default;
};

struct Pad {
    static constexpr const char *type = "luaplayer.Controls";
    unsigned held;
    bool operator==(const Pad &) const = default;
};

template <typename T>
void pushValue(lua_State *L, T value)
{
    *static_cast<T *>(lua_newuserdata(L, sizeof(T))) = value;
    luaL_getmetatable(L, T::type);
    lua_setmetatable(L, -2);
}

template <typename T>
const T &checkValue(lua_State *L, int index)
{
    return *static_cast<const T *>(luaL_checkudata(L, index, T::type));
}

template <typename T>
int valuesEqual(lua_State *L)
{
    lua_pushboolean(L, checkValue<T>(L, 1) == checkValue<T>(L, 2));
    return 1;
}

Player &player(lua_State *L)
{
    lua_pushlightuserdata(L, &playerKey);
    lua_rawget(L, LUA_REGISTRYINDEX);
    Player *p = static_cast<Player *>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return *p;
}

int raiseStop(lua_State *L)
{
    lua_pushlightuserdata(L, &stopKey);
    return lua_error(L);
}

// Raises the message on top of the stack with the caller's file and line in front.
int raiseHere(lua_State *L)
{
    luaL_where(L, 1);
    lua_insert(L, -2);
    lua_concat(L, 2);
    return lua_error(L);
}

bool hasType(lua_State *L, int index, const char *type)
{
    if (!lua_getmetatable(L, index))
        return false;
    luaL_getmetatable(L, type);
    const bool same = lua_rawequal(L, -1, -2);
    lua_pop(L, 2);
    return same;
}

Surface *toSurface(lua_State *L, int index)
{
    if (lua_type(L, index) != LUA_TUSERDATA)
        return nullptr;
    if (hasType(L, index, imageType) || hasType(L, index, screenType))
        return static_cast<Surface *>(lua_touserdata(L, index));
    return nullptr;
}

Surface &checkSurface(lua_State *L, int index)
{
    Surface *s = toSurface(L, index);
    if (s == nullptr)
        luaL_typerror(L, index, "Image");
    return *s;
}

// Coordinates and sizes as whole numbers (a fraction is cut off), kept in a range that no
// sum of them can overflow.
int intArg(lua_State *L, int index)
{
    lua_Number n = luaL_checknumber(L, index);
    if (n != n)
        n = 0;
    return int(std::clamp<lua_Number>(n, -1000000, 1000000));
}

QRgb colourArg(lua_State *L, int index, QRgb fallback)
{
    if (lua_isnoneornil(L, index))
        return fallback;
    return checkValue<Colour>(L, index).value;
}

Surface *newSurface(lua_State *L, const char *type)
{
    Surface *s = new (lua_newuserdata(L, sizeof(Surface))) Surface();
    luaL_getmetatable(L, type);
    lua_setmetatable(L, -2);
    return s;
}

int surfaceGc(lua_State *L)
{
    static_cast<Surface *>(lua_touserdata(L, 1))->~Surface();
    return 0;
}

// The trace keeps one event a line: control characters and the backslash are escaped.
QByteArray traced(const char *text, size_t length)
{
    QByteArray out;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\\')
            out += "\\\\";
        else if (c < 0x20 || c == 0x7f)
            out += "\\x" + QByteArray::number(c, 16).rightJustified(2, '0');
        else
            out += char(c);
    }
    return out;
}

void traceEvent(Player &p, const char *what, int x, int y, const char *text, size_t length)
{
    if (!p.tracing())
        return;
    p.trace(QByteArray::number(p.frame()) + ' ' + what + ' ' + QByteArray::number(x) + ' ' + QByteArray::number(y)
            + ' ' + traced(text, length));
}

// The game's files are Windows-1252, so a path from a script names its file in that code page;
// a script saved as UTF-8 is understood as well.
QString localName(const char *bytes, size_t length)
{
    const QByteArray raw(bytes, qsizetype(length));
    const QString ansiName = ansi::decode(raw);
    if (QFileInfo::exists(ansiName))
        return ansiName;
    const QString utf8Name = QString::fromUtf8(raw);
    return QFileInfo::exists(utf8Name) ? utf8Name : ansiName;
}

// ---- screen and images

int surfaceClear(lua_State *L)
{
    Surface &s = checkSurface(L, 1);
    const QRgb colour = colourArg(L, 2, qRgba(0, 0, 0, 0));
    canvas::clear(s.image, colour, s.isScreen);
    if (s.isScreen && player(L).tracing())
        player(L).trace(QByteArray::number(player(L).frame()) + " clear");
    return 0;
}

int surfaceFillRect(lua_State *L)
{
    Surface &s = checkSurface(L, 1);
    const int x = intArg(L, 2);
    const int y = intArg(L, 3);
    const int w = intArg(L, 4);
    const int h = intArg(L, 5);
    const QRgb colour = colourArg(L, 6, qRgba(0, 0, 0, 0));
    canvas::fillRect(s.image, x, y, w, h, colour, s.isScreen);
    return 0;
}

void drawBlit(Player &p, Surface &target, int x, int y, Surface &source, int sx, int sy, int w, int h, bool blend)
{
    canvas::blit(target.image, x, y, source.image, QRect(sx, sy, w, h), blend, target.isScreen);
    if (target.isScreen && p.tracing()) {
        const QByteArray path = source.loaded ? source.source : QByteArray("-");
        traceEvent(p, "blit", x, y, path.constData(), size_t(path.size()));
    }
}

// blit(x, y, image [, sx, sy, w, h] [, alpha]): the alpha flag is always the last argument.
int surfaceBlit(lua_State *L)
{
    Surface &target = checkSurface(L, 1);
    const int given = lua_gettop(L) - 1;
    if (given != 3 && given != 4 && given != 7 && given != 8)
        return luaL_error(L, "blit takes 3, 4, 7 or 8 arguments (x, y, image [, sx, sy, w, h] [, alpha]), not %d", given);
    const int x = intArg(L, 2);
    const int y = intArg(L, 3);
    Surface &source = checkSurface(L, 4);
    int sx = 0;
    int sy = 0;
    int w = source.image.width();
    int h = source.image.height();
    if (given >= 7) {
        sx = intArg(L, 5);
        sy = intArg(L, 6);
        w = intArg(L, 7);
        h = intArg(L, 8);
    }
    const bool blend = (given == 4 || given == 8) ? lua_toboolean(L, given + 1) != 0 : true;
    drawBlit(player(L), target, x, y, source, sx, sy, w, h, blend);
    return 0;
}

int surfacePrint(lua_State *L)
{
    Surface &s = checkSurface(L, 1);
    const int x = intArg(L, 2);
    const int y = intArg(L, 3);
    size_t length = 0;
    const char *text = luaL_checklstring(L, 4, &length);
    const QRgb colour = colourArg(L, 5, qRgb(0, 0, 0));
    canvas::print(s.image, x, y, QByteArray::fromRawData(text, qsizetype(length)), colour, s.isScreen);
    if (s.isScreen)
        traceEvent(player(L), "print", x, y, text, length);
    return 0;
}

int surfaceWidth(lua_State *L)
{
    lua_pushinteger(L, checkSurface(L, 1).image.width());
    return 1;
}

int surfaceHeight(lua_State *L)
{
    lua_pushinteger(L, checkSurface(L, 1).image.height());
    return 1;
}

bool isScreen(lua_State *L, int index)
{
    const Surface *s = toSurface(L, index);
    return s != nullptr && s->isScreen;
}

Surface &screenSurface(lua_State *L)
{
    lua_getfield(L, LUA_REGISTRYINDEX, screenType);
    lua_getfield(L, -1, "screen");
    Surface *s = static_cast<Surface *>(lua_touserdata(L, -1));
    lua_pop(L, 2);
    return *s;
}

// screen.flip() and screen:flip()
int screenFlip(lua_State *L)
{
    Player &p = player(L);
    if (p.stopping())
        return raiseStop(L);
    p.flip(screenSurface(L).image);
    if (p.stopping())
        return raiseStop(L);
    return 0;
}

// screen.waitVblankStart([n]) and screen:waitVblankStart([n])
int screenWaitVblankStart(lua_State *L)
{
    const int at = isScreen(L, 1) ? 2 : 1;
    const lua_Integer count = luaL_optinteger(L, at, 1);
    Player &p = player(L);
    p.waitFrames(int(std::clamp<lua_Integer>(count, 0, 1000000000)));
    if (p.stopping())
        return raiseStop(L);
    return 0;
}

// Reads the picture into s, or pushes the reason and returns false.
bool loadInto(lua_State *L, const char *path, size_t length, Surface &s)
{
    const QString name = localName(path, length);
    const QString suffix = QFileInfo(name).suffix().toLower();
    const bool jpeg = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
    QByteArray why;
    if (!QFileInfo(name).isFile()) {
        why = "no such file";
    } else {
        // The console tells JPEG from PNG by the name alone, so the content must match it.
        QImageReader reader(name, jpeg ? "jpeg" : "png");
        reader.setAutoDetectImageFormat(false);
        QImage image = reader.read();
        if (image.isNull())
            why = (jpeg ? "not a readable JPEG picture (" : "not a readable PNG picture (") + reader.errorString().toUtf8() + ")";
        else if (image.width() > largestImage || image.height() > largestImage)
            why = QByteArray::number(image.width()) + " x " + QByteArray::number(image.height())
                  + " pixels, larger than 512 x 512";
        else
            s.image = image.convertToFormat(QImage::Format_ARGB32);
    }
    if (why.isEmpty()) {
        s.source = QByteArray(path, qsizetype(length));
        s.loaded = true;
        return true;
    }
    const QByteArray message = "Image.load: cannot load \"" + QByteArray(path, qsizetype(length)) + "\": " + why;
    lua_pushlstring(L, message.constData(), size_t(message.size()));
    return false;
}

int imageLoad(lua_State *L)
{
    size_t length = 0;
    const char *path = luaL_checklstring(L, 1, &length);
    Surface *s = newSurface(L, imageType);
    if (!loadInto(L, path, length, *s))
        return raiseHere(L);
    return 1;
}

int imageCreateEmpty(lua_State *L)
{
    const int w = intArg(L, 1);
    const int h = intArg(L, 2);
    if (w < 1 || h < 1 || w > largestImage || h > largestImage)
        return luaL_error(L, "Image.createEmpty: %d x %d is not a size from 1 x 1 to 512 x 512", w, h);
    newSurface(L, imageType)->image = canvas::blank(w, h, false);
    return 1;
}

// ---- Color

int colourNew(lua_State *L)
{
    auto channel = [L](int index, bool optional) {
        if (optional && lua_isnoneornil(L, index))
            return 255;
        return std::clamp(intArg(L, index), 0, 255);
    };
    const int r = channel(1, false);
    const int g = channel(2, false);
    const int b = channel(3, false);
    const int a = channel(4, true);
    pushValue(L, Colour{qRgba(r, g, b, a)});
    return 1;
}

// ---- Controls

int controlsRead(lua_State *L)
{
    Player &p = player(L);
    if (p.stopping())
        return raiseStop(L);
    pushValue(L, Pad{p.held()});
    return 1;
}

int padButton(lua_State *L)
{
    const unsigned held = checkValue<Pad>(L, 1).held;
    const auto bit = static_cast<unsigned>(lua_tointeger(L, lua_upvalueindex(1)));
    lua_pushboolean(L, (held & bit) != 0);
    return 1;
}

// ---- System

void pushCurrentFolder(lua_State *L)
{
    const QByteArray folder = ansi::encode(QDir::currentPath());
    lua_pushlstring(L, folder.constData(), size_t(folder.size()));
}

void changeFolder(const char *path, size_t length)
{
    QDir::setCurrent(localName(path, length));
}

// System.currentDirectory() gives the current folder; System.currentDirectory(path) gives the
// folder it leaves and moves to path, relative to the current one; a missing folder is not
// entered.
int systemCurrentDirectory(lua_State *L)
{
    if (lua_isnoneornil(L, 1)) {
        pushCurrentFolder(L);
        return 1;
    }
    size_t length = 0;
    const char *path = luaL_checklstring(L, 1, &length);
    pushCurrentFolder(L);
    changeFolder(path, length);
    return 1;
}

// ---- errors

// True when the first line carries "file:line:", as Lua puts in front of its messages.
bool hasLocation(const char *message)
{
    for (const char *p = message; *p != '\0' && *p != '\n'; ++p) {
        if (*p != ':')
            continue;
        const char *q = p + 1;
        while (std::isdigit(static_cast<unsigned char>(*q)))
            ++q;
        if (q > p + 1 && *q == ':')
            return true;
    }
    return false;
}

// The message handler of the run: every error gets the file and line where it happened
// (also error(text, 0) and an error value that is no text), and the stack is kept for the
// window.
int onError(lua_State *L)
{
    if (lua_touserdata(L, 1) == &stopKey)
        return 1;
    if (!lua_isstring(L, 1)) {
        lua_pushfstring(L, "error object is a %s value", luaL_typename(L, 1));
        lua_replace(L, 1);
    }
    lua_Debug ar;
    if (!hasLocation(lua_tostring(L, 1))) {
        for (int level = 1; lua_getstack(L, level, &ar); ++level) {
            lua_getinfo(L, "Sl", &ar);
            if (ar.currentline > 0) {
                lua_pushfstring(L, "%s:%d: ", ar.short_src, ar.currentline);
                lua_pushvalue(L, 1);
                lua_concat(L, 2);
                lua_replace(L, 1);
                break;
            }
        }
    }
    int pieces = 0;
    lua_pushliteral(L, "stack traceback:");
    ++pieces;
    for (int level = 1; level <= 12 && lua_getstack(L, level, &ar); ++level) {
        lua_getinfo(L, "Sln", &ar);
        if (ar.currentline > 0)
            lua_pushfstring(L, "\n  %s:%d: ", ar.short_src, ar.currentline);
        else
            lua_pushfstring(L, "\n  %s: ", ar.short_src);
        if (*ar.what == 'm')
            lua_pushliteral(L, "in main chunk");
        else if (ar.name != nullptr)
            lua_pushfstring(L, "in function '%s'", ar.name);
        else
            lua_pushliteral(L, "in a function");
        pieces += 2;
    }
    lua_concat(L, pieces);
    player(L).setTraceback(QByteArray(lua_tostring(L, -1)));
    lua_pop(L, 1);
    lua_settop(L, 1);
    return 1;
}

// Keeps the window answering while a script computes without waiting for a frame, ends a
// script that goes on after the run was told to stop, and headless one whose frame goes past
// its limits, which only a loop that never lets a frame pass does in a game.
void onCount(lua_State *L, lua_Debug *)
{
    Player &p = player(L);
    p.keepResponsive();
    if (p.stopping())
        raiseStop(L);
    const Player::Overrun overrun = p.frameOverrun();
    if (overrun == Player::Overrun::none)
        return;
    luaL_where(L, 0); // within a hook, level 0 is the Lua function running
    if (overrun == Player::Overrun::instructions)
        lua_pushfstring(L, "the script ran %d million Lua instructions", Options::frameInstructionLimit / 1000000);
    else
        lua_pushfstring(L, "the script ran for %d seconds", Options::frameSecondLimit);
    lua_pushliteral(L, " without letting a frame pass, the most one frame may take without a window: a loop "
                       "that waits for a key or a frame must call screen.waitVblankStart() or screen.flip(), "
                       "and longer work must be split over several frames");
    lua_concat(L, 3);
    lua_error(L);
}

void setFunctions(lua_State *L, const luaL_Reg *functions)
{
    for (; functions->name != nullptr; ++functions) {
        lua_pushcfunction(L, functions->func);
        lua_setfield(L, -2, functions->name);
    }
}

constexpr luaL_Reg surfaceMethods[] = {
    {"clear", surfaceClear}, {"blit", surfaceBlit}, {"print", surfacePrint}, {"fillRect", surfaceFillRect},
    {"width", surfaceWidth}, {"height", surfaceHeight}, {nullptr, nullptr},
};

constexpr luaL_Reg screenOnly[] = {
    {"flip", screenFlip}, {"waitVblankStart", screenWaitVblankStart}, {nullptr, nullptr},
};

void openApi(lua_State *L)
{
    luaL_newmetatable(L, imageType);
    lua_newtable(L);
    setFunctions(L, surfaceMethods);
    lua_setfield(L, -2, "__index");
    lua_pushcfunction(L, surfaceGc);
    lua_setfield(L, -2, "__gc");
    lua_pop(L, 1);

    luaL_newmetatable(L, screenType);
    lua_newtable(L);
    setFunctions(L, surfaceMethods);
    setFunctions(L, screenOnly);
    lua_setfield(L, -2, "__index");
    lua_pushcfunction(L, surfaceGc);
    lua_setfield(L, -2, "__gc");
    lua_pop(L, 1);

    luaL_newmetatable(L, Colour::type);
    lua_pushcfunction(L, valuesEqual<Colour>);
    lua_setfield(L, -2, "__eq");
    lua_pop(L, 1);

    luaL_newmetatable(L, Pad::type);
    lua_newtable(L);
    for (const buttons::Name &b : buttons::names) {
        lua_pushinteger(L, lua_Integer(b.bit));
        lua_pushcclosure(L, padButton, 1);
        lua_setfield(L, -2, b.name);
    }
    lua_setfield(L, -2, "__index");
    lua_pushcfunction(L, valuesEqual<Pad>);
    lua_setfield(L, -2, "__eq");
    lua_pop(L, 1);

    // The screen is also kept in its metatable, so that a script that drops the global
    // still draws where flip looks.
    Surface *screen = newSurface(L, screenType);
    screen->image = canvas::blank(Player::screenWidth, Player::screenHeight, true);
    screen->isScreen = true;
    luaL_getmetatable(L, screenType);
    lua_pushvalue(L, -2);
    lua_setfield(L, -2, "screen");
    lua_pop(L, 1);
    lua_setglobal(L, "screen");

    constexpr luaL_Reg image[] = {{"load", imageLoad}, {"createEmpty", imageCreateEmpty}, {nullptr, nullptr}};
    constexpr luaL_Reg colour[] = {{"new", colourNew}, {nullptr, nullptr}};
    constexpr luaL_Reg controls[] = {{"read", controlsRead}, {nullptr, nullptr}};
    constexpr luaL_Reg system[] = {{"currentDirectory", systemCurrentDirectory}, {nullptr, nullptr}};
    const std::pair<const char *, const luaL_Reg *> tables[] = {
        {"Image", image}, {"Color", colour}, {"Controls", controls}, {"System", system}};
    for (const auto &[name, functions] : tables) {
        lua_newtable(L);
        setFunctions(L, functions);
        lua_setglobal(L, name);
    }
}

} // namespace

Player::Player(const Options &options)
    : m_options(options)
    , m_shown(canvas::blank(screenWidth, screenHeight, true))
{
    m_lua = luaL_newstate();
    luaL_openlibs(m_lua);
    lua_pushlightuserdata(m_lua, &playerKey);
    lua_pushlightuserdata(m_lua, this);
    lua_rawset(m_lua, LUA_REGISTRYINDEX);
    openApi(m_lua);
    lua_sethook(m_lua, onCount, LUA_MASKCOUNT, hookInterval);
    m_sinceEvents.start();
}

Player::~Player()
{
    lua_close(m_lua);
}

bool Player::prepare(QString &problem)
{
    if (!m_options.tracePath.isEmpty()) {
        m_trace.setFileName(m_options.tracePath);
        if (!m_trace.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            problem = QStringLiteral("LUAPLAYER_TRACE: cannot write %1").arg(m_options.tracePath);
            return false;
        }
    }
    if (!m_options.shotFolder.isEmpty() && !QDir().mkpath(m_options.shotFolder)) {
        problem = QStringLiteral("LUAPLAYER_SHOTS: cannot make the folder %1").arg(m_options.shotFolder);
        return false;
    }
    return true;
}

bool Player::run()
{
    lua_State *L = m_lua;
    m_frameStart = std::chrono::steady_clock::now();
    lua_pushcfunction(L, onError);
    int status = luaL_loadfile(L, m_options.script.constData());
    if (status == 0)
        status = lua_pcall(L, 0, 0, -2);
    const bool ok = status == 0 || lua_touserdata(L, -1) == &stopKey;
    if (!ok) {
        const char *message = lua_tostring(L, -1);
        m_error = message != nullptr ? QByteArray(message) : QByteArray("error object is not a string");
    }
    lua_settop(L, 0);
    finish();
    return ok;
}

// The console draws into one buffer while it shows the other; flip swaps them, so what is drawn
// after a flip starts from the frame before last.
void Player::flip(QImage &drawing)
{
    // Headless, only the script moves the clock: a flip that follows the previous one with no
    // frame passed between them waits one frame first, so that a loop that flips without
    // waiting still meets the frame limit and the scripted keys. The game waits after every
    // flip, so its flips keep their frames.
    if (m_options.headless && m_frame == m_flipFrame) {
        waitFrames(1);
        if (m_stopping)
            return;
    }
    m_flipFrame = m_frame;
    std::swap(drawing, m_shown);
    if (tracing())
        trace(QByteArray::number(m_frame) + " flip");
    // A changed picture reaches the screen now, not after the wait for the next frame.
    if (m_window != nullptr && m_window->present(m_shown))
        handleWindowEvents();
}

void Player::waitFrames(int count)
{
    if (m_window != nullptr) {
        using namespace std::chrono;
        constexpr auto vblank = nanoseconds(1000000000 / 60);
        const auto now = steady_clock::now();
        // After a long stall the clock starts afresh instead of racing to catch up.
        if (m_nextVblank < now - milliseconds(100))
            m_nextVblank = now;
        m_nextVblank += vblank * count;
        // Sleeps until the vblank, handling the window's events after each frame's time at most
        // (and at least once, for a frame that is already late), so that the next frame reads
        // the keys pressed meanwhile; the flip before showed its picture already.
        for (;;) {
            const auto start = steady_clock::now();
            if (start < m_nextVblank)
                std::this_thread::sleep_until(std::min(m_nextVblank, start + vblank));
            QCoreApplication::processEvents();
            if (m_window->quitRequested() || steady_clock::now() >= m_nextVblank)
                break;
        }
        m_sinceEvents.restart();
        if (m_window->quitRequested())
            m_stopping = true;
    }
    if (count <= 0)
        return;
    m_quietHooks = 0;
    m_frameStart = std::chrono::steady_clock::now();
    const int from = m_frame;
    const qint64 to = qint64(m_frame) + count;
    m_frame = int(m_options.headless ? std::min<qint64>(to, m_options.frameLimit) : std::min<qint64>(to, INT_MAX));
    saveShots(from, m_frame);
    if (m_options.headless && m_frame >= m_options.frameLimit)
        m_stopping = true;
}

unsigned Player::held() const
{
    const unsigned scripted = m_options.keys.heldAt(m_frame);
    return m_window != nullptr ? scripted | m_window->held() : scripted;
}

void Player::trace(const QByteArray &event)
{
    if (!m_trace.isOpen())
        return;
    m_trace.write(event + '\n');
    // Written as it goes, so that a run that crashes still leaves its record.
    m_trace.flush();
}

Player::Overrun Player::frameOverrun()
{
    if (!m_options.headless)
        return Overrun::none;
    if (++m_quietHooks >= Options::frameInstructionLimit / hookInterval)
        return Overrun::instructions;
    if (std::chrono::steady_clock::now() - m_frameStart >= std::chrono::seconds(Options::frameSecondLimit))
        return Overrun::time;
    return Overrun::none;
}

void Player::keepResponsive()
{
    if (m_window != nullptr && m_sinceEvents.elapsed() >= 50)
        handleWindowEvents();
}

void Player::handleWindowEvents()
{
    QCoreApplication::processEvents();
    m_sinceEvents.restart();
    if (m_window->quitRequested())
        m_stopping = true;
}

// The shot of frame F is the screen shown while the counter stood at F: it is taken when the
// counter moves past F (or when the run ends at F).
void Player::saveShots(int from, int to)
{
    for (int f : std::as_const(m_options.shotFrames)) {
        if (f >= from && f < to && !m_shotsTaken.contains(f)) {
            saveShot(QString::asprintf("frame-%05d.png", f));
            m_shotsTaken.append(f);
        }
    }
}

void Player::saveShot(const QString &name)
{
    const QString path = m_options.shotFolder + QLatin1Char('/') + name;
    if (!m_shown.convertToFormat(QImage::Format_RGB32).save(path, "PNG"))
        std::fprintf(stderr, "luaplayer: cannot write %s\n", qPrintable(path));
}

void Player::finish()
{
    if (m_options.shotFolder.isEmpty())
        return;
    saveShots(m_frame, m_frame + 1);
    saveShot(QStringLiteral("last.png"));
}
