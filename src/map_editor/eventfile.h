#pragma once

#include "platform/saved.h"

#include <QString>
#include <QStringList>

// The cell event file: one cell's Lua statements, each behind a CR LF, and the CR LF that
// savefile adds at the end. Only that layout reads back exactly as written.
namespace eventfile {

// "/ev/map" + map + "/ev" + row + column, to follow the project folder. Row and column run
// together with no separator and no leading zero: row 1, column 12 is "ev112".
QString filePart(const QString &map, const QString &row, const QString &column);

// Splits a file's text into lines as the panel has always read it: a line ends at a CR LF
// found from the fourth character on, the first line loses its first character (the LF of
// the leading CR LF), and text after the last CR LF is dropped.
QStringList split(const QString &text);

// A line that a command adds never holds a line break, or it would come back as several
// lines, some of them no Lua: each CR LF, lone CR or lone LF becomes one blank, as INI values
// get blanks.
QString oneLine(const QString &line);

// CR LF before every line that is not empty, each as it stands; savefile adds the final CR LF.
// A line read from a file holds no CR LF, and a lone CR or LF in it is Lua's own line break,
// so it is written back as read: re-saving a cell never changes what the game runs.
QString join(const QStringList &lines);

// Through loadfile and savefile: a missing file reads as no lines; a failed write leaves the
// file as it was and says why.
QStringList load(const QString &path);
Saved save(const QStringList &lines, const QString &path);

} // namespace eventfile
