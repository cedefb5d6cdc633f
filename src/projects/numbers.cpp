#include "projects/numbers.h"

#include <QRegularExpression>

#include <cmath>

QString pad2(int n)
{
    return n >= 0 && n < 10 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
}

namespace {

bool looksWhole(const QString &trimmed)
{
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    return whole.match(trimmed).hasMatch();
}

} // namespace

std::optional<long long> wholeNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (!looksWhole(t))
        return std::nullopt;
    bool ok = false;
    const long long n = t.toLongLong(&ok);
    return ok ? std::optional<long long>(n) : std::nullopt;
}

FileCount fileCount(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {FileCount::Empty, 0};
    if (!looksWhole(t))
        return {FileCount::NotNumber, 0};
    bool fits = false;
    const long long n = t.toLongLong(&fits);
    // Digits beyond what 64 bits hold are still a count, just far out of range.
    if (!fits)
        return {t.startsWith(QLatin1Char('-')) ? FileCount::Negative : FileCount::TooLarge, 0};
    if (n < 0)
        return {FileCount::Negative, 0};
    if (n > kLargestCount)
        return {FileCount::TooLarge, 0};
    return {FileCount::Valid, int(n)};
}

std::optional<short> toInt16(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    const QString t = text.trimmed();
    if (!number.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // Round half to even, as the platform's integer conversion does.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<short>(rounded);
}

QString luaQuoted(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    appendLuaQuoted(out, text);
    return out;
}

void appendLuaQuoted(QString &out, const QString &text)
{
    out += QLatin1Char('"');
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '"': out += QStringLiteral("\\\""); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        default: out += ch;
        }
    }
    out += QLatin1Char('"');
}
