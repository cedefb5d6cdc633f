#pragma once

#include "shell/form.h"

// The game-setup window: an empty window, as yet without controls.
class gameoptions : public Form {
    Q_OBJECT
public:
    gameoptions(Session &session, Mainform &mainform);
};
