#pragma once

#include "shell/form.h"

class openp : public Form {
    Q_OBJECT
public:
    openp(Session &session, Mainform &mainform);
};
