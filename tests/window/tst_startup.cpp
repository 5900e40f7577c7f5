#include "WindowFixture.h"

#include "core/common/ProgramFolder.h"
#include "core/settings/SettingsStore.h"
#include "core/update/VersionCheck.h"
#include "platform/placement/Twips.h"
#include "window/options/ClickSound.h"
#include "window/startup/WindowPlacement.h"
#include "window/update/UpdateNotifier.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QToolButton>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
namespace Name = Settings::Name;

namespace {

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

QString styleOf(const QWidget *widget)
{
    return widget->style()->name().toLower();
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        // A refused connection: the check fails at once, without the network.
        qputenv("TESSARO_SITE_URL", "http://127.0.0.1:9/");
    }
    void init()
    {
        m_home->resetStore();
        m_window = std::make_unique<WindowTest::Fixture>();
    }
    void cleanup() { m_window.reset(); }

    void firstStartWritesEveryDefault()
    {
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
        QVERIFY(form.dOption->isChecked() && !form.cOption->isChecked() && !form.uEdit->isEnabled());
        QCOMPARE(styleOf(form.gButton), u"fusion"_s);
        QCOMPARE(form.gButton->property("clickSound").toInt(), ClickSound::kPlays);
        QVERIFY(!window.findChild<VersionCheck *>()); // made only when a check is wanted

        // Centred on the screen.
        const QRect screen = window.screen()->geometry();
        QVERIFY(qAbs(window.x() - (screen.width() - window.width()) / 2) <= 1);
        QVERIFY(qAbs(window.y() - (screen.height() - window.height()) / 2) <= 1);
    }

    void secondStartWritesOnlyTheInstallPath()
    {
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
        TestSupport::writeStartupDefaults();
        for (const auto name : {Name::OnTop, Name::Style, Name::Language, Name::uMask, Name::AlphaU})
            Settings::write(name, QString());
        m_window->open();
        for (const auto name : {Name::OnTop, Name::Style, Name::Language, Name::uMask, Name::AlphaU})
            QCOMPARE(Settings::read(name), Settings::startupDefault(name));
    }

    void storedStateIsRestored()
    {
        TestSupport::writeStartupDefaults();
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
        QCOMPARE(styleOf(form.spinner), u"windows"_s);
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
        TestSupport::writeStartupDefaults();
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
        TestSupport::writeStartupDefaults();
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
        TestSupport::writeStartupDefaults();
        Settings::write(Name::OnTop, u"1"_s);
        MainWindow &window = m_window->open();
        QVERIFY(window.form().Kot->isChecked());
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
    }

    void updateCheckStartsWhenAsked()
    {
        TestSupport::writeStartupDefaults();
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
        const Form &form = m_window->open().form();
        QCOMPARE(form.aP->text(), u"Program: Tessaro"_s);
        QCOMPARE(form.aV->text(), u"Version: 1.1.3"_s);
        QCOMPARE(form.aPl->text(), u"Platform: Linux"_s);
        QCOMPARE(form.aR->text(), u"Released: 07/02/2005"_s);
        QVERIFY(form.aC->text().contains(u"Brasmoor"_s));
        const QStringList credits = form.aK->toPlainText().split(u'\n');
        QCOMPARE(credits.size(), 3);
        QVERIFY(credits[0].contains(u"Spanish (Spain)"_s) && credits[0].contains(u"Tessaro team"_s));
        QVERIFY(credits[1].contains(u"The Qt Company"_s));
        QVERIFY(credits[2].contains(u"EFF large word list"_s) && credits[2].contains(u"CC BY 3.0 US"_s));
        QVERIFY(!form.aK->toPlainText().contains(u"DevPower"_s));
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

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
