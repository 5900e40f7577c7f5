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

    void checkLanguageNames(const QString &folderName, const QStringList &files, bool keepExtension,
                            const QStringList &expected)
    {
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
            file.write("[List]\r\nList01=" + name.toUtf8() + "\r\n");
        }
        ProgramFolder::setFolderForTesting(program.path());

        QCOMPARE(Localisation::languageNames(keepExtension), expected);
        // Each listed name leads back to its file, the one the window reads
        // captions from (not so yet for a file name that starts with a blank).
        if (files.value(0).startsWith(u' '))
            return;
        for (const QString &language : Localisation::languageNames(false))
            QVERIFY2(!ReadIniValue(u"List"_s, u"List01"_s, ProgramFolder::languageFile(language)).isEmpty(),
                     qPrintable(language));
    }

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }
    void cleanup() { ProgramFolder::setFolderForTesting(QString()); }

    // Folder name, files in it, extension kept, names listed.
    void languageNames()
    {
        const QStringList twoFiles{u"english.lng"_s, u"SPANISH.LNG"_s};
        const QList<std::tuple<QString, QStringList, bool, QStringList>> rows{
            {QString(), {}, false, {}},
            {u"Language"_s, {}, false, {}},
            {u"Language"_s, {u"readme.txt"_s, u"english.lng.bak"_s}, false, {}},
            {u"Language"_s, twoFiles, false, {u"English"_s, u"Spanish"_s}},
            {u"Language"_s,
             {u"brazilian portuguese.lng"_s, u"SERBO-CROATIAN.lng"_s, u"ZÉIRE.lng"_s, u"1ST.lng"_s},
             false,
             {u"1st"_s, u"Brazilian Portuguese"_s, u"Serbo-croatian"_s, u"Zéire"_s}},
            {u"Language"_s,
             twoFiles + QStringList{u"German.Lng"_s},
             true,
             {u"English.lng"_s, u"German.lng"_s, u"Spanish.lng"_s}},
            {u"Language"_s,
             {u"zulu.lng"_s, u"Basque.lng"_s, u"ARABIC.LNG"_s, u"catalan.lng"_s},
             false,
             {u"Arabic"_s, u"Basque"_s, u"Catalan"_s, u"Zulu"_s}},
            {u"Language"_s, {u" welsh.lng"_s}, false, {u"Welsh"_s}}};
        for (const auto &[folderName, files, keepExtension, expected] : rows)
            checkLanguageNames(folderName, files, keepExtension, expected);
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
        for (const Localisation::LanguageText &text : Localisation::languageTexts()) {
            const QString value = ReadIniValue(text.section, text.key, path);
            QVERIFY2(!value.isEmpty(), qPrintable(u"%1/%2 is missing or empty"_s.arg(text.section, text.key)));
            if (isEnglish)
                QCOMPARE(Localisation::textOrEnglish(IniFile(path), text.section, text.key), QString(text.english));
        }
        // Every key the program reads is there, so any further key is unknown.
        static const QRegularExpression keyLine(u"^[ \\t]*[^=;\\[\\s][^=\\n]*="_s, QRegularExpression::MultilineOption);
        QCOMPARE(QString::fromUtf8(content).count(keyLine), Localisation::languageTexts().size());
    }

    // The reader of language files (INI text): section, key, expected value.
    void reads()
    {
        const QList<std::tuple<QByteArray, QString, QString, QString>> rows{
            {"[Buttons]\nButton01=G\n[Menu]\nMenu01=M\n", u"Buttons"_s, u"Menu01"_s, {}},
            {"[Buttons]\r\nButton01=Generate\r\n", u"Buttons"_s, u"Button01"_s, u"Generate"_s},
            {"[buttons]\nBUTTON01=G\n", u"Buttons"_s, u"Button01"_s, u"G"_s},
            {"[S]\n  Key \t=  a value \t\n", u"S"_s, u"Key"_s, u"a value"_s},
            {"[S]\nKey=a=b\n", u"S"_s, u"Key"_s, u"a=b"_s},
            {"[S]\nKey=\" padded \"\n", u"S"_s, u"Key"_s, u" padded "_s},
            {"[S]\nKey='x'\n", u"S"_s, u"Key"_s, u"x"_s},
            {"[S]\nKey=\"\"x\"\"\n", u"S"_s, u"Key"_s, u"\"x\""_s},
            {"[S]\nKey=\"x'\n", u"S"_s, u"Key"_s, u"\"x'"_s},
            {"[A]\nKey=1\n[B]\nOther=2\n", u"B"_s, u"Key"_s, {}},
            {"[A]\nKey=1\n[B]\n[a]\nKEY=2\nkey=3\n", u"A"_s, u"Key"_s, u"1"_s},
            {"[A]\nKey=1\n", u"B"_s, u"Key"_s, {}},
            {"[A]\nKey=\n", u"A"_s, u"Key"_s, {}},
            {"\xEF\xBB\xBF[A]\nKey=über\n", u"A"_s, u"Key"_s, u"über"_s},
            {"[A]\nKey=Contrase\xF1"
             "a \x80\n",
             u"A"_s, u"Key"_s, u"Contraseña €"_s}};
        for (const auto &[content, section, key, expected] : rows)
            QVERIFY2(ReadIniValue(section, key, writeFile(content)) == expected, content.constData());
    }

    // Values are cut to 749 characters; one beyond U+FFFF that would straddle
    // the cut is left out whole. A missing file reads as empty and stays missing.
    void longValuesAreCutAndMissingFilesEmpty()
    {
        const auto read = [this](const QByteArray &value) {
            return ReadIniValue(u"A"_s, u"Key"_s, writeFile("[A]\nKey=" + value + "\n"));
        };
        QCOMPARE(read(QByteArray(800, 'v')), QString(749, u'v'));
        QCOMPARE(read(QByteArray(749, 'w')), QString(749, u'w'));
        QCOMPARE(read(QByteArray(748, 'w') + "\xF0\x9D\x84\x9E"), QString(748, u'w'));
        const QString path = m_dir.filePath(u"absent.lng"_s);
        QCOMPARE(ReadIniValue(u"A"_s, u"Key"_s, path), QString());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestLanguageFiles)
#include "tst_languagefiles.moc"
