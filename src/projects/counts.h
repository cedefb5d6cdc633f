#pragma once

#include "projects/edition.h"

#include <QString>

// What the windows and the generator make of a count read from projet.ini ([Jeu] cartes,
// [Variables] nombre). All follow fileCount's one rule, a whole number from 0 to 32767 ("02"
// is 2), so a count that breaks it lists, offers and generates nothing anywhere; a reader that
// says why keeps its own words.
struct ReadCount {
    // What to list, offer or loop up to: the count, or 0 when the text is no count.
    int value = 0;
    // Why the text is no count, for the reader to show; empty when it is one, or when the reader
    // has nothing to say about it.
    QString failure;
};

// [Variables] nombre for the variables editor and the event panel's variable lists; the failure
// in the variables editor's words (French in both editions, as its other messages).
ReadCount variableCount(const QString &nombre);

// A count the generator loops over, the failure naming it (whatEn, whatFr) in the edition's
// language. An empty or negative count says nothing and generates nothing.
ReadCount generatedCount(Edition edition, const QString &text, const char *whatEn, const char *whatFr);
