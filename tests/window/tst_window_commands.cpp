#include "WindowFixture.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/ListFiles.h"
#include "core/generation/MaskFile.h"
#include "platform/dialogs/RecordingFileDialogs.h"
#include "window/clipboard/ClipboardClearTimer.h"
#include "window/commands/ToolDispatch.h"
#include "window/panels/PanelSwitch.h"
#include "window/results/CommonDialog.h"
#include "window/results/ResultCommands.h"
#include "window/strength/StrengthMeter.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QListView>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Qt::StringLiterals;
using Answer = MessageBoxes::Answer;
namespace Name = Settings::Name;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList rowsOf(const QComboBox &combo)
{
    QStringList rows;
    for (int row = 0; row < combo.count(); ++row)
        rows.append(combo.itemText(row));
    return rows;
}

} // namespace

// What the window's buttons, tools and lists do.
class TestWindowCommands : public WindowTest::Case
{
    Q_OBJECT

private slots:
    void rejectedInputs_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("countAfter");

        const QString shortMask = u"You need at least 4 characters \r\nbefore you can generate a password."_s;
        const QString blank = u"The number to generate can't be blank, \r\nenter a number 1 or above."_s;
        const QString zero = u"The number to generate can't be zero, \r\nenter a number 1 or above."_s;
        const QString range = u"The number to generate must be a whole number \r\nfrom 1 to 1,000,000."_s;
        QTest::newRow("3-character mask, blank count: mask first") << u"X#x"_s << u""_s << shortMask << u""_s;
        QTest::newRow("empty mask") << u""_s << u"5"_s << shortMask << u"5"_s;
        QTest::newRow("blank count is reset to 1") << u"Xxxx"_s << u""_s << blank << u"1"_s;
        QTest::newRow("zero count is reset to 1") << u"Xxxx"_s << u"0"_s << zero << u"1"_s;
        QTest::newRow("letters") << u"Xxxx"_s << u"12a"_s << range << u"12a"_s;
        QTest::newRow("decimal fraction") << u"Xxxx"_s << u"2.5"_s << range << u"2.5"_s;
        QTest::newRow("negative") << u"Xxxx"_s << u"-3"_s << range << u"-3"_s;
        QTest::newRow("one past a million") << u"Xxxx"_s << u"1000001"_s << range << u"1000001"_s;
        QTest::newRow("beyond 32 bits") << u"Xxxx"_s << u"4294967297"_s << range << u"4294967297"_s;
    }
    void rejectedInputs()
    {
        m_window->open();
        QFETCH(QString, mask);
        QFETCH(QString, count);
        QFETCH(QString, message);
        QFETCH(QString, countAfter);
        Settings::write(Name::String, u"old mask"_s);
        Settings::write(Name::Generate, u"7"_s);
        m_window->fill({u"kept"_s});

        m_window->generate(mask, count);

        QCOMPARE(m_window->messages.shown.size(), 1);
        const MessageBoxes::Message &shown = m_window->messages.shown.first();
        QCOMPARE(shown.text, message);
        QCOMPARE(shown.title, u"Error"_s);
        QCOMPARE(shown.icon, MessageBoxes::Icon::Critical);
        QCOMPARE(shown.buttons, MessageBoxes::Buttons::Ok);
        QCOMPARE(m_window->form().spinner->text(), countAfter);
        QCOMPARE(m_window->rows(), QStringList{u"kept"_s});
        QCOMPARE(Settings::read(Name::String), u"old mask"_s);
        QCOMPARE(Settings::read(Name::Generate), u"7"_s);
    }

    void aFailedSaveOfTheLastGeneratedIsReported()
    {
        m_window->open();
        QTemporaryDir folder; // a program folder whose lastgenerated.txt cannot be replaced
        QVERIFY(QDir(folder.path()).mkpath(u"Language"_s) && QDir(folder.path()).mkpath(u"lastgenerated.txt"_s));
        ProgramFolder::setFolderForTesting(folder.path());
        const auto restore =
            qScopeGuard([] { ProgramFolder::setFolderForTesting(qEnvironmentVariable("TESSARO_BIN_DIR")); });
        Settings::write(Name::LastGen, u"1"_s);
        m_window->generate(u"Xxxx"_s, u"2"_s);
        QCOMPARE(m_window->rows().size(), 2);
        QCOMPARE(m_window->messages.shown.size(), 1);
        QCOMPARE(m_window->messages.shown.first().text,
                 u"Could not save the file %1/lastgenerated.txt\r\nIs a directory"_s.arg(folder.path()));
    }

    void acceptedInputs_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("rows");

        QTest::newRow("4 plain letters give one row") << u"abcd"_s << u"5"_s << 1;
        QTest::newRow("00 passes and makes nothing") << u"Xxxx-####"_s << u"00"_s << 0;
        QTest::newRow("blank-led 0 passes and makes nothing") << u"Xxxx-####"_s << u" 0"_s << 0;
        QTest::newRow("a million is allowed") << u"abcd"_s << u"1000000"_s << 1;
        QTest::newRow("counter mask gives every row") << u"pw-iiii"_s << u"25"_s << 25;
    }
    void acceptedInputs()
    {
        m_window->open();
        QFETCH(QString, mask);
        QFETCH(QString, count);
        QFETCH(int, rows);
        m_window->fill({u"old"_s, u"rows"_s});

        m_window->generate(mask, count);

        QVERIFY(m_window->messages.shown.isEmpty());
        QCOMPARE(m_window->form().genList->GetItemCount(), rows);
        QCOMPARE(m_window->form().genList->model()->rowCount(), rows);
    }

    void passwordsFollowTheMask()
    {
        m_window->open();
        m_window->generate(u"Xxxx-####-@@@@"_s, u"50"_s);
        const QStringList rows = m_window->rows();
        QCOMPARE(rows.size(), 50);
        const QRegularExpression shape(u"^[A-Z][a-z]{3}-[0-9]{4}-.{4}$"_s);
        for (const QString &row : rows)
            QVERIFY2(shape.match(row).hasMatch(), qPrintable(row));
    }

    void blankCountThenSecondClickMakesOne()
    {
        m_window->open();
        m_window->generate(u"Xxxx-####"_s, QString());
        QCOMPARE(m_window->form().spinner->text(), u"1"_s);
        m_window->form().gButton->click();
        QCOMPARE(m_window->messages.shown.size(), 1);
        QCOMPARE(m_window->form().genList->GetItemCount(), 1);
    }

    void remembersMaskAndCount_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 stores the typed text") << u"1"_s << u"typed"_s;
        QTest::newRow("0 forgets") << u"0"_s << u""_s;
        QTest::newRow("other values leave the setting") << u"2"_s << u"before"_s;
        QTest::newRow("empty leaves the setting") << u""_s << u"before"_s;
    }
    void remembersMaskAndCount()
    {
        m_window->open();
        QFETCH(QString, flag);
        QFETCH(QString, expected);
        Settings::write(Name::SaveM, flag);
        Settings::write(Name::SaveN, flag);
        Settings::write(Name::String, u"before"_s);
        Settings::write(Name::Generate, u"before"_s);

        m_window->generate(u"Xx-####-typed"_s, u"3"_s);

        const auto substitute = [&](const QString &typed) { return expected == u"typed" ? typed : expected; };
        QCOMPARE(Settings::read(Name::String), substitute(u"Xx-####-typed"_s));
        QCOMPARE(Settings::read(Name::Generate), substitute(u"3"_s));
    }

    void enterRunsGenerate_data()
    {
        QTest::addColumn<bool>("inCountBox");
        QTest::newRow("in the mask box") << false;
        QTest::newRow("in the count box") << true;
    }
    void enterRunsGenerate()
    {
        m_window->open();
        QFETCH(bool, inCountBox);
        const Form &form = m_window->form();
        const int savedMasks = form.mCombo->count();
        form.mCombo->setEditText(u"Xxxx-####"_s);
        form.spinner->setText(u"4"_s);
        QWidget *target = inCountBox ? static_cast<QWidget *>(form.spinner) : form.mCombo->lineEdit();
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(form.genList->GetItemCount(), 4);
        QCOMPARE(form.mCombo->count(), savedMasks); // Enter does not add the mask to the list
    }

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
        m_window->open();
        QFETCH(QStringList, rows);
        QFETCH(QString, clipboard);
        WindowTest::setClipboard(u"earlier"_s);
        m_window->fill(rows);
        m_window->window->results().CopyAllResults();
        QCOMPARE(WindowTest::clipboardText(), clipboard);
    }

    void copiesAreMarkedForClipboardManagers()
    {
        m_window->open();
        m_window->fill({u"secret"_s});
        m_window->window->results().CopyAllResults();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->data(u"x-kde-passwordManagerHint"_s), QByteArray("secret"));
    }

    void copySelected()
    {
        m_window->open();
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
        m_window->open();
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
        m_window->open();
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

    // The layouts themselves are tested in tst_listfiles; here that each save
    // writes its own, owner-only.
    void saveLayouts_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QByteArray>("bytes");
        const QStringList rows{u"a,b"_s, u""_s, u"p2"_s, u"p3"_s, u"p4"_s, u"p5"_s, u"p6"_s};
        QTest::newRow("CSV") << true << rows << QByteArray("\"a,b\",,p2,p3,p4,p5\r\np6\r\n");
        QTest::newRow("text") << false << rows << QByteArray("a,b\r\n\r\np2\r\np3\r\np4\r\np5\r\np6\r\n");
    }
    void saveLayouts()
    {
        m_window->open();
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
        m_window->open();
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
        m_window->open();
        m_window->window->results().SaveResultsAsText();
        m_window->window->results().SaveResultsAsCsv();
        QVERIFY(m_window->dialogs.requests.isEmpty());
    }

    void overwriteLeavesNoTraceOfALongerFile()
    {
        m_window->open();
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
        m_window->open();
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
        m_window->open();
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

    // A tool runs its own command when it shows its stored caption, here
    // stored under every code at once.
    void dispatch_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<ToolCommand>("command");
        QTest::newRow("own caption") << 12 << u"About"_s << u"About"_s << ToolCommand::About;
        QTest::newRow("caption shared: Copy All") << 3 << u"Copy"_s << u"Copy"_s << ToolCommand::CopyAll;
        QTest::newRow("every caption empty: Exit") << 9 << u""_s << u""_s << ToolCommand::Exit;
        QTest::newRow("every caption empty: Contents") << 11 << u""_s << u""_s << ToolCommand::Contents;
        QTest::newRow("case differs: nothing") << 3 << u"copy all"_s << u"Copy All"_s << ToolCommand::None;
        QTest::newRow("Help has no command") << 10 << u"Help"_s << u"Help"_s << ToolCommand::None;
        QTest::newRow("a menu has no command") << 4 << u"&File"_s << u"&File"_s << ToolCommand::None;
    }
    void dispatch()
    {
        QFETCH(int, tool);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        QFETCH(ToolCommand, command);
        for (const ToolCode &each : kToolCodes)
            Settings::write(each.code, stored);
        QCOMPARE(toolCommand(tool, shown), command);
    }

    void captionsAreReadOnEveryClick()
    {
        m_window->open();
        m_window->tool(5)->trigger();
        QCOMPARE(m_window->form().panels->currentWidget(), m_window->form().oFrame);
        m_window->form().oButton->click();
        Settings::write(Name::TPO, u"Programm-Optionen"_s);
        m_window->tool(5)->trigger(); // still shows "Program Options"
        QCOMPARE(m_window->form().panels->currentWidget(), m_window->form().cFrame);
    }

    void toolsOpenTheirPanels_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<QString>("panel");
        QTest::newRow("Program Options") << 5 << u"oFrame"_s;
        QTest::newRow("Generation Options") << 6 << u"gFrame"_s;
        QTest::newRow("Mask Options") << 7 << u"sFrame"_s;
        QTest::newRow("About") << 12 << u"aFrame"_s;
        QTest::newRow("Interface Options") << 13 << u"iFrame"_s;
    }
    void toolsOpenTheirPanels()
    {
        m_window->open();
        QFETCH(int, tool);
        QFETCH(QString, panel);
        const Form &form = m_window->form();
        QWidget *opened = m_window->window->findChild<QWidget *>(panel);
        QVERIFY(opened);

        for (int repeat = 0; repeat < 2; ++repeat) { // opening an open panel repeats the switch
            m_window->tool(tool)->trigger();
            QVERIFY(opened->isVisible());
            QVERIFY(!form.cFrame->isVisible());
            QCOMPARE(PanelSwitch::verticalPosition(*opened), PanelSwitch::kOpenPosition);
            QCOMPARE(PanelSwitch::verticalPosition(*form.cFrame), PanelSwitch::kAwayPosition);
        }
    }

    void closeButtonsReturnToTheMainPanel_data()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<QString>("closeButton");
        QTest::newRow("oButton") << 5 << u"oButton"_s;
        QTest::newRow("aButton") << 12 << u"aButton"_s;
    }
    void closeButtonsReturnToTheMainPanel()
    {
        m_window->open();
        QFETCH(int, tool);
        QFETCH(QString, closeButton);
        const Form &form = m_window->form();
        m_window->tool(tool)->trigger();
        QWidget *panel = form.panels->currentWidget();
        m_window->window->findChild<QToolButton *>(closeButton)->click();
        QVERIFY(form.cFrame->isVisible());
        QVERIFY(panel->isHidden());
        QCOMPARE(PanelSwitch::verticalPosition(*form.cFrame), PanelSwitch::kMainPosition);
        QCOMPARE(PanelSwitch::verticalPosition(*panel), PanelSwitch::kAwayPosition);
    }

    void copyToolsUseTheList()
    {
        m_window->open();
        m_window->fill({u"a"_s, u"b"_s});
        m_window->tool(3)->trigger();
        QCOMPARE(WindowTest::clipboardText(), u"a\r\nb\r\n"_s);
        m_window->form().genList->setCurrentIndex(m_window->form().genList->model()->index(0, 0));
        m_window->tool(2)->trigger();
        QCOMPARE(WindowTest::clipboardText(), u"a"_s);
    }

    void saveToolsShowTheirDialogs()
    {
        m_window->open();
        m_window->fill({u"a"_s});
        m_window->tool(15)->trigger();
        m_window->tool(16)->trigger();
        QCOMPARE(m_window->dialogs.requests.size(), 2);
        QCOMPARE(m_window->dialogs.requests.at(0).title, u"Save Text File"_s);
        QCOMPARE(m_window->dialogs.requests.at(1).title, u"Save CSV File"_s);
    }

    // Contents opens the help page, or names it when that cannot be done.
    void contentsOpensTheHelpPage_data()
    {
        QTest::addColumn<bool>("browser");
        QTest::addColumn<bool>("helpFile");
        QTest::addColumn<int>("opened");
        QTest::newRow("opened") << true << true << 1;
        QTest::newRow("no browser") << false << true << 1;
        QTest::newRow("no help file") << true << false << 0;
    }
    void contentsOpensTheHelpPage()
    {
        m_window->open();
        QFETCH(bool, browser);
        QFETCH(bool, helpFile);
        QFETCH(int, opened);
        const QString help = ProgramFolder::path(ProgramFolder::File::HelpIndex);
        m_window->shell.opens = browser;
        if (!helpFile)
            QVERIFY(QFile::remove(help));
        m_window->tool(11)->trigger();
        m_window->tool(10)->trigger(); // Help itself does nothing
        QCOMPARE(m_window->shell.opened, QList<QUrl>(opened, QUrl::fromLocalFile(help)));
        QCOMPARE(m_window->messages.shown.size(), browser && helpFile ? 0 : 1);
        if (!m_window->messages.shown.isEmpty())
            QVERIFY(m_window->messages.shown.first().text.contains(QDir::toNativeSeparators(help)));
    }

    void minimize()
    {
        m_window->open();
        m_window->tool(8)->trigger();
        QTRY_VERIFY(m_window->window->isMinimized());
    }

    void exitRunsShutdown_data()
    {
        QTest::addColumn<bool>("fromPanel");
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("Exit from the main panel") << false << false;
        QTest::newRow("Exit while an option panel is open") << true << false;
        QTest::newRow("Ctrl+Q") << false << true;
    }
    void exitRunsShutdown()
    {
        m_window->open();
        QFETCH(bool, fromPanel);
        QFETCH(bool, byShortcut);
        if (fromPanel)
            m_window->tool(6)->trigger();
        if (byShortcut) {
            m_window->window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window->window.get()));
            QTest::keyClick(m_window->window.get(), Qt::Key_Q, Qt::ControlModifier);
        } else {
            m_window->tool(9)->trigger();
        }
        QVERIFY(m_window->window->hasShutDown());
        QVERIFY(!m_window->window->isVisible());
        QVERIFY(!Settings::read(Name::Top).isEmpty());
        QVERIFY(!Settings::read(Name::Left).isEmpty());
    }

    // What mask.kmf holds for a mask, and that the reader gives it back whole.
    void maskFileLines_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << u"Xx##-@@"_s << QByteArray("Xx##-@@\r\n");
        QTest::newRow("blanks kept") << u" Xx ## "_s << QByteArray(" Xx ## \r\n");
        QTest::newRow("comma") << u"XX,xx"_s << QByteArray("\"XX,xx\"\r\n");
        QTest::newRow("quote") << u"Say \"X\""_s << QByteArray("\"Say \"\"X\"\"\"\r\n");
        QTest::newRow("comma and quote") << u"\",\""_s << QByteArray("\"\"\",\"\"\"\r\n");
        QTest::newRow("non-ASCII") << u"Ää€##"_s << u"Ää€##\r\n"_s.toUtf8();
    }
    void maskFileLines()
    {
        QFETCH(QString, mask);
        QFETCH(QByteArray, line);
        const QByteArray text = MaskFile::text({mask, u"next"_s});
        QCOMPARE(text, line + "next\r\n");
        QCOMPARE(parseListFileText(QString::fromUtf8(text)), (QStringList{mask, u"next"_s}));
    }

    void addingAMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QString>("message");
        QTest::newRow("new") << u"Qq-##-Qq"_s << true << QString();
        QTest::newRow("differs only in case") << u"XXXX-####-@@@@"_s << true << QString();
        QTest::newRow("listed") << u"Xxxx-####-@@@@"_s << false << u"Mask Xxxx-####-@@@@ already in list."_s;
        QTest::newRow("three characters") << u"Xx#"_s << false << QString();
        QTest::newRow("empty") << QString() << false << QString();
        QTest::newRow("with a comma") << u"XX,xx"_s << true << QString();
    }
    void addingAMask()
    {
        QFETCH(QString, mask);
        QFETCH(bool, added);
        QFETCH(QString, message);
        const Form &form = m_window->open().form();
        QVERIFY(form.mCombo->findText(u"Xxxx-####-@@@@"_s) >= 0); // the starter list
        const QStringList before = rowsOf(*form.mCombo);
        const QByteArray fileBefore = readAll(m_window->folder.file(u"mask.kmf"_s));
        form.mCombo->setEditText(mask);
        form.addButton->click();

        QCOMPARE(rowsOf(*form.mCombo), added ? before + QStringList{mask} : before);
        QCOMPARE(form.mCombo->currentText(), mask);
        QCOMPARE(m_window->messages.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            const auto &shown = m_window->messages.shown.front();
            QCOMPARE(shown.text, message);
            QCOMPARE(shown.title, u"Already in list"_s);
            QCOMPARE(shown.icon, MessageBoxes::Icon::Exclamation);
        }
        if (!added) {
            QCOMPARE(readAll(m_window->folder.file(u"mask.kmf"_s)), fileBefore);
            return;
        }
        // The file follows the box, and a restart shows the same list.
        m_window->window.reset();
        m_window->open();
        QCOMPARE(rowsOf(*m_window->form().mCombo), before + QStringList{mask});
    }

    void removingAMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("removed");
        QTest::newRow("listed, yes") << u"Xxxx-####-@@@@"_s << true << true << true;
        QTest::newRow("listed, no") << u"Xxxx-####-@@@@"_s << false << true << false;
        QTest::newRow("typed, not listed") << u"Zz-##"_s << true << true << false;
        QTest::newRow("listed but in another case") << u"xxxx-####-@@@@"_s << true << true << false;
        QTest::newRow("empty") << QString() << true << false << false;
    }
    void removingAMask()
    {
        QFETCH(QString, mask);
        QFETCH(bool, yes);
        QFETCH(bool, asked);
        QFETCH(bool, removed);
        const Form &form = m_window->open().form();
        // Another row is selected: the command goes by the text, not the selection.
        form.mCombo->setCurrentIndex(form.mCombo->count() - 1);
        const QStringList before = rowsOf(*form.mCombo);
        const QByteArray fileBefore = readAll(m_window->folder.file(u"mask.kmf"_s));
        form.mCombo->setEditText(mask);
        m_window->messages.setNextAnswer(yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
        form.sudButton->click();

        QCOMPARE(m_window->messages.shown.size(), asked ? 1 : 0);
        if (asked) {
            const auto &shown = m_window->messages.shown.front();
            QCOMPARE(shown.text, u"Are you sure you want to remove ["_s + mask + u"] from the list?"_s);
            QCOMPARE(shown.title, u"Remove Mask?"_s);
            QCOMPARE(shown.buttons, MessageBoxes::Buttons::YesNo);
            QCOMPARE(shown.icon, MessageBoxes::Icon::Question);
        }
        QStringList expected = before;
        if (removed)
            expected.removeOne(mask);
        QCOMPARE(rowsOf(*form.mCombo), expected);
        if (!removed)
            QCOMPARE(readAll(m_window->folder.file(u"mask.kmf"_s)), fileBefore);
        else
            QCOMPARE(readAll(m_window->folder.file(u"mask.kmf"_s)), MaskFile::text(expected));
    }

    // 100,000 masks come in whole and in order; removing and adding keep the
    // file equal to the box.
    void aLongList()
    {
        QStringList masks;
        for (int i = 0; i < 100000; ++i)
            masks.append(u"Xx##-%1"_s.arg(i));
        QVERIFY(MaskFile::save(m_window->folder.file(u"mask.kmf"_s), masks).ok);
        const Form &form = m_window->open().form();
        QCOMPARE(rowsOf(*form.mCombo), masks);
        QCOMPARE(form.mCombo->currentText(), masks.first());
        form.mCombo->setEditText(masks.takeAt(50000));
        m_window->messages.setNextAnswer(MessageBoxes::Answer::Yes);
        form.sudButton->click();
        form.mCombo->setEditText(u"Xx##-new"_s);
        form.addButton->click();
        QCOMPARE(rowsOf(*form.mCombo), masks << u"Xx##-new"_s);
        QCOMPARE(readAll(m_window->folder.file(u"mask.kmf"_s)), MaskFile::text(masks));
    }

    void aFileThatCannotBeWrittenIsReported()
    {
        const Form &form = m_window->open().form();
        const QString path = m_window->folder.file(u"mask.kmf"_s);
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path)); // a folder where the file should be
        const QStringList before = rowsOf(*form.mCombo);
        form.mCombo->setEditText(u"Nn-####"_s);
        form.addButton->click();

        QCOMPARE(rowsOf(*form.mCombo), before + QStringList{u"Nn-####"_s});
        QCOMPARE(m_window->messages.shown.size(), 1);
        const auto &shown = m_window->messages.shown.front();
        QCOMPARE(shown.title, u"Error"_s);
        QCOMPARE(shown.icon, MessageBoxes::Icon::Critical);
        QVERIFY2(shown.text.contains(QDir::toNativeSeparators(path)), qPrintable(shown.text));
        QVERIFY(shown.text.split(u"\r\n"_s).size() == 2 && !shown.text.split(u"\r\n"_s).last().isEmpty());
    }

    void meterFollowsTheMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("word");
        // Default generation: 26 letters (4.70 bits), 10 digits (3.32 bits).
        QTest::newRow("literal") << u"abc"_s << 0 << u"Poor"_s;
        QTest::newRow("ten letters") << u"XXXXXXXXXX"_s << 47 << u"Weak"_s;
    }
    void meterFollowsTheMask()
    {
        QFETCH(QString, mask);
        QFETCH(int, bits);
        QFETCH(QString, word);
        const Form &form = m_window->open().form();
        StrengthMeter *meter = m_window->window->findChild<StrengthMeter *>(u"strengthMeter"_s);
        QCOMPARE(meter, form.strengthMeter);
        QCOMPARE(meter->accessibleName(), u"Mask strength"_s);
        form.mCombo->setEditText(QString());
        QTest::keyClicks(form.mCombo->lineEdit(), mask);
        QCOMPARE(int(meter->bits()), bits);
        QCOMPARE(meter->text(), u"%1 bits %2"_s.arg(bits).arg(word));
        QCOMPARE(meter->toolTip(), meter->text());
    }

    void meterFollowsTheSettings()
    {
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        form.mCombo->setEditText(u"XXXXXXXX"_s);
        const double before = form.strengthMeter->bits();

        // A one-letter upper-case class gives nothing to guess.
        window.openPanel(*form.gFrame);
        form.cOption->click();
        form.uEdit->setText(u"A"_s);
        form.nButton->click();
        QCOMPARE(form.strengthMeter->bits(), 0.0);
        window.openPanel(*form.gFrame);
        form.dOption->click();
        QCOMPARE(form.strengthMeter->bits(), before);

        // Another symbol: the X is then copied.
        window.openPanel(*form.sFrame);
        form.upEdit->setText(u"U"_s);
        form.mButton->click();
        QCOMPARE(form.strengthMeter->bits(), 0.0);

        // Picking a mask from the list measures it too.
        form.mCombo->setCurrentIndex(0);
        QCOMPARE(form.strengthMeter->text().section(u' ', 0, 1),
                 u"%1 bits"_s.arg(std::floor(
                     MaskStrength::measure(form.mCombo->itemText(0), GenerationSettings::fromStore()).bits)));
    }

    // Copy Selected and Copy All start the countdown when the option is on;
    // at its end the clipboard is cleared only if it still holds the copy.
    void clipboardIsClearedAfterACopy_data()
    {
        QTest::addColumn<bool>("optionOn");
        QTest::addColumn<bool>("copyAll");
        QTest::addColumn<QString>("copiedSince");
        QTest::addColumn<QString>("afterwards");
        QTest::newRow("off") << false << false << QString() << u"pw-1"_s;
        QTest::newRow("selected") << true << false << QString() << QString();
        QTest::newRow("all") << true << true << QString() << QString();
        QTest::newRow("someone copied since") << true << false << u"not ours"_s << u"not ours"_s;
    }
    void clipboardIsClearedAfterACopy()
    {
        QFETCH(bool, optionOn);
        QFETCH(bool, copyAll);
        QFETCH(QString, copiedSince);
        QFETCH(QString, afterwards);
        Settings::write(Name::ClearAfter, optionOn ? u"1"_s : u"0"_s);
        MainWindow &window = m_window->open();
        QCOMPARE(window.form().cca->isChecked(), optionOn);
        m_window->fill({u"pw-1"_s, u"pw-2"_s});
        window.form().genList->setCurrentIndex(window.form().genList->model()->index(0, 0));
        copyAll ? window.results().CopyAllResults() : window.results().CopySelectedResult();
        QCOMPARE(WindowTest::clipboardText(), copyAll ? u"pw-1\r\npw-2\r\n"_s : u"pw-1"_s);

        ClipboardClearTimer &timer = window.clipboardClearTimer();
        QCOMPARE(timer.isActive(), optionOn);
        if (!copiedSince.isEmpty())
            WindowTest::setClipboard(copiedSince);
        if (optionOn)
            timer.expire();
        QCOMPARE(WindowTest::clipboardText(), afterwards);
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

private:
    QTemporaryDir m_files;
};

QTEST_MAIN(TestWindowCommands)
#include "tst_window_commands.moc"
