#pragma once

#include "projects/session.h"
#include "scripted.h"
#include "shell/mainform.h"
#include "toolfolder.h"

#include <memory>

// The program as a window test drives it: a tool folder, scripted boxes and shell, the
// session and the main window (not yet showing the welcome screen).
struct Harness {
    explicit Harness(Edition edition = Edition::English, bool withData = true);
    ~Harness();

    // Lets queued window events (activation, timers due now) run.
    void settle();

    ToolFolder tool;
    ScriptedDialogs dialogs;
    FakeShell shell;
    Session session;
    std::unique_ptr<Mainform> mainform;
};
