// luaplayer.exe: the stand-in for Lua Player for Windows, which cannot run here. It runs the
// script named by its first argument, looked up in the current folder, with Lua 5.1 and the
// part of the console Lua Player's API that the game's scripts use:
//
//   screen (480 x 272): screen:clear([color]), screen:blit(x, y, image [, sx, sy, w, h] [, alpha]),
//     screen:print(x, y, text [, color]), screen:fillRect(x, y, w, h [, color]),
//     screen:width(), screen:height(), screen.flip(), screen.waitVblankStart([n])
//   Image.load(path) (PNG, JPEG for .jpg/.jpeg), Image.createEmpty(w, h); an image has the
//     drawing methods of screen
//   Color.new(r, g, b [, a]), compared with ==
//   Controls.read(), answering :up() :down() :left() :right() :cross() :circle() :square()
//     :triangle() :start() :select() :l() :r(), compared with ==
//   System.currentDirectory([path])
//
// In a window it shows the screen at twice its size (stretched over the window if that is
// resized), 60 frames a second, each flip as soon as it is made. Keys: arrows for the
// pad, c cross, f circle, d square, r triangle, s start, a select, q L, w R; Esc quits. A Lua
// error ends the run: the message, with file and line, stays in the window until it is closed.
// A window needs a display (DISPLAY or WAYLAND_DISPLAY) or a platform chosen with
// QT_QPA_PLATFORM or -platform (such as offscreen); without one the player says so and ends.
//
// The environment turns it into a test instrument:
//   LUAPLAYER_FRAMES=N      run headless (no window, no real waiting); the run ends with exit
//                           code 0 once the frame counter reaches N. The counter starts at 0
//                           and screen.waitVblankStart(n) advances it by n (1 by default).
//                           A flip that follows no wait counts as a frame: when the counter
//                           still stands where it stood at the previous flip (no wait, or
//                           only waits of 0 frames, since then), the flip first advances it
//                           by 1. The first flip, and a flip after a wait, do not move it.
//                           A frame that runs 1000 million Lua instructions, or 5 seconds,
//                           without the counter moving ends the run with a Lua error at the
//                           line it had reached (Options::frameInstructionLimit and
//                           frameSecondLimit; the usage text names them).
//   LUAPLAYER_KEYS=path     scripted presses, one line per span: "F buttons..." holds the
//                           buttons during frame F only, "F-G buttons..." from F to G
//                           inclusive; buttons are the Controls method names (up down left
//                           right cross circle square triangle start select l r); blank lines
//                           and lines starting with # are ignored. Controls.read() answers
//                           with the buttons held at the current frame.
//   LUAPLAYER_SHOTS=folder  and LUAPLAYER_SHOT_FRAMES=F,G,...: the screen as screen.flip()
//                           last showed it while the counter stood at F is saved as
//                           folder/frame-NNNNN.png (five digits) when the counter moves past F
//                           or the run ends at F. folder/last.png is saved at the end of every
//                           run.
//   LUAPLAYER_TRACE=path    what reached the screen, one line per event, written as it goes:
//                           "F print X Y text" for screen:print, "F blit X Y path" for a blit
//                           onto the screen (the path given to Image.load, "-" for any other
//                           image), "F flip" for screen.flip, "F clear" for screen:clear; F is
//                           the frame counter then. In text and path a backslash is written as
//                           \\ and a control character as \xNN; all other bytes as the script
//                           gave them.
// These work in a window too; only LUAPLAYER_FRAMES makes the run headless.
//
// Exit codes: 0 when the script returns, the frame limit is reached or the window is closed;
// 1 after a Lua error, printed on standard error as "luaplayer: <file>:<line>: <message>";
// 2 when the command line or an environment variable cannot be used, or a window cannot open.

#include "options.h"
#include "platform/ansi.h"
#include "player.h"
#include "window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringDecoder>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

int refuse(const QString &problem)
{
    std::fprintf(stderr, "luaplayer: %s\n", qPrintable(problem));
    return 2;
}

// Messages carry the script's own bytes: Windows-1252 from the tool, UTF-8 from an editor.
QString readable(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? ansi::decode(bytes) : text;
}

bool isPlatformOption(const char *argument)
{
    return std::strcmp(argument, "-platform") == 0 || std::strcmp(argument, "--platform") == 0;
}

// A window needs a display, or a platform chosen by QT_QPA_PLATFORM or -platform (such as
// offscreen). Without one the toolkit would abort the program.
bool displayFound(int argc, char **argv)
{
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    }
    for (int i = 1; i < argc; ++i) {
        if (isPlatformOption(argv[i]))
            return true;
    }
    return false;
}

// The command line as the toolkit leaves it to the program, without a chosen platform.
QStringList programArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && isPlatformOption(argv[i]))
            ++i;
        else
            arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

// Whether the command line names a script; read before the toolkit starts, which may fail.
bool scriptNamed = false;

[[noreturn]] void refuseWindow(const char *why)
{
    std::fprintf(stderr,
                 "luaplayer: %s, so the player cannot open its window; to run without a window, set "
                 "LUAPLAYER_FRAMES=N, the number of frames to run\n",
                 why);
    if (!scriptNamed)
        std::fprintf(stderr, "luaplayer: %s\n", qPrintable(Options::usage()));
    std::fflush(stderr);
    std::_Exit(2);
}

QtMessageHandler toolkitHandler = nullptr;

// A display that is named but cannot be opened ends the toolkit's start with a fatal message.
void onToolkitMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg)
        refuseWindow("no display could be opened");
    toolkitHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    const bool headless = qEnvironmentVariableIsSet("LUAPLAYER_FRAMES");
    std::unique_ptr<QCoreApplication> app;
    if (headless) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        scriptNamed = Options::namesScript(programArguments(argc, argv));
        if (!displayFound(argc, argv))
            refuseWindow("no display found (DISPLAY and WAYLAND_DISPLAY are not set)");
        toolkitHandler = qInstallMessageHandler(onToolkitMessage);
        app = std::make_unique<QApplication>(argc, argv);
        qInstallMessageHandler(toolkitHandler);
    }

    Options options;
    QString problem;
    if (!options.read(QCoreApplication::arguments(), problem))
        return refuse(problem);
    Player player(options);
    if (!player.prepare(problem))
        return refuse(problem);

    std::unique_ptr<PlayerWindow> window;
    if (!headless) {
        window = std::make_unique<PlayerWindow>(player.shown());
        player.setWindow(window.get());
        window->show();
        window->activateWindow();
    }

    if (player.run())
        return 0;
    std::fprintf(stderr, "luaplayer: %s\n", player.errorMessage().constData());
    std::fflush(stderr);
    if (window != nullptr && !window->quitRequested()) {
        window->present(player.shown());
        window->showError(readable(player.errorMessage()), readable(player.traceback()));
        QCoreApplication::exec();
    }
    return 1;
}
