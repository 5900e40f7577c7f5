#include "WindowFixture.h"

#include "window/clipboard/ClipboardClearTimer.h"
#include "window/results/ResultCommands.h"
#include "window/strength/StrengthMeter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::StringLiterals;
namespace Name = Settings::Name;

class TestStrengthAndClipboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }
    void init()
    {
        m_home->resetStore();
        TestSupport::writeStartupDefaults();
        m_window = std::make_unique<WindowTest::Fixture>();
    }
    void cleanup() { m_window.reset(); }

    void meterFollowsTheMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("word");
        // Default generation: 26 letters (4.70 bits), 10 digits (3.32 bits).
        QTest::newRow("literal") << u"abc"_s << 0 << u"Poor"_s;
        QTest::newRow("eight letters") << u"XXXXXXXX"_s << 37 << u"Poor"_s;
        QTest::newRow("ten letters") << u"XXXXXXXXXX"_s << 47 << u"Weak"_s;
        QTest::newRow("sixteen letters") << u"XXXXXXXXXXXXXXXX"_s << 75 << u"Good"_s;
        QTest::newRow("twenty-two letters") << QString(22, u'X') << 103 << u"Excellent"_s;
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

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
};

QTEST_MAIN(TestStrengthAndClipboard)
#include "tst_strengthandclipboard.moc"
