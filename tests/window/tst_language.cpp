#include "WindowFixture.h"

#include "window/form/FittedCaption.h"
#include "window/localisation/LanguageCommands.h"
#include "window/strength/StrengthMeter.h"
#include "window/toolbar/ToolCodes.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>

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

class TestLanguage : public QObject
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
        const Form &form = window.form();
        window.openPanel(*form.iFrame);
        form.LCombo->setEditText(u"Keys"_s);
        form.iButton->click();

        QCOMPARE(Settings::read(Name::Language), u"Keys"_s);
        QCOMPARE(form.panels->currentWidget(), form.cFrame);
        QCOMPARE(captionsOf(window),
                 (QStringList{u"Button01"_s, u"Button02"_s, u"Button03"_s, u"Button04"_s, u"Menu01"_s, u"Menu02"_s,
                              u"Menu03"_s, u"Menu08"_s, u"Menu11"_s, u"Frame01"_s, u"List01"_s, u"Label01"_s,
                              u"Label02"_s, u"Label03"_s, u"Label04"_s, u"Label05"_s, u"Label06"_s, u"Label07"_s,
                              u"Label08"_s, u"Label09"_s, u"Option01"_s, u"Option02"_s, u"Label11"_s, u"Label11"_s,
                              u"Label12"_s, u"Label12"_s, u"Label13"_s, u"Label13"_s, u"Label14"_s, u"Label14"_s,
                              u"Label10"_s, u"Label19"_s, u"Label15 Tessaro"_s, u"Label16 1.1.3"_s, u"Label17 Linux"_s,
                              u"Label18 07/02/2005"_s,
                              // tools 2, 3, 5 to 13, 15, 16
                              u"Menu09"_s, u"Menu10"_s, u"Menu01"_s, u"Menu02"_s, u"Menu03"_s, u"Menu04"_s, u"Menu05"_s,
                              u"Menu06"_s, u"Menu07"_s, u"Menu08"_s, u"Menu11"_s, u"Menu12"_s, u"Menu13"_s}));
        QCOMPARE(storedToolCaptions(),
                 (QStringList{u"Menu09"_s, u"Menu10"_s, u"Menu01"_s, u"Menu02"_s, u"Menu03"_s, u"Menu04"_s, u"Menu05"_s,
                              u"Menu06"_s, u"Menu07"_s, u"Menu08"_s, u"Menu11"_s, u"Menu12"_s, u"Menu13"_s}));
        QCOMPARE(form.cca->text(), u"Label20"_s);
        QCOMPARE((QStringList{form.wLabel->text(), form.wcp->text(), form.wlLabel->text(), form.wcLabel->text(),
                              form.nla->text(), form.wlEdit->placeholderText(), form.wlButton->text()}),
                 (QStringList{u"Label21"_s, u"Label22"_s, u"Label23"_s, u"7776 Label24"_s, u"Label25"_s, u"Label26"_s,
                              u"Button05"_s}));
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

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
