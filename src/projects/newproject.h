#pragma once

#include "projects/edition.h"

#include <QString>

// Building a new project folder from the tool's data: the folders, projet.ini, the stock
// pictures, the game's scripts and the first map.
namespace newproject {

// A name that can be a folder of its own right under "projets" and that its projet.ini can
// name back: not empty, not "." or "..", no separator, no character a Windows file system
// refuses, and every character one that Windows-1252 holds.
bool isValidName(const QString &name);

// Builds toolFolder/projets/name, step by step. A name that projet.ini cannot give back whole
// (more than 254 characters) is refused before anything is written. Stops at the first step that fails and undoes
// nothing. Returns the failure's description in the edition's words, or "" when the whole
// project was made. A missing script or map template is no failure: its copy holds CR LF.
QString create(const QString &toolFolder, const QString &name, const QString &author, Edition edition);

} // namespace newproject
