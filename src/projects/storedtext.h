#pragma once

#include "projects/edition.h"

#include <QList>
#include <QString>

class Session;

// Telling the user which typed characters the project's files could not keep.
namespace storedtext {

// The typed texts that are stored.
enum class Field { MapName, Author, StartValue, EventLine };

// The message naming each lost character (and its code, so that an invisible one can be
// found); "" when nothing was lost.
QString lossMessage(Edition edition, Field field, const QList<char32_t> &lost);

// Shows that message once through the session's boxes; nothing when nothing was lost.
void tellLoss(const Session &session, Field field, const QList<char32_t> &lost);

} // namespace storedtext
