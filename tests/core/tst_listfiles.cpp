#include "core/generation/ListFiles.h"
#include "core/generation/MemoryResultList.h"
#include "core/results/ExportLayouts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

MemoryResultList listOf(const QStringList &items)
{
    MemoryResultList list;
    for (const QString &item : items) {
        list.appendItem();
        list.setItemText(list.GetItemCount() - 1, item);
    }
    return list;
}

QStringList numbered(int count)
{
    QStringList items;
    for (int k = 0; k < count; ++k)
        items.append(u"p%1"_s.arg(k));
    return items;
}

QStringList itemsOf(const ItemList &list)
{
    QStringList items;
    for (int k = 0; k < list.GetItemCount(); ++k)
        items.append(list.ItemText(k, 0));
    return items;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestListFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeRaw(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the test file");
        file.write(content);
        return path;
    }

private slots:
    // The CSV export, which the window's save and tessaro-cli share: six
    // values a line, every line ended by CR LF, RFC 4180 quoting. The text
    // layout (also the list file's) is one item a line, nothing quoted.
    void csvLayout_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray six = "p0,p1,p2,p3,p4,p5";
        const QByteArray twelve = six + "\r\np6,p7,p8,p9,p10,p11";
        QTest::addRow("6: one line") << numbered(6) << six + "\r\n";
        QTest::addRow("7: the 7th alone") << numbered(7) << six + "\r\np6\r\n";
        QTest::addRow("12: no empty third line") << numbered(12) << twelve + "\r\n";
        QTest::addRow("13") << numbered(13) << twelve + "\r\np12\r\n";
        QTest::addRow("comma, quote, CR, LF quoted")
            << QStringList{u"a,b"_s, u"say \"hi\""_s, u"c\rd"_s, u"e\nf"_s, u"plain"_s, u""_s}
            << QByteArray("\"a,b\",\"say \"\"hi\"\"\",\"c\rd\",\"e\nf\",plain,\r\n");
        QTest::addRow("UTF-8") << QStringList{u"Ñ€"_s} << QByteArray("\xC3\x91\xE2\x82\xAC\r\n");
    }
    void csvLayout()
    {
        QFETCH(QStringList, items);
        QFETCH(QByteArray, bytes);
        QCOMPARE(ExportLayouts::csv(listOf(items)), bytes);
        QCOMPARE(ExportLayouts::text(listOf(items)), items.join(u"\r\n"_s).toUtf8() + "\r\n");
    }

    void loadsFields_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("items");
        QTest::addRow("lines") << QByteArray("Xx##\r\nXXXX-####\r\n") << QStringList{u"Xx##"_s, u"XXXX-####"_s};
        QTest::addRow("comma splits") << QByteArray("XX,xx\r\n") << QStringList{u"XX"_s, u"xx"_s};
        QTest::addRow("no final line end") << QByteArray("a\nb") << QStringList{u"a"_s, u"b"_s};
        QTest::addRow("blank line, empty item")
            << QByteArray("a\r\n\r\nb\r\n") << QStringList{u"a"_s, QString(), u"b"_s};
        QTest::addRow("quoted comma") << QByteArray("\"a,b\",c\r\n") << QStringList{u"a,b"_s, u"c"_s};
        QTest::addRow("doubled quote") << QByteArray("\"say \"\"hi\"\"\"\r\n") << QStringList{u"say \"hi\""_s};
        QTest::addRow("text after closing quote dropped") << QByteArray("\"ab\"cd,e\n") << QStringList{u"ab"_s, u"e"_s};
        QTest::addRow("unterminated quote") << QByteArray("\"abc") << QStringList{u"abc"_s};
        QTest::addRow("windows-1252") << QByteArray("Contrase\xF1"
                                                    "a\r\n")
                                      << QStringList{u"Contraseña"_s};
        QTest::addRow("empty file") << QByteArray() << QStringList{};
    }
    void loadsFields()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, items);
        const QString path = writeRaw(u"load.kmf"_s, content);
        MemoryResultList list = listOf({u"old"_s});
        LoadFileToList(path, list);
        QCOMPARE(itemsOf(list), items);
    }

    void missingHiddenUnreadableOrFolderLeavesListAlone()
    {
        const QString hidden = writeRaw(u".hidden.kmf"_s, "Xx##\r\n");
        const QString locked = writeRaw(u"locked.kmf"_s, "a\r\n"); // root reads it all the same
        QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
        MemoryResultList list = listOf({u"kept"_s});
        QVERIFY(!FileExists(hidden));
        LoadFileToList(hidden, list);
        if (::geteuid() != 0)
            LoadFileToList(locked, list);
        LoadFileToList(m_dir.filePath(u"absent.kmf"_s), list);
        LoadFileToList(m_dir.path(), list);
        QCOMPARE(itemsOf(list), QStringList{u"kept"_s});
        QVERIFY(!FileExists(m_dir.path()));
        QVERIFY(!FileExists(QString()));
        QVERIFY(FileExists(writeRaw(u"plain.kmf"_s, "")));
    }

    void saveRoundTripsWhatHasNoComma()
    {
        const QStringList items{u"Xx##-i"_s, u"@@@@"_s, QString(), u"  spaced  "_s, u"Ñ€"_s};
        const QString path = m_dir.filePath(u"round.kmf"_s);
        QVERIFY(SaveListToFile(path, listOf(items)).ok);
        QCOMPARE(contentOf(path), ExportLayouts::text(listOf(items)));
        QVERIFY(SaveListToFile(m_dir.filePath(u"empty.kmf"_s), listOf({})).ok);
        QCOMPARE(contentOf(m_dir.filePath(u"empty.kmf"_s)), QByteArray());
        MemoryResultList list;
        LoadFileToList(path, list);
        QCOMPARE(itemsOf(list), items);
    }
};

QTEST_GUILESS_MAIN(TestListFiles)
#include "tst_listfiles.moc"
