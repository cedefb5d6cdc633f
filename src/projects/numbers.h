#pragma once

#include <QString>

#include <optional>

// Map numbers and the number conversions that projet.ini values and typed answers go through.

// A map or tile-set number as text: "01" to "09", then plain decimal ("10", "100").
QString pad2(int n);

// A whole decimal number, blanks around it allowed, an optional sign; "02" is 2. Anything
// else (empty, a fraction, letters) gives nothing.
std::optional<long long> wholeNumber(const QString &text);

// The counts that files hold ([Jeu] cartes and combats, [Variables] nombre, [texture] nbimg)
// are all read through fileCount, with one bound: the editors and the game number maps,
// fights, variables and tiles as 16-bit integers, so a count beyond 32767 can only come from a
// damaged file, and looping up to it would hang the window.
constexpr int kLargestCount = 32767;

struct FileCount {
    enum Status { Valid, Empty, NotNumber, Negative, TooLarge };
    Status status = Empty;
    // The count when valid, else 0, so that a loop up to it never runs away.
    int value = 0;

    bool valid() const { return status == Valid; }
};

// A whole number from 0 to kLargestCount, blanks around it allowed; "02" is 2.
FileCount fileCount(const QString &text);

// The platform's conversion of a text to a 16-bit integer: blanks around allowed, a decimal
// fraction rounded to the nearest whole number with halves to the even one ("2.5" is 2,
// "3.5" is 4), nothing when the text is empty, not a number or outside -32768..32767.
std::optional<short> toInt16(const QString &text);

// A Lua string literal holding the text exactly: backslash, double quote, CR and LF escaped.
QString luaQuoted(const QString &text);
// The same, appended to a text being built.
void appendLuaQuoted(QString &out, const QString &text);
