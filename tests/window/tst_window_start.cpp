#include "WindowFixture.h"

#include "core/settings/SettingsStore.h"
#include "core/update/VersionCheck.h"
#include "window/options/ClickSound.h"
#include "window/Shutdown.h"
#include "window/toolbar/ToolCodes.h"
#include "window/WindowPlacement.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QStackedWidget>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
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

// Every write of the store replaces its file, which gets a new inode.
ino_t inodeOf(const QString &path)
{
    struct stat info = {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QString installPath()
{
    return GetRegValue(RegistryRoot::CurrentUser, Settings::MakerKey, Settings::InstallPathValue, QString());
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
            form().panels->setCurrentWidget(panel->parentWidget() == form().panels ? panel : form().cFrame);
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

    // Every tool sits in a menu of the band.
    void menusHoldEveryTool()
    {
        ToolBand &bars = open().toolBand();
        QList<QAction *> inMenus = bars.tool(10)->menu()->actions();
        for (const ToolMenu menu : {ToolMenu::File, ToolMenu::Edit, ToolMenu::Save})
            inMenus += bars.menu(menu)->actions();
        for (int index = 1; index <= ToolBand::kToolCount; ++index)
            QVERIFY2(inMenus.contains(bars.tool(index)) || bars.tool(index)->menu(),
                     qPrintable(QString::number(index)));
    }

    // Without a stored mask the box shows the first saved one; the language
    // rewrites every stored tool caption; start-up writes neither mask nor count.
    void startUp_data()
    {
        WindowTest::columns<QString, QString, QString>("mask", "count", "copyAll");
        QTest::newRow("first start") << u""_s << u""_s << u""_s;
        QTest::newRow("stored values") << u"Xx##-i"_s << u"12"_s << u"Alles kopieren"_s;
    }
    void startUp()
    {
        const auto [mask, count, copyAll] = WindowTest::fetch<QString, QString, QString>("mask", "count", "copyAll");
        Settings::write(Name::String, mask);
        Settings::write(Name::Generate, count);
        Settings::write(Name::TCA, copyAll);
        MainWindow &window = open();

        QCOMPARE(window.windowTitle(), u"Tessaro 1.1"_s);
        QVERIFY(form().aV->text().endsWith(u' ' + QStringLiteral(TESSARO_VERSION)));
        QVERIFY(form().mCombo->count() > 0);
        QCOMPARE(form().spinner->text(), count.isEmpty() ? u"1"_s : count);
        QCOMPARE(Settings::read(Name::TCA), u"Copy All"_s);
        QCOMPARE(m_window->tool(3)->text(), u"Copy All"_s);
        QCOMPARE(Settings::read(Name::String), mask);
        QCOMPARE(Settings::read(Name::Generate), count);
        QTest::keyClick(form().mCombo->lineEdit(), Qt::Key_Return); // uses the mask shown, selected
        QCOMPARE(Settings::read(Name::String), form().mCombo->currentText());
        QCOMPARE(form().mCombo->currentText(), mask.isEmpty() ? form().mCombo->itemText(0) : mask);
        // Filled once the window has been painted.
        QTRY_VERIFY(form().LCombo->findText(u"English"_s) >= 0 && !form().aC->text().isEmpty());
    }

    void maskBoxHasTheFocusAndTabFollowsTheLayout()
    {
        MainWindow &window = open();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const Form &f = form();
        QCOMPARE(QApplication::focusWidget(), f.mCombo);
        QTest::keyClicks(f.mCombo->lineEdit(), u"Xx##"_s); // replaces the remembered mask
        QCOMPARE(f.mCombo->currentText(), u"Xx##"_s);
        for (QWidget *expected : QList<QWidget *>{f.addButton, f.sudButton, f.spinner, f.gButton, f.cButton, f.SButton,
                                                  f.fButton, f.genList}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
    }

    // The list painted at a screen scale, in a fixed-pitch font: no ink on a
    // row's top or bottom line of pixels, where a glyph taller or deeper than
    // the row is cut.
    void rowsShowWholeGlyphs()
    {
        open();
        m_window->fill({u"\u00d6\u00dc\u00c9\u00cb\u00cf\u0160\u017d\u00c5"_s, u"gyjpq\u00a7\u00b5\u00de|"_s});
        QWidget &rows = *form().genList->viewport();
        QApplication::processEvents(); // lays the rows out
        const qreal scale = 1.5;
        QImage image((QSizeF(rows.size()) * scale).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        QPainter painter(&image);
        rows.render(&painter);
        painter.end();
        for (int row = 0; row < 2; ++row) {
            const QRect place = form().genList->visualRect(form().genList->model()->index(row, 0));
            const auto inkOn = [&](qreal y) {
                for (int x = 0; x < int(place.right() * scale); ++x) {
                    if (qGray(image.pixel(x, int(y))) < 160)
                        return true;
                }
                return false;
            };
            QVERIFY(inkOn(place.center().y() * scale));
            QVERIFY2(!inkOn(place.top() * scale) && !inkOn((place.bottom() + 1) * scale - 1),
                     qPrintable(QString::number(row)));
        }
        QVERIFY(QFontInfo(form().genList->model()->index(0, 0).data(Qt::FontRole).value<QFont>()).fixedPitch());
    }

    // A first start shows the defaults and stores the install path; a second
    // start rewrites nothing but the install path.
    void firstAndSecondStart()
    {
        m_home->resetStore();
        const MainWindow &window = open();
        const Form &f = form();
        QCOMPARE(installPath(), ProgramFolder::executablePath());
        for (QCheckBox *box : window.findChildren<QCheckBox *>())
            QCOMPARE(box->isChecked(), QList<QCheckBox *>({f.Slm, f.slg, f.ccb, f.soo, f.Xs}).contains(box));
        QVERIFY(f.dOption->isChecked() && !f.cOption->isChecked() && !f.uEdit->isEnabled());
        QCOMPARE(WindowTest::styleOf(f.gButton), u"fusion"_s);
        QCOMPARE(f.gButton->style(), QApplication::style()); // Fusion already: no style of its own
        QCOMPARE(f.gButton->property("clickSound").toInt(), ClickSound::kPlays);
        QVERIFY(!window.findChild<VersionCheck *>());     // made only when a check is wanted
        const QRect screen = window.screen()->geometry(); // centred
        QVERIFY(qAbs(window.x() - (screen.width() - window.width()) / 2) <= 1);
        QVERIFY(qAbs(window.y() - (screen.height() - window.height()) / 2) <= 1);

        m_window.reset();
        QFile::remove(m_home->configFolder() + u"/Brasmoor.conf"_s);
        QFile file(m_home->settingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const ino_t inode = inodeOf(m_home->settingsFile());
        m_window = std::make_unique<WindowTest::Fixture>();
        open();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(inodeOf(m_home->settingsFile()), inode); // not even rewritten unchanged
        QCOMPARE(installPath(), ProgramFolder::executablePath());
    }

    void storedStateIsRestored()
    {
        const std::pair<QLatin1String, QString> stored[] = {{Name::Style, u"0"_s},   {Name::Sound, u"0"_s},
                                                            {Name::uMask, u"U"_s},   {Name::iMask, u"%"_s},
                                                            {Name::AlphaU, u"AB"_s}, {Name::OnTop, u"1"_s}};
        for (const auto &[name, value] : stored)
            Settings::write(name, value);
        MainWindow &window = open();
        const Form &f = form();
        QCOMPARE(f.upEdit->text() + f.iEdit->text() + f.uEdit->text(), u"U%AB"_s);
        QCOMPARE(WindowTest::styleOf(f.spinner), u"windows"_s);
        QCOMPARE(f.addButton->property("clickSound").toInt(), ClickSound::kSilent);
        QVERIFY(f.Kot->isChecked() && window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) && window.isVisible());
    }

    // An empty value gets its default; a number other than 0 and 1 leaves
    // the box unticked and the controls as they were built; 0.6 rounds to 1.
    void badValues()
    {
        for (const auto name : {Name::Language, Name::uMask, Name::AlphaU})
            Settings::write(name, QString());
        Settings::write(Name::Style, u"2"_s);
        Settings::write(Name::Sound, u"2"_s);
        Settings::write(Name::OnTop, u"x"_s);
        Settings::write(Name::GenOpt, u"0.6"_s);
        MainWindow &window = open();
        QVERIFY(form().cOption->isChecked() && form().uEdit->isEnabled() && Settings::read(Name::GenOpt) == u"1");
        QVERIFY(!form().Xs->isChecked() && !form().soo->isChecked() && !form().Kot->isChecked());
        QCOMPARE(form().gButton->style(), QApplication::style());
        QVERIFY(!form().gButton->property("clickSound").isValid());
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        for (const auto name : {Name::Language, Name::uMask, Name::AlphaU})
            QCOMPARE(Settings::read(name), Settings::startupDefault(name));
    }

    // The stored position in twips; a window mostly off the screens is
    // brought back whole, without changing the stored text.
    void positionIsRestored_data()
    {
        WindowTest::columns<QString, QString, QPoint>("left", "top",
                                                      "pixels"); // at 96 dots per inch; null: on a screen
        QTest::newRow("on the screen") << u"2400"_s << u"1500"_s << QPoint(160, 100);
        QTest::newRow("partly off the left edge") << u"-300"_s << u"1500"_s << QPoint(-20, 100);
        QTest::newRow("off every screen") << u"-200000"_s << u"300000"_s << QPoint();
        QTest::newRow("far right and below") << u"60000"_s << u"60000"_s << QPoint();
    }
    void positionIsRestored()
    {
        const auto [left, top, pixels] = WindowTest::fetch<QString, QString, QPoint>("left", "top", "pixels");
        Settings::write(Name::Left, left);
        Settings::write(Name::Top, top);
        MainWindow &window = open();
        const double dpi = window.screen()->logicalDotsPerInchX();
        if (!pixels.isNull())
            QCOMPARE(window.pos(), QPoint(qRound(pixels.x() * dpi / 96), qRound(pixels.y() * dpi / 96)));
        else
            QVERIFY(window.screen()->geometry().contains(window.frameGeometry()));
        QCOMPARE(Settings::read(Name::Left), left);
    }

    void reachablePosition_data()
    {
        WindowTest::columns<QRect, QPoint>("frame", "expected");
        const QSize size(500, 400);
        QTest::newRow("across two screens") << QRect(QPoint(1000, 100), size) << QPoint(1000, 100);
        QTest::newRow("half off the left stays") << QRect(QPoint(-250, 100), size) << QPoint(-250, 100);
        QTest::newRow("less than half shown") << QRect(QPoint(-251, 100), size) << QPoint(0, 100);
        QTest::newRow("title bar off the top") << QRect(QPoint(100, -50), size) << QPoint(100, 0);
        QTest::newRow("far right and below") << QRect(QPoint(9000, 9000), size) << QPoint(1804, 368);
        QTest::newRow("larger than the screen") << QRect(QPoint(-5000, 20), QSize(1400, 900)) << QPoint(0, 0);
    }
    void reachablePosition()
    {
        const auto [frame, expected] = WindowTest::fetch<QRect, QPoint>("frame", "expected");
        const QList<QRect> screens{QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
        QCOMPARE(WindowPlacement::reachablePosition(frame, screens), expected);
    }

    void positionTexts_data()
    {
        WindowTest::columns<double, double, QString>("top", "left", "texts");
        QTest::newRow("half up to even") << 0.0 << 2401.5 << u"0 2402"_s;
        QTest::newRow("minus half is zero") << 0.0 << -0.5 << u"0 0"_s;
        QTest::newRow("top is kept unrounded") << 1500.25 << 0.0 << u"1500.25 0"_s;
        QTest::newRow("rounds past the edge: unchanged") << 0.0 << 32767.5 << u"0 32767.5"_s;
        QTest::newRow("large values have no exponent") << 1e7 << -1e7 << u"10000000 -10000000"_s;
    }
    void positionTexts()
    {
        const auto [top, left, texts] = WindowTest::fetch<double, double, QString>("top", "left", "texts");
        const Shutdown::PositionTexts stored = Shutdown::positionTexts(top, left);
        QCOMPARE(stored.top + u' ' + stored.left, texts);
    }

    // Closing stores the normal position, also of a minimised window, and
    // empties the clipboard only when Clear is exactly 1.
    void closing_data()
    {
        WindowTest::columns<bool, QString>("minimised", "clear");
        QTest::newRow("1 empties") << false << u"1"_s;
        QTest::newRow("minimised, 0 leaves it") << true << u"0"_s;
    }
    void closing()
    {
        const auto [minimised, clear] = WindowTest::fetch<bool, QString>("minimised", "clear");
        MainWindow &window = open();
        window.move(160, 96);
        QTRY_COMPARE(window.pos(), QPoint(160, 96));
        if (minimised)
            window.showMinimized();
        Settings::write(Name::Clear, clear);
        WindowTest::setClipboard(u"copied elsewhere"_s);
        const double dpiX = window.screen()->logicalDotsPerInchX();
        const double dpiY = window.screen()->logicalDotsPerInchY();
        window.close();
        QVERIFY(!window.isMinimized());
        QCOMPARE(Settings::read(Name::Left), Shutdown::numberText(std::nearbyint(160 * 1440 / dpiX)));
        QCOMPARE(Settings::read(Name::Top), Shutdown::numberText(96 * 1440 / dpiY));
        QCOMPARE(WindowTest::clipboardText(), clear == u"1" ? QString() : u"copied elsewhere"_s);
    }
};

QTEST_MAIN(TestWindowStart)
#include "tst_window_start.moc"
