#include "map_editor/ui/mapeditor.h"

mapeditor::mapeditor(Session &session, Mainform &mainform) : Form(session, mainform) {}

void mapeditor::Form_Load() {}
void mapeditor::setMapNumber(const QString &) {}
void mapeditor::loadmap() {}
