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

using namespace Qt::StringLiterals;
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
    for (const auto &[name, count] : {std::pair{"Buttons", 5},
                                      {"Menu", 13},
                                      {"Frame", 1},
                                      {"List", 2},
                                      {"Label", 26},
                                      {"Option", 2},
                                      {"Strength", 4}}) {
        text += "[" + QByteArray(name) + "]\r\n";
        for (int n = 1; n <= count; ++n) {
            const QByteArray key =
                QByteArray(name).chopped(name[0] == 'B') + QByteArray::number(n).rightJustified(2, '0');
            text += key + " = " + (value.isEmpty() ? key : value) + "\r\n";
        }
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
}

} // namespace

// The option panels and the language.
class TestWindowOptions : public WindowTest::Case
{
    Q_OBJECT

private slots:
    // A click writes the box's setting, which the next start shows.
    void eachBoxWritesItsSettingAndSurvivesARestart_data()
    {
        QTest::addColumn<int>("option");
        for (int i = 0; i < int(OptionBoxes::options().size()); ++i)
            QTest::newRow(OptionBoxes::options()[i].setting.data()) << i;
    }
    void eachBoxWritesItsSettingAndSurvivesARestart()
    {
        QFETCH(int, option);
        const OptionBoxes::Option &each = OptionBoxes::options()[option];
        MainWindow &window = open();
        QCheckBox *box = form().*each.box;
        window.openPanel(*box->parentWidget());
        const bool wasTicked = box->isChecked();
        QCOMPARE(Settings::read(each.setting), wasTicked ? u"1"_s : u"0"_s);
        box->click();
        QCOMPARE(box->isChecked(), !wasTicked);
        QCOMPARE(Settings::read(each.setting), wasTicked ? u"0"_s : u"1"_s);
        m_window = std::make_unique<WindowTest::Fixture>();
        QCOMPARE((open().form().*each.box)->isChecked(), !wasTicked);
    }

    // The fifteen listed controls switch between the two looks, the eleven
    // listed buttons between sound and silence; nothing else changes.
    void lookAndSoundSwitchExactlyTheListedControls()
    {
        MainWindow &window = open();
        const Form &f = form();
        const QStringList looks{u"aButton"_s,   u"cButton"_s,   u"fButton"_s, u"gButton"_s, u"genList"_s,
                                u"oButton"_s,   u"SButton"_s,   u"nButton"_s, u"mButton"_s, u"iButton"_s,
                                u"addButton"_s, u"sudButton"_s, u"mCombo"_s,  u"LCombo"_s,  u"spinner"_s};
        window.openPanel(*f.iFrame);
        for (const QString &look : {u"windows"_s, u"fusion"_s}) {
            f.Xs->click();
            QCOMPARE(Settings::read(Name::Style), look == u"fusion" ? u"1"_s : u"0"_s);
            for (const QWidget *widget : window.findChildren<QWidget *>()) {
                if (looks.contains(widget->objectName()))
                    QCOMPARE(WindowTest::styleOf(widget), look);
                else if (!widget->objectName().isEmpty())
                    QVERIFY2(widget->style() == QApplication::style(), qPrintable(widget->objectName()));
            }
        }
        // The click plays on the listed buttons while switched on.
        const int plays = window.clickSound().playCount();
        f.kmflnk->click();
        f.soo->click();
        QCOMPARE(Settings::read(Name::Sound), u"0"_s);
        for (const QString &name : QStringList(looks).filter(QRegularExpression(u"Button$"_s)))
            QCOMPARE(window.findChild<QWidget *>(name)->property("clickSound").toInt(), ClickSound::kSilent);
        QVERIFY(!f.kmflnk->property("clickSound").isValid());
        f.iButton->click();
        QCOMPARE(window.clickSound().playCount(), plays);
        window.openPanel(*f.iFrame);
        f.soo->click();
        f.iButton->click();
        QCOMPARE(window.clickSound().playCount(), plays + 1);
    }

