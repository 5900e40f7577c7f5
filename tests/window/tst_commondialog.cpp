#include "TestSupport.h"

#include "platform/dialogs/RecordingFileDialogs.h"
#include "window/results/CommonDialog.h"

#include <QDir>

using namespace Qt::StringLiterals;

class TestCommonDialog : public QObject
{
    Q_OBJECT

private slots:
    void createdWithTheStandardRequest()
    {
        RecordingFileDialogs dialogs;
        CommonDialog dialog(dialogs);
        QCOMPARE(dialog.flags(), 0x00080202u);
        QCOMPARE(dialog.DefaultExt(), u"txt"_s);
        QCOMPARE(dialog.AllowMultiSelect(), false);
        QVERIFY(!dialog.Filename().isValid());
        QCOMPARE(dialog.FileTitle(), QString(256, QChar(u'\0')));
        QCOMPARE(dialog.Filter(), QString());
    }

    void properties_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("read");
        QTest::newRow("Filter round trip")
            << u"Filter"_s << u"Text Files (*.txt)|*.txt"_s << u"Text Files (*.txt)|*.txt"_s;
        QTest::newRow("Filter with two pairs")
            << u"Filter"_s << u"Text (*.txt)|*.txt|All|*.*"_s << u"Text (*.txt)|*.txt|All|*.*"_s;
        QTest::newRow("DefaultExt drops the full stop") << u"DefaultExt"_s << u".csv"_s << u"csv"_s;
        QTest::newRow("DialogTitle drops NULs") << u"DialogTitle"_s << u"Sa\0ve"_s << u"Save"_s;
        QTest::newRow("InitDir drops NULs") << u"InitDir"_s << u"/tmp"_s << u"/tmp"_s;
    }
    void properties()
    {
        QFETCH(QString, property);
        QFETCH(QString, set);
        QFETCH(QString, read);
        RecordingFileDialogs dialogs;
        CommonDialog dialog(dialogs);
        if (property == u"Filter") {
            dialog.setFilter(set);
            QCOMPARE(dialog.Filter(), read);
        } else if (property == u"DefaultExt") {
            dialog.setDefaultExt(set);
            QCOMPARE(dialog.DefaultExt(), read);
        } else if (property == u"DialogTitle") {
            dialog.setDialogTitle(set);
            QCOMPARE(dialog.DialogTitle(), read);
        } else {
            dialog.setInitDir(set);
            QCOMPARE(dialog.InitDir(), read);
        }
    }

    void showSaveHandsTheRequestToTheDialog()
    {
        RecordingFileDialogs dialogs;
        CommonDialog dialog(dialogs);
        dialog.setFilter(u"Text Files (*.txt)|*.txt|Logs|*.log;*.out"_s);
        dialog.setDialogTitle(u"Save Text File"_s);
        dialog.setInitDir(u"/data"_s);
        dialog.ShowSave();
        QCOMPARE(dialogs.requests.size(), 1);
        const FileDialogs::Request &request = dialogs.requests.first();
        QCOMPARE(request.kind, FileDialogs::Kind::Save);
        QCOMPARE(request.title, u"Save Text File"_s);
        QCOMPARE(request.folder, u"/data"_s);
        QCOMPARE(request.nameFilters, (QStringList{u"Text Files (*.txt)"_s, u"Logs (*.log *.out)"_s}));
        QCOMPARE(request.defaultSuffix, u"txt"_s);
        QVERIFY(request.confirmOverwrite);
        QCOMPARE(dialog.filterIndex(), 1);
    }

    void filename_data()
    {
        QTest::addColumn<bool>("multiSelect");
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QVariant>("filename");
        QTest::addColumn<QString>("fileTitle");
        const QString folder = QDir::toNativeSeparators(u"/home/user/docs"_s);
        const QString one = folder + QDir::separator() + u"a.txt"_s;
        QTest::newRow("cancelled") << false << QStringList{} << QVariant() << QString();
        QTest::newRow("one file") << false << QStringList{u"/home/user/docs/a.txt"_s} << QVariant(one) << u"a.txt"_s;
        QTest::newRow("one file, multi-select")
            << true << QStringList{u"/home/user/docs/a.txt"_s} << QVariant(one) << u"a.txt"_s;
        QTest::newRow("three files, multi-select")
            << true << QStringList{u"/home/user/docs/a.txt"_s, u"/home/user/docs/b.txt"_s, u"/home/user/docs/c.txt"_s}
            << QVariant(QStringList{folder, u"a.txt"_s, u"b.txt"_s, u"c.txt"_s}) << u"a.txt"_s;
        QTest::newRow("three files, single reading keeps the NULs")
            << false << QStringList{u"/d/a"_s, u"/d/b"_s, u"/d/c"_s}
            << QVariant(QDir::toNativeSeparators(u"/d"_s) + u"\0a\0b\0c"_s) << u"a"_s;
    }
    void filename()
    {
        QFETCH(bool, multiSelect);
        QFETCH(QStringList, chosen);
        QFETCH(QVariant, filename);
        QFETCH(QString, fileTitle);
        RecordingFileDialogs dialogs;
        CommonDialog dialog(dialogs);
        dialog.setAllowMultiSelect(multiSelect);
        dialog.setFilename(u"/earlier/choice.txt"_s);
        if (!chosen.isEmpty())
            dialogs.answerNextWith(chosen);

        dialog.ShowOpen();

        QCOMPARE(dialog.Filename(), filename);
        QCOMPARE(dialog.FileTitle().size(), 256);
        QCOMPARE(dialog.FileTitle().section(QChar(u'\0'), 0, 0), fileTitle);
        QVERIFY(dialogs.requests.first().multipleFiles); // the flags always allow several files
    }

    void filenameSetIsReadBack()
    {
        RecordingFileDialogs dialogs;
        CommonDialog dialog(dialogs);
        dialog.setFilename(u"/x/y.txt"_s);
        QCOMPARE(dialog.Filename(), QVariant(u"/x/y.txt"_s));
    }

    void getFolderName()
    {
        RecordingFileDialogs dialogs;
        CommonDialog dialog(dialogs);
        dialogs.answerNextFolderWith(u"/home/user"_s);
        QCOMPARE(dialog.GetFolderName(u"Pick"_s), QDir::toNativeSeparators(u"/home/user"_s));
        QCOMPARE(dialog.GetFolderName(u"Pick again"_s), QString()); // cancelled
        QCOMPARE(dialogs.folderTitles, (QStringList{u"Pick"_s, u"Pick again"_s}));
    }
};

QTEST_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
