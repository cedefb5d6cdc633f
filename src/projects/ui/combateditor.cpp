#include "projects/ui/combateditor.h"

combateditor::combateditor(Session &session, Mainform &mainform) : Form(session, mainform) {}
