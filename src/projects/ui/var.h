#pragma once

#include "shell/form.h"

class var : public Form {
    Q_OBJECT
public:
    var(Session &session, Mainform &mainform);
};