    // Saving a panel with an empty field says so, focuses the field and
    // keeps the panel and the stored values; else it stores and closes.
    void savingAPanel_data()
    {
        // AlphaU or uMask afterwards; with "wEdit=" the word symbol typed instead of a field emptied
        WindowTest::columns<QString, QString, QString>("panel", "emptied", "stored");
        QTest::newRow("custom classes") << u"custom"_s << QString() << u"QRS"_s;
        QTest::newRow("custom, nEdit empty") << u"custom"_s << u"nEdit"_s << u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
        QTest::newRow("custom, uEdit empty") << u"custom"_s << u"uEdit"_s << u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
        QTest::newRow("default classes, sEdit empty") << u"default"_s << u"sEdit"_s << u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s;
        QTest::newRow("symbols") << u"symbols"_s << QString() << u"XX"_s;
        QTest::newRow("symbols, iEdit empty") << u"symbols"_s << u"iEdit"_s << u"X"_s;
        QTest::newRow("word symbol, the counter's") << u"symbols"_s << u"wEdit=i"_s << u"X"_s;
        QTest::newRow("word symbol, the lower one typed") << u"symbols"_s << u"wEdit=qrs"_s << u"X"_s;
        QTest::newRow("word symbol, the lower one stored") << u"symbols"_s << u"wEdit=x"_s << u"XX"_s;
    }
    void savingAPanel()
    {
        const auto [panel, emptied, stored] =
            WindowTest::fetch<QString, QString, QString>("panel", "emptied", "stored");
        const QString word = emptied.startsWith(u"wEdit=") ? emptied.sliced(6) : QString();
        MainWindow &window = open();
        const Form &f = form();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const bool symbols = panel == u"symbols";
        QGroupBox *opened = symbols ? f.sFrame : f.gFrame;
        window.openPanel(*opened);
        if (!symbols) {
            (panel == u"custom" ? f.cOption : f.dOption)->click();
            QCOMPARE(Settings::read(Name::GenOpt), panel == u"custom" ? u"1"_s : u"0"_s);
            QCOMPARE(f.uEdit->isEnabled(), panel == u"custom");
        }
        (symbols ? f.upEdit : f.uEdit)->setText(symbols ? u"XX"_s : u"QRS"_s);
        (symbols ? f.loEdit : f.lEdit)->setText(u"qrs"_s);
        if (!word.isEmpty())
            f.wEdit->setText(word);
        else if (!emptied.isEmpty())
            window.findChild<QLineEdit *>(emptied)->clear();
        (symbols ? f.mButton : f.nButton)->click();

        QCOMPARE(Settings::read(symbols ? Name::uMask : Name::AlphaU), stored);
        const bool refused = !emptied.isEmpty() && panel != u"default" && word != u"x";
        QCOMPARE(f.panels->currentWidget(), refused ? static_cast<QWidget *>(opened) : f.cFrame);
        QCOMPARE(PanelSwitch::verticalPosition(*opened),
                 refused ? PanelSwitch::kOpenPosition : PanelSwitch::kAwayPosition);
        const QString complaint = word.isEmpty()
                                      ? u"The text can't be blank, enter something and try again."_s
                                      : u"The word symbol can't be one of the other mask symbols, enter another and "
                                        u"try again."_s;
        QCOMPARE(shownTexts(), refused ? QStringList{complaint} : QStringList{});
        if (!refused)
            return;
        QVERIFY(WindowTest::isError(lastShown()));
        QCOMPARE(QApplication::focusWidget(), window.findChild<QLineEdit *>(word.isEmpty() ? emptied : u"wEdit"_s));
        QCOMPARE(Settings::read(symbols ? Name::lMask : Name::AlphaL),
                 symbols ? u"x"_s : u"abcdefghijklmnopqrstuvwxyz"_s);
    }

