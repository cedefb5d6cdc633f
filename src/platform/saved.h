#pragma once

#include <QString>

// What a write did: the file was replaced whole, or it was left byte for byte as it was and
// `reason` says why in the platform's words (for example "No space left on device").
struct Saved {
    bool ok = true;
    QString reason;

    explicit operator bool() const { return ok; }
    static Saved failed(const QString &reason) { return {false, reason}; }
};

// A file that a save left as it was, and why.
struct NotSaved {
    QString path;
    QString reason;
};
