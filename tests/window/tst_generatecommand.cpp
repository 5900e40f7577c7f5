#include "WindowFixture.h"

#include "core/common/ProgramFolder.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using Answer = MessageBoxes::Answer;
namespace Name = Settings::Name;

class TestGenerateCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        // The build tree's program folder, with its language files.
        ProgramFolder::setFolderForTesting(qEnvironmentVariable("TESSARO_BIN_DIR"));
    }
    void init()
    {
        m_home->resetStore();
        TestSupport::writeStartupDefaults();
        m_window = std::make_unique<WindowTest::Fixture>();
        m_window->open();
    }
    void cleanup() { m_window.reset(); }

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
        m_window->generate(u"Xxxx-####-@@@@"_s, u"50"_s);
        const QStringList rows = m_window->rows();
        QCOMPARE(rows.size(), 50);
        const QRegularExpression shape(u"^[A-Z][a-z]{3}-[0-9]{4}-.{4}$"_s);
        for (const QString &row : rows)
            QVERIFY2(shape.match(row).hasMatch(), qPrintable(row));
        QCOMPARE(m_window->form().genList->model()->headerData(0, Qt::Horizontal).toString(), u"Generated Passwords"_s);
    }

    void blankCountThenSecondClickMakesOne()
    {
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

    void typingAMaskAndEnterFromStart()
    {
        m_window->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window->window.get()));
        QCOMPARE(QApplication::focusWidget(), m_window->form().mCombo);
        QTest::keyClicks(QApplication::focusWidget(), u"Xxxx-####"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QCOMPARE(m_window->form().genList->GetItemCount(), 1);
    }

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
};

QTEST_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"
