#pragma once

#include "platform/saved.h"

#include <QString>

#include <functional>

#include <sys/resource.h>

// A full disk without root and without mounting: a limit on the size of every file this
// process writes (RLIMIT_FSIZE), with SIGXFSZ ignored, so that a write past it fails with
// EFBIG as a write on a full disk fails with ENOSPC; a small buffered write fails only at
// its flush, exactly as on a full disk.
class FileSizeLimit {
public:
    // Lowers the soft limit to `bytes`; the destructor puts back the limit and the signal's
    // handling as they were, whatever the test did in between.
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

// Runs `write` in a child process whose files may hold at most `bytes` bytes and gives back
// what it said; a child that does not finish normally gives a failure naming that.
Saved inChildWithFileLimit(rlim_t bytes, const std::function<Saved()> &write);

// What the platform says of a write past the limit: "File too large".
QString fileTooLarge();
