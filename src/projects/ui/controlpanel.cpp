#include "projects/ui/controlpanel.h"

Controlpanel::Controlpanel(Session &session, Mainform &mainform) : Form(session, mainform) {}
