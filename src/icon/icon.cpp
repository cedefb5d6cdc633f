#include "icon/icon.h"

#include <QDir>

QIcon tarnwickIcon()
{
    // One picture for each size drawn; a window takes the one nearest to the size it shows.
    QIcon icon;
    const QDir pictures(QStringLiteral(":/tarnwick/icon"));
    for (const QString &name : pictures.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
        icon.addFile(pictures.filePath(name));
    return icon;
}
