#pragma once

#include "shell/form.h"

class combateditor : public Form {
    Q_OBJECT
public:
    combateditor(Session &session, Mainform &mainform);
};
