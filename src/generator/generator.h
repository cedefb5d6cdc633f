#pragma once

#include <QString>

class Session;

// Turns the current project into the game's variables.lua and ev.lua, and starts the game.
namespace generator {

// The dashboard's four facts as the generation read them.
struct Facts {
    QString name, author, maps, fights;
};

struct CompileResult {
    Facts facts;
    // Empty when both scripts were written; otherwise what went wrong, for the user. A script
    // that was not written is left whole as it was.
    QString error;
};

// Reads projet.ini and every cell event file afresh and rewrites both scripts whole.
CompileResult compile(const Session &session);

struct TestRunResult {
    CompileResult compile;
    // Empty when Lua Player was started; else a message for the user naming what failed.
    // A failed generation stops the run before the boot script, and its message is repeated
    // here, so the caller shows this one alone.
    QString error;
};

// Generation, then the boot index.lua in the tool folder, then luaplayer.exe started there.
// The tool folder stays the program's current folder afterwards.
TestRunResult testRun(const Session &session);

} // namespace generator
