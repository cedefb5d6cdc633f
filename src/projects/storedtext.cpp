#include "projects/storedtext.h"

#include "projects/session.h"

namespace storedtext {

namespace {

// Each character with its code points, so that an invisible one can be found: "→ (U+2192)".
QString listed(const QStringList &lost)
{
    QStringList items;
    for (const QString &character : lost) {
        QStringList codes;
        bool visible = false;
        for (const char32_t c : character.toUcs4()) {
            codes.append(QStringLiteral("U+") + QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'));
            visible = visible || QChar::isPrint(c);
        }
        const QString code = codes.join(u' ');
        items.append(visible ? character + QStringLiteral(" (") + code + u')' : code);
    }
    return items.join(QStringLiteral(", "));
}

QString whose(Edition edition, Field field)
{
    switch (field) {
    case Field::MapName:
        return tx(edition, "the map name", "du nom de la carte");
    case Field::Author:
        return tx(edition, "the creator's name", "du nom de l'auteur");
    case Field::StartValue:
        return tx(edition, "the start value", "de la valeur de départ");
    case Field::EventLine:
        return tx(edition, "the new event line", "de la nouvelle ligne d'événement");
    }
    return {};
}

} // namespace

QString lossMessage(Edition edition, Field field, const QStringList &lost)
{
    if (lost.isEmpty())
        return {};
    const char *english = lost.size() == 1
                              ? "This character of %1 could not be kept: %2. The project's files use Windows-1252, "
                                "which has no such character, so it was stored as \"?\"."
                              : "These characters of %1 could not be kept: %2. The project's files use Windows-1252, "
                                "which has no such characters, so each was stored as \"?\".";
    const char *french = lost.size() == 1
                             ? "Ce caractère %1 n'a pas pu être gardé : %2. Les fichiers du projet sont en "
                               "Windows-1252, qui ne l'a pas : il a été enregistré comme « ? »."
                             : "Ces caractères %1 n'ont pas pu être gardés : %2. Les fichiers du projet sont en "
                               "Windows-1252, qui ne les a pas : chacun a été enregistré comme « ? ».";
    return tx(edition, english, french).arg(whose(edition, field), listed(lost));
}

void tellLoss(const Session &session, Field field, const QStringList &lost)
{
    if (!lost.isEmpty())
        session.dialogs().message(lossMessage(session.edition(), field, lost), MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace storedtext
