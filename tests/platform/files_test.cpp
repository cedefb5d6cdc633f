#include "platform/ansi.h"
#include "projects/module1.h"
#include "toolfolder.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

TEST(Ansi, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    const QString text = ansi::decode(all);
    EXPECT_EQ(ansi::encode(text), all);
    EXPECT_TRUE(ansi::canEncode(text));
    EXPECT_EQ(ansi::decode("\x80\x9F\xE9"), QString::fromUtf8("€Ÿé"));
}

TEST(Ansi, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    const QString text = QString::fromUtf8("a\u4E2Db\u0100");
    EXPECT_FALSE(ansi::canEncode(text));
    EXPECT_EQ(ansi::encode(text), QByteArray("a?b?"));
}

// What a file keeps of a text outside Windows-1252, and what the user is told was lost.
TEST(Ansi, StoreGivesWhatTheFileKeepsAndEachLostCharacterOnce)
{
    struct Case {
        const char *text;
        QByteArray bytes;
        QStringList lost;
    };
    const QList<Case> cases = {
        // Text that Windows-1252 holds is written as it stands, the undefined bytes' characters too.
        {"Épée œuvre € … – — «»\u0081\u009D", "\xC9p\xE9\x65 \x9Cuvre \x80 \x85 \x96 \x97 \xAB\xBB\x81\x9D", {}},
        {"Grotte → Nord", "Grotte ? Nord", {"→"}},
        // An emoji is one character: one '?', named once however often it comes; so is a flag,
        // a heart with its emoji selector, a family joined by zero-width joiners.
        {"😀a😀→😀", "?a???", {"😀", "→"}},
        {"🇫🇷 ❤️ 👨‍👩‍👧", "? ? ?", {"🇫🇷", "❤️", "👨‍👩‍👧"}},
        // The no-break spaces of other widths become the no-break space, with nothing lost.
        {"Salut\u202F! 12\u2007h", "Salut\xA0! 12\xA0h", {}},
        // A letter and its combining accent are the accented letter when Windows-1252 has it,
        // else one lost character; so is a character whose canonical form is two.
        {"Cafe\u0301 e\u0303 \u212B \u0958", "Caf\xE9 ? \xC5 ?", {"e\u0303", "\u0958"}},
        // Line ends and tabs stay as they are beside a lost character.
        {"a\r\nb\t→\r", "a\r\nb\t?\r", {"→"}},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ansi::encode(text), c.bytes);
        const ansi::Stored stored = ansi::store(text);
        EXPECT_EQ(stored.text, ansi::decode(c.bytes));
        EXPECT_EQ(stored.lost, c.lost);
        // What was stored is stored again unchanged.
        EXPECT_EQ(ansi::store(stored.text).text, stored.text);
        EXPECT_TRUE(ansi::store(stored.text).lost.isEmpty());
    }

    // Nothing beside a lost character changes: every byte's character, then an arrow.
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    EXPECT_EQ(ansi::encode(ansi::decode(all) + QString::fromUtf8("→")), all + '?');
    // A lone surrogate, as a broken paste may leave, is one lost character too.
    EXPECT_EQ(ansi::encode(QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b")), "a?b");
    // A project name must be held exactly: a stand-in is no exact form.
    EXPECT_FALSE(ansi::canEncode(QString::fromUtf8("a\u202Fb")));
}

TEST(Ansi, AFailedReplaceLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString f = dir.path() + "/keep.txt";
    writeBytes(f, "old contents");
    // The writer fails half-way, as a full disk would.
    EXPECT_FALSE(ansi::replaceFileWith(f, [](QIODevice &d) {
        d.write("new con");
        return false;
    }));
    EXPECT_EQ(readBytes(f), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"}) << "no temporary file is left";
    EXPECT_TRUE(ansi::replaceFile(f, "new"));
    EXPECT_EQ(readBytes(f), QByteArray("new"));
}

// One reader through files of many sizes in a row, as the generator reads cell files: each read
// gives exactly its own file whatever came before it, and one it cannot read gives nothing.
TEST(Ansi, FileReaderGivesEachFileWholeWhateverCameBefore)
{
    QTemporaryDir dir;
    QList<std::pair<QString, std::optional<QByteArray>>> files;
    for (const int size : {100000, 1, 0, 4097, 4096, 4095, 58, 200000}) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            bytes[i] = char(i * 7 + size);
        const QString path = dir.path() + QStringLiteral("/f%1").arg(size);
        writeBytes(path, bytes);
        files.append({path, bytes});
        if (size == 1)
            files.append({dir.path() + QStringLiteral("/missing"), std::nullopt});
        if (size == 4096)
            files.append({dir.path(), std::nullopt});
    }
    files.append({QString(), std::nullopt});
    // A file that says it is empty yet is not: it is read to its end.
    QFile proc(QStringLiteral("/proc/self/cmdline"));
    ASSERT_TRUE(proc.open(QIODevice::ReadOnly));
    files.append({proc.fileName(), proc.readAll()});

    ansi::FileReader reader;
    for (const auto &[path, bytes] : files) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(reader.readNative(QFile::encodeName(path)), bytes.has_value());
        EXPECT_TRUE(reader.bytes() == bytes.value_or(QByteArray())) << reader.bytes().size();
        QByteArray whole;
        EXPECT_EQ(ansi::readFile(path, whole), bytes.has_value());
        EXPECT_EQ(whole, bytes.value_or(QByteArray()));
    }
}

TEST(Module1, SavefileAppendsCrLf)
{
    QTemporaryDir dir;
    const QString f = dir.path() + "/a.txt";
    Module1::savefile("abc", f);
    EXPECT_EQ(readBytes(f), QByteArray("abc\r\n"));
    EXPECT_EQ(Module1::loadfile(f), "abc\r\n");
    Module1::savefile("", f);
    EXPECT_EQ(readBytes(f), QByteArray("\r\n"));
    EXPECT_EQ(Module1::loadfile(f), "\r\n");
}

TEST(Module1, FailuresAreSilentAndCreateNothing)
{
    QTemporaryDir dir;
    Module1::savefile("abc", "");
    Module1::savefile("abc", dir.path() + "/missing/a.txt");
    EXPECT_FALSE(QDir(dir.path() + "/missing").exists());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_EQ(Module1::loadfile(dir.path() + "/none.txt"), "");
    EXPECT_EQ(Module1::loadfile(""), "");
    EXPECT_EQ(Module1::loadfile(dir.path()), "") << "a folder reads as nothing";
}

TEST(Module1, CopyOfAllByteValuesIsTheSameBytesPlusCrLf)
{
    QTemporaryDir dir;
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    writeBytes(dir.path() + "/src.dat", all);
    Module1::savefile(Module1::loadfile(dir.path() + "/src.dat"), dir.path() + "/dst.lua");
    EXPECT_EQ(readBytes(dir.path() + "/dst.lua"), all + "\r\n");
}

TEST(Module1, IniProceduresUseTheProjectFileConventions)
{
    QTemporaryDir dir;
    const QString f = dir.path() + "/projet.ini";
    Module1::writeini("Jeu", "cartes", "02", f);
    EXPECT_EQ(Module1::readini("jeu", "Cartes", f), "02");
    Module1::writeini("Jeu", "nom", QString(300, 'n'), f);
    EXPECT_EQ(Module1::readini("Jeu", "nom", f).size(), 254);
    Module1::writeini("Jeu", "nom", "x", dir.path() + "/missing/projet.ini");
    EXPECT_FALSE(QDir(dir.path() + "/missing").exists());
}
