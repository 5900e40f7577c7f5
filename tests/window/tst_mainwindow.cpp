#include "WindowFixture.h"

#include "window/panels/PanelSwitch.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;
namespace Name = Settings::Name;

namespace {

// The caption a control shows: a button's or label's text, a box's title.
QString captionOf(const QWidget *widget)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *box = qobject_cast<const QGroupBox *>(widget))
        return box->title();
    return {};
}

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

QStringList entriesOf(const QMenu *menu)
{
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries.append(action->isSeparator() ? u"-"_s : action->text());
    return entries;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }
    void init()
    {
        m_home->resetStore();
        m_window = std::make_unique<WindowTest::Fixture>();
    }
    void cleanup() { m_window.reset(); }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("parentPanel");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("accessible");
        // clang-format off
        const auto row = [](const char *name, const char *kind, const char *panel, const QString &caption,
                            const QString &toolTip, const QString &accessible) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind) << QString::fromLatin1(panel)
                                << caption << toolTip << accessible;
        };
        row("gButton",   "QPushButton",  "bFrame", u"Generate"_s, u"Generate passwords"_s, u"Generate"_s);
        row("cButton",   "QPushButton",  "bFrame", u"Clear"_s, u"Clear list"_s, u"Clear"_s);
        row("SButton",   "QPushButton",  "bFrame", u"Save"_s, u"Save list to file"_s, u"Save"_s);
        row("fButton",   "QPushButton",  "bFrame", u"File"_s, u""_s, u"File"_s);
        row("mFrame",    "QGroupBox",    "cFrame", u"Mask/Number To Generate"_s, u""_s, u"Mask/Number To Generate"_s);
        row("mCombo",    "QComboBox",    "mFrame", u""_s, u""_s, u"Mask"_s);
        row("spinner",   "QLineEdit",    "mFrame", u""_s, u""_s, u"Number to generate"_s);
        row("addButton", "QToolButton",  "mFrame", u""_s, u"Add mask to list"_s, u"Add mask to list"_s);
        row("sudButton", "QToolButton",  "mFrame", u""_s, u"Remove mask from list"_s, u"Remove mask from list"_s);
        row("genList",   "QListView",    "cFrame", u""_s, u""_s, u"Generated passwords"_s);
        row("Slm",       "QCheckBox",    "oFrame", u"Save last used mask"_s, u""_s, u"Save last used mask"_s);
        row("ACu",       "QCheckBox",    "oFrame", u"Auto-Check for update"_s, u""_s, u"Auto-Check for update"_s);
        row("slg",       "QCheckBox",    "oFrame", u"Save last number generated"_s, u""_s, u"Save last number generated"_s);
        row("ccl",       "QCheckBox",    "oFrame", u"Confirm clear"_s, u""_s, u"Confirm clear"_s);
        row("ASg",       "QCheckBox",    "oFrame", u"Auto-Save last generated password(s)"_s, u""_s, u"Auto-Save last generated password(s)"_s);
        row("ccb",       "QCheckBox",    "oFrame", u"Clear Clipboard on exit"_s, u""_s, u"Clear Clipboard on exit"_s);
        row("cca",       "QCheckBox",    "oFrame", u"Clear clipboard after 10 seconds"_s, u""_s, u"Clear clipboard after 10 seconds"_s);
        row("oButton",   "QToolButton",  "oFrame", u""_s, u""_s, u"Close Program Options"_s);
        row("uLabel",    "QLabel",       "gFrame", u"Upper Case:"_s, u""_s, u"Upper Case:"_s);
        row("uEdit",     "QLineEdit",    "gFrame", u""_s, u""_s, u"Upper-case characters"_s);
        row("lLabel",    "QLabel",       "gFrame", u"Lower Case:"_s, u""_s, u"Lower Case:"_s);
        row("lEdit",     "QLineEdit",    "gFrame", u""_s, u""_s, u"Lower-case characters"_s);
        row("nLabel",    "QLabel",       "gFrame", u"Numeric:"_s, u""_s, u"Numeric:"_s);
        row("nEdit",     "QLineEdit",    "gFrame", u""_s, u""_s, u"Numeric characters"_s);
        row("sLabel",    "QLabel",       "gFrame", u"Special Characters:"_s, u""_s, u"Special Characters:"_s);
        row("sEdit",     "QLineEdit",    "gFrame", u""_s, u""_s, u"Special characters"_s);
        row("cOption",   "QRadioButton", "gFrame", u"Use custom generation"_s, u""_s, u"Use custom generation"_s);
        row("dOption",   "QRadioButton", "gFrame", u"Use default generation"_s, u""_s, u"Use default generation"_s);
        row("nButton",   "QToolButton",  "gFrame", u""_s, u""_s, u"Save character classes and close"_s);
        row("ucLabel",   "QLabel",       "sFrame", u"Upper Case:"_s, u""_s, u"Upper Case:"_s);
        row("upEdit",    "QLineEdit",    "sFrame", u""_s, u""_s, u"Upper-case symbol"_s);
        row("lcLabel",   "QLabel",       "sFrame", u"Lower Case:"_s, u""_s, u"Lower Case:"_s);
        row("loEdit",    "QLineEdit",    "sFrame", u""_s, u""_s, u"Lower-case symbol"_s);
        row("nuLabel",   "QLabel",       "sFrame", u"Numeric:"_s, u""_s, u"Numeric:"_s);
        row("nuEdit",    "QLineEdit",    "sFrame", u""_s, u""_s, u"Digit symbol"_s);
        // Built as "Special Chraracters:", the label shows the language's text once start-up has applied it.
        row("spLabel",   "QLabel",       "sFrame", u"Special Characters:"_s, u""_s, u"Special Characters:"_s);
        row("spEdit",    "QLineEdit",    "sFrame", u""_s, u""_s, u"Special-character symbol"_s);
        row("iLabel",    "QLabel",       "sFrame", u"Incrementing Numbers:"_s, u""_s, u"Incrementing Numbers:"_s);
        row("iEdit",     "QLineEdit",    "sFrame", u""_s, u""_s, u"Incrementing-number symbol"_s);
        row("mButton",   "QToolButton",  "sFrame", u""_s, u""_s, u"Save mask symbols and close"_s);
        row("Kot",       "QCheckBox",    "iFrame", u"Keep on top"_s, u""_s, u"Keep on top"_s);
        row("soo",       "QCheckBox",    "iFrame", u"Sounds"_s, u""_s, u"Sounds"_s);
        row("Xs",        "QCheckBox",    "iFrame", u"XP Style"_s, u""_s, u"XP Style"_s);
        row("lngLabel",  "QLabel",       "iFrame", u"Language:"_s, u""_s, u"Language:"_s);
        row("LCombo",    "QComboBox",    "iFrame", u""_s, u""_s, u"Language"_s);
        row("iButton",   "QToolButton",  "iFrame", u""_s, u""_s, u"Apply language and close"_s);
        row("aK",        "QPlainTextEdit", "aFrame", u""_s, u""_s, u"Credits"_s);
        row("kmflnk",    "QPushButton",  "aFrame", u"<site>"_s, u""_s, u"<site>"_s);
        row("aButton",   "QToolButton",  "aFrame", u""_s, u""_s, u"Close About"_s);
        // clang-format on
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, parentPanel);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(QString, accessible);
        MainWindow &window = m_window->open();
        window.form().panels->setCurrentWidget(window.findChild<QWidget *>(parentPanel)); // so that it is shown
        QWidget *control = window.findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        QVERIFY(control->inherits(kind.toLatin1()));
        QWidget *panel = window.findChild<QWidget *>(parentPanel);
        QVERIFY(panel && panel->isAncestorOf(control));
        // The maker's site is a build setting; the link holds it twice.
        const QString site = control->property("url").toString();
        QCOMPARE(captionOf(control), caption == u"<site>" ? site : caption);
        QCOMPARE(control->toolTip(), toolTip);
        QCOMPARE(accessibleName(control), accessible == u"<site>" ? site : accessible);
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
        QCOMPARE(form.oFrame->title(), u"Program Options"_s);
        QCOMPARE(form.gFrame->title(), u"Generation Options"_s);
        QCOMPARE(form.sFrame->title(), u"Mask Options"_s);
        QCOMPARE(form.iFrame->title(), u"Interface Options"_s);
        QCOMPARE(form.aFrame->title(), u"About"_s);
        QVERIFY(form.cFrame->isAncestorOf(form.bFrame) && form.cFrame->isAncestorOf(form.mFrame));
        QVERIFY(form.cText->isHidden() && form.csvText->isHidden());
    }

    void stateAfterFirstStartUp()
    {
        MainWindow &window = m_window->open();
        const Form &form = window.form();
        for (QCheckBox *box : window.findChildren<QCheckBox *>())
            QCOMPARE(box->isChecked(),
                     QList<QCheckBox *>({form.Slm, form.slg, form.ccb, form.soo, form.Xs}).contains(box));
        for (QWidget *classField : {static_cast<QWidget *>(form.uEdit), static_cast<QWidget *>(form.sLabel)})
            QVERIFY(!classField->isEnabled());
        QVERIFY(form.dOption->isChecked());
        QCOMPARE(form.genList->columnCaption(), u"Generated Passwords"_s);
    }

    void menusAndTools()
    {
        MainWindow &window = m_window->open();
        ToolBand &bars = window.toolBand();
        QCOMPARE(bars.objectName(), u"genbars"_s);
        QCOMPARE(window.menuBar(), &bars);
        QCOMPARE(bars.menu(u"ID_File"_s)->title(), u"&File"_s);
        QCOMPARE(bars.menu(u"id_edit"_s)->title(), u"Edit"_s);
        QCOMPARE(bars.menu(u"ID_Save"_s)->title(), u"Save"_s);
        QCOMPARE(entriesOf(bars.menu(u"ID_File"_s)),
                 (QStringList{u"Program Options"_s, u"Interface Options"_s, u"Generation Options"_s, u"Mask Options"_s,
                              u"-"_s, u"Minimize"_s, u"Exit"_s, u"-"_s, u"Help"_s}));
        QCOMPARE(entriesOf(bars.tool(10)->menu()), (QStringList{u"Contents"_s, u"About"_s}));
        QCOMPARE(entriesOf(bars.menu(u"ID_Edit"_s)), (QStringList{u"Copy Selected"_s, u"Copy All"_s}));
        QCOMPARE(entriesOf(bars.menu(u"ID_Save"_s)), (QStringList{u"As Text"_s, u"As CSV"_s}));
        QCOMPARE(bars.tool(2)->toolTip(), u"Copy selected password"_s);
        QCOMPARE(bars.tool(3)->toolTip(), u"Copy all passwords"_s);
        QVERIFY(!bars.tool(17) && !bars.tool(0));
    }

    void toolCaptionsBeforeStartUp()
    {
        m_window->window =
            std::make_unique<MainWindow>(WindowServices{&m_window->messages, &m_window->dialogs, &m_window->shell});
        QStringList captions;
        for (int index = 1; index <= ToolBand::kToolCount; ++index)
            captions.append(m_window->tool(index)->text());
        QCOMPARE(captions, (QStringList{u"Edit"_s, u"Copy Selected"_s, u"Copy All"_s, u"&File"_s, u"Program Options"_s,
                                        u"Generation Options"_s, u"Mask Options"_s, u"Minimize"_s, u"Exit"_s, u"Help"_s,
                                        u"Contents"_s, u"About"_s, u"Interface Options"_s, u"Save"_s, u"as Text"_s,
                                        u"as CSV"_s}));
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
        QTest::newRow("File") << u"fButton"_s << u"ID_File"_s;
        QTest::newRow("Save") << u"SButton"_s << u"ID_Save"_s;
    }
    void menuButtonsPopUpTheirMenus()
    {
        QFETCH(QString, button);
        QFETCH(QString, menu);
        MainWindow &window = m_window->open();
        QMenu *popUp = window.toolBand().menu(menu);
        window.findChild<QPushButton *>(button)->click();
        QTRY_VERIFY(popUp->isVisible());
        popUp->hide();
    }

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
