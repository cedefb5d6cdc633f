#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// For tests, and kept out of ini.h: how the INI reader and writer read a file. A test puts a
// reader of its own in place for the life of a FileReadSeam, to make a read fail half-way or to
// see which files are read; otherwise every read goes through ansi::readFile.
namespace ini {

using FileRead = std::function<bool(const QString &path, QByteArray &bytes)>;

class FileReadSeam {
public:
    explicit FileReadSeam(FileRead read);
    // Puts back the reader that was in place before.
    ~FileReadSeam();
    FileReadSeam(const FileReadSeam &) = delete;
    FileReadSeam &operator=(const FileReadSeam &) = delete;

private:
    FileRead m_replaced;
};

} // namespace ini
