#pragma once

#include <QString>

// The two editions are built from one design; they differ in captions, messages and a few
// controls.
enum class Edition { English, French };

// Picks the text of the running edition. Both literals are UTF-8.
inline QString tx(Edition edition, const char *english, const char *french)
{
    return QString::fromUtf8(edition == Edition::French ? french : english);
}
