#pragma once

#include "projects/edition.h"

#include <QString>
#include <QStringList>

class Session;

// Telling the user which typed characters the project's files could not keep.
namespace storedtext {

// The typed texts that are stored.
enum class Field { MapName, Author, StartValue, EventLine };

// The message naming each lost character (and its code, so that an invisible one can be
// found); "" when nothing was lost.
QString lossMessage(Edition edition, Field field, const QStringList &lost);

// Shows that message once through the session's boxes; nothing when nothing was lost.
void tellLoss(const Session &session, Field field, const QStringList &lost);

} // namespace storedtext
