#pragma once

#include "projects/edition.h"

#include <memory>

class QTranslator;

// Makes the program's icon the application's. Every window shows it then: the main window, and
// each child window, whose title bar would otherwise carry the toolkit's logo.
void setProgramIcon();

// Makes ProgramStyle the application's style, so that every window and box looks as designed.
void setProgramStyle();

// The toolkit's own translation for the edition's language, from the distribution's Qt
// translations: it words the standard buttons of message and input boxes ("Oui", "Non",
// "Annuler"). Null for the English edition, or when the translation is not installed.
std::unique_ptr<QTranslator> toolkitTranslation(Edition edition);

// Starts the program: the main window with the welcome screen in it.
int runTarnwick(int argc, char **argv, Edition edition);
