#pragma once

#include "platform/shell.h"

class QtShell : public Shell {
public:
    void open(const QString &path) override;
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingFolder) override;
    void terminate() override;
};
