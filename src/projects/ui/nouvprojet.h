#pragma once

#include "shell/form.h"

class nouvprojet : public Form {
    Q_OBJECT
public:
    nouvprojet(Session &session, Mainform &mainform);
};
