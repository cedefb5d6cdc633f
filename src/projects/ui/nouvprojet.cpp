#include "projects/ui/nouvprojet.h"

nouvprojet::nouvprojet(Session &session, Mainform &mainform) : Form(session, mainform) {}
