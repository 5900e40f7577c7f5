#include "WindowFixture.h"

#include "core/common/ProgramFolder.h"
#include "window/commands/ToolDispatch.h"
#include "window/panels/PanelSwitch.h"

#include <QGroupBox>
#include <QStackedWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;
namespace Name = Settings::Name;

class TestToolCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }
    void init()
    {
        m_home->resetStore();
        m_window = std::make_unique<WindowTest::Fixture>();
        // The dispatch needs only the stored captions; the other cases
        // open the window as the program starts it.
        if (QByteArray(QTest::currentTestFunction()) != "dispatch")
            m_window->open();
        else
            TestSupport::writeStartupDefaults();
    }
    void cleanup() { m_window.reset(); }

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
        m_window->fill({u"a"_s, u"b"_s});
        m_window->tool(3)->trigger();
        QCOMPARE(WindowTest::clipboardText(), u"a\r\nb\r\n"_s);
        m_window->form().genList->setCurrentIndex(m_window->form().genList->model()->index(0, 0));
        m_window->tool(2)->trigger();
        QCOMPARE(WindowTest::clipboardText(), u"a"_s);
    }

    void saveToolsShowTheirDialogs()
    {
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

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
};

QTEST_MAIN(TestToolCommands)
#include "tst_toolcommands.moc"
