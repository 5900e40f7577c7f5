#include "WindowFixture.h"

#include "core/localisation/LanguageTexts.h"
#include "window/form/FittedCaption.h"
#include "window/localisation/LanguageCommands.h"
#include "window/options/ClickSound.h"
#include "window/options/ControlLooks.h"
#include "window/options/OptionBoxes.h"
#include "window/panels/PanelSwitch.h"
#include "window/strength/StrengthMeter.h"
#include "window/toolbar/ToolCodes.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>

using namespace Qt::StringLiterals;
using Answer = MessageBoxes::Answer;
namespace Name = Settings::Name;

namespace {

// Every text ApplyLanguage sets, by where it shows, in the order of its steps.
QStringList captionsOf(MainWindow &window)
{
    const Form &f = window.form();
    QStringList captions{f.gButton->text(), f.cButton->text(), f.SButton->text(),         f.fButton->text(),
                         f.oFrame->title(), f.gFrame->title(), f.sFrame->title(),         f.aFrame->title(),
                         f.iFrame->title(), f.mFrame->title(), f.genList->columnCaption()};
    for (const QAbstractButton *box : std::initializer_list<const QAbstractButton *>{
             f.ACu, f.Slm, f.slg, f.Kot, f.ccl, f.ASg, f.ccb, f.soo, f.Xs, f.dOption, f.cOption})
        captions.append(box->text());
    for (const QLabel *label : {f.ucLabel, f.uLabel, f.lLabel, f.lcLabel, f.nLabel, f.nuLabel, f.sLabel, f.spLabel,
                                f.lngLabel, f.iLabel, f.aP, f.aV, f.aPl, f.aR})
        captions.append(label->text());
    for (const ToolCode &tool : kToolCodes)
        captions.append(window.toolBand().tool(tool.index)->text());
    return captions;
}

QStringList storedToolCaptions()
{
    QStringList stored;
    for (const ToolCode &tool : kToolCodes)
        stored.append(Settings::read(tool.code));
    return stored;
}

// A language file whose every value is the key itself, so that each text
// shows where it came from, or else the given value.
void writeKeyLanguage(const QString &path, const QByteArray &value = {})
{
    QByteArray text;
    const auto section = [&](const char *name, const char *prefix, int count) {
        text += "[" + QByteArray(name) + "]\r\n";
        for (int n = 1; n <= count; ++n) {
            const QByteArray key = prefix + QByteArray::number(n).rightJustified(2, '0');
            text += key + " = " + (value.isEmpty() ? key : value) + "\r\n";
        }
    };
    section("Buttons", "Button", 5);
    section("Menu", "Menu", 13);
    section("Frame", "Frame", 1);
    section("List", "List", 2);
    section("Label", "Label", 26);
    section("Option", "Option", 2);
    section("Strength", "Strength", 4);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

// The option panels and the language.
class TestWindowOptions : public WindowTest::Case
{
    Q_OBJECT

private slots:
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
                    QCOMPARE(WindowTest::styleOf(widget), look);
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
            QCOMPARE(WindowTest::styleOf(form.gButton), u"windows"_s);
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

    void languageListInProperCase()
    {
        const QString folder = m_window->folder.file(u"Language"_s);
        QFile::rename(folder + u"/German.lng"_s, folder + u"/GERMAN.LNG"_s);
        QFile::rename(folder + u"/French.lng"_s, folder + u"/brazilian portuguese.lng"_s);
        const Form &form = m_window->open().form();
        QStringList rows;
        for (int row = 0; row < form.LCombo->count(); ++row)
            rows.append(form.LCombo->itemText(row));
        QCOMPARE(rows, (QStringList{u"Brazilian Portuguese"_s, u"English"_s, u"German"_s, u"Spanish"_s}));
        QCOMPARE(form.LCombo->currentText(), u"English"_s);
        Language::FillLanguageList(*form.LCombo, true);
        QCOMPARE(form.LCombo->itemText(2), u"German.lng"_s);
    }

    void aCompleteFileChangesEveryCaption()
    {
        writeKeyLanguage(m_window->folder.file(u"Language/Keys.lng"_s));
        MainWindow &window = m_window->open();
        const QStringList englishCaptions = captionsOf(window);
        const Form &form = window.form();
        window.openPanel(*form.iFrame);
        form.LCombo->setEditText(u"Keys"_s);
        form.iButton->click();

        QCOMPARE(Settings::read(Name::Language), u"Keys"_s);
        QCOMPARE(form.panels->currentWidget(), form.cFrame);
        // Each control shows its own key: read back in English, the captions
        // are those the window had in English.
        QStringList english;
        for (const QString &caption : captionsOf(window)) {
            const QRegularExpressionMatch key = QRegularExpression(u"^([A-Za-z]+)(\\d\\d)(.*)$"_s).match(caption);
            QVERIFY2(key.hasMatch(), qPrintable(caption));
            const QString section = key.captured(1) + (key.captured(1) == u"Button" ? u"s"_s : QString());
            english.append(Localisation::englishText(section, key.captured(1) + key.captured(2)) + key.captured(3));
        }
        QCOMPARE(english, englishCaptions);
        QCOMPARE(storedToolCaptions().join(u' '),
                 u"Menu09 Menu10 Menu01 Menu02 Menu03 Menu04 Menu05 Menu06 Menu07 Menu08 Menu11 Menu12 Menu13"_s);
        QCOMPARE((QStringList{form.cca->text(), form.wLabel->text(), form.wcp->text(), form.wlLabel->text(),
                              form.wcLabel->text(), form.nla->text(), form.wlEdit->placeholderText(),
                              form.wlButton->text()}),
                 (QStringList{u"Label20"_s, u"Label21"_s, u"Label22"_s, u"Label23"_s, u"7776 Label24"_s, u"Label25"_s,
                              u"Label26"_s, u"Button05"_s}));
        QVERIFY(form.strengthMeter->text().endsWith(u"Strength0"_s +
                                                    QString::number(int(form.strengthMeter->rating()) + 1)));
        // The menus' own captions never change.
        QCOMPARE(window.toolBand().tool(1)->text(), u"Edit"_s);
        QCOMPARE(window.toolBand().tool(4)->text(), u"&File"_s);
        QCOMPARE(window.toolBand().tool(14)->text(), u"Save"_s);

        // Applying it again changes nothing; the menu commands still work.
        const QStringList once = captionsOf(window);
        Language::ApplyLanguage(window.form(), window.toolBand());
        QCOMPARE(captionsOf(window), once);
        window.runToolCommand(*window.toolBand().tool(12));
        QCOMPARE(form.panels->currentWidget(), form.aFrame);
    }

    // A name without a file is neither stored nor applied; the panel stays
    // open for another choice.
    void aMissingFileChangesNothing_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("misspelt") << u"Englsh"_s;
        QTest::newRow("empty box") << QString();
    }
    void aMissingFileChangesNothing()
    {
        QFETCH(QString, chosen);
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        const QStringList captions = captionsOf(window);
        const QStringList stored = storedToolCaptions();
        window.openPanel(*form.iFrame);
        form.LCombo->setEditText(chosen);
        form.iButton->click();

        QCOMPARE(m_window->messages.shown.size(), 1);
        QVERIFY(m_window->messages.shown.first().text.contains(u'"' + chosen + u'"'));
        QCOMPARE(Settings::read(Name::Language), u"English"_s);
        QCOMPARE(captionsOf(window), captions);
        QCOMPARE(storedToolCaptions(), stored);
        QCOMPARE(form.panels->currentWidget(), form.iFrame);
    }

    // Texts a language file lacks or leaves empty, and every text of a stored
    // language whose file is gone, are the English ones.
    void missingTextsAreEnglish_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("generate");
        QTest::newRow("missing and empty keys") << u"Partial"_s << u"Erzeugen"_s;
        QTest::newRow("no file at start-up") << u"Klingon"_s << u"Generate"_s;
    }
    void missingTextsAreEnglish()
    {
        QFETCH(QString, language);
        QFETCH(QString, generate);
        QStringList english = captionsOf(m_window->open());
        const QStringList stored = storedToolCaptions();
        m_window->window.reset();
        QFile partial(m_window->folder.file(u"Language/Partial.lng"_s));
        QVERIFY(partial.open(QIODevice::WriteOnly));
        partial.write("[Buttons]\r\nButton01=Erzeugen\r\nButton02=\r\n[Menu]\r\nMenu05=''\r\n");
        partial.close();
        Settings::write(Name::Language, language);

        MainWindow &window = m_window->open();
        english[0] = generate;
        QCOMPARE(captionsOf(window), english);
        QCOMPARE(storedToolCaptions(), stored);
    }

