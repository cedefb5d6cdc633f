#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

// A folder to run the built luaplayer.exe in: scripts and pictures are written into it, the
// player runs headless with it as working folder, and its trace and shots land beside it.
class Stage {
public:
    // Variables added to (or, with an empty value, taken from) the headless defaults.
    using Env = QMap<QString, QString>;

    struct Result {
        int code = -1;
        QByteArray err;
        QList<QByteArray> trace; // one event a line
        QString shots;

        QImage shot(const QString &name) const;
        // The texts of the "print" events, in order.
        QList<QByteArray> printed() const;
    };

    Stage();
    const QString &folder() const { return m_folder; }
    QString file(const QString &name) const { return m_folder + QLatin1Char('/') + name; }
    void put(const QString &name, const QByteArray &bytes) const;
    void putImage(const QString &name, const QImage &image, const char *format) const;

    // Writes main.lua and runs "luaplayer.exe main.lua".
    Result run(const QByteArray &script, const Env &env = {}) const;
    // Runs the player with these arguments and nothing written.
    Result start(const QStringList &arguments, const Env &env = {}) const;

private:
    QTemporaryDir m_dir;
    QString m_folder;
};
