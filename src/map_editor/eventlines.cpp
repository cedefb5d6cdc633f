#include "map_editor/eventlines.h"

#include "projects/numbers.h"

namespace eventlines {

namespace {
const QChar Q = QLatin1Char('"');
}

QString displayText(const QString &text)
{
    return QStringLiteral("affichertexte(") + luaQuoted(text) + QStringLiteral(")");
}

std::optional<QString> pause(const QString &answer)
{
    const std::optional<short> frames = toInt16(answer);
    if (!frames)
        return std::nullopt;
    return QStringLiteral("screen.waitVblankStart(") + QString::number(*frames) + QStringLiteral(")");
}

QString condition(int variable, const QString &op, const QString &value)
{
    const QString comparison = op == QStringLiteral("=") ? QStringLiteral("== ") : QStringLiteral("~= ");
    return QStringLiteral("if var[") + QString::number(variable) + QStringLiteral("] ") + comparison +
           luaQuoted(value) + QStringLiteral(" then");
}

QString closeCondition()
{
    return QStringLiteral("end");
}

QString heroHp(HpChange change, const QString &amount)
{
    switch (change) {
    case HpChange::Remove:
        return QStringLiteral("hero.vie = hero.vie - ") + amount + QStringLiteral(" -- Retrait de ") + amount +
               QStringLiteral(" de vie au héro");
    case HpChange::Add:
        return QStringLiteral("hero.vie = hero.vie + ") + amount + QStringLiteral(" -- Ajout de ") + amount +
               QStringLiteral(" de vie au héro");
    case HpChange::Replace:
        break;
    }
    return QStringLiteral("hero.vie = ") + amount + QStringLiteral(" -- Changement de la vie du héro");
}

QString setVariable(int variable, const QString &value)
{
    return QStringLiteral("var[") + QString::number(variable) + QStringLiteral("] = ") + luaQuoted(value);
}

QString changeMap(const QString &mapNumber)
{
    return QStringLiteral("runmap(") + Q + mapNumber + Q + QStringLiteral(")");
}

QStringList heroMove(int row, int column)
{
    return {QStringLiteral("hero.x = ") + QString::number(column) + QStringLiteral(" -- Déplacement du héro(vertical)"),
            QStringLiteral("hero.y = ") + QString::number(row) +
                QStringLiteral(" -- Déplacelement du héro(horizontal)")};
}

QString conditionVariableItem(int variable, const QString &startValue)
{
    return QStringLiteral("Variable ") + QString::number(variable) + QStringLiteral(" de valeur initale : ") +
           startValue;
}

QString variableItem(int variable)
{
    return QStringLiteral("Variable") + QString::number(variable);
}

} // namespace eventlines
