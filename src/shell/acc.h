#pragma once

#include "shell/form.h"

class Acc : public Form {
    Q_OBJECT
public:
    Acc(Session &session, Mainform &mainform);
};
