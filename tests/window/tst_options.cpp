#include "WindowFixture.h"

#include "window/options/ClickSound.h"
#include "window/options/ControlLooks.h"
#include "window/options/OptionBoxes.h"
#include "window/panels/PanelSwitch.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>

using namespace Qt::StringLiterals;
namespace Name = Settings::Name;

namespace {

QString styleOf(const QWidget *widget)
{
    return widget->style()->name().toLower();
}

} // namespace

class TestOptions : public QObject
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

    void eachBoxWritesItsSettingAndSurvivesARestart_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("setting");
        for (const OptionBoxes::Option &option : OptionBoxes::options()) {
            const QString setting = option.setting;
            QTest::newRow(qPrintable(setting)) << QString() << setting;
        }
    }
    void eachBoxWritesItsSettingAndSurvivesARestart()
    {
        QFETCH(QString, setting);
        const OptionBoxes::Option *option = nullptr;
        for (const OptionBoxes::Option &each : OptionBoxes::options()) {
            if (QString(each.setting) == setting)
                option = &each;
        }
        QVERIFY(option);
        MainWindow &window = m_window->open();
        QCheckBox *box = window.form().*option->box;
        window.openPanel(*static_cast<QWidget *>(box->parentWidget()));
        const bool wasTicked = box->isChecked();
        const QString before = Settings::read(option->setting);
        box->click();
        QCOMPARE(box->isChecked(), !wasTicked);
        QCOMPARE(Settings::read(option->setting), wasTicked ? u"0"_s : u"1"_s);
        QCOMPARE(before, wasTicked ? u"1"_s : u"0"_s);

        m_window.reset();
        m_window = std::make_unique<WindowTest::Fixture>();
        QCOMPARE((m_window->open().form().*option->box)->isChecked(), !wasTicked);
    }

    void aBoxSetFromCodeWritesNothing()
    {
        const Form &form = m_window->open().form();
        form.ACu->setChecked(true);
        form.Kot->setChecked(true);
        QCOMPARE(Settings::read(Name::AUChk), u"0"_s);
        QCOMPARE(Settings::read(Name::OnTop), u"0"_s);
    }

    void aPartlyTickedBoxWritesNothing()
    {
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        form.soo->setTristate(true);
        form.soo->setCheckState(Qt::PartiallyChecked);
        OptionBoxes::boxClicked(form, OptionBoxes::options()[8], [&window](OptionBoxes::Effect effect, int state) {
            window.applyOptionEffect(effect, state);
        });
        QCOMPARE(Settings::read(Name::Sound), u"1"_s);
        QCOMPARE(form.gButton->property("clickSound").toInt(), ClickSound::kPlays);
    }

    void keepOnTopKeepsPlaceSizeAndVisibility()
    {
        MainWindow &window = m_window->open();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.move(120, 90);
        const QRect geometry = window.geometry();
        window.openPanel(*window.form().iFrame);
        window.form().Kot->click();
        QCOMPARE(Settings::read(Name::OnTop), u"1"_s);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), geometry);
        window.form().Kot->click();
        QCOMPARE(Settings::read(Name::OnTop), u"0"_s);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), geometry);
    }

    // The fifteen listed controls switch between the two looks; nothing else
    // changes style.
    void styleSwitchesExactlyTheListedControls()
    {
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        const QStringList listed{u"aButton"_s,   u"cButton"_s,   u"fButton"_s, u"gButton"_s, u"genList"_s,
                                 u"oButton"_s,   u"SButton"_s,   u"nButton"_s, u"mButton"_s, u"iButton"_s,
                                 u"addButton"_s, u"sudButton"_s, u"mCombo"_s,  u"LCombo"_s,  u"spinner"_s};
        QStringList names;
        for (const QWidget *control : ControlLooks::controls(form))
            names.append(control->objectName());
        QCOMPARE(names, listed);

        window.openPanel(*form.iFrame);
        for (const auto &[look, clicks] : {std::pair{u"windows"_s, 1}, std::pair{u"fusion"_s, 1}}) {
            for (int i = 0; i < clicks; ++i)
                form.Xs->click();
            QCOMPARE(Settings::read(Name::Style), look == u"fusion" ? u"1"_s : u"0"_s);
            for (const QWidget *widget : window.findChildren<QWidget *>()) {
                if (listed.contains(widget->objectName()))
                    QCOMPARE(styleOf(widget), look);
                else if (!widget->objectName().isEmpty())
                    QVERIFY2(widget->style() == QApplication::style(), qPrintable(widget->objectName()));
            }
        }
    }

    void soundSwitchesExactlyTheListedButtons()
    {
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        QStringList names;
        for (const QAbstractButton *button : ClickSound::buttons(form))
            names.append(button->objectName());
        QCOMPARE(names, (QStringList{u"aButton"_s, u"cButton"_s, u"fButton"_s, u"gButton"_s, u"oButton"_s, u"SButton"_s,
                                     u"nButton"_s, u"mButton"_s, u"iButton"_s, u"addButton"_s, u"sudButton"_s}));
        window.openPanel(*form.iFrame);
        form.soo->click();
        QCOMPARE(Settings::read(Name::Sound), u"0"_s);
        for (const QAbstractButton *button : ClickSound::buttons(form))
            QCOMPARE(button->property("clickSound").toInt(), ClickSound::kSilent);
        QVERIFY(!form.kmflnk->property("clickSound").isValid());

        // The sound ships inside the program.
        QFile wav(u":/sounds/click.wav"_s);
        QVERIFY(wav.open(QIODevice::ReadOnly));
        QVERIFY(wav.read(4) == "RIFF" && wav.size() > 1000);

        ClickSound &sound = window.clickSound();
        const int plays = sound.playCount();
        form.oButton->click();
        QCOMPARE(sound.playCount(), plays);
        window.openPanel(*form.iFrame);
        form.soo->click();
        form.iButton->click(); // a click with the sound on neither blocks nor fails without a device
        QCOMPARE(sound.playCount(), plays + 1);
        form.kmflnk->click();
        QCOMPARE(sound.playCount(), plays + 1);
    }

    void applyTakesOnlyZeroAndOne()
    {
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        window.looks().ApplyStyle(form, 0);
        window.clickSound().ApplySound(form, 0);
        for (const int other : {2, -1, 3}) {
            window.looks().ApplyStyle(form, other);
            window.clickSound().ApplySound(form, other);
            QCOMPARE(styleOf(form.gButton), u"windows"_s);
            QCOMPARE(form.gButton->property("clickSound").toInt(), ClickSound::kSilent);
        }
    }

    void savingTheClasses_data()
    {
        QTest::addColumn<bool>("custom");
        QTest::addColumn<QString>("emptied");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("alphaU");
        QTest::newRow("custom, all filled") << true << QString() << true << u"QRS"_s;
        QTest::newRow("custom, nEdit empty") << true << u"nEdit"_s << false << u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
        QTest::newRow("custom, uEdit empty") << true << u"uEdit"_s << false << u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
        QTest::newRow("default, sEdit empty") << false << u"sEdit"_s << true << u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
    }
    void savingTheClasses()
    {
        QFETCH(bool, custom);
        QFETCH(QString, emptied);
        QFETCH(bool, closes);
        QFETCH(QString, alphaU);
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.openPanel(*form.gFrame);
        (custom ? form.cOption : form.dOption)->click();
        QCOMPARE(Settings::read(Name::GenOpt), custom ? u"1"_s : u"0"_s);
        QCOMPARE(form.uEdit->isEnabled(), custom);
        form.uEdit->setText(u"QRS"_s);
        form.lEdit->setText(u"qrs"_s);
        if (!emptied.isEmpty())
            window.findChild<QLineEdit *>(emptied)->clear();
        form.nButton->click();

        QCOMPARE(Settings::read(Name::AlphaU), alphaU);
        QCOMPARE(form.panels->currentWidget() == form.cFrame, closes);
        const bool reported = custom && !emptied.isEmpty();
        QCOMPARE(m_window->messages.shown.size(), reported ? 1 : 0);
        if (reported) {
            const auto &message = m_window->messages.shown.front();
            QCOMPARE(message.text, u"The text can't be blank, enter something and try again."_s);
            QCOMPARE(message.title, u"Error"_s);
            QCOMPARE(message.icon, MessageBoxes::Icon::Critical);
            QCOMPARE(QApplication::focusWidget(), window.findChild<QLineEdit *>(emptied));
            QCOMPARE(Settings::read(Name::AlphaL), u"abcdefghijklmnopqrstuvwxyz"_s);
        }
    }

    void savingTheSymbols_data()
    {
        QTest::addColumn<QString>("emptied");
        QTest::newRow("all filled") << QString();
        QTest::newRow("iEdit empty") << u"iEdit"_s;
        QTest::newRow("upEdit empty") << u"upEdit"_s;
    }
    void savingTheSymbols()
    {
        QFETCH(QString, emptied);
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.openPanel(*form.sFrame);
        form.upEdit->setText(u"XX"_s);
        form.loEdit->setText(u"x"_s);
        form.nuEdit->setText(u"9"_s);
        if (!emptied.isEmpty())
            window.findChild<QLineEdit *>(emptied)->clear();
        form.mButton->click();
        if (emptied.isEmpty()) {
            QCOMPARE(Settings::read(Name::uMask), u"XX"_s);
            QCOMPARE(Settings::read(Name::nMask), u"9"_s);
            QCOMPARE(form.panels->currentWidget(), form.cFrame);
            QCOMPARE(PanelSwitch::verticalPosition(*form.sFrame), PanelSwitch::kAwayPosition);
        } else {
            QCOMPARE(Settings::read(Name::uMask), u"X"_s);
            QCOMPARE(m_window->messages.shown.size(), 1);
            QCOMPARE(form.panels->currentWidget(), form.sFrame);
            QCOMPARE(QApplication::focusWidget(), window.findChild<QLineEdit *>(emptied));
        }
    }

    // The word list: chosen, counted, checked by the save, used by Generate.
    void wordsOnTheMaskOptionsPanel()
    {
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_COMPARE(form.wcLabel->text(), u"7776 words"_s); // the shipped list, counted once shown
        const QString good = m_window->folder.file(u"mine.txt"_s);
        const QString bad = m_window->folder.file(u"bad.txt"_s);
        for (const auto &[path, text] : {std::pair{good, "1 kite\n2 orbit\n"}, std::pair{bad, "kite\n"}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
        }
        window.openPanel(*form.sFrame);
        m_window->dialogs.answerNextWith(bad);
        form.wlButton->click();
        QCOMPARE(m_window->messages.shown.size(), 1);
        QVERIFY(m_window->messages.shown.back().text.startsWith(u"The word list "_s + bad + u" can't be used"_s));
        QCOMPARE(form.wlEdit->text(), QString());
        m_window->dialogs.answerNextWith(good);
        form.wlButton->click();
        QCOMPARE(form.wlEdit->text(), good);
        QCOMPARE(form.wcLabel->text(), u"2 words"_s);

        form.wEdit->setText(u"w"_s);
        form.wlEdit->setText(bad);
        form.mButton->click();
        QCOMPARE(m_window->messages.shown.size(), 2);
        QCOMPARE(QApplication::focusWidget(), form.wlEdit);
        QCOMPARE(Settings::read(Name::wMask), QString());
        form.wlEdit->setText(good);
        form.mButton->click();
        QCOMPARE(Settings::read(Name::wMask), u"w"_s);
        QCOMPARE(Settings::read(Name::Words), good);

        m_window->generate(u"w-w#"_s, u"5"_s);
        const QStringList rows = m_window->rows();
        QVERIFY(!rows.isEmpty());
        for (const QString &row : rows)
            QVERIFY2(QRegularExpression(u"^(kite|orbit)-(kite|orbit)[0-9]$"_s).match(row).hasMatch(), qPrintable(row));
        QFile::remove(good);
        m_window->generate(u"w-w#"_s, u"5"_s);
        QCOMPARE(m_window->messages.shown.size(), 3);
        QVERIFY(m_window->messages.shown.back().text.contains(good));
        QCOMPARE(m_window->rows(), rows);
    }

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
