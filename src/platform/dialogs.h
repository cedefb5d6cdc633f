#pragma once

#include <QString>

// Message and input boxes. The program shows real boxes; tests put a scripted answerer in
// their place, so no test ever waits on a box.
enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Critical, Exclamation };
enum class MsgAnswer { Ok, Yes, No };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An empty title shows the program's default title.
    virtual MsgAnswer message(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                              MsgIcon icon = MsgIcon::None, const QString &title = {}) = 0;
    // A cancelled box answers the empty text, as the callers all take it.
    virtual QString input(const QString &prompt, const QString &title = {}) = 0;
};

inline const QString kDefaultTitle = QStringLiteral("Tarnwick");
