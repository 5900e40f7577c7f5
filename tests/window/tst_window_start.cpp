#include "WindowFixture.h"

#include "core/common/ProgramFolder.h"
#include "core/settings/SettingsStore.h"
#include "core/update/VersionCheck.h"
#include "platform/placement/Twips.h"
#include "window/options/ClickSound.h"
#include "window/panels/PanelSwitch.h"
#include "window/shutdown/Shutdown.h"
#include "window/startup/WindowPlacement.h"
#include "window/update/UpdateNotifier.h"

#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using Answer = MessageBoxes::Answer;
namespace Name = Settings::Name;

namespace {

// The name assistive technology reads. On Linux Qt names an editable combo
// box by its text (its label comes as a relation), so for combo boxes the
// name set on the widget is what counts.
QString accessibleName(QWidget *widget)
{
    if (widget->inherits("QComboBox"))
        return widget->accessibleName();
    QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
    return node ? node->text(QAccessible::Name) : QString();
}

QSettings storeFile(const QString &path)
{
    return QSettings(path, QSettings::IniFormat);
}

// Every write of the store replaces its file, which gets a new inode.
ino_t inodeOf(const QString &path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

// The window as it starts, looks and closes.
class TestWindowStart : public WindowTest::Case
{
    Q_OBJECT

private slots:
    // Every control the settings, the language files and the tests reach by
    // name is there, on its panel, with a name that assistive technology
    // reads and that tells it from the others.
    void controls()
    {
        MainWindow &window = open();
        const std::pair<const char *, const char *> panels[] = {
            {"bFrame", "gButton cButton SButton fButton"},
            {"mFrame", "mCombo spinner addButton sudButton"},
            {"cFrame", "genList"},
            {"oFrame", "Slm ACu slg ccl ASg ccb cca oButton"},
            {"gFrame", "uLabel uEdit lLabel lEdit nLabel nEdit sLabel sEdit cOption dOption nButton"},
            {"sFrame", "ucLabel upEdit lcLabel loEdit nuLabel nuEdit spLabel spEdit iLabel iEdit mButton"},
            {"iFrame", "Kot soo Xs lngLabel LCombo iButton"},
            {"aFrame", "aK kmflnk aButton"},
        };
        QSet<QString> names;
        for (const auto &[panelName, controls] : panels) {
            QWidget *panel = window.findChild<QWidget *>(QLatin1String(panelName));
            QVERIFY2(panel, panelName);
            window.form().panels->setCurrentWidget(
                panel->parentWidget() == window.form().panels ? panel : window.form().cFrame);
            for (const QString &name : QString::fromLatin1(controls).split(u' ')) {
                QWidget *control = window.findChild<QWidget *>(name);
                QVERIFY2(control && panel->isAncestorOf(control), qPrintable(name));
                const QString spoken = accessibleName(control);
                QVERIFY2(!spoken.isEmpty(), qPrintable(name));
                // Labels share their text with the boxes they name; fields do not.
                if (!control->inherits("QLabel"))
                    QVERIFY2(!names.contains(spoken) || spoken.endsWith(u':'), qPrintable(name + u' ' + spoken));
                names.insert(spoken);
            }
        }
    }

    void panelsShareOneStack()
    {
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        const QList<QWidget *> panels{form.cFrame, form.oFrame, form.gFrame, form.sFrame, form.iFrame, form.aFrame};
        QCOMPARE(form.panels->count(), 6);
        for (QWidget *panel : panels)
            QCOMPARE(panel->parentWidget(), form.panels);
        QVERIFY(form.cFrame->isVisible());
        QCOMPARE(PanelSwitch::verticalPosition(*form.cFrame), 0);
        for (QWidget *panel : panels.mid(1)) {
            QVERIFY(panel->isHidden());
            QCOMPARE(PanelSwitch::verticalPosition(*panel), 4200);
        }
        QVERIFY(form.cFrame->isAncestorOf(form.bFrame) && form.cFrame->isAncestorOf(form.mFrame));
        QVERIFY(form.cText->isHidden() && form.csvText->isHidden());
    }

    // Every tool sits in a menu of the band, the window's menu bar, and
    // shows a caption before start-up has read any.
    void menusHoldEveryTool()
    {
        m_window->window =
            std::make_unique<MainWindow>(WindowServices{&m_window->messages, &m_window->dialogs, &m_window->shell});
        ToolBand &bars = m_window->window->toolBand();
        QCOMPARE(m_window->window->menuBar(), &bars);
        QSet<const QAction *> inMenus;
        for (const QMenu *menu :
             {bars.menu(u"ID_File"_s), bars.menu(u"ID_Edit"_s), bars.menu(u"ID_Save"_s), bars.tool(10)->menu()}) {
            for (const QAction *action : menu->actions())
                inMenus.insert(action);
        }
        for (int index = 1; index <= ToolBand::kToolCount; ++index) {
            const QAction *tool = bars.tool(index);
            QVERIFY2(tool && !tool->text().isEmpty(), qPrintable(QString::number(index)));
            QVERIFY2(inMenus.contains(tool) || tool->menu(), qPrintable(tool->text()));
        }
        QVERIFY(!bars.tool(17) && !bars.tool(0));
    }

    void startUp_data()
    {
        QTest::addColumn<QString>("storedMask");
        QTest::addColumn<QString>("storedCount");
        QTest::addColumn<QString>("storedCopyAll");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("copyAll");
        // Without a stored mask the box shows the first saved one; the language
        // rewrites every stored tool caption.
        QTest::newRow("first start") << u""_s << u""_s << u""_s << u"<first saved>"_s << u"1"_s << u"Copy All"_s;
        QTest::newRow("stored values") << u"Xx-##"_s << u"12"_s << u"Alles kopieren"_s << u"Xx-##"_s << u"12"_s
                                       << u"Copy All"_s;
    }
    void startUp()
    {
        QFETCH(QString, storedMask);
        QFETCH(QString, storedCount);
        QFETCH(QString, storedCopyAll);
        QFETCH(QString, mask);
        QFETCH(QString, count);
        QFETCH(QString, copyAll);
        Settings::write(Name::String, storedMask);
        Settings::write(Name::Generate, storedCount);
        Settings::write(Name::TCA, storedCopyAll);
        MainWindow &window = m_window->open();

        QCOMPARE(window.windowTitle(), u"Tessaro 1.1"_s);
        QVERIFY(window.form().mCombo->count() > 0);
        QCOMPARE(window.form().mCombo->currentText(),
                 mask == u"<first saved>" ? window.form().mCombo->itemText(0) : mask);
        QCOMPARE(window.form().spinner->text(), count);
        QCOMPARE(Settings::read(Name::TCA), copyAll);
        QCOMPARE(m_window->tool(3)->text(), copyAll);
        for (const auto code : {Name::TCS, Name::TPO, Name::TGO, Name::TIO, Name::TMO, Name::TMI, Name::TXI, Name::THL,
                                Name::TCO, Name::TAO, Name::TAT, Name::TAC})
            QCOMPARE(Settings::read(code), Settings::startupDefault(code));
        QCOMPARE(Settings::read(Name::String), storedMask); // start-up writes neither
        QCOMPARE(Settings::read(Name::Generate), storedCount);
    }

    void maskBoxHasTheFocusAndTabFollowsTheLayout()
    {
        MainWindow &window = m_window->open();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const Form &form = window.form();
        QCOMPARE(QApplication::focusWidget(), form.mCombo);
        QVERIFY(!form.mCombo->currentText().isEmpty());
        QTest::keyClicks(form.mCombo->lineEdit(), u"Xx##"_s); // replaces the remembered mask
        QCOMPARE(form.mCombo->currentText(), u"Xx##"_s);
        const QList<QWidget *> order{form.addButton, form.sudButton, form.spinner, form.gButton,
                                     form.cButton,   form.SButton,   form.fButton, form.genList};
        for (QWidget *expected : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
        form.addButton->setFocus();
        QTest::keyClick(form.addButton, Qt::Key_Backtab);
        QCOMPARE(form.mCombo->lineEdit()->selectedText(), u"Xx##"_s);
    }

    // The list painted at a screen scale: no ink on a row's top or bottom
    // line of pixels, where a glyph taller or deeper than the row is cut.
    void rowsShowWholeGlyphs_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("100%") << 1.0;
        QTest::newRow("150%") << 1.5;
        QTest::newRow("200%") << 2.0;
    }
    void rowsShowWholeGlyphs()
    {
        QFETCH(qreal, scale);
        MainWindow &window = m_window->open();
        m_window->fill({u"\u00d6\u00dc\u00c9\u00cb\u00cf\u0160\u017d\u00c5"_s, u"gyjpq\u00a7\u00b5\u00de|"_s});
        QWidget &rows = *window.form().genList->viewport();
        QApplication::processEvents(); // lays the rows out
        QImage image((QSizeF(rows.size()) * scale).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        QPainter painter(&image);
        rows.render(&painter);
        painter.end();
        for (int row = 0; row < 2; ++row) {
            const QModelIndex index = window.form().genList->model()->index(row, 0);
            const QRect place = window.form().genList->visualRect(index);
            const auto inkOn = [&](qreal y) {
                for (int x = 0; x < int(place.right() * scale); ++x) {
                    if (qGray(image.pixel(x, int(y))) < 160)
                        return true;
                }
                return false;
            };
            QVERIFY(inkOn(place.center().y() * scale));
            QVERIFY2(!inkOn(place.top() * scale) && !inkOn((place.bottom() + 1) * scale - 1),
                     qPrintable(index.data().toString()));
        }
        QVERIFY(QFontInfo(window.form().genList->model()->index(0, 0).data(Qt::FontRole).value<QFont>()).fixedPitch());
    }

    void menuButtonsPopUpTheirMenus_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("toolWithIcon");
        QTest::newRow("File") << u"fButton"_s << u"ID_File"_s << 9;
        QTest::newRow("Save") << u"SButton"_s << u"ID_Save"_s << 16;
    }
    void menuButtonsPopUpTheirMenus()
    {
        QFETCH(QString, button);
        QFETCH(QString, menu);
        QFETCH(int, toolWithIcon);
        MainWindow &window = m_window->open();
        QMenu *popUp = window.toolBand().menu(menu);
        window.findChild<QPushButton *>(button)->click();
        QTRY_VERIFY(popUp->isVisible());
        QVERIFY(!window.toolBand().tool(toolWithIcon)->icon().isNull()); // given as the menu opens
        popUp->hide();
    }

    void firstStartWritesEveryDefault()
    {
        m_home->resetStore(); // a first start
        const MainWindow &window = m_window->open();
        const Form &form = window.form();
        QSettings stored = storeFile(m_home->settingsFile());
        QStringList expected;
        for (const Settings::Definition &definition : Settings::table()) {
            if (!definition.startupDefault) {
                QVERIFY2(!stored.contains(definition.name), definition.name.data());
                continue;
            }
            expected.append(definition.name);
            QCOMPARE(Settings::read(definition.name), QString::fromLatin1(definition.startupDefault));
        }
        QCOMPARE(stored.allKeys().size(), expected.size());
        QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::MakerKey, Settings::InstallPathValue, QString()),
                 ProgramFolder::executablePath());

        QCOMPARE(form.spinner->text(), u"1"_s);
        QCOMPARE(form.mCombo->currentText(), form.mCombo->itemText(0));
        for (QCheckBox *box : window.findChildren<QCheckBox *>())
            QCOMPARE(box->isChecked(),
                     QList<QCheckBox *>({form.Slm, form.slg, form.ccb, form.soo, form.Xs}).contains(box));
        QVERIFY(form.dOption->isChecked() && !form.cOption->isChecked() && !form.uEdit->isEnabled());
        QCOMPARE(WindowTest::styleOf(form.gButton), u"fusion"_s);
        QCOMPARE(form.gButton->property("clickSound").toInt(), ClickSound::kPlays);
        QVERIFY(!window.findChild<VersionCheck *>()); // made only when a check is wanted

        // Centred on the screen.
        const QRect screen = window.screen()->geometry();
        QVERIFY(qAbs(window.x() - (screen.width() - window.width()) / 2) <= 1);
        QVERIFY(qAbs(window.y() - (screen.height() - window.height()) / 2) <= 1);
    }

