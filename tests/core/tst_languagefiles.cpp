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
        QTest::addRow("mixed case") << u"bRAZILIAN pORTUGUESE"_s << u"Brazilian Portuguese"_s;
        QTest::addRow("after a hyphen") << u"SERBO-CROATIAN"_s << u"Serbo-croatian"_s;
        QTest::addRow("two blanks") << u"a  b"_s << u"A  B"_s;
        QTest::addRow("accented letters") << u"ÉIRE ÑANDÚ"_s << u"Éire Ñandú"_s;
        QTest::addRow("extension lowered") << u"german.LNG"_s << u"German.lng"_s;
        QTest::addRow("starts with a digit") << u"1ST"_s << u"1st"_s;
        QTest::addRow("empty") << QString() << QString();
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
        QTest::addRow("lower-case folder") << u"language"_s << QStringList{u"english.lng"_s, u"SPANISH.LNG"_s} << false
                                           << QStringList{u"English"_s, u"Spanish"_s};
        QTest::addRow("two words") << u"Language"_s << QStringList{u"brazilian portuguese.lng"_s} << false
                                   << QStringList{u"Brazilian Portuguese"_s};
        QTest::addRow("extension only") << u"Language"_s << QStringList{u".lng"_s} << false << QStringList{QString()};
        QTest::addRow("extension only, kept")
            << u"Language"_s << QStringList{u".lng"_s} << true << QStringList{u".lng"_s};
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

    // The built program finds the shipped languages beside itself.
    void shippedFilesListed()
    {
        const QString bin = qEnvironmentVariable("TESSARO_BIN_DIR");
        if (bin.isEmpty() || !QDir(bin + u"/Language"_s).exists())
            QSKIP("no build tree with data files");
        ProgramFolder::setFolderForTesting(bin);
        const QStringList names = Localisation::languageNames(false);
        for (const QString &language : {u"English"_s, u"French"_s, u"German"_s, u"Spanish"_s})
            QVERIFY2(names.contains(language), qPrintable(language));
    }
};

QTEST_GUILESS_MAIN(TestLanguageFiles)
#include "tst_languagefiles.moc"
