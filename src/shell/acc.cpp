#include "shell/acc.h"

Acc::Acc(Session &session, Mainform &mainform) : Form(session, mainform) {}
