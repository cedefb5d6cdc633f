#include "stage.h"

#include "toolfolder.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

QImage Stage::Result::shot(const QString &name) const
{
    return QImage(shots + QLatin1Char('/') + name).convertToFormat(QImage::Format_ARGB32);
}

QList<QByteArray> Stage::Result::printed() const
{
    QList<QByteArray> texts;
    for (const QByteArray &line : trace) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() >= 4 && words[1] == "print")
            texts.append(line.mid(words[0].size() + words[1].size() + words[2].size() + words[3].size() + 4));
    }
    return texts;
}

Stage::Stage()
{
    // A blank in the path, as in the tool folder the player runs from.
    m_folder = m_dir.path() + QStringLiteral("/stage folder");
    QDir().mkpath(m_folder);
}

void Stage::put(const QString &name, const QByteArray &bytes) const
{
    writeBytes(file(name), bytes);
}

void Stage::putImage(const QString &name, const QImage &image, const char *format) const
{
    QDir().mkpath(QFileInfo(file(name)).path());
    ASSERT_TRUE(image.save(file(name), format, 100)) << name.toStdString();
}

Stage::Result Stage::run(const QByteArray &script, const Env &env) const
{
    put(QStringLiteral("main.lua"), script);
    return start({QStringLiteral("main.lua")}, env);
}

Stage::Result Stage::start(const QStringList &arguments, const Env &env) const
{
    Result r;
    r.shots = m_dir.path() + QStringLiteral("/shots");
    QDir(r.shots).removeRecursively();
    const QString tracePath = m_dir.path() + QStringLiteral("/trace.txt");
    QFile::remove(tracePath);

    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString &key : e.keys()) {
        if (key.startsWith(QLatin1String("LUAPLAYER_")))
            e.remove(key);
    }
    e.insert(QStringLiteral("LUAPLAYER_FRAMES"), QStringLiteral("1000"));
    e.insert(QStringLiteral("LUAPLAYER_TRACE"), tracePath);
    e.insert(QStringLiteral("LUAPLAYER_SHOTS"), r.shots);
    for (auto it = env.begin(); it != env.end(); ++it) {
        if (it.value().isEmpty())
            e.remove(it.key());
        else
            e.insert(it.key(), it.value());
    }

    QProcess p;
    p.setProcessEnvironment(e);
    p.setWorkingDirectory(m_folder);
    p.start(QStringLiteral(TARNWICK_LUAPLAYER), arguments);
    EXPECT_TRUE(p.waitForFinished(60000)) << "the player did not end";
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = p.readAllStandardError();
    for (const QByteArray &line : readBytes(tracePath).split('\n')) {
        if (!line.isEmpty())
            r.trace.append(line);
    }
    return r;
}
