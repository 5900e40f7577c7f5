#include "WindowFixture.h"

#include "localisation/LanguageCommands.h"
#include "strength/StrengthMeter.h"
#include "toolbar/ToolCodes.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
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
// shows where it came from.
void writeKeyLanguage(const QString &path)
{
    QByteArray text;
    const auto section = [&](const char *name, const char *prefix, int count) {
        text += "[" + QByteArray(name) + "]\r\n";
        for (int n = 1; n <= count; ++n) {
            const QByteArray key = prefix + QByteArray::number(n).rightJustified(2, '0');
            text += key + " = " + key + "\r\n";
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
        Language::ApplyLanguage(window);
        QCOMPARE(captionsOf(window), once);
        window.runToolCommand(*window.toolBand().tool(12));
        QCOMPARE(form.panels->currentWidget(), form.aFrame);
    }

    void aMissingFileEmptiesTheCaptions_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("no such language") << u"Klingon"_s;
        QTest::newRow("empty box") << QString();
    }
    void aMissingFileEmptiesTheCaptions()
    {
        QFETCH(QString, chosen);
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        window.openPanel(*form.iFrame);
        form.LCombo->setEditText(chosen);
        form.iButton->click();

        QCOMPARE(Settings::read(Name::Language), chosen);
        QCOMPARE(form.panels->currentWidget(), form.cFrame);
        const QStringList captions = captionsOf(window);
        QCOMPARE(captions.mid(32, 4), (QStringList{u" Tessaro"_s, u" 1.1.3"_s, u" Linux"_s, u" 07/02/2005"_s}));
        QCOMPARE(captions.mid(0, 32) + captions.mid(36), QStringList(captions.size() - 4, QString()));
        QCOMPARE(storedToolCaptions(), QStringList(13, QString()));
        // What no language file sets stays readable.
        QCOMPARE(form.cca->text(), u"Clear clipboard after 10 seconds"_s);
        QCOMPARE(form.wcLabel->text(), u"7776 words"_s); // from the English file
        QCOMPARE(form.wlButton->text(), u"Choose..."_s);
        QVERIFY(form.strengthMeter->text().endsWith(MaskStrength::englishWord(form.strengthMeter->rating())));

        // The next start replaces an empty language by English.
        m_window->window.reset();
        m_window->open();
        QCOMPARE(Settings::read(Name::Language), chosen.isEmpty() ? u"English"_s : chosen);
    }

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
