#include "projects/newproject.h"

#include "platform/ansi.h"
#include "projects/module1.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace newproject {

namespace {

const QString kForbidden = QStringLiteral("/\\<>:\"|?*");
// readini gives a value back as at most 254 characters; a longer name would be written into
// [Jeu] nom whole and read back cut, and the project could never be opened again.
constexpr int kLongestName = 254;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Creates one folder; "" or why it could not be made.
QString makeFolder(const QString &path, Edition edition)
{
    if (QDir().mkdir(path))
        return {};
    if (QFileInfo::exists(path))
        return tx(edition, "The folder %1 already exists.", "Le dossier %1 existe déjà.").arg(shown(path));
    return tx(edition, "The folder %1 could not be created.", "Le dossier %1 n'a pas pu être créé.").arg(shown(path));
}

// "" or why a file was not written.
QString written(const Saved &saved, const QString &path, Edition edition)
{
    if (saved)
        return {};
    return tx(edition, "The file %1 could not be written: %2", "Le fichier %1 n'a pas pu être écrit : %2")
        .arg(shown(path), saved.reason);
}

// Copies a picture byte for byte, replacing the target as every save replaces its file.
QString copyFile(const QString &from, const QString &to, Edition edition)
{
    QByteArray bytes;
    if (!ansi::readFile(from, bytes))
        return tx(edition, "The file %1 is missing.", "Le fichier %1 est introuvable.").arg(shown(from));
    if (const Saved saved = ansi::replaceFile(to, bytes); !saved)
        return tx(edition, "The file %1 could not be copied to %2: %3",
                  "Le fichier %1 n'a pas pu être copié vers %2 : %3")
            .arg(shown(from), shown(to), saved.reason);
    return {};
}

QString copyText(const QString &from, const QString &to, Edition edition)
{
    return written(Module1::savefile(Module1::loadfile(from), to), to, edition);
}

} // namespace

bool isValidName(const QString &name)
{
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F) || kForbidden.contains(c))
            return false;
    }
    return ansi::canEncode(name);
}

QString create(const QString &toolFolder, const QString &name, const QString &author, Edition edition)
{
    const QString p = toolFolder + QStringLiteral("/projets/") + name;
    if (name.isEmpty())
        return tx(edition, "The project has no name.", "Le projet n'a pas de nom.");
    if (!isValidName(name))
        return tx(edition,
                  "\"%1\" cannot name a project folder: it may not be \".\" or \"..\", nor hold / \\ < > : \" | ? * "
                  "or control characters, and each of its characters must be one that Windows-1252 holds.",
                  "« %1 » ne peut pas nommer un dossier de projet : ni « . » ni « .. », aucun des caractères "
                  "/ \\ < > : \" | ? * ni caractère de contrôle, et chacun de ses caractères doit exister "
                  "en Windows-1252.")
            .arg(name);
    if (name.size() > kLongestName)
        return tx(edition,
                  "The name has %1 characters; projet.ini gives back at most %2, so the project could never be "
                  "opened again. Choose a shorter name.",
                  "Le nom a %1 caractères ; projet.ini n'en rend que %2 au plus, et le projet ne pourrait plus "
                  "jamais être ouvert. Choisissez un nom plus court.")
            .arg(name.size())
            .arg(kLongestName);

    // 1. The project folder: an existing project stops the creation before anything is written.
    if (QString error = makeFolder(p, edition); !error.isEmpty())
        return error;

    // 2. projet.ini, in the order its sections and keys are read back.
    const QString ini = p + QStringLiteral("/projet.ini");
    const struct {
        const char *section, *key;
        QString value;
    } entries[] = {
        {"Jeu", "nom", name},
        {"Jeu", "auteur", author},
        {"Jeu", "ver", QStringLiteral("3.0.0")},
        {"Jeu", "cartes", QStringLiteral("1")},
        {"Jeu", "combats", QStringLiteral("0")},
        {"Carte01", "texture", QStringLiteral("01")},
        {"Carte01", "nom", QStringLiteral("Carte 1")},
        {"Variables", "nombre", QStringLiteral("0")},
    };
    for (const auto &e : entries) {
        const Saved saved = Module1::writeini(QLatin1String(e.section), QLatin1String(e.key), e.value, ini);
        if (QString error = written(saved, ini, edition); !error.isEmpty())
            return error;
    }

    // 3. The folders.
    for (const char *folder : {"/images", "/images/System", "/images/personnages", "/images/personnages/hero",
                               "/images/map01", "/ev", "/ev/map01"}) {
        if (QString error = makeFolder(p + QLatin1String(folder), edition); !error.isEmpty())
            return error;
    }

    // 4. The hero's sprites.
    const QString data = toolFolder + QStringLiteral("/data");
    for (const char *sprite : {"dos1.png", "dos2.png", "dos3.png", "face1.png", "face2.png", "face3.png", "droite1.png",
                               "droite2.png", "droite3.png", "gauche1.png", "gauche2.png", "gauche3.png", "mort.png"}) {
        const QString file = QLatin1String(sprite);
        if (QString error = copyFile(data + QStringLiteral("/images/personnages/perso01/") + file,
                                     p + QStringLiteral("/images/personnages/hero/") + file, edition);
            !error.isEmpty())
            return error;
    }

    // 5. The system pictures: from "system" to "System".
    for (const char *picture : {"imgprinc.png", "menuingame.png", "menuprinc.png", "parler.png"}) {
        const QString file = QLatin1String(picture);
        if (QString error = copyFile(data + QStringLiteral("/images/system/theme01/") + file,
                                     p + QStringLiteral("/images/System/") + file, edition);
            !error.isEmpty())
            return error;
    }

    // 6. The game's scripts.
    for (const auto &[from, to] :
         {std::pair{"/ftgr.dat", "/ram.lua"}, std::pair{"/ftgm.dat", "/map.lua"}, std::pair{"/ftgi.dat", "/index.lua"},
          std::pair{"/ftgms.dat", "/menustart.lua"}, std::pair{"/ftgev.dat", "/ev.lua"}}) {
        if (QString error = copyText(data + QLatin1String(from), p + QLatin1String(to), edition); !error.isEmpty())
            return error;
    }

    // 7. The first map's tile-set sheet.
    if (QString error = copyFile(data + QStringLiteral("/images/terrains/terrain01/terrain01.png"),
                                 p + QStringLiteral("/images/map01/terrain.png"), edition);
        !error.isEmpty())
        return error;

    // 8. The first map: block file, then map file.
    for (const auto &[from, to] : {std::pair{"/ftgmev.dat", "/map01.ev"}, std::pair{"/ftgmma.dat", "/map01.map"}}) {
        if (QString error = copyText(data + QLatin1String(from), p + QLatin1String(to), edition); !error.isEmpty())
            return error;
    }

    // 9. The first variables.lua.
    const QString variables = p + QStringLiteral("/variables.lua");
    return written(Module1::savefile(QStringLiteral("--Variables du jeu"), variables), variables, edition);
}

} // namespace newproject
