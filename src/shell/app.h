#pragma once

#include "projects/edition.h"

// Makes the program's icon the application's. Every window shows it then: the main window, and
// each child window, whose title bar would otherwise carry the toolkit's logo.
void setProgramIcon();

// Starts the program: the main window with the welcome screen in it.
int runTarnwick(int argc, char **argv, Edition edition);
