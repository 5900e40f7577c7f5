#include "WindowFixture.h"

#include "window/shutdown/Shutdown.h"

#include <QScreen>

using namespace Qt::StringLiterals;
namespace Name = Settings::Name;

class TestShutdown : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }
    void init() { m_home->resetStore(); }

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
        WindowTest::Fixture fixture;
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
        WindowTest::Fixture fixture;
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
        WindowTest::Fixture fixture;
        MainWindow &window = fixture.open();
        Settings::write(Name::Clear, clear);
        WindowTest::setClipboard(u"copied elsewhere"_s);
        window.close();
        QCOMPARE(WindowTest::clipboardText(), emptied ? QString() : u"copied elsewhere"_s);
    }

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
};

QTEST_MAIN(TestShutdown)
#include "tst_shutdown.moc"
