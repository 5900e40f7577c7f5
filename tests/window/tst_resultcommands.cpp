#include "WindowFixture.h"

#include "window/results/CommonDialog.h"
#include "window/results/ResultCommands.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QMenu>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using Answer = MessageBoxes::Answer;
namespace Name = Settings::Name;

namespace {

QStringList numbered(int count)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows.append(u"p%1"_s.arg(i));
    return rows;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestResultCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }
    void init()
    {
        m_home->resetStore();
        TestSupport::writeStartupDefaults();
        m_window = std::make_unique<WindowTest::Fixture>();
        m_window->open();
        QVERIFY(m_files.isValid());
    }
    void cleanup() { m_window.reset(); }

    void copyAll_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("two rows, each ended by CR LF") << QStringList{u"a"_s, u"b"_s} << u"a\r\nb\r\n"_s;
        QTest::newRow("an empty row stays a line") << QStringList{u"a"_s, u""_s} << u"a\r\n\r\n"_s;
        QTest::newRow("empty list empties the clipboard") << QStringList{} << u""_s;
    }
    void copyAll()
    {
        QFETCH(QStringList, rows);
        QFETCH(QString, clipboard);
        WindowTest::setClipboard(u"earlier"_s);
        m_window->fill(rows);
        m_window->window->results().CopyAllResults();
        QCOMPARE(WindowTest::clipboardText(), clipboard);
    }

    void copiesAreMarkedForClipboardManagers()
    {
        m_window->fill({u"secret"_s});
        m_window->window->results().CopyAllResults();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->data(u"x-kde-passwordManagerHint"_s), QByteArray("secret"));
    }

    void copySelected()
    {
        m_window->fill({u"a"_s, u"b"_s, u"c"_s});
        WindowTest::setClipboard(u"earlier"_s);
        m_window->window->results().CopySelectedResult();
        QCOMPARE(WindowTest::clipboardText(), u"earlier"_s); // nothing selected: unchanged

        QListView &list = *m_window->form().genList;
        list.setCurrentIndex(list.model()->index(1, 0));
        m_window->window->results().CopySelectedResult();
        QCOMPARE(WindowTest::clipboardText(), u"b"_s);
    }

    void doubleClickCopiesTheRow()
    {
        m_window->fill({u"a"_s, u"b"_s, u"c"_s});
        QListView &list = *m_window->form().genList;
        const QPoint centre = list.visualRect(list.model()->index(2, 0)).center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(WindowTest::clipboardText(), u"c"_s);
    }

    void clear_data()
    {
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("cleared");
        const QStringList two{u"a"_s, u"b"_s};
        QTest::newRow("Confirm 0 clears without asking") << u"0"_s << two << true << false << true;
        QTest::newRow("Confirm 1, Yes clears") << u"1"_s << two << true << true << true;
        QTest::newRow("Confirm 1, No keeps") << u"1"_s << two << false << true << false;
        QTest::newRow("Confirm 2 does nothing") << u"2"_s << two << true << false << false;
        QTest::newRow("Confirm not a number does nothing") << u"yes"_s << two << true << false << false;
        QTest::newRow("empty list asks nothing") << u"1"_s << QStringList{} << true << false << true;
    }
    void clear()
    {
        QFETCH(QString, confirm);
        QFETCH(QStringList, rows);
        QFETCH(bool, answerYes);
        QFETCH(bool, asked);
        QFETCH(bool, cleared);
        Settings::write(Name::Confirm, confirm);
        m_window->fill(rows);
        m_window->form().genList->setHeading({u"Heading"_s});
        m_window->messages.setNextAnswer(answerYes ? Answer::Yes : Answer::No);

        m_window->form().cButton->click();

        QCOMPARE(m_window->messages.shown.size(), asked ? 1 : 0);
        if (asked) {
            const MessageBoxes::Message &shown = m_window->messages.shown.first();
            QCOMPARE(shown.text, u"Are you sure you want to clear the list?"_s);
            QCOMPARE(shown.title, u"Are you sure?"_s);
            QCOMPARE(shown.buttons, MessageBoxes::Buttons::YesNo);
            QCOMPARE(shown.icon, MessageBoxes::Icon::Exclamation);
        }
        QCOMPARE(m_window->rows(), cleared ? QStringList{} : rows);
        QCOMPARE(m_window->form().genList->columnCaption(), u"Heading"_s);
    }

    void saveLayouts_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray six = "p0,p1,p2,p3,p4,p5";
        const QByteArray twelve = six + "\r\np6,p7,p8,p9,p10,p11";
        QTest::newRow("CSV 6 rows: one line") << true << numbered(6) << six + "\r\n";
        QTest::newRow("CSV 7 rows: row 6 alone") << true << numbered(7) << six + "\r\np6\r\n";
        QTest::newRow("CSV 12 rows: no empty third line") << true << numbered(12) << twelve + "\r\n";
        QTest::newRow("CSV 13 rows: three lines") << true << numbered(13) << twelve + "\r\np12\r\n";
        QTest::newRow("CSV quotes comma, quote, CR and LF")
            << true << QStringList{u"a,b"_s, u"say \"hi\""_s, u"c\rd"_s, u"e\nf"_s, u"plain"_s}
            << QByteArray("\"a,b\",\"say \"\"hi\"\"\",\"c\rd\",\"e\nf\",plain\r\n");
        QTest::newRow("CSV UTF-8") << true << QStringList{u"Kqmz-§«¤"_s}
                                   << QByteArray("Kqmz-\xc2\xa7\xc2\xab\xc2\xa4\r\n");
        QTest::newRow("text 6 rows") << false << numbered(6) << QByteArray("p0\r\np1\r\np2\r\np3\r\np4\r\np5\r\n");
        QTest::newRow("text 7 rows") << false << numbered(7)
                                     << QByteArray("p0\r\np1\r\np2\r\np3\r\np4\r\np5\r\np6\r\n");
        QByteArray thirteen;
        for (const QString &row : numbered(13))
            thirteen += row.toUtf8() + "\r\n";
        QTest::newRow("text 12 rows") << false << numbered(12) << thirteen.left(thirteen.indexOf("p12"));
        QTest::newRow("text 13 rows") << false << numbered(13) << thirteen;
        QTest::newRow("text keeps commas and empty rows")
            << false << QStringList{u"a,b"_s, u""_s} << QByteArray("a,b\r\n\r\n");
    }
    void saveLayouts()
    {
        QFETCH(bool, csv);
        QFETCH(QStringList, rows);
        QFETCH(QByteArray, bytes);
        const QString path = m_files.filePath(csv ? u"out.csv"_s : u"out.txt"_s);
        QFile::remove(path);
        m_window->fill(rows);
        m_window->dialogs.answerNextWith(path);

        ResultCommands &results = m_window->window->results();
        csv ? results.SaveResultsAsCsv() : results.SaveResultsAsText();

        QCOMPARE(readAll(path), bytes);
        QVERIFY(m_window->messages.shown.isEmpty());
        QCOMPARE(QFileInfo(path).permissions() &
                     (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
    }

    void saveDialogs_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("as Text") << false << u"Save Text File"_s << u"Text Files (*.txt)"_s << u"txt"_s;
        QTest::newRow("as CSV") << true << u"Save CSV File"_s << u"CSV Files (*.csv)"_s << u"csv"_s;
    }
    void saveDialogs()
    {
        QFETCH(bool, csv);
        QFETCH(QString, title);
        QFETCH(QString, filter);
        QFETCH(QString, suffix);
        m_window->fill({u"a"_s});
        ResultCommands &results = m_window->window->results();
        // The other save first, so that nothing carries over from it.
        csv ? results.SaveResultsAsText() : results.SaveResultsAsCsv();
        csv ? results.SaveResultsAsCsv() : results.SaveResultsAsText();

        QCOMPARE(m_window->dialogs.requests.size(), 2);
        const FileDialogs::Request &request = m_window->dialogs.requests.last();
        QCOMPARE(request.kind, FileDialogs::Kind::Save);
        QCOMPARE(request.title, title);
        QCOMPARE(request.nameFilters, QStringList{filter});
        QCOMPARE(request.defaultSuffix, suffix);
        QVERIFY(request.confirmOverwrite);
        QVERIFY(!request.folder.isEmpty());
        QCOMPARE(m_window->window->commonDialog().AllowMultiSelect(), false);
        QVERIFY(m_window->messages.shown.isEmpty()); // cancelled: nothing written or said
    }

    void emptyListOpensNoDialog()
    {
        m_window->window->results().SaveResultsAsText();
        m_window->window->results().SaveResultsAsCsv();
        QVERIFY(m_window->dialogs.requests.isEmpty());
    }

    void overwriteLeavesNoTraceOfALongerFile()
    {
        const QString path = m_files.filePath(u"long.txt"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        m_window->fill({u"a"_s});
        m_window->dialogs.answerNextWith(path);
        m_window->window->results().SaveResultsAsText();
        QCOMPARE(readAll(path), QByteArray("a\r\n"));
    }

    void failedSaveSaysWhyAndKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a folder that does not exist") << u"missing/out.txt"_s;
        QTest::newRow("the path is a folder") << u"folder"_s;
        QTest::newRow("a read-only folder") << u"locked/out.txt"_s;
    }
    void failedSaveSaysWhyAndKeepsTheOldFile()
    {
        QFETCH(QString, name);
        QDir(m_files.path()).mkpath(u"folder"_s);
        QDir(m_files.path()).mkpath(u"locked"_s);
        const QString locked = m_files.filePath(u"locked"_s);
        QFile earlier(m_files.filePath(u"locked/out.txt"_s));
        if (!earlier.exists()) {
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
            earlier.close();
        }
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        if (name.startsWith(u"locked") && QFileInfo(locked).isWritable())
            QSKIP("running with rights that ignore folder permissions");

        const QString path = m_files.filePath(name);
        m_window->fill({u"new"_s});
        m_window->dialogs.answerNextWith(path);
        m_window->window->results().SaveResultsAsText();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(m_window->messages.shown.size(), 1);
        const MessageBoxes::Message &shown = m_window->messages.shown.first();
        QCOMPARE(shown.title, u"Error"_s);
        QCOMPARE(shown.icon, MessageBoxes::Icon::Critical);
        QVERIFY2(shown.text.startsWith(u"Could not save the file "_s + path + u"\r\n"_s), qPrintable(shown.text));
        QVERIFY(shown.text.size() > (u"Could not save the file \r\n"_s + path).size()); // with a reason
        QCOMPARE(readAll(m_files.filePath(u"locked/out.txt"_s)), QByteArray("earlier"));
    }

    void rightClickShowsEditMenuOnlyWithRows()
    {
        QListView &list = *m_window->form().genList;
        QMenu *edit = m_window->window->toolBand().menu(u"ID_Edit"_s);
        const auto rightClick = [&] {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                    list.viewport()->mapToGlobal(QPoint(10, 10)));
            QApplication::sendEvent(list.viewport(), &event);
        };
        rightClick();
        QVERIFY(!edit->isVisible());
        m_window->fill({u"a"_s});
        rightClick();
        QTRY_VERIFY(edit->isVisible());
        edit->hide();
    }

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
    QTemporaryDir m_files;
};

QTEST_MAIN(TestResultCommands)
#include "tst_resultcommands.moc"
