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
    void csvLayout()
    {
        const QByteArray six = "p0,p1,p2,p3,p4,p5", twelve = six + "\r\np6,p7,p8,p9,p10,p11";
        const QList<std::pair<QStringList, QByteArray>> rows{
            {numbered(6), six + "\r\n"},
            {numbered(7), six + "\r\np6\r\n"},
            {numbered(12), twelve + "\r\n"}, // no empty third line
            {numbered(13), twelve + "\r\np12\r\n"},
            {{u"a,b"_s, u"say \"hi\""_s, u"c\rd"_s, u"e\nf"_s, u"plain"_s, u""_s},
             "\"a,b\",\"say \"\"hi\"\"\",\"c\rd\",\"e\nf\",plain,\r\n"},
            {{u"Ñ€"_s}, "\xC3\x91\xE2\x82\xAC\r\n"}};
        for (const auto &[items, bytes] : rows) {
            QCOMPARE(ExportLayouts::csv(listOf(items)), bytes);
            QCOMPARE(ExportLayouts::text(listOf(items)), items.join(u"\r\n"_s).toUtf8() + "\r\n");
        }
    }

    void loadsFields()
    {
        const QList<std::pair<QByteArray, QStringList>> rows{
            {"Xx##\r\nXXXX-####\r\n", {u"Xx##"_s, u"XXXX-####"_s}},
            {"XX,xx\r\n", {u"XX"_s, u"xx"_s}},
            {"a\nb", {u"a"_s, u"b"_s}},
            {"a\r\n\r\nb\r\n", {u"a"_s, QString(), u"b"_s}},
            {"\"a,b\",c\r\n", {u"a,b"_s, u"c"_s}},
            {"\"say \"\"hi\"\"\"\r\n", {u"say \"hi\""_s}},
            {"\"ab\"cd,e\n", {u"ab"_s, u"e"_s}}, // text after a closing quote dropped
            {"\"abc", {u"abc"_s}},
            {"Contrase\xF1"
             "a\r\n",
             {u"Contraseña"_s}},
            {"", {}}};
        for (const auto &[content, items] : rows) {
            MemoryResultList list = listOf({u"old"_s});
            LoadFileToList(writeRaw(u"load.kmf"_s, content), list);
            QCOMPARE(itemsOf(list), items);
        }
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
        QVERIFY(SaveListToFile(path, listOf(items)).ok());
        QCOMPARE(contentOf(path), ExportLayouts::text(listOf(items)));
        QVERIFY(SaveListToFile(m_dir.filePath(u"empty.kmf"_s), listOf({})).ok());
        QCOMPARE(contentOf(m_dir.filePath(u"empty.kmf"_s)), QByteArray());
        MemoryResultList list;
        LoadFileToList(path, list);
        QCOMPARE(itemsOf(list), items);
    }
};

QTEST_GUILESS_MAIN(TestListFiles)
#include "tst_listfiles.moc"