    // Captions of 749 characters, in words or in one: every control stays on
    // the screen, each caption elided with the whole text in its tooltip.
    void longCaptionsStayOnTheScreen_data()
    {
        QTest::addColumn<QByteArray>("caption");
        QTest::newRow("words") << QByteArray("Wort ").repeated(150).left(749);
        QTest::newRow("one word") << QByteArray(749, 'W');
    }
    void longCaptionsStayOnTheScreen()
    {
        QFETCH(QByteArray, caption);
        writeKeyLanguage(m_window->folder.file(u"Language/Long.lng"_s), caption);
        Settings::write(Name::Language, u"Long"_s);
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        const QRect screen = window.screen()->availableGeometry();
        for (QWidget *panel : std::initializer_list<QWidget *>{form.cFrame, form.oFrame, form.gFrame, form.sFrame,
                                                               form.iFrame, form.aFrame}) {
            form.panels->setCurrentWidget(panel);
            QApplication::processEvents();
            QVERIFY(window.width() <= screen.width());
            for (QWidget *control : panel->findChildren<QWidget *>()) {
                const QRect place(control->mapToGlobal(QPoint(0, 0)), control->size());
                QVERIFY2(!control->isVisible() || screen.contains(place), qPrintable(control->objectName()));
            }
        }
        QVERIFY(form.genList->header()->sectionSize(0) <= form.genList->header()->width());
        QCOMPARE(form.gButton->toolTip(), QString::fromLatin1(caption));
        QCOMPARE(FittedCaption::of(*form.Slm), QString::fromLatin1(caption));
        m_window->tool(13)->trigger(); // found by its whole caption
        QCOMPARE(form.panels->currentWidget(), form.iFrame);
    }
};

QTEST_MAIN(TestWindowOptions)
#include "tst_window_options.moc"
