#include "TestSupport.h"

#include "core/common/ProgramFolder.h"
#include "core/localisation/LanguageFiles.h"
#include "core/localisation/LanguageTexts.h"
#include "core/settings/IniReader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every section and key of a language file, in file order.
QList<std::pair<QString, QString>> keysOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<std::pair<QString, QString>> keys;
    QString section;
    static const QRegularExpression sectionLine(u"^\\s*\\[([^\\]]+)\\]\\s*$"_s);
    static const QRegularExpression keyLine(u"^\\s*([^=;\\s][^=]*?)\\s*="_s);
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        if (const auto match = sectionLine.match(line); match.hasMatch())
            section = match.captured(1);
        else if (const auto key = keyLine.match(line); key.hasMatch() && !section.isEmpty())
            keys.append({section, key.captured(1)});
    }
    return keys;
}

} // namespace

class TestLanguageFiles : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    QTemporaryDir m_dir;

    QString writeFile(const QByteArray &content)
    {
        static int n = 0;
        const QString path = m_dir.filePath(u"file%1.lng"_s.arg(++n));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the test file");
        file.write(content);
        return path;
    }

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }
    void cleanup() { ProgramFolder::setFolderForTesting(QString()); }

    void properCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::addRow("lower case") << u"english"_s << u"English"_s;
        QTest::addRow("upper case") << u"SPANISH"_s << u"Spanish"_s;
        QTest::addRow("two words") << u"brazilian portuguese"_s << u"Brazilian Portuguese"_s;
        QTest::addRow("after a hyphen") << u"SERBO-CROATIAN"_s << u"Serbo-croatian"_s;
        QTest::addRow("accented letters") << u"ÉIRE ÑANDÚ"_s << u"Éire Ñandú"_s;
        QTest::addRow("extension lowered") << u"german.LNG"_s << u"German.lng"_s;
        QTest::addRow("starts with a digit") << u"1ST"_s << u"1st"_s;
    }

    void properCase()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(Localisation::properCase(text), expected);
    }

    void languageNames_data()
    {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("keepExtension");
        QTest::addColumn<QStringList>("expected");

        QTest::addRow("no folder") << QString() << QStringList() << false << QStringList();
        QTest::addRow("no files") << u"Language"_s << QStringList() << false << QStringList();
        QTest::addRow("other files only")
            << u"Language"_s << QStringList{u"readme.txt"_s, u"english.lng.bak"_s} << false << QStringList();
        QTest::addRow("any case of the extension") << u"Language"_s << QStringList{u"english.lng"_s, u"SPANISH.LNG"_s}
                                                   << false << QStringList{u"English"_s, u"Spanish"_s};
        QTest::addRow("two words") << u"Language"_s << QStringList{u"brazilian portuguese.lng"_s} << false
                                   << QStringList{u"Brazilian Portuguese"_s};
        QTest::addRow("extension kept in lower case")
            << u"Language"_s << QStringList{u"english.lng"_s, u"SPANISH.LNG"_s, u"German.Lng"_s} << true
            << QStringList{u"English.lng"_s, u"German.lng"_s, u"Spanish.lng"_s};
        QTest::addRow("sorted without regard to case")
            << u"Language"_s << QStringList{u"zulu.lng"_s, u"Basque.lng"_s, u"ARABIC.LNG"_s, u"catalan.lng"_s} << false
            << QStringList{u"Arabic"_s, u"Basque"_s, u"Catalan"_s, u"Zulu"_s};
        QTest::addRow("blanks trimmed") << u"Language"_s << QStringList{u" welsh.lng"_s} << false
                                        << QStringList{u"Welsh"_s};
    }

    void languageNames()
    {
        QFETCH(QString, folderName);
        QFETCH(QStringList, files);
        QFETCH(bool, keepExtension);
        QFETCH(QStringList, expected);

        QTemporaryDir program;
        QVERIFY(program.isValid());
        if (!folderName.isEmpty()) {
            QVERIFY(QDir(program.path()).mkdir(folderName));
            // A folder that merely ends in .lng is not a language.
            QVERIFY(QDir(program.path()).mkpath(folderName + u"/folder.lng"_s));
        }
        for (const QString &name : files) {
            QFile file(program.filePath(folderName + u'/' + name));
            QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
            file.write("[Buttons]\r\nButton01=Generate\r\n");
        }
        ProgramFolder::setFolderForTesting(program.path());

        QCOMPARE(Localisation::languageNames(keepExtension), expected);
    }

    // Every listed name leads back to its file through the path the window
    // reads captions from.
    void namesFindTheirFiles()
    {
        QTemporaryDir program;
        QVERIFY(program.isValid());
        QVERIFY(QDir(program.path()).mkdir(u"Language"_s));
        for (const QString &name : {u"english.lng"_s, u"SPANISH.LNG"_s, u"brazilian portuguese.lng"_s}) {
            QFile file(program.filePath(u"Language/"_s + name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[List]\r\nList01=" + name.toUtf8() + "\r\n");
        }
        ProgramFolder::setFolderForTesting(program.path());

        for (const QString &language : Localisation::languageNames(false)) {
            const QString path = ProgramFolder::languageFile(language);
            QVERIFY2(QFile::exists(path), qPrintable(language));
            QVERIFY(!ReadIniValue(u"List"_s, u"List01"_s, path).isEmpty());
        }
    }

    void shippedFiles_data()
    {
        QTest::addColumn<QString>("path");
        const QDir folder(QStringLiteral(TESSARO_SOURCE_DATA "/Language"));
        const QStringList files = folder.entryList({u"*.lng"_s}, QDir::Files, QDir::Name);
        QVERIFY(files.contains(u"English.lng"_s));
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << folder.filePath(file);
    }

    // Each shipped language has every key the program reads, non-empty, so
    // no caption is left blank in any language, and no key the program does
    // not read (a misspelt key would leave its caption blank).
    void shippedFiles()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY2(!content.startsWith("\xEF\xBB\xBF"), "no byte-order mark");
        QVERIFY2(QString::fromUtf8(content).toUtf8() == content, "valid UTF-8");

        // The English file holds the very texts shown where a language lacks one.
        const bool isEnglish = path.endsWith(u"/English.lng"_s);
        QList<std::pair<QString, QString>> keys;
        for (const Localisation::LanguageText &text : Localisation::languageTexts()) {
            keys.append({text.section, text.key});
            const QString value = ReadIniValue(text.section, text.key, path);
            QVERIFY2(!value.isEmpty(), qPrintable(u"%1/%2 is missing or empty"_s.arg(text.section, text.key)));
            if (isEnglish)
                QCOMPARE(value, QString(text.english));
        }
        const auto own = keysOf(path);
        for (const auto &entry : own)
            QVERIFY2(keys.contains(entry), qPrintable(u"%1/%2 is unknown"_s.arg(entry.first, entry.second)));
        QCOMPARE(own.size(), keys.size());
    }

    // The reader of language files (INI text).
    void reads_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        QTest::addRow("a section ends at the next heading")
            << QByteArray("[Buttons]\nButton01=G\n[Menu]\nMenu01=M\n") << u"Buttons"_s << u"Menu01"_s << QString();
        QTest::addRow("plain") << QByteArray("[Buttons]\r\nButton01=Generate\r\n") << u"Buttons"_s << u"Button01"_s
                               << u"Generate"_s;
        QTest::addRow("key in lower case")
            << QByteArray("[Buttons]\nbutton01=G\n") << u"Buttons"_s << u"Button01"_s << u"G"_s;
        QTest::addRow("key in upper case")
            << QByteArray("[Buttons]\nBUTTON01=G\n") << u"Buttons"_s << u"Button01"_s << u"G"_s;
        QTest::addRow("section in lower case")
            << QByteArray("[buttons]\nButton01=G\n") << u"Buttons"_s << u"Button01"_s << u"G"_s;
        QTest::addRow("blanks trimmed") << QByteArray("[S]\n  Key \t=  a value \t\n") << u"S"_s << u"Key"_s
                                        << u"a value"_s;
        QTest::addRow("first equals sign") << QByteArray("[S]\nKey=a=b\n") << u"S"_s << u"Key"_s << u"a=b"_s;
        QTest::addRow("double quotes dropped")
            << QByteArray("[S]\nKey=\" padded \"\n") << u"S"_s << u"Key"_s << u" padded "_s;
        QTest::addRow("single quotes dropped") << QByteArray("[S]\nKey='x'\n") << u"S"_s << u"Key"_s << u"x"_s;
        QTest::addRow("one pair only") << QByteArray("[S]\nKey=\"\"x\"\"\n") << u"S"_s << u"Key"_s << u"\"x\""_s;
        QTest::addRow("unmatched quote kept") << QByteArray("[S]\nKey=\"x'\n") << u"S"_s << u"Key"_s << u"\"x'"_s;
        QTest::addRow("key in another section")
            << QByteArray("[A]\nKey=1\n[B]\nOther=2\n") << u"B"_s << u"Key"_s << QString();
        QTest::addRow("first of two counts")
            << QByteArray("[A]\nKey=1\n[B]\n[a]\nKEY=2\nkey=3\n") << u"A"_s << u"Key"_s << u"1"_s;
        QTest::addRow("missing section") << QByteArray("[A]\nKey=1\n") << u"B"_s << u"Key"_s << QString();
        QTest::addRow("empty value") << QByteArray("[A]\nKey=\n") << u"A"_s << u"Key"_s << QString();
        QTest::addRow("utf-8") << QByteArray("[A]\nKey=Contraseña\n") << u"A"_s << u"Key"_s << u"Contraseña"_s;
        QTest::addRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF[A]\nKey=über\n") << u"A"_s << u"Key"_s
                                         << u"über"_s;
        QTest::addRow("windows-1252") << QByteArray("[A]\nKey=Contrase\xF1"
                                                    "a \x80\n")
                                      << u"A"_s << u"Key"_s << u"Contraseña €"_s;
    }
    void reads()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(ReadIniValue(section, key, writeFile(content)), expected);
    }

    void longValuesAreCut()
    {
        const QByteArray value(800, 'v');
        const QString path = writeFile("[A]\nKey=" + value + "\n");
        QCOMPARE(ReadIniValue(u"A"_s, u"Key"_s, path), QString(749, u'v'));
        const QString exact = writeFile("[A]\nKey=" + QByteArray(749, 'w') + "\n");
        QCOMPARE(ReadIniValue(u"A"_s, u"Key"_s, exact).size(), 749);
        // A character beyond U+FFFF that would straddle the cut is left out whole.
        const QString straddling = writeFile("[A]\nKey=" + QByteArray(748, 'w') + "\xF0\x9D\x84\x9E\n");
        QCOMPARE(ReadIniValue(u"A"_s, u"Key"_s, straddling), QString(748, u'w'));
    }

    void missingFileGivesEmptyAndCreatesNothing()
    {
        const QString path = m_dir.filePath(u"absent.lng"_s);
        QCOMPARE(ReadIniValue(u"A"_s, u"Key"_s, path), QString());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestLanguageFiles)
#include "tst_languagefiles.moc"
