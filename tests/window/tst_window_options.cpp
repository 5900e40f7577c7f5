#include "WindowFixture.h"

#include "core/localisation/LanguageTexts.h"
#include "core/settings/IniReader.h"
#include "window/form/FittedCaption.h"
#include "window/form/PanelSwitch.h"
#include "window/form/StrengthMeter.h"
#include "window/localisation/LanguageCommands.h"
#include "window/options/ClickSound.h"
#include "window/options/ControlLooks.h"
#include "window/options/OptionBoxes.h"
#include "window/results/ResultCommands.h"
#include "window/toolbar/ToolCodes.h"
#include "window/update/NewVersionNotice.h"
#include "window/update/UpdateNotifier.h"

#include <cstring>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
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
    QStringList captions{f.gButton->text(), f.cButton->text(), f.SButton->text(),          f.fButton->text(),
                         f.oFrame->title(), f.gFrame->title(), f.sFrame->title(),          f.aFrame->title(),
                         f.iFrame->title(), f.mFrame->title(), f.genList->columnCaption(), f.rFrame->title()};
    for (const QAbstractButton *box :
         std::initializer_list<const QAbstractButton *>{f.ACu, f.Slm, f.slg, f.Kot, f.ccl, f.ASg, f.ccb, f.soo, f.Xs,
                                                        f.dOption, f.cOption, f.cca, f.wcp, f.nla, f.wlButton})
        captions.append(box->text());
    for (const QLabel *label :
         {f.ucLabel, f.uLabel, f.lLabel, f.lcLabel, f.nLabel, f.nuLabel, f.sLabel, f.spLabel, f.lngLabel, f.iLabel,
          f.aP, f.aV, f.aPl, f.aR, f.wLabel, f.wlLabel, f.ruLabel, f.rlLabel, f.rnLabel})
        captions.append(label->text());
    for (int tool = 1; tool <= ToolBand::kToolCount; ++tool)
        captions.append(window.toolBand().tool(tool)->text());
    return captions;
}

