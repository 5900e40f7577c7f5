#include "WindowFixture.h"

#include "core/common/RecentMappings.h"
#include "core/generation/MaskFile.h"
#include "core/localisation/LanguageTexts.h"
#include "window/form/PanelSwitch.h"
#include "window/form/StrengthMeter.h"
#include "window/generation/WindowBatch.h"
#include "window/results/ClipboardClearTimer.h"
#include "window/results/ResultCommands.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QListView>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTimer>
#include <QTreeView>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using Answer = MessageBoxes::Answer;
namespace Name = Settings::Name;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs run while the process may map only 1 GB more: a batch the memory
// check ought to refuse then fails at once instead of filling the machine.
template <typename Run> void withScarceMemory(Run run)
{
    rlimit before{};
    ::getrlimit(RLIMIT_AS, &before);
    rlimit scarce = before;
    scarce.rlim_cur =
        readAll(u"/proc/self/statm"_s).split(' ').value(0).toULongLong() * quint64(::sysconf(_SC_PAGESIZE)) +
        (quint64(1) << 30);
    ::setrlimit(RLIMIT_AS, &scarce);
    run();
    ::setrlimit(RLIMIT_AS, &before);
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

    QString maskFile() const { return m_window->folder.file(u"mask.kmf"_s); }

private slots:
    // A rejected Generate says why (message: how it begins) and changes
    // neither the list nor the store.
    void rejectedInputs_data()
    {
        WindowTest::columns<QString, QString, QString, QString>("mask", "count", "message", "countAfter");
        const auto english = [](const char *key) { return Localisation::englishText(QLatin1StringView(key)); };
        const QString shortMask = english("Message01");
        const QString range = english("Message04");
        QTest::newRow("3-character mask, blank count: mask first") << u"Xx#"_s << u""_s << shortMask << u""_s;
        QTest::newRow("blank count is reset to 1") << u"Xxxx"_s << u""_s << english("Message02") << u"1"_s;
        QTest::newRow("zero count is reset to 1") << u"Xxxx"_s << u"0"_s << english("Message03") << u"1"_s;
        QTest::newRow("decimal fraction") << u"Xxxx"_s << u"2.5"_s << range << u"2.5"_s;
        QTest::newRow("letters") << u"Xxxx"_s << u"ten"_s << range << u"ten"_s;
        QTest::newRow("one past 32 bits") << u"Xxxx"_s << u"2147483648"_s << range << u"2147483648"_s;
        // 64 letters: about 460 GB for the rows of the batch.
        QTest::newRow("beyond the memory")
            << QString(64, u'X') << u"2147483647"_s << english("Message14").arg(2147483647).section(u"%2"_s, 0, 0)
            << u"2147483647"_s;
    }
    void rejectedInputs()
    {
        const auto [mask, count, message, countAfter] =
            WindowTest::fetch<QString, QString, QString, QString>("mask", "count", "message", "countAfter");
        open();
        Settings::write(Name::String, u"old mask"_s);
        Settings::write(Name::Generate, u"7"_s);
        m_window->fill({u"kept"_s});
        withScarceMemory([&] { m_window->generate(mask, count); });
        QCOMPARE(shownTexts().size(), 1);
        QCOMPARE(shownTexts().first().left(message.size()), message);
        QVERIFY(WindowTest::isError(lastShown()));
        QCOMPARE(form().spinner->text(), countAfter);
        QCOMPARE(m_window->rows(), QStringList{u"kept"_s});
        QCOMPARE(Settings::read(Name::String) + Settings::read(Name::Generate), u"old mask7"_s);
    }

    // Generate replaces the list with the number of rows asked for, each of
    // the mask's shape; Enter in either box runs it without listing the mask.
    void acceptedInputs_data()
    {
        WindowTest::columns<QString, QString, int, QString>("mask", "count", "rows", "shape");
        QTest::newRow("00 passes and makes nothing") << u"Xxxx-####"_s << u"00"_s << 0 << QString();
        QTest::newRow("-5 passes and makes nothing") << u"Xxxx-####"_s << u"-5"_s << 0 << QString();
        QTest::newRow("the largest count; plain letters once") << u"abcd"_s << u"2147483647"_s << 1 << u"abcd"_s;
        QTest::newRow("all 26 there are, then no more") << u"ab-X"_s << u"2147483647"_s << 26 << u"ab-[A-Z]"_s;
        QTest::newRow("counter mask gives every row") << u"pw-iiii"_s << u"25"_s << 25 << u"pw-[0-9]+"_s;
        QTest::newRow("classes") << u"Xxxx-####-@@@@"_s << u"50"_s << 50 << u"[A-Z][a-z]{3}-[0-9]{4}-.{4}"_s;
        QTest::newRow("start of a listed mask") << u"Xxxx"_s << u"5"_s << 5 << u"[A-Z][a-z]{3}"_s;
        QTest::newRow("listed in another case") << u"XXXX-####"_s << u"5"_s << 5 << u"[A-Z]{4}-[0-9]{4}"_s;
    }
    void acceptedInputs()
    {
        const auto [mask, count, rows, shape] =
            WindowTest::fetch<QString, QString, int, QString>("mask", "count", "rows", "shape");
        open();
        m_window->fill({u"old"_s, u"rows"_s});
        m_window->generate(mask, count);
        QVERIFY(m_window->messages.shown.isEmpty());
        QCOMPARE(form().genList->GetItemCount(), rows);
        QCOMPARE(form().genList->model()->rowCount(), rows);
        for (const QString &row : m_window->rows())
            QVERIFY2(QRegularExpression(u'^' + shape + u'$').match(row).hasMatch(), qPrintable(row));
        const int savedMasks = form().mCombo->count();
        form().mCombo->setEditText(u"Xxxx-####"_s);
        form().spinner->setText(u"3"_s);
        QTest::keyClick(form().spinner, Qt::Key_Return);
        QCOMPARE(form().genList->GetItemCount(), 3);
        form().spinner->setText(u"2"_s);
        QTest::keyClick(form().mCombo->lineEdit(), Qt::Key_Return);
        QCOMPARE(form().genList->GetItemCount(), 2);
        QCOMPARE(form().mCombo->count(), savedMasks);
    }

    void remembersMaskAndCount_data()
    {
        WindowTest::columns<QString, QString>("flag", "expected");
        QTest::newRow("1 stores the typed text") << u"1"_s << u"typed"_s;
        QTest::newRow("0 forgets") << u"0"_s << u""_s;
        QTest::newRow("other values leave the setting") << u"2"_s << u"before"_s;
    }
    void remembersMaskAndCount()
    {
        const auto [flag, expected] = WindowTest::fetch<QString, QString>("flag", "expected");
        open();
        for (const auto name : {Name::SaveM, Name::SaveN})
            Settings::write(name, flag);
        for (const auto name : {Name::String, Name::Generate})
            Settings::write(name, u"before"_s);
        m_window->generate(u"Xx-####-typed"_s, u"3"_s);
        const auto substitute = [&](const QString &typed) { return expected == u"typed" ? typed : expected; };
        QCOMPARE(Settings::read(Name::String), substitute(u"Xx-####-typed"_s));
        QCOMPARE(Settings::read(Name::Generate), substitute(u"3"_s));
    }

    // The Copy tools and a double click (tool 0). With clear-after on, the
    // clipboard is cleared at the end only if it still holds the copy ("ours").
    void copies_data()
    {
        WindowTest::columns<QStringList, int, int, QString, QString>("rows", "selected", "tool", "clipboard",
                                                                     "clearAfter"); // empty: off
        const QStringList three{u"a"_s, u""_s, u"c"_s};
        QTest::newRow("Copy All: each row ended by CR LF") << three << -1 << 3 << u"a\r\n\r\nc\r\n"_s << QString();
        QTest::newRow("Copy Selected") << three << 2 << 2 << u"c"_s << QString();
        QTest::newRow("Copy Selected, no selection: unchanged") << three << -1 << 2 << u"earlier"_s << QString();
        QTest::newRow("double click") << three << 2 << 0 << u"c"_s << QString();
        QTest::newRow("Copy Selected, cleared") << three << 0 << 2 << u"a"_s << u"ours"_s;
        QTest::newRow("someone copied since") << three << 0 << 2 << u"a"_s << u"not ours"_s;
    }
    void copies()
    {
        const auto [rows, selected, tool, clipboard, clearAfter] =
            WindowTest::fetch<QStringList, int, int, QString, QString>("rows", "selected", "tool", "clipboard",
                                                                       "clearAfter");
        Settings::write(Name::ClearAfter, clearAfter.isEmpty() ? u"0"_s : u"1"_s);
        open();
        QCOMPARE(form().cca->isChecked(), !clearAfter.isEmpty());
        WindowTest::setClipboard(u"earlier"_s);
        m_window->fill(rows);
        QListView &list = *form().genList;
        const QPoint centre = list.visualRect(list.model()->index(selected, 0)).center();
        if (tool) {
            if (selected >= 0)
                list.setCurrentIndex(list.model()->index(selected, 0));
            m_window->tool(tool)->trigger();
        } else {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, centre);
        }
        QCOMPARE(WindowTest::clipboardText(), clipboard);
        ClipboardClearTimer &timer = window().clipboardClearTimer();
        QCOMPARE(timer.isActive(), !clearAfter.isEmpty());
        if (clearAfter.isEmpty())
            return;
        if (clearAfter != u"ours")
            WindowTest::setClipboard(clearAfter);
        timer.expire();
        QCOMPARE(WindowTest::clipboardText(), clearAfter == u"ours" ? QString() : clearAfter);
    }

    void clear_data()
    {
        WindowTest::columns<QString, QStringList, bool, bool, bool>("confirm", "rows", "answerYes", "asked", "cleared");
        const QStringList two{u"a"_s, u"b"_s};
        QTest::newRow("Confirm 0 clears without asking") << u"0"_s << two << true << false << true;
        QTest::newRow("Confirm 1, Yes clears") << u"1"_s << two << true << true << true;
        QTest::newRow("Confirm 1, No keeps") << u"1"_s << two << false << true << false;
        QTest::newRow("Confirm 2 does nothing") << u"2"_s << two << true << false << false;
        QTest::newRow("empty list asks nothing") << u"1"_s << QStringList{} << true << false << true;
    }
    void clear()
    {
        const auto [confirm, rows, answerYes, asked, cleared] =
            WindowTest::fetch<QString, QStringList, bool, bool, bool>("confirm", "rows", "answerYes", "asked",
                                                                      "cleared");
        open();
        Settings::write(Name::Confirm, confirm);
        m_window->fill(rows);
        form().genList->setHeading({u"Heading"_s});
        m_window->messages.setNextAnswer(answerYes ? Answer::Yes : Answer::No);
        form().cButton->click();
        QCOMPARE(shownTexts(), asked ? QStringList{u"Are you sure you want to clear the list?"_s} : QStringList{});
        if (asked)
            QCOMPARE(lastShown().buttons, MessageBoxes::Buttons::YesNo);
        QCOMPARE(m_window->rows(), cleared ? QStringList{} : rows);
        QCOMPARE(form().genList->columnCaption(), u"Heading"_s);
    }

    // A long batch leaves the window's thread free: the heading shows its
    // progress again and again until the rows appear together. Clear ends a
    // running batch, and so does closing the window, after which
    // lastgenerated.txt still holds the last whole batch.
    void longBatchShowsItsProgress()
    {
        open();
        Settings::write(Name::LastGen, u"1"_s);
        Settings::write(Name::Confirm, u"0"_s);
        const ResultListView &list = *form().genList;
        QStringList headings;
        connect(list.model(), &QAbstractItemModel::headerDataChanged, this, [&] { headings += list.columnCaption(); });
        const QString mask = u"Xxxx-####-@@@@"_s;
        m_window->generate(mask, u"3000000"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!window().batch().isRunning(), 300000);
        headings.removeDuplicates();
        QVERIFY2(headings.filter(QRegularExpression(u"^Generating \\[\\d+/3000000\\]$"_s)).size() >= 3,
                 qPrintable(headings.join(u'|')));
        QCOMPARE(list.GetItemCount(), 3000000);
        QCOMPARE(list.columnCaption(), u"Generated Passwords"_s);

        const QString lastGenerated = ProgramFolder::path(ProgramFolder::File::LastGenerated);
        m_window->generate(u"pw-i"_s, u"2"_s);
        QCOMPARE(readAll(lastGenerated), "pw-0\r\npw-1\r\n");
        m_window->generate(mask, u"3000000"_s);
        form().cButton->click();
        QVERIFY(!window().batch().isRunning() && list.GetItemCount() == 0);
        QCOMPARE(RecentMappings::keptBytes(), size_t(0));
        m_window->generate(mask, u"3000000"_s);
        window().close();
        QVERIFY(!window().batch().isRunning());
        QCOMPARE(readAll(lastGenerated), "pw-0\r\npw-1\r\n");
        QVERIFY(m_window->messages.shown.isEmpty());
    }

    // The save tools: no dialog for an empty list; else each its own dialog
    // and layout (the layouts are tested in tst_listfiles), written owner-only
    // over a longer file without a trace of it.
    void saves_data()
    {
        WindowTest::columns<int, QString, QString, QByteArray>("tool", "title", "filter", "bytes");
        QTest::newRow("text") << 15 << u"Save Text File|Text Files (*.txt)|txt"_s << u"out.txt"_s
                              << QByteArray("a,b\r\n\r\np2\r\np3\r\np4\r\np5\r\np6\r\n");
        QTest::newRow("CSV") << 16 << u"Save CSV File|CSV Files (*.csv)|csv"_s << u"out.csv"_s
                             << QByteArray("\"a,b\",,p2,p3,p4,p5\r\np6\r\n");
    }
    void saves()
    {
        const auto [tool, title, filter, bytes] =
            WindowTest::fetch<int, QString, QString, QByteArray>("tool", "title", "filter", "bytes");
        open();
        m_window->tool(tool)->trigger();
        QVERIFY(m_window->dialogs.requests.isEmpty());
        m_window->fill({u"a,b"_s, u""_s, u"p2"_s, u"p3"_s, u"p4"_s, u"p5"_s, u"p6"_s});
        Settings::write(Name::DialogSize, u"700x500"_s);
        m_window->dialogs.closedAt = QSize(900, 640); // the size the user gave it
        m_window->tool(31 - tool)->trigger();         // the other save, cancelled: nothing carries over
        QCOMPARE(m_window->dialogs.requests.last().size, QSize(700, 500));
        const QString path = m_files.filePath(filter);
        QVERIFY(writeFile(path, QByteArray(4096, 'x')));
        m_window->dialogs.answerNextWith(path);
        m_window->tool(tool)->trigger();

        QCOMPARE(readAll(path), bytes);
        QVERIFY(m_window->messages.shown.isEmpty());
        QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        const FileDialogs::Request &request = m_window->dialogs.requests.last();
        QCOMPARE(request.kind, FileDialogs::Kind::Save);
        QCOMPARE(QStringList({request.title, request.nameFilters.join(u';'), request.defaultSuffix}).join(u'|'), title);
        QVERIFY(request.confirmOverwrite && !request.folder.isEmpty());
        QCOMPARE(request.size, QSize(900, 640));
    }

    // Qt's own dialog opens within the screen with room for a date, and at
    // the size it was last given.
    void qtSaveDialogFitsAndKeepsItsSize()
    {
        QtFileDialogs dialogs;
        QSize opened;
        int dateWidth = 0;
        const auto closeAt = [&](QSize size) {
            QTimer::singleShot(0, [&, size] {
                QWidget *dialog = QApplication::activeModalWidget();
                const auto *list = dialog->findChild<QTreeView *>();
                const QString now = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
                dateWidth = list->header()->sectionSize(3) - list->fontMetrics().horizontalAdvance(now);
                opened = dialog->size();
                dialog->resize(size);
                qobject_cast<QDialog *>(dialog)->reject();
            });
        };
        FileDialogs::Request request;
        request.nameFilters = QStringList{u"Text (*.txt)"_s};
        closeAt(QSize(500, 400));
        QCOMPARE(dialogs.chooseFile(request), QString());
        QVERIFY(dateWidth > 0);
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().width() >= opened.width());
        request.size = dialogs.lastSize();
        closeAt(QSize());
        (void)dialogs.chooseFile(request);
        QCOMPARE(opened, QSize(500, 400));
    }

    void failedSaveSaysWhyAndKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("the path is a folder") << u"folder"_s;
        QTest::newRow("a read-only folder") << u"locked/out.txt"_s;
        QTest::newRow("another user's link in a shared folder") << u"shared/out.txt"_s;
    }
    void failedSaveSaysWhyAndKeepsTheOldFile()
    {
        QFETCH(QString, name);
        open();
        QDir(m_files.path()).mkpath(u"folder"_s);
        QDir(m_files.path()).mkpath(u"locked"_s);
        const QString locked = m_files.filePath(u"locked"_s);
        QVERIFY(QFile::exists(locked + u"/out.txt"_s) || writeFile(locked + u"/out.txt"_s, "earlier"));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        if (name.startsWith(u"locked") && QFileInfo(locked).isWritable())
            QSKIP("running with rights that ignore folder permissions");
        if (name.startsWith(u"shared")) { // nobody's link to the earlier file, which root could replace
            if (::geteuid() != 0)
                QSKIP("only root can act as a second user here");
            QVERIFY(QDir(m_files.path()).mkpath(u"shared"_s) &&
                    ::chmod(qPrintable(m_files.filePath(u"shared"_s)), 01777) == 0);
            QFile::setPermissions(m_files.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeOther);
            QCOMPARE(
                QProcess::execute(u"setpriv"_s, {u"--reuid=nobody"_s, u"--regid=nogroup"_s, u"--clear-groups"_s,
                                                 u"ln"_s, u"-sf"_s, locked + u"/out.txt"_s, m_files.filePath(name)}),
                0);
        }
        const QString path = m_files.filePath(name);
        m_window->fill({u"new"_s});
        m_window->dialogs.answerNextWith(path);
        window().results().SaveResultsAsText();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(m_window->messages.shown.size(), 1);
        QVERIFY(WindowTest::isError(lastShown()));
        const QString text = lastShown().text;
        const QString withoutReason = Localisation::englishText("Message06"_L1).arg(path, QString());
        QVERIFY2(text.startsWith(withoutReason), qPrintable(text));
        QVERIFY(text.size() > withoutReason.size()); // with a reason
        QCOMPARE(readAll(locked + u"/out.txt"_s), QByteArray("earlier"));
    }

    // A store that cannot be written (a folder in its place, new to this
    // process: Qt keeps what it read) is reported, and no tool needs it.
    void toolsWorkWithoutAWritableStore()
    {
        const QString store = m_files.filePath(u"Brasmoor/Tessaro.conf"_s);
        QVERIFY(QDir().mkpath(store));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_files.path());
        const auto restore = qScopeGuard(
            [this] { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home->configFolder()); });
        open();
        QTRY_COMPARE(shownTexts().size(), 1);
        QVERIFY(lastShown().text.startsWith(Localisation::englishText("Message19"_L1)
                                                .arg(store, u"It is a folder, not a file."_s)
                                                .section(u"It goes"_s, 0, 0)));
        m_window->fill({u"a"_s, u"b"_s});
        m_window->tool(3)->trigger();
        QCOMPARE(WindowTest::clipboardText(), u"a\r\nb\r\n"_s);
        m_window->tool(13)->trigger();
        QVERIFY(form().iFrame->isVisible() && shownTexts().size() == 1);
    }

    // Opening an open panel repeats the switch; a close button brings the
    // main panel back.
    void toolsOpenTheirPanels_data()
    {
        WindowTest::columns<int, QString, QString>("tool", "panel", "closeButton");
        QTest::newRow("Program Options") << 5 << u"oFrame"_s << u"oButton"_s;
        QTest::newRow("Generation Options") << 6 << u"gFrame"_s << QString();
        QTest::newRow("Mask Options") << 7 << u"sFrame"_s << QString();
        QTest::newRow("About") << 12 << u"aFrame"_s << u"aButton"_s;
    }
    void toolsOpenTheirPanels()
    {
        const auto [tool, panel, closeButton] =
            WindowTest::fetch<int, QString, QString>("tool", "panel", "closeButton");
        open();
        QWidget *opened = window().findChild<QWidget *>(panel);
        for (int repeat = 0; repeat < 2; ++repeat) {
            m_window->tool(tool)->trigger();
            QVERIFY(opened->isVisible() && !form().cFrame->isVisible());
            QCOMPARE(PanelSwitch::verticalPosition(*opened), PanelSwitch::kOpenPosition);
        }
        if (closeButton.isEmpty())
            return;
        window().findChild<QToolButton *>(closeButton)->click();
        QVERIFY(form().cFrame->isVisible() && opened->isHidden());
        QCOMPARE(PanelSwitch::verticalPosition(*form().cFrame), PanelSwitch::kMainPosition);
    }

    // Contents opens the help page, or names it when that cannot be done.
    void contentsOpensTheHelpPage_data()
    {
        WindowTest::columns<bool, bool>("browser", "helpFile");
        QTest::newRow("opened") << true << true;
        QTest::newRow("no browser") << false << true;
        QTest::newRow("no help file") << true << false;
    }
    void contentsOpensTheHelpPage()
    {
        const auto [browser, helpFile] = WindowTest::fetch<bool, bool>("browser", "helpFile");
        open();
        const QString help = ProgramFolder::path(ProgramFolder::File::HelpIndex);
        m_window->shell.opens = browser;
        if (!helpFile)
            QVERIFY(QFile::remove(help));
        m_window->tool(11)->trigger();
        m_window->tool(10)->trigger(); // Help itself does nothing
        QCOMPARE(m_window->shell.opened, QList<QUrl>(helpFile ? 1 : 0, QUrl::fromLocalFile(help)));
        QCOMPARE(m_window->messages.shown.size(), browser && helpFile ? 0 : 1);
        if (!m_window->messages.shown.isEmpty())
            QVERIFY(lastShown().text.contains(QDir::toNativeSeparators(help)));
    }

    void exitRunsShutdown_data()
    {
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("Exit while an option panel is open") << false;
        QTest::newRow("Ctrl+Q") << true;
    }
    void exitRunsShutdown()
    {
        QFETCH(bool, byShortcut);
        open();
        m_window->tool(8)->trigger();
        QTRY_VERIFY(window().isMinimized());
        if (byShortcut) {
            window().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window()));
            QTest::keyClick(&window(), Qt::Key_Q, Qt::ControlModifier);
        } else {
            m_window->tool(6)->trigger();
            m_window->tool(9)->trigger();
        }
        QVERIFY(window().hasShutDown() && !window().isVisible());
        QVERIFY(!Settings::read(Name::Top).isEmpty() && !Settings::read(Name::Left).isEmpty());
    }

    // Masks are told apart by case. An added mask ends the file, in the line
    // given (or none), and the list after a restart.
    void addingAMask_data()
    {
        WindowTest::columns<QString, QByteArray, QString>("mask", "line", "message");
        QTest::newRow("differs only in case") << u"XXXX-####-@@@@"_s << QByteArray("XXXX-####-@@@@\r\n") << QString();
        QTest::newRow("listed") << u"Xxxx-####-@@@@"_s << QByteArray() << u"Mask Xxxx-####-@@@@ already in list."_s;
        QTest::newRow("three characters") << u"Xx#"_s << QByteArray() << QString();
        QTest::newRow("blanks kept") << u" Xx ## "_s << QByteArray(" Xx ## \r\n") << QString();
        QTest::newRow("comma and quote") << u"Say \"X\","_s << QByteArray("\"Say \"\"X\"\",\"\r\n") << QString();
        QTest::newRow("non-ASCII") << u"Ää€##"_s << u"Ää€##\r\n"_s.toUtf8() << QString();
    }
    void addingAMask()
    {
        const auto [mask, line, message] = WindowTest::fetch<QString, QByteArray, QString>("mask", "line", "message");
        const bool added = !line.isEmpty();
        open();
        const QStringList before = rowsOf(*form().mCombo);
        const QByteArray fileBefore = readAll(maskFile());
        m_window->typeMask(mask);
        QTest::mouseClick(form().addButton, Qt::LeftButton);

        QCOMPARE(rowsOf(*form().mCombo), added ? before + QStringList{mask} : before);
        QCOMPARE(form().mCombo->currentText(), mask);
        QCOMPARE(shownTexts(), message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(readAll(maskFile()), added ? MaskFile::text(before) + line : fileBefore);
        if (!added)
            return;
        m_window->window.reset();
        open();
        QCOMPARE(rowsOf(*form().mCombo), before + QStringList{mask});
    }

    // The command goes by the text, not by the selected row.
    void removingAMask_data()
    {
        WindowTest::columns<QString, bool, bool>("mask", "yes", "removed");
        QTest::newRow("listed, yes") << u"Xxxx-####-@@@@"_s << true << true;
        QTest::newRow("listed, no") << u"Xxxx-####-@@@@"_s << false << false;
        QTest::newRow("listed but in another case") << u"xxxx-####-@@@@"_s << true << false;
        QTest::newRow("empty: not asked") << QString() << true << false;
    }
    void removingAMask()
    {
        const auto [mask, yes, removed] = WindowTest::fetch<QString, bool, bool>("mask", "yes", "removed");
        open();
        form().mCombo->setCurrentIndex(form().mCombo->count() - 1);
        QStringList expected = rowsOf(*form().mCombo);
        const QByteArray fileBefore = readAll(maskFile());
        m_window->typeMask(mask);
        m_window->messages.setNextAnswer(yes ? Answer::Yes : Answer::No);
        QTest::mouseClick(form().sudButton, Qt::LeftButton);

        const QString question = u"Are you sure you want to remove ["_s + mask + u"] from the list?"_s;
        QCOMPARE(shownTexts(), mask.isEmpty() ? QStringList{} : QStringList{question});
        if (removed)
            expected.removeOne(mask);
        QCOMPARE(rowsOf(*form().mCombo), expected);
        QCOMPARE(readAll(maskFile()), removed ? MaskFile::text(expected) : fileBefore);
    }

    // Two windows share mask.kmf: + and - merge with what the other wrote.
    void twoWindowsKeepEachOthersMasks()
    {
        MainWindow &a = open();
        MainWindow b(WindowServices{&m_window->messages, &m_window->dialogs, &m_window->shell});
        Startup::run(b);
        QStringList masks = rowsOf(*form().mCombo);
        for (const auto &[window, mask, button] : {std::tuple{&a, u"Aaaa-1111"_s, "addButton"},
                                                   {&b, u"Bbbb-2222"_s, "addButton"},
                                                   {&a, masks[0], "sudButton"},
                                                   {&b, u"Cccc-3333"_s, "addButton"},
                                                   {&a, u"Cccc-3333"_s, "addButton"}}) {
            window->form().mCombo->setEditText(mask);
            window->findChild<QAbstractButton *>(QLatin1StringView(button))->click();
        }
        masks = masks.sliced(1) + QStringList{u"Aaaa-1111"_s, u"Bbbb-2222"_s, u"Cccc-3333"_s};
        QCOMPARE(lastShown().text, u"Mask Cccc-3333 already in list."_s);
        QCOMPARE(readAll(maskFile()), MaskFile::text(masks));
        QCOMPARE(rowsOf(*form().mCombo), masks);
    }

    // The meter measures the typed or picked mask under the saved settings.
    void meterFollowsTheMaskAndTheSettings()
    {
        MainWindow &window = open();
        const Form &f = form();
        StrengthMeter *meter = f.strengthMeter;
        f.mCombo->setEditText(QString());
        QTest::keyClicks(f.mCombo->lineEdit(), u"XXXXXXXXXX"_s); // 26 letters: 4.70 bits each
        QCOMPARE(meter->text(), u"47 bits Weak"_s);

        window.openPanel(*f.gFrame); // "A" two times in three: 0.58 bits a letter
        f.cOption->click();
        f.uEdit->setText(u"AAB"_s);
        f.nButton->click();
        QCOMPARE(meter->text(), u"5 bits Poor"_s);
        window.openPanel(*f.gFrame);
        f.dOption->click();
        QCOMPARE(int(meter->bits()), 47);
        window.openPanel(*f.sFrame); // another symbol: the X is then copied
        f.upEdit->setText(u"U"_s);
        f.mButton->click();
        QCOMPARE(meter->bits(), 0.0);
    }

private:
    QTemporaryDir m_files;
};

QTEST_MAIN(TestWindowCommands)
#include "tst_window_commands.moc"
