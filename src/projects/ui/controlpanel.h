#pragma once

#include "shell/form.h"

class Controlpanel : public Form {
    Q_OBJECT
public:
    Controlpanel(Session &session, Mainform &mainform);
};
