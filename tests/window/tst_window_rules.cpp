#include "WindowFixture.h"

#include "window/generation/WindowBatch.h"

#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStackedWidget>

using namespace Qt::StringLiterals;
namespace Name = Settings::Name;

namespace {

// The passwords of six digits with no digit more than three times in a
// row, counted one by one.
QString sixDigitsRunsOfThree()
{
    int count = 0;
    for (int n = 0; n < 1000000; ++n) {
        int run = 1, longest = 1;
        for (int rest = n, place = 1; place < 6; ++place, rest /= 10) {
            run = rest % 10 == rest / 10 % 10 ? run + 1 : 1;
            longest = std::max(longest, run);
        }
        count += longest <= 3;
    }
    return QString::number(count);
}

} // namespace

// The Site Rules panel: passwords from a website's rules into the list.
class TestWindowRules : public WindowTest::Case
{
    Q_OBJECT

    void openRulesPanel()
    {
        open();
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        m_window->tool(17)->trigger();
        QCOMPARE(form().panels->currentWidget(), form().rFrame);
    }

private slots:
    // Rules typed, or a site found by a subdomain's name: Enter makes the
    // count box's number of passwords that meet them, the strength shows
    // their exact number, and the rules and length are kept for next time.
    void generates_data()
    {
        WindowTest::columns<QString, int, QString, QString>("typed", "length", "row", "count");
        QTest::newRow("rules") << u"minlength: 8; maxlength: 8; required: digit;"_s << 8 << u"[0-9]{8}"_s
                               << u"100000000"_s;
        QTest::newRow("site") << u"login.amundi-ee.com"_s << 6 << u"(?!.*(.)\\1\\1\\1)[0-9]{6}"_s
                              << sixDigitsRunsOfThree();
    }
    void generates()
    {
        const auto [typed, length, row, count] =
            WindowTest::fetch<QString, int, QString, QString>("typed", "length", "row", "count");
        openRulesPanel();
        QTest::keyClicks(form().ruEdit, typed);
        QVERIFY2(form().rmLabel->isHidden(), qPrintable(form().rmLabel->text()));
        QCOMPARE(form().rlSpin->value(), length);
        QCOMPARE(form().rcLabel->text().remove(QRegularExpression(u"[^0-9]"_s)), count);
        form().rnEdit->setText(u"50"_s);
        QTest::keyClick(form().ruEdit, Qt::Key_Return);
        QTRY_VERIFY(!window().batch().isRunning());
        QCOMPARE(form().panels->currentWidget(), form().cFrame);
        const QStringList rows = m_window->rows();
        QCOMPARE(rows.size(), 50);
        const QRegularExpression meets(QRegularExpression::anchoredPattern(row));
        for (const QString &password : rows)
            QVERIFY2(meets.match(password).hasMatch(), qPrintable(password));
        QCOMPARE(Settings::read(Name::Rules) + Settings::read(Name::RulesLen) + Settings::read(Name::Generate),
                 typed + QString::number(length) + u"50"_s);
        QVERIFY(m_window->messages.shown.isEmpty());
    }

    // Rules no password meets say why on the panel, and Generate says it
    // again and leaves the list and the panel as they were.
    void refusesRulesNoPasswordMeets()
    {
        openRulesPanel();
        m_window->fill({u"kept"_s});
        QTest::keyClicks(form().ruEdit, u"minlength: 20; maxlength: 8"_s);
        QVERIFY(!form().rmLabel->isHidden() && form().rmLabel->text().contains(u"maxlength"_s));
        QVERIFY(!form().rlSpin->isEnabled() && form().rcLabel->isHidden());
        QTest::mouseClick(form().rgButton, Qt::LeftButton);
        QCOMPARE(lastShown().text, form().rmLabel->text());
        QCOMPARE(m_window->rows(), QStringList{u"kept"_s});
        QCOMPARE(form().panels->currentWidget(), form().rFrame);
        QTest::keyClick(form().ruEdit, Qt::Key_Escape);
        QCOMPARE(form().panels->currentWidget(), form().cFrame);
    }

    // The last rules and length come back at the next start, and make
    // passwords of that length; the count is written as the language writes
    // numbers.
    void restoresLastRules()
    {
        Settings::write(Name::Rules, u"minlength: 6; maxlength: 12; required: digit"_s);
        Settings::write(Name::RulesLen, u"9"_s);
        Settings::write(Name::Language, u"German"_s);
        openRulesPanel();
        QCOMPARE(form().ruEdit->text(), Settings::read(Name::Rules));
        QCOMPARE(form().rlSpin->value(), 9);
        QCOMPARE(form().rcLabel->text(), u"1.000.000.000 Passwörter dieser Länge"_s);
        QTest::mouseClick(form().rgButton, Qt::LeftButton);
        QTRY_VERIFY(!window().batch().isRunning());
        QCOMPARE(m_window->rows().join(u' ').size(), 9);
    }
};

QTEST_MAIN(TestWindowRules)
#include "tst_window_rules.moc"
