#pragma once

#include <QString>

#include <optional>

// Map numbers and the number conversions that projet.ini values and typed answers go through.

// A map or tile-set number as text: "01" to "09", then plain decimal ("10", "100").
QString pad2(int n);

// A whole decimal number, blanks around it allowed, an optional sign; "02" is 2. Anything
// else (empty, a fraction, letters) gives nothing.
std::optional<long long> wholeNumber(const QString &text);

// The platform's conversion of a text to a 16-bit integer: blanks around allowed, a decimal
// fraction rounded to the nearest whole number with halves to the even one ("2.5" is 2,
// "3.5" is 4), nothing when the text is empty, not a number or outside -32768..32767.
std::optional<short> toInt16(const QString &text);

// A Lua string literal holding the text exactly: backslash, double quote, CR and LF escaped.
QString luaQuoted(const QString &text);