    void secondStartWritesOnlyTheInstallPath()
    {
        m_home->resetStore(); // a first start
        m_window->open();
        m_window.reset();
        QFile::remove(m_home->configFolder() + u"/Brasmoor.conf"_s);
        QFile file(m_home->settingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const ino_t inode = inodeOf(m_home->settingsFile());

        m_window = std::make_unique<WindowTest::Fixture>();
        m_window->open();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(inodeOf(m_home->settingsFile()), inode); // not even rewritten unchanged
        QCOMPARE(GetRegValue(RegistryRoot::CurrentUser, Settings::MakerKey, Settings::InstallPathValue, QString()),
                 ProgramFolder::executablePath());
    }

    void emptyValuesGetTheirDefaults()
    {
        for (const auto name : {Name::OnTop, Name::Style, Name::Language, Name::uMask, Name::AlphaU})
            Settings::write(name, QString());
        m_window->open();
        for (const auto name : {Name::OnTop, Name::Style, Name::Language, Name::uMask, Name::AlphaU})
            QCOMPARE(Settings::read(name), Settings::startupDefault(name));
    }

    void storedStateIsRestored()
    {
        const std::pair<QLatin1String, QString> stored[] = {
            {Name::SaveM, u"0"_s},    {Name::SaveN, u"0"_s},      {Name::Confirm, u"1"_s}, {Name::LastGen, u"1"_s},
            {Name::Clear, u"0"_s},    {Name::ClearAfter, u"1"_s}, {Name::Style, u"0"_s},   {Name::Sound, u"0"_s},
            {Name::uMask, u"U"_s},    {Name::iMask, u"%"_s},      {Name::AlphaU, u"AB"_s}, {Name::String, u"UU%"_s},
            {Name::Generate, u"7"_s}, {Name::GenOpt, u"1"_s},
        };
        for (const auto &[name, value] : stored)
            Settings::write(name, value);
        const Form &form = m_window->open().form();
        QVERIFY(!form.Slm->isChecked() && !form.slg->isChecked() && form.ccl->isChecked() && form.ASg->isChecked());
        QVERIFY(!form.ccb->isChecked() && form.cca->isChecked() && !form.Xs->isChecked() && !form.soo->isChecked());
        QCOMPARE(form.upEdit->text(), u"U"_s);
        QCOMPARE(form.iEdit->text(), u"%"_s);
        QCOMPARE(form.uEdit->text(), u"AB"_s);
        QCOMPARE(form.mCombo->currentText(), u"UU%"_s);
        QCOMPARE(form.spinner->text(), u"7"_s);
        QVERIFY(form.cOption->isChecked() && form.uEdit->isEnabled() && form.sLabel->isEnabled());
        QCOMPARE(WindowTest::styleOf(form.spinner), u"windows"_s);
        QCOMPARE(form.addButton->property("clickSound").toInt(), ClickSound::kSilent);
    }

    void generationChoice_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<bool>("byDefault");
        QTest::addColumn<QString>("afterwards");
        QTest::newRow("0: default") << u"0"_s << false << true << u"0"_s;
        QTest::newRow("1: custom") << u"1"_s << true << false << u"1"_s;
        QTest::newRow("2: neither") << u"2"_s << false << false << u"2"_s;
        QTest::newRow("0.6 rounds to 1") << u"0.6"_s << true << false << u"1"_s;
        QTest::newRow("not a number") << u"many"_s << false << true << u"many"_s;
    }
    void generationChoice()
    {
        QFETCH(QString, stored);
        QFETCH(bool, custom);
        QFETCH(bool, byDefault);
        QFETCH(QString, afterwards);
        Settings::write(Name::GenOpt, stored);
        const Form &form = m_window->open().form();
        QCOMPARE(form.cOption->isChecked(), custom);
        QCOMPARE(form.dOption->isChecked(), byDefault);
        for (const QWidget *field : std::initializer_list<const QWidget *>{form.uEdit, form.lLabel, form.sEdit})
            QCOMPARE(field->isEnabled(), custom);
        QCOMPARE(Settings::read(Name::GenOpt), afterwards);
    }

