#pragma once

#include "shell/form.h"

class gameoptions : public Form {
    Q_OBJECT
public:
    gameoptions(Session &session, Mainform &mainform);
};
