#include "projects/ui/var.h"

var::var(Session &session, Mainform &mainform) : Form(session, mainform) {}