    // A value other than 0 and 1 leaves the box unticked and the controls
    // as they were built.
    void otherNumbersHaveNoEffect()
    {
        Settings::write(Name::Style, u"2"_s);
        Settings::write(Name::Sound, u"2"_s);
        Settings::write(Name::OnTop, u"x"_s);
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        QVERIFY(!form.Xs->isChecked() && !form.soo->isChecked() && !form.Kot->isChecked());
        QCOMPARE(form.gButton->style(), QApplication::style());
        QVERIFY(!form.gButton->property("clickSound").isValid());
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void keepOnTopFromTheStart()
    {
        Settings::write(Name::OnTop, u"1"_s);
        MainWindow &window = m_window->open();
        QVERIFY(window.form().Kot->isChecked());
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
    }

    void updateCheckStartsWhenAsked()
    {
        Settings::write(Name::AUChk, u"1"_s);
        MainWindow &window = m_window->open();
        QVERIFY(window.form().ACu->isChecked());
        // The refused connection comes back as a message box through the
        // window's own message seam.
        QTRY_COMPARE(m_window->messages.shown.size(), 1);
        QCOMPARE(m_window->messages.shown.front().title, u"Tessaro"_s);
        QVERIFY(!window.updates().versionCheck()->isRunning());
    }

    // A click on the notice's message opens the maker's site through the
    // window's shell.
    void theNoticeOpensTheSiteThroughTheShell()
    {
        MainWindow &window = m_window->open();
        window.updates().onNewVersion(u"1.2.0"_s);
        NewVersionNotice *notice = window.updates().notice();
        QVERIFY(notice && notice->isVisible());
        for (const NewVersionNotice::Item &item : notice->items()) {
            if (item.id == NewVersionNotice::MessageId)
                QTest::mouseClick(notice, Qt::LeftButton, {}, item.rect.center());
        }
        QCOMPARE(m_window->shell.opened, QList<QUrl>{QUrl(u"http://127.0.0.1:9/"_s)});
    }

    void aboutTexts()
    {
        const Form &form = open().form();
        QVERIFY(form.aV->text().endsWith(u' ' + QStringLiteral(TESSARO_VERSION)));
        const QString credits = form.aK->toPlainText();
        QVERIFY(credits.contains(u"EFF large word list"_s) && credits.contains(u"CC BY 3.0 US"_s));
        QCOMPARE(form.kmflnk->text(), u"http://127.0.0.1:9/"_s);
        QCOMPARE(form.kmflnk->property("url").toString(), form.kmflnk->text());
    }

    void positionIsRestored_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("top");
        QTest::addColumn<int>("pixelsLeft"); // at 96 dots per inch
        QTest::addColumn<int>("pixelsTop");
        QTest::newRow("on the screen") << u"2400"_s << u"1500"_s << 160 << 100;
        QTest::newRow("partly off the left edge") << u"-300"_s << u"1500"_s << -20 << 100;
        QTest::newRow("partly off the top") << u"1500"_s << u"-300"_s << 100 << -20;
    }
    void positionIsRestored()
    {
        QFETCH(QString, left);
        QFETCH(QString, top);
        QFETCH(int, pixelsLeft);
        QFETCH(int, pixelsTop);
        Settings::write(Name::Left, left);
        Settings::write(Name::Top, top);
        MainWindow &window = m_window->open();
        const double dpi = window.screen()->logicalDotsPerInchX();
        QCOMPARE(window.pos(), QPoint(qRound(pixelsLeft * dpi / 96), qRound(pixelsTop * dpi / 96)));
    }

