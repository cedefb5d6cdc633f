#pragma once

#include "shell/form.h"

class mapeditor : public Form {
    Q_OBJECT
public:
    mapeditor(Session &session, Mainform &mainform);

    // The load step, run once the window sits in the main window.
    void Form_Load();
    // The openers name the map to load (the Label1 caption), then call loadmap.
    void setMapNumber(const QString &mapNumber);
    void loadmap();
};
