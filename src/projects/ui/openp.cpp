#include "projects/ui/openp.h"

openp::openp(Session &session, Mainform &mainform) : Form(session, mainform) {}
