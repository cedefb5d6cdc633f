#include "projects/counts.h"

#include "projects/numbers.h"

ReadCount variableCount(const QString &nombre)
{
    const FileCount count = fileCount(nombre);
    switch (count.status) {
    case FileCount::Valid:
        return {count.value, {}};
    case FileCount::Empty:
        return {0, QStringLiteral("le nombre de variables est vide")};
    case FileCount::NotNumber:
        return {0, QStringLiteral("le nombre de variables « %1 » n'est pas un nombre").arg(nombre)};
    case FileCount::Negative:
    case FileCount::TooLarge:
        break;
    }
    return {
        0,
        QStringLiteral("le nombre de variables « %1 » n'est pas compris entre 0 et %2").arg(nombre).arg(kLargestCount)};
}

ReadCount generatedCount(Edition edition, const QString &text, const char *whatEn, const char *whatFr)
{
    const FileCount count = fileCount(text);
    const QString what = tx(edition, whatEn, whatFr);
    switch (count.status) {
    case FileCount::Valid:
    case FileCount::Empty:
    case FileCount::Negative:
        break;
    case FileCount::NotNumber:
        return {0, tx(edition, "%1 in projet.ini is not a whole number: \"%2\".",
                      "%1 de projet.ini n'est pas un nombre entier : \"%2\".")
                       .arg(what, text)};
    case FileCount::TooLarge:
        // Generating a count beyond the bound would only exhaust memory.
        return {0, tx(edition, "%1 in projet.ini is too large: \"%2\" (at most %3).",
                      "%1 de projet.ini est trop grand : \"%2\" (%3 au plus).")
                       .arg(what, text, QString::number(kLargestCount))};
    }
    return {count.value, {}};
}
