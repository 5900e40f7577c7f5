#include "core/settings/IniReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestIniReader : public QObject
{
    Q_OBJECT

private:
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
    void reads_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

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

QTEST_GUILESS_MAIN(TestIniReader)
#include "tst_inireader.moc"
