#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary tool folder made from the built tool data (the real data/ and Doc/, with the
// drawn pictures).
class ToolFolder {
public:
    explicit ToolFolder(bool withData = true);
    const QString &path() const { return m_path; }
    QString file(const QString &part) const { return m_path + part; }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// Small file helpers for byte-exact checks.
QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
bool copyTree(const QString &from, const QString &to);
