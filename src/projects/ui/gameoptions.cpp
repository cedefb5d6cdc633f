#include "projects/ui/gameoptions.h"

gameoptions::gameoptions(Session &session, Mainform &mainform) : Form(session, mainform) {}
