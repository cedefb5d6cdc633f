#include "options.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace buttons {

unsigned bitOf(const QString &name)
{
    for (const Name &n : names) {
        if (name == QLatin1String(n.name))
            return n.bit;
    }
    return 0;
}

} // namespace buttons

unsigned KeyScript::heldAt(int frame) const
{
    unsigned held = 0;
    for (const Span &s : spans) {
        if (frame >= s.from && frame <= s.to)
            held |= s.held;
    }
    return held;
}

bool KeyScript::parse(const QByteArray &text, QString &problem)
{
    static const QRegularExpression frames(QStringLiteral("^(\\d+)(?:-(\\d+))?$"));
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")));
        const QString where = QStringLiteral("line %1: ").arg(i + 1);
        const QRegularExpressionMatch m = frames.match(words[0]);
        bool fromOk = false;
        bool toOk = true;
        Span span{};
        if (m.hasMatch()) {
            span.from = m.captured(1).toInt(&fromOk);
            span.to = m.hasCaptured(2) ? m.captured(2).toInt(&toOk) : span.from;
        }
        if (!fromOk || !toOk || span.to < span.from) {
            problem = where + QStringLiteral("\"%1\" is not a frame or a range of frames F-G").arg(words[0]);
            return false;
        }
        for (qsizetype w = 1; w < words.size(); ++w) {
            const unsigned bit = buttons::bitOf(words[w]);
            if (bit == 0) {
                problem = where + QStringLiteral("unknown button \"%1\"").arg(words[w]);
                return false;
            }
            span.held |= bit;
        }
        spans.append(span);
    }
    return true;
}

namespace {

bool readCount(const char *variable, int &value, QString &problem)
{
    bool ok = false;
    value = qEnvironmentVariable(variable).trimmed().toInt(&ok);
    if (!ok || value < 0) {
        problem = QStringLiteral("%1 must be a frame number (0 or more), not \"%2\"")
                      .arg(QLatin1String(variable), qEnvironmentVariable(variable));
        return false;
    }
    return true;
}

} // namespace

QString Options::usage()
{
    return QStringLiteral("usage: luaplayer.exe script.lua (the script is looked up in the current folder)\n"
                          "  with LUAPLAYER_FRAMES=N it runs N frames without a window; there one frame may run "
                          "at most %1 million Lua instructions and %2 seconds, else the run ends with an error")
        .arg(frameInstructionLimit / 1000000)
        .arg(frameSecondLimit);
}

bool Options::namesScript(const QStringList &arguments)
{
    return arguments.size() >= 2 && !arguments[1].isEmpty();
}

bool Options::read(const QStringList &arguments, QString &problem)
{
    if (!namesScript(arguments)) {
        problem = usage();
        return false;
    }
    script = QFile::encodeName(arguments[1]);

    headless = qEnvironmentVariableIsSet("LUAPLAYER_FRAMES");
    if (headless && !readCount("LUAPLAYER_FRAMES", frameLimit, problem))
        return false;

    if (qEnvironmentVariableIsSet("LUAPLAYER_KEYS")) {
        const QString path = qEnvironmentVariable("LUAPLAYER_KEYS");
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            problem = QStringLiteral("LUAPLAYER_KEYS: cannot read %1").arg(path);
            return false;
        }
        if (!keys.parse(file.readAll(), problem)) {
            problem = QStringLiteral("LUAPLAYER_KEYS: %1, %2").arg(path, problem);
            return false;
        }
    }

    // The script moves about with System.currentDirectory; the shots stay where they were asked for.
    shotFolder = qEnvironmentVariable("LUAPLAYER_SHOTS");
    if (!shotFolder.isEmpty())
        shotFolder = QFileInfo(shotFolder).absoluteFilePath();
    const QString frames = qEnvironmentVariable("LUAPLAYER_SHOT_FRAMES").trimmed();
    if (!frames.isEmpty()) {
        if (shotFolder.isEmpty()) {
            problem = QStringLiteral("LUAPLAYER_SHOT_FRAMES needs LUAPLAYER_SHOTS, the folder for the pictures");
            return false;
        }
        for (const QString &part : frames.split(QLatin1Char(','))) {
            bool ok = false;
            const int frame = part.trimmed().toInt(&ok);
            if (!ok || frame < 0) {
                problem = QStringLiteral("LUAPLAYER_SHOT_FRAMES: \"%1\" is not a frame number").arg(part);
                return false;
            }
            shotFrames.append(frame);
        }
        std::sort(shotFrames.begin(), shotFrames.end());
        shotFrames.erase(std::unique(shotFrames.begin(), shotFrames.end()), shotFrames.end());
    }

    tracePath = qEnvironmentVariable("LUAPLAYER_TRACE");
    return true;
}
