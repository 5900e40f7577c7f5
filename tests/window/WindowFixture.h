#pragma once

// A real main window driven offscreen, with message boxes, file dialogs and
// the shell replaced by recording fakes, in an isolated home and a program
// folder of its own; and the base class every window suite derives from.

#include "core/common/ProgramFolder.h"
#include "platform/dialogs/RecordingFileDialogs.h"
#include "platform/messages/RecordingMessageBoxes.h"
#include "platform/shell/RecordingShell.h"
#include "TestSupport.h"
#include "window/MainWindow.h"
#include "window/results/ResultListView.h"
#include "window/Startup.h"
#include "window/toolbar/ToolBand.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QObject>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>
#include <tuple>

namespace WindowTest {

// A temporary program folder holding copies of the build tree's language
// files, starter masks, help page, word lists and sites' rules, so that a
// test may change mask.kmf or remove a language without touching the build tree.
class ProgramFolderCopy
{
public:
    ProgramFolderCopy()
    {
        const QDir built(qEnvironmentVariable("TESSARO_BIN_DIR"));
        QStringList names{QStringLiteral("mask.kmf"), QStringLiteral("help/index.htm"),
                          QStringLiteral("words/wordlist_en_eff.txt"), QStringLiteral("words/wordlist_de.txt"),
                          QStringLiteral("password-rules/password-rules.json")};
        for (const QString &name : QDir(built.filePath(QStringLiteral("Language"))).entryList(QDir::Files))
            names.append(QStringLiteral("Language/") + name);
        for (const QString &name : names) {
            QDir().mkpath(QFileInfo(file(name)).path());
            QFile::copy(built.filePath(name), file(name));
        }
        ProgramFolder::setFolderForTesting(m_dir.path());
    }
    ~ProgramFolderCopy() { ProgramFolder::setFolderForTesting(QString()); }
    ProgramFolderCopy(const ProgramFolderCopy &) = delete;
    ProgramFolderCopy &operator=(const ProgramFolderCopy &) = delete;

    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

struct Fixture
{
    ProgramFolderCopy folder;
    RecordingMessageBoxes messages;
    RecordingFileDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    // A window after start-up, shown.
    MainWindow &open()
    {
        window = std::make_unique<MainWindow>(WindowServices{&messages, &dialogs, &shell});
        Startup::run(*window);
        window->show();
        return *window;
    }
    const Form &form() const { return window->form(); }

    // Types the mask as a user does: clicks into the box, empties it and
    // types, the window active.
    void typeMask(const QString &mask)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::mouseClick(form().mCombo->lineEdit(), Qt::LeftButton);
        form().mCombo->lineEdit()->clear();
        for (const QChar c : mask) // keyClicks() takes ASCII only
            QTest::sendKeyEvent(QTest::Click, form().mCombo->lineEdit(), Qt::Key_unknown, QString(c), {});
    }
    void generate(const QString &mask, const QString &count)
    {
        typeMask(mask);
        form().spinner->setText(count);
        QTest::mouseClick(form().gButton, Qt::LeftButton);
    }
    QStringList rows() const
    {
        QStringList rows;
        for (int r = 0; r < form().genList->GetItemCount(); ++r)
            rows.append(form().genList->ItemText(r));
        return rows;
    }
    // Puts the given rows into the result list, as a batch would.
    void fill(const QStringList &rows)
    {
        ResultListView &list = *form().genList;
        list.clearItems();
        for (const QString &row : rows) {
            list.appendItem();
            list.setItemText(list.GetItemCount() - 1, row);
        }
        list.flush();
    }
    QAction *tool(int index) const { return window->toolBand().tool(index); }
};

// A table's columns, declared in one line.
template <typename... T, typename... Name> void columns(Name... names)
{
    (QTest::addColumn<T>(names), ...);
}

// The current row's values of the named columns, for a structured binding.
template <typename... T, typename... Name> std::tuple<T...> fetch(Name... names)
{
    return {*static_cast<T *>(QTest::qData(names, qMetaTypeId<T>()))...};
}

inline QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

// The style a control is drawn in, "fusion" or "windows".
inline QString styleOf(const QWidget *widget)
{
    return widget->style()->name().toLower();
}

inline void setClipboard(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

// The "Error" box: a critical icon and an OK button.
inline bool isError(const MessageBoxes::Message &message)
{
    return message.title == QLatin1String("Error") && message.icon == MessageBoxes::Icon::Critical &&
           message.buttons == MessageBoxes::Buttons::Ok;
}

// The one init and cleanup of the window suites: one home for the run, and
// for each test the store holding the start-up defaults and a new fixture,
// not yet opened. No test reaches the network: the site refuses at once.
class Case : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<Fixture> m_window;

    MainWindow &open() { return m_window->open(); }
    const Form &form() const { return m_window->form(); }
    MainWindow &window() const { return *m_window->window; }
    // The texts of the message boxes shown so far, in order.
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const MessageBoxes::Message &message : m_window->messages.shown)
            texts.append(message.text);
        return texts;
    }
    const MessageBoxes::Message &lastShown() const { return m_window->messages.shown.last(); }

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        qputenv("TESSARO_SITE_URL", "http://127.0.0.1:9/");
    }
    void init()
    {
        m_home->resetStore();
        TestSupport::writeStartupDefaults();
        m_window = std::make_unique<Fixture>();
    }
    void cleanup() { m_window.reset(); }
};

} // namespace WindowTest
