#include "platform/ansi.h"
#include "platform/ini.h"
#include "platform/iniseam.h"
#include "projects/module1.h"
#include "toolfolder.h"

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

// The reader as it was before the parsed snapshot, line scan for line scan, on the bytes of
// the file (nothing for a missing file): what every reader must still answer.
namespace original {

struct Line {
    QByteArray text;
    QByteArray end;
};

QList<Line> splitLines(const QByteArray &bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype i = start;
        while (i < n && bytes[i] != '\r' && bytes[i] != '\n')
            ++i;
        Line line{bytes.mid(start, i - start), {}};
        if (i < n) {
            const qsizetype endLength = (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
            line.end = bytes.mid(i, endLength);
            i += endLength;
        }
        lines.append(line);
        start = i;
    }
    return lines;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimBlanks(const QByteArray &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

bool sameName(const QByteArray &a, const QByteArray &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<QByteArray> sectionName(const QByteArray &line)
{
    const QByteArray t = trimBlanks(line);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return trimBlanks(close < 0 ? t.mid(1) : t.mid(1, close - 1));
}

bool isComment(const QByteArray &line)
{
    return trimBlanks(line).startsWith(';');
}

std::optional<QByteArray> keyOf(const QByteArray &line)
{
    if (isComment(line) || sectionName(line))
        return std::nullopt;
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return trimBlanks(line.left(eq));
}

QByteArray valueOf(const QByteArray &line)
{
    QByteArray v = trimBlanks(line.mid(line.indexOf('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

QString read(const QString &section, const QString &key, const std::optional<QByteArray> &file, int bufferSize)
{
    if (bufferSize <= 0 || !file)
        return QString();
    const QList<Line> lines = splitLines(*file);
    qsizetype header = -1, end = -1;
    for (qsizetype i = 0; i < lines.size() && header < 0; ++i) {
        const auto name = sectionName(lines[i].text);
        if (name && sameName(*name, ansi::encode(section))) {
            header = i;
            end = i + 1;
            while (end < lines.size() && !sectionName(lines[end].text))
                ++end;
        }
    }
    if (header < 0)
        return QString();
    const QByteArray wanted = ansi::encode(key);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto k = keyOf(lines[i].text);
        if (k && sameName(*k, wanted))
            return ansi::decode(valueOf(lines[i].text).left(bufferSize - 1));
    }
    return QString();
}

} // namespace original

// Every name a lookup might use on the file: each piece of each line between brackets and
// equals signs, as it stands and trimmed, in other capitals (ASCII and accented), and a few
// that are in no file.
QStringList namesIn(const QByteArray &file)
{
    QSet<QByteArray> pieces{"", "absent", " S", "S ", "s", "k", "K"};
    for (QByteArray line : file.split('\n')) {
        for (const char sep : {'\r', '[', ']', '='})
            line.replace(sep, '\n');
        for (const QByteArray &piece : line.split('\n')) {
            if (piece.size() > 40)
                continue;
            pieces << piece << original::trimBlanks(piece) << piece.toUpper() << piece.toLower();
            QByteArray flipped = piece;
            for (char &c : flipped)
                if ((uchar(c) >= 0xC0 && uchar(c) <= 0xDE) || (uchar(c) >= 0xE0 && uchar(c) <= 0xFE))
                    c = char(uchar(c) ^ 0x20);
            pieces << flipped;
        }
    }
    QStringList names;
    for (const QByteArray &p : pieces)
        names << ansi::decode(p);
    return names;
}

struct TrickyFile {
    const char *name;
    std::optional<QByteArray> bytes; // nothing: the file is missing
};

QList<TrickyFile> trickyFiles()
{
    return {
        {"sections of one name in other capitals",
         "[Jeu]\r\nnom=A\r\n[JEU]\r\nnom=B\r\nextra=C\r\n[jeu]\r\nextra=D\r\n[Autre]\r\nnom=E\r\n"},
        {"keys of one name", "[S]\r\nk=1\r\nK=2\r\n k =3\r\n[T]\r\nk=4\r\n"},
        {"quotes of both kinds",
         "[S]\r\nd=\"double\"\r\ns='single'\r\nmixed=\"x'\r\ninner=a\"b\"c\r\nempty=\"\"\r\nnested=\"'x'\"\r\n"
         "spaced= \" padded \" \r\nq1='\r\n"},
        {"unbalanced quotes", "[S]\r\na=\"open\r\nb=close\"\r\nc='open\r\nd=\"\"\"\r\ne=\"\r\n"},
        {"blanks and tabs", "[\t S p \t]\r\n\t key \t=\t value \t \r\n k2=v2\t\r\n[ T]\r\nx = \t\r\ny=\t\"\t\"\r\n"},
        {"comments",
         "; top\r\n[S]\r\n;k=commented\r\n  ; k=also\r\nk=real ; not a comment\r\n#h=hash\r\n[;S]\r\nx=1\r\n"},
        {"keys before any section", "k=orphan\r\n=empty name\r\n[S]\r\nk=inside\r\n"},
        {"equals signs inside values and empty names",
         "[S]\r\nk=a=b=c\r\n=no key\r\nempty=\r\n k = = \r\n[]\r\nk=nameless\r\n[ ]\r\nk=blank name\r\n"},
        {"lines without an equals sign and odd headers",
         "[S]\r\njust text\r\nk\r\nk=value\r\n[T\r\nx=unclosed header\r\n[U]trailing\r\ny=1\r\n [x]=1\r\n"},
        {"mixed line ends", "[A]\nk=lf\r[B]\rk=cr\r\n[C]\r\nk=crlf\n\r\nm=after blank\r\r\nn=last\n"},
        {"no final line end", "[S]\r\nk=last"},
        {"long values", "[S]\r\nlong=" + QByteArray(300, 'a') + "\r\nq=\"" + QByteArray(260, 'b') +
                            "\"\r\nexact=" + QByteArray(254, 'c') + "\r\nover=" + QByteArray(255, 'd') + "\r\n"},
        {"Windows-1252 bytes",
         "[\xC9t\xE9]\r\n\xE9l\xE8ve=\x80\x81\x9F\xFF\r\n[\xE9T\xC9]\r\n\xC9L\xC8VE=second\r\n[Stra\xDF"
         "e]\r\nk=\xA0x\xA0\r\n"},
        {"a NUL byte in a name", "[S]\r\nk" + QByteArray(1, '\0') + "x=1\r\nk=2\r\n"},
        {"only line ends", "\r\n\n\r"},
        {"an empty file", ""},
        {"a missing file", std::nullopt},
    };
}

class Ini : public ::testing::Test {
protected:
    QString file(const QString &name = QStringLiteral("t.ini")) const { return dir.path() + '/' + name; }
    QTemporaryDir dir;
};

} // namespace

// The parsed snapshot, the one-shot reader and Module1's readini answer every lookup on every
// file exactly as the original line scan did.
TEST(IniReaders, AnswerAsTheOriginalReaderOnTrickyFiles)
{
    QTemporaryDir dir;
    for (const TrickyFile &t : trickyFiles()) {
        SCOPED_TRACE(t.name);
        const QString f = dir.path() + QStringLiteral("/projet.ini");
        QFile::remove(f);
        if (t.bytes)
            writeBytes(f, *t.bytes);
        const ini::Snapshot snapshot(f);
        const QStringList names = namesIn(t.bytes.value_or(QByteArray()));
        QStringList wrong;
        int found = 0;
        for (const QString &section : names) {
            for (const QString &key : names) {
                const QString want = original::read(section, key, t.bytes, 255);
                found += !want.isEmpty();
                const QList<std::pair<const char *, QString>> answers{
                    {"ini::read", ini::read(section, key, f)},
                    {"Snapshot", snapshot.value(section, key)},
                    {"Module1::readini", Module1::readini(section, key, f)},
                };
                for (const auto &[reader, got] : answers)
                    if (got != want)
                        wrong << QStringLiteral("%1 [%2] %3: \"%4\" instead of \"%5\"")
                                     .arg(reader, section, key, got, want);
                for (const int buffer : {0, 1, 2, 10, 254, 256}) {
                    const QString want = original::read(section, key, t.bytes, buffer);
                    if (snapshot.value(section, key, buffer) != want || ini::read(section, key, f, buffer) != want)
                        wrong << QStringLiteral("[%1] %2 with a buffer of %3").arg(section, key).arg(buffer);
                }
            }
        }
        EXPECT_EQ(wrong.mid(0, 10).join('\n').toStdString(), "") << wrong.size() << " wrong answers";
        if (t.bytes && t.bytes->contains('=')) {
            EXPECT_GT(found, 0) << "the names found nothing to read";
        }
    }
}

TEST_F(Ini, WritesInFirstWrittenOrderAndCreatesTheFile)
{
    const QString f = file();
    EXPECT_TRUE(ini::write("Jeu", "nom", "Quest", f));
    EXPECT_TRUE(ini::write("Jeu", "auteur", "Corvin", f));
    EXPECT_TRUE(ini::write("Carte01", "texture", "01", f));
    EXPECT_TRUE(ini::write("Jeu", "cartes", "1", f));
    EXPECT_EQ(readBytes(f), QByteArray("[Jeu]\r\nnom=Quest\r\nauteur=Corvin\r\ncartes=1\r\n"
                                       "[Carte01]\r\ntexture=01\r\n"));
}

TEST_F(Ini, NamesMatchWithoutRegardToCase)
{
    const QString f = file();
    ini::write("Jeu", "auteur", "Corvin", f);
    ini::write("Carte01", "nom", "Carte 1", f);
    EXPECT_EQ(ini::read("jeu", "Auteur", f), "Corvin");
    EXPECT_EQ(ini::read("carte01", "NOM", f), "Carte 1");
    // Rewriting under other capitals replaces the entry and keeps the file's spelling.
    ini::write("JEU", "AUTEUR", "Ana", f);
    EXPECT_EQ(readBytes(f), QByteArray("[Jeu]\r\nauteur=Ana\r\n[Carte01]\r\nnom=Carte 1\r\n"));
}

TEST_F(Ini, MissingFileSectionOrKeyReadsEmpty)
{
    const QString f = file();
    EXPECT_EQ(ini::read("Jeu", "nom", f), "");
    ini::write("Jeu", "nom", "x", f);
    EXPECT_EQ(ini::read("Autre", "nom", f), "");
    EXPECT_EQ(ini::read("Jeu", "autre", f), "");
}

TEST_F(Ini, LongValueIsStoredWholeAndReadBackAs254Characters)
{
    const QString f = file();
    const QString value(300, QLatin1Char('a'));
    ini::write("Jeu", "nom", value, f);
    EXPECT_TRUE(readBytes(f).contains(value.toLatin1()));
    EXPECT_EQ(ini::read("Jeu", "nom", f), QString(254, QLatin1Char('a')));
    EXPECT_EQ(ini::read("Jeu", "nom", f, 10), QString(9, QLatin1Char('a')));
}

TEST_F(Ini, AccentedValueIsOneWindows1252Byte)
{
    const QString f = file();
    ini::write("Jeu", "nom", QString::fromUtf8("é"), f);
    EXPECT_EQ(readBytes(f), QByteArray("[Jeu]\r\nnom=\xE9\r\n"));
    EXPECT_EQ(ini::read("Jeu", "nom", f), QString::fromUtf8("é"));
}

TEST_F(Ini, ReadsAsTheWindowsReaderDoes)
{
    const QString f = file();
    writeBytes(f, "orphan=before\r\n"
                  "[ Jeu ]\n"
                  "; nom=commented\r"
                  "  nom \t=  \"quoted value\"  \r\n"
                  "no equals sign\r\n"
                  "nom=second wins not\r\n"
                  "single='x'\r\n"
                  "half=\"x\r\n"
                  "[Jeu]\r\n"
                  "other=in second section\r\n");
    EXPECT_EQ(ini::read("", "orphan", f), "");
    EXPECT_EQ(ini::read("Jeu", "nom", f), "quoted value");
    EXPECT_EQ(ini::read("Jeu", "single", f), "x");
    EXPECT_EQ(ini::read("Jeu", "half", f), "\"x");
    EXPECT_EQ(ini::read("Jeu", "other", f), "") << "the first section of a name wins";
}

TEST_F(Ini, RoundTripsValuesTheReaderWouldChange)
{
    const QString f = file();
    for (const QString &value : {QStringLiteral(" lead"), QStringLiteral("trail "), QStringLiteral("\"q\""),
                                QStringLiteral("'s'"), QStringLiteral(""), QStringLiteral("a=b"),
                                QStringLiteral("\"")}) {
        ini::write("S", "k", value, f);
        EXPECT_EQ(ini::read("S", "k", f), value) << value.toStdString();
    }
}

TEST_F(Ini, EditsKeepEveryOtherLineByteForByte)
{
    const QString f = file();
    writeBytes(f, "; head\r\n[A]\r\nx=1\n\r\n[B]\r\ny=2\r\n; tail");
    ini::write("A", "x", "9", f);
    ini::write("A", "z", "3", f);
    ini::write("C", "w", "4", f);
    EXPECT_EQ(readBytes(f), QByteArray("; head\r\n[A]\r\nx=9\nz=3\r\n\r\n[B]\r\ny=2\r\n; tail\r\n[C]\r\nw=4\r\n"));
}

TEST_F(Ini, AFileThatExistsButCannotBeReadIsLeftWhole)
{
    const QString f = file();
    const QByteArray before = "[Jeu]\r\nnom=Quest\r\ncartes=3\r\n[Variables]\r\nnombre=2\r\n";
    writeBytes(f, before);
    // A read that fails half-way, as a disk error would, after giving part of the file.
    const ini::FileReadSeam failing([](const QString &, QByteArray &bytes) {
        bytes = "[Jeu]\r\nno";
        return false;
    });
    EXPECT_FALSE(ini::write("Jeu", "cartes", "4", f));
    EXPECT_FALSE(ini::write("Carte04", "nom", "Carte 4", f));
    EXPECT_EQ(readBytes(f), before);

    // Only a missing file is made anew.
    const QString missing = file("new.ini");
    EXPECT_TRUE(ini::write("Jeu", "nom", "x", missing));
    EXPECT_EQ(readBytes(missing), QByteArray("[Jeu]\r\nnom=x\r\n"));
}

TEST_F(Ini, MissingFolderCreatesNothing)
{
    const QString f = dir.path() + "/nowhere/t.ini";
    EXPECT_FALSE(ini::write("Jeu", "nom", "x", f));
    EXPECT_FALSE(QFile::exists(f));
}

// A file changed a moment ago may change again within the same tick of the file system's clock
// and keep its size and times: the cache reads such a file every time until it has settled, and
// a settled one only when its stamp, the entry or the file asked for changes.
TEST_F(Ini, CacheReadsAgainWhatMayHaveChanged)
{
    const QString f = file();
    ini::write("S", "k", "1", f);
    ini::write("S", "j", "2", f);
    int reads = 0;
    const ini::FileReadSeam counting([&](const QString &path, QByteArray &bytes) {
        ++reads;
        return ansi::readFile(path, bytes);
    });
    Module1::IniCache cache;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(cache.readini("S", "k", f), "1");
    EXPECT_EQ(reads, 3);

    QFile old(f);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(cache.readini("S", "k", f), "1");
    EXPECT_EQ(reads, 4);
    EXPECT_EQ(cache.readini("S", "j", f), "2");
    EXPECT_EQ(cache.readini("s", "J", f), "2");
    EXPECT_EQ(cache.readini("S", "k", file("other.ini")), "");
    EXPECT_EQ(reads, 7);
}
