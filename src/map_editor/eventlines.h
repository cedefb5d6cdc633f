#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The Lua statements that the event commands append to a cell's event list. A typed text
// or value goes inside a Lua string with \ " CR and LF escaped, so that the game shows
// exactly what was typed; every other piece is written as it stands.
namespace eventlines {

// Display Text: affichertexte("v").
QString displayText(const QString &text);

// Pause: the answer as a 16-bit whole number (platform rounding); nothing when the answer is
// empty, not a number or out of range.
std::optional<QString> pause(const QString &answer);

// A condition on variable k (1-based); the operator "=" tests equality, any other ("!") the
// difference.
QString condition(int variable, const QString &op, const QString &value);
QString closeCondition();

// The three options of "Change the hero's HP", in the order of their buttons.
enum class HpChange { Remove = 0, Add = 1, Replace = 2 };
// The amount is written as typed, in the statement and, for Remove and Add, in the comment.
QString heroHp(HpChange change, const QString &amount);

QString setVariable(int variable, const QString &value);

// runmap("NN") with the map number text as it stands.
QString changeMap(const QString &mapNumber);

// The two lines of a hero move to the 1-based row and column: the column goes to hero.x.
QStringList heroMove(int row, int column);

// The items of the variable lists: Combo1 of the condition frame, List1 of the variable frame.
QString conditionVariableItem(int variable, const QString &startValue);
QString variableItem(int variable);

} // namespace eventlines