QStringList storedToolCaptions()
{
    QStringList stored;
    for (const ToolCode &tool : kToolCodes)
        stored.append(Settings::read(tool.code));
    return stored;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// A language file whose every value is the key itself, so that each text
// shows where it came from, or else the given value.
void writeKeyLanguage(const QString &path, const QByteArray &value = {})
{
    QByteArray text;
    for (const Localisation::LanguageText &each : Localisation::languageTexts()) {
        const QByteArray key = QByteArray(each.key.data(), each.key.size());
        QByteArray shown = value.isEmpty() ? key : value;
        for (const char *mark : {" %1", " %2"}) // where the program fills in
            shown += each.english.contains(QLatin1StringView(mark).sliced(1)) ? mark : "";
        text += "[" + QByteArray(each.section.data(), each.section.size()) + "]\r\n" + key + " = " + shown + "\r\n";
    }
    writeFile(path, text);
}

// Every text a person can read in a widget and its children: captions,
// titles, tooltips, placeholders, menus; not what the user typed or chose.
QStringList readableTexts(const QWidget &top)
{
    QStringList texts{top.windowTitle(), top.toolTip()};
    for (const QWidget *widget : top.findChildren<QWidget *>()) { // a caption whole, as its tooltip shows it
        const bool captioned =
            widget->inherits("QAbstractButton") || widget->inherits("QLabel") || widget->inherits("QGroupBox");
        texts << widget->toolTip() << widget->windowTitle() << widget->property("placeholderText").toString()
              << widget->property("plainText").toString() << (captioned ? FittedCaption::of(*widget) : QString());
        for (const QAction *action : widget->actions()) // a tooltip of its own, not the caption's echo
            texts << action->text() << (action->toolTip() == action->iconText() ? QString() : action->toolTip());
    }
    texts.removeAll(QString());
    return texts;
}

// The texts with a letter left once the language file's texts (each piece
// between %1, %2, ...), names and the system's reasons (strerror) are out.
QStringList notFromLanguage(const QStringList &texts, const QString &languageFile)
{
    static const QRegularExpression places(u"https?://[^\\s)]+|/\\S*"_s);
    static const QRegularExpression names(u"Tessaro|Brasmoor|Linux|\\bQt\\b|\\bOK\\b|Klingon"_s);
    static const QRegularExpression letter(u"\\p{L}"_s);
    const IniFile file(languageFile);
    QStringList pieces;
    for (const Localisation::LanguageText &each : Localisation::languageTexts())
        pieces << file.value(each.section, each.key).remove(places).split(QRegularExpression(u"%\\d|\\\\n"_s));
    for (int error = 1; error < 134; ++error)
        pieces << QString::fromLocal8Bit(std::strerror(error));
    pieces.removeAll(QString());
    std::ranges::sort(pieces, std::greater{}, &QString::size);
    QStringList foreign;
    for (const QString &text : texts) {
        QString rest = QString(text).remove(places);
        for (const QString &piece : std::as_const(pieces))
            rest.replace(piece, u" "_s);
        if (rest.remove(names).contains(letter))
            foreign << text;
    }
    return foreign;
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
        writeFile(good, "1 kite\n2 orbit\n");
        writeFile(bad, "kite\n");
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

        const QList<QAction *> shipped = f.wlButton->menu()->actions(); // the shipped lists by name
        shipped.at(1)->trigger();
        QCOMPARE(f.wlEdit->text() + u' ' + f.wcLabel->text(), u"wordlist_de.txt 7776 words"_s);
        shipped.at(0)->trigger();
        QCOMPARE(f.wlEdit->text() + u' ' + f.wcLabel->text(), u" 7776 words"_s);
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
        QCOMPARE(
            storedToolCaptions().join(u' '),
            u"Menu09 Menu10 Menu01 Menu02 Menu03 Menu04 Menu05 Menu06 Menu07 Menu08 Menu11 Menu12 Menu13 Menu14"_s);
        QCOMPARE(f.wcLabel->text() + f.wlEdit->placeholderText(), u"Label24 7776Label26"_s);
        QVERIFY(f.strengthMeter->text().endsWith(u"Strength0"_s + QString::number(int(f.strengthMeter->rating()) + 1)));
        window.runToolCommand(*m_window->tool(12));
        QCOMPARE(f.panels->currentWidget(), f.aFrame);
    }

    // A German user reads German only: the window and its hidden panels,
    // menus, tooltips, the file dialogs asked for, each message, the notice,
    // About, and Qt's own buttons and file dialog. A language without a file
    // is neither stored nor applied, and its panel stays open.
    void germanWindowSpeaksGerman()
    {
        const auto qtTexts = [] {
            QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            return readableTexts(box) + readableTexts(dialog);
        };
        const QStringList qtEnglish = qtTexts();
        Settings::write(Name::Confirm, u"1"_s);
        Settings::write(Name::Language, u"German"_s);
        MainWindow &window = open();
        const Form &f = form();
        for (const auto &[mask, count] : {std::pair{u"Xx"_s, u"1"_s},
                                          {u"Xxxx"_s, u""_s},
                                          {u"Xxxx"_s, u"0"_s},
                                          {u"Xxxx"_s, u"x"_s},
                                          {u"Xxxx"_s, u"2"_s}})
            m_window->generate(mask, count);
        m_window->dialogs.answerNextWith(m_window->folder.file(u"no/such/folder/out.txt"_s));
        window.results().SaveResultsAsText();
        window.results().SaveResultsAsCsv();
        f.cButton->click();
        m_window->dialogs.answerNextWith(m_window->folder.file(u"help"_s));
        f.wlButton->click();
        f.wEdit->setText(u"X"_s);
        f.mButton->click();
        f.cOption->click();
        f.uEdit->clear();
        f.nButton->click();
        QVERIFY(QFile::remove(m_window->folder.file(u"help/index.htm"_s)));
        m_window->tool(11)->trigger();
        for (int code = -4; code <= -1; ++code)
            window.updates().onError(code);
        window.updates().onNewVersion(u"9.0.0"_s);
        window.openPanel(*f.iFrame);
        f.LCombo->setEditText(u"Klingon"_s);
        f.iButton->click();
        QCOMPARE(Settings::read(Name::Language) + storedToolCaptions().constFirst(), u"GermanAuswahl kopieren"_s);
        QCOMPARE(f.panels->currentWidget(), f.iFrame);
        QCOMPARE(m_window->messages.shown.size(), 15);

        QTRY_VERIFY(!f.aK->toPlainText().isEmpty());
        QStringList texts = readableTexts(window) << f.genList->columnCaption() << f.strengthMeter->text();
        for (const MessageBoxes::Message &message : std::as_const(m_window->messages.shown))
            texts << message.title << message.text;
        for (const FileDialogs::Request &request : std::as_const(m_window->dialogs.requests))
            texts << request.title << request.nameFilters;
        for (const NewVersionNotice::Item &item : window.updates().notice()->items())
            texts << item.text;
        texts.removeAll(f.nla->toolTip()); // the look-alike characters themselves
        const QString german = m_window->folder.file(u"Language/German.lng"_s);
        const QStringList foreign = notFromLanguage(texts, german);
        QVERIFY2(foreign.isEmpty(), qPrintable(foreign.join(u" | "_s)));
        // Qt's words: those it says in English too are not translated.
        QStringList untranslated = qtTexts();
        untranslated.removeIf(
            [&](const QString &t) { return !qtEnglish.contains(t) || notFromLanguage({t}, german).isEmpty(); });
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u" | "_s)));
        f.LCombo->setEditText(u"English"_s); // and back: Qt's words in English again
        f.iButton->click();
        QCOMPARE(qtTexts(), qtEnglish);
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
        writeFile(m_window->folder.file(u"Language/Partial.lng"_s),
                  "[Buttons]\r\nButton01=Erzeugen\r\nButton02=\r\n[Menu]\r\nMenu05=''\r\n");
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