    void windowOffEveryScreenIsBroughtBack()
    {
        Settings::write(Name::Left, u"-200000"_s);
        Settings::write(Name::Top, u"300000"_s);
        MainWindow &window = m_window->open();
        const QRect screen = window.screen()->geometry();
        const QRect titleBar(window.pos(), QSize(window.width(), WindowPlacement::kTitleBarHeight));
        QVERIFY(screen.intersects(titleBar));
        QCOMPARE(Settings::read(Name::Left), u"-200000"_s); // the stored text is not changed
    }

    void reachablePosition_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QPoint>("expected");
        const QSize size(500, 400);
        QTest::newRow("inside") << QRect(QPoint(100, 100), size) << QPoint(100, 100);
        QTest::newRow("half off the right") << QRect(QPoint(1000, 100), size) << QPoint(1000, 100);
        QTest::newRow("title bar just on top") << QRect(QPoint(100, -29), size) << QPoint(100, -29);
        QTest::newRow("body only on the screen") << QRect(QPoint(100, -50), size) << QPoint(100, 0);
        QTest::newRow("far left") << QRect(QPoint(-5000, 100), size) << QPoint(-380, 100);
        QTest::newRow("far right and below") << QRect(QPoint(9000, 9000), size) << QPoint(2184, 738);
        QTest::newRow("on the second screen") << QRect(QPoint(1400, 100), size) << QPoint(1400, 100);
        QTest::newRow("far left, lower") << QRect(QPoint(-5000, 790), size) << QPoint(-380, 770);
    }
    void reachablePosition()
    {
        QFETCH(QRect, frame);
        QFETCH(QPoint, expected);
        const QList<QRect> screens{QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
        QCOMPARE(WindowPlacement::reachablePosition(frame, screens), expected);
    }

    void positionTexts_data()
    {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("topText");
        QTest::addColumn<QString>("leftText");
        QTest::newRow("whole numbers") << 1500.0 << 2400.0 << u"1500"_s << u"2400"_s;
        QTest::newRow("half down to even") << 0.0 << 2400.5 << u"0"_s << u"2400"_s;
        QTest::newRow("half up to even") << 0.0 << 2401.5 << u"0"_s << u"2402"_s;
        QTest::newRow("nearest") << 0.0 << 2400.6 << u"0"_s << u"2401"_s;
        QTest::newRow("negative half to even") << 0.0 << -2.5 << u"0"_s << u"-2"_s;
        QTest::newRow("minus half is zero") << 0.0 << -0.5 << u"0"_s << u"0"_s;
        QTest::newRow("top is kept unrounded") << 1500.25 << 0.0 << u"1500.25"_s << u"0"_s;
        QTest::newRow("off the top-left corner") << -300.0 << -300.0 << u"-300"_s << u"-300"_s;
        QTest::newRow("16-bit edge") << 0.0 << 32767.4 << u"0"_s << u"32767"_s;
        QTest::newRow("lowest 16-bit value") << 0.0 << -32768.0 << u"0"_s << u"-32768"_s;
        QTest::newRow("beyond 16 bits: unchanged") << 0.0 << 40000.5 << u"0"_s << u"40000.5"_s;
        QTest::newRow("rounds past the edge: unchanged") << 0.0 << 32767.5 << u"0"_s << u"32767.5"_s;
        QTest::newRow("large values have no exponent") << 1e7 << -1e7 << u"10000000"_s << u"-10000000"_s;
    }
    void positionTexts()
    {
        QFETCH(double, top);
        QFETCH(double, left);
        QFETCH(QString, topText);
        QFETCH(QString, leftText);
        const Shutdown::PositionTexts texts = Shutdown::positionTexts(top, left);
        QCOMPARE(texts.top, topText);
        QCOMPARE(texts.left, leftText);
    }

    void closingStoresThePositionInTwips()
    {
        WindowTest::Fixture &fixture = *m_window;
        MainWindow &window = fixture.open();
        window.move(160, 100);
        QTRY_COMPARE(window.pos(), QPoint(160, 100));
        const double dpiX = window.screen()->logicalDotsPerInchX();
        const double dpiY = window.screen()->logicalDotsPerInchY();
        window.close();
        QCOMPARE(Settings::read(Name::Left), Shutdown::numberText(std::nearbyint(160 * 1440 / dpiX)));
        QCOMPARE(Settings::read(Name::Top), Shutdown::numberText(100 * 1440 / dpiY));
    }

    void minimisedWindowStoresItsNormalPosition()
    {
        WindowTest::Fixture &fixture = *m_window;
        MainWindow &window = fixture.open();
        window.move(96, 48);
        QTRY_COMPARE(window.pos(), QPoint(96, 48));
        window.showMinimized();
        window.close();
        QVERIFY(!window.isMinimized());
        const double dpiX = window.screen()->logicalDotsPerInchX();
        QCOMPARE(Settings::read(Name::Left), Shutdown::numberText(std::nearbyint(96 * 1440 / dpiX)));
    }

    void clearRule_data()
    {
        QTest::addColumn<QString>("clear");
        QTest::addColumn<bool>("emptied");
        QTest::newRow("1 empties") << u"1"_s << true;
        QTest::newRow("0 leaves it") << u"0"_s << false;
        QTest::newRow("empty leaves it") << u""_s << false;
        QTest::newRow("01 is not exactly 1") << u"01"_s << false;
        QTest::newRow("blank-led 1 is not exactly 1") << u" 1"_s << false;
    }
    void clearRule()
    {
        QFETCH(QString, clear);
        QFETCH(bool, emptied);
        WindowTest::Fixture &fixture = *m_window;
        MainWindow &window = fixture.open();
        Settings::write(Name::Clear, clear);
        WindowTest::setClipboard(u"copied elsewhere"_s);
        window.close();
        QCOMPARE(WindowTest::clipboardText(), emptied ? QString() : u"copied elsewhere"_s);
    }
};

QTEST_MAIN(TestWindowStart)
#include "tst_window_start.moc"