    // The word list: chosen, checked, counted, stored, used by Generate.
    void wordsOnTheMaskOptionsPanel()
    {
        MainWindow &window = open();
        const Form &f = form();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_COMPARE(f.wcLabel->text(), u"7776 words"_s); // the shipped list, counted once shown
        const QString good = m_window->folder.file(u"mine.txt"_s);
        const QString bad = m_window->folder.file(u"bad.txt"_s);
        for (const auto &[path, text] : {std::pair{good, "1 kite\n2 orbit\n"}, std::pair{bad, "kite\n"}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
        }
        window.openPanel(*f.sFrame);
        Settings::write(Name::DialogSize, u"700x500"_s); // the saves' dialog, at its last size
        m_window->dialogs.answerNextWith(bad);
        f.wlButton->click();
        QCOMPARE(m_window->dialogs.requests.last().size, QSize(700, 500));
        QVERIFY(lastShown().text.startsWith(u"The word list "_s + bad + u" can't be used"_s));
        QCOMPARE(f.wlEdit->text(), QString());
        m_window->dialogs.answerNextWith(good);
        f.wlButton->click();
        QCOMPARE(f.wlEdit->text() + u' ' + f.wcLabel->text(), good + u" 2 words"_s);

        f.wEdit->setText(u"w"_s);
        f.mButton->click();
        QCOMPARE(Settings::read(Name::wMask) + Settings::read(Name::Words), u"w"_s + good);

        m_window->generate(u"w-w#"_s, u"5"_s);
        QVERIFY(!m_window->rows().isEmpty()); // duplicates are dropped: forty passwords can be made
        for (const QString &row : m_window->rows())
            QVERIFY2(QRegularExpression(u"^(kite|orbit)-(kite|orbit)[0-9]$"_s).match(row).hasMatch(), qPrintable(row));
    }

    void aCompleteFileChangesEveryCaption()
    {
        writeKeyLanguage(m_window->folder.file(u"Language/Keys.lng"_s));
        MainWindow &window = open();
        const Form &f = form();
        const QStringList englishCaptions = captionsOf(window);
        window.openPanel(*f.iFrame);
        f.LCombo->setEditText(u"Keys"_s);
        f.iButton->click();
        QCOMPARE(Settings::read(Name::Language), u"Keys"_s);
        QCOMPARE(f.panels->currentWidget(), f.cFrame);
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
        QCOMPARE((QStringList{f.cca->text(), f.wLabel->text(), f.wcp->text(), f.wlLabel->text(), f.wcLabel->text(),
                              f.nla->text(), f.wlEdit->placeholderText(), f.wlButton->text()}),
                 (QStringList{u"Label20"_s, u"Label21"_s, u"Label22"_s, u"Label23"_s, u"7776 Label24"_s, u"Label25"_s,
                              u"Label26"_s, u"Button05"_s}));
        QVERIFY(f.strengthMeter->text().endsWith(u"Strength0"_s + QString::number(int(f.strengthMeter->rating()) + 1)));
        // The menus' own captions never change.
        QCOMPARE(m_window->tool(1)->text() + m_window->tool(4)->text() + m_window->tool(14)->text(),
                 u"Edit&FileSave"_s);
        window.runToolCommand(*m_window->tool(12));
        QCOMPARE(f.panels->currentWidget(), f.aFrame);
    }

    // A name without a file is neither stored nor applied; the panel stays
    // open for another choice.
    void aMissingFileChangesNothing()
    {
        const QString chosen = u"Englsh"_s;
        MainWindow &window = open();
        const QStringList captions = captionsOf(window);
        const QStringList stored = storedToolCaptions();
        window.openPanel(*form().iFrame);
        form().LCombo->setEditText(chosen);
        form().iButton->click();
        QCOMPARE(m_window->messages.shown.size(), 1);
        QVERIFY(lastShown().text.contains(u'"' + chosen + u'"'));
        QCOMPARE(Settings::read(Name::Language), u"English"_s);
        QCOMPARE(captionsOf(window), captions);
        QCOMPARE(storedToolCaptions(), stored);
        QCOMPARE(form().panels->currentWidget(), form().iFrame);
    }

    // Texts a language file lacks or leaves empty, and every text of a stored
    // language whose file is gone, are the English ones.
    void missingTextsAreEnglish_data()
    {
        WindowTest::columns<QString, QString>("language", "generate");
        QTest::newRow("missing and empty keys") << u"Partial"_s << u"Erzeugen"_s;
        QTest::newRow("no file at start-up") << u"Klingon"_s << u"Generate"_s;
    }
    void missingTextsAreEnglish()
    {
        const auto [language, generate] = WindowTest::fetch<QString, QString>("language", "generate");
        QStringList english = captionsOf(open());
        const QStringList stored = storedToolCaptions();
        m_window->window.reset();
        QFile partial(m_window->folder.file(u"Language/Partial.lng"_s));
        QVERIFY(partial.open(QIODevice::WriteOnly));
        partial.write("[Buttons]\r\nButton01=Erzeugen\r\nButton02=\r\n[Menu]\r\nMenu05=''\r\n");
        partial.close();
        Settings::write(Name::Language, language);
        MainWindow &window = open();
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
        MainWindow &window = open();
        const Form &f = form();
        const QRect screen = window.screen()->availableGeometry();
        for (QWidget *panel :
             std::initializer_list<QWidget *>{f.cFrame, f.oFrame, f.gFrame, f.sFrame, f.iFrame, f.aFrame}) {
            f.panels->setCurrentWidget(panel);
            QApplication::processEvents();
            QVERIFY(window.width() <= screen.width());
            for (QWidget *control : panel->findChildren<QWidget *>()) {
                const QRect place(control->mapToGlobal(QPoint(0, 0)), control->size());
                QVERIFY2(!control->isVisible() || screen.contains(place), qPrintable(control->objectName()));
            }
        }
        QVERIFY(f.genList->header()->sectionSize(0) <= f.genList->header()->width());
        QCOMPARE(f.gButton->toolTip(), QString::fromLatin1(caption));
        QCOMPARE(FittedCaption::of(*f.Slm), QString::fromLatin1(caption));
        m_window->tool(13)->trigger(); // found by its whole caption
        QCOMPARE(f.panels->currentWidget(), f.iFrame);
    }
};

QTEST_MAIN(TestWindowOptions)
#include "tst_window_options.moc"
