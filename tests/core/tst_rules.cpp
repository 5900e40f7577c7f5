#include "TestSupport.h"

#include "core/common/ProgramFolder.h"
#include "core/generation/GenerationSettings.h"
#include "core/generation/MemoryResultList.h"
#include "core/generation/PasswordGenerator.h"
#include "core/rules/RulesMaker.h"
#include "core/rules/RulesStrength.h"
#include "core/rules/SiteRules.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace {

// A checker of its own, written from the language's description and sharing
// nothing with the program's reader: it splits the text where no bracket is
// open and tests a password against every property.
class Checker
{
public:
    explicit Checker(const QString &text)
    {
        bool anyClass = false;
        for (const QString &property : splitOutside(text, u';')) {
            const QString name = property.section(u':', 0, 0).trimmed().toLower();
            const QString value = property.section(u':', 1).trimmed();
            for (auto [key, limit, stricter] : {std::tuple{u"minlength", &minLength, +1},
                                                {u"maxlength", &maxLength, -1},
                                                {u"max-consecutive", &maxRun, -1}})
                if (name == QStringView(key))
                    *limit = stricter * value.toInt() > stricter * *limit ? value.toInt() : *limit;
            if (name == u"required" || name == u"allowed") {
                anyClass = true;
                QString set;
                for (const QString &item : splitOutside(value, u','))
                    set += characters(item.trimmed());
                allowed += set;
                if (name == u"required")
                    groups.append(set);
            }
        }
        if (!anyClass)
            allowed = characters(u"ascii-printable"_s);
        std::sort(allowed.begin(), allowed.end());
        allowed.erase(std::unique(allowed.begin(), allowed.end()), allowed.end());
    }

    bool meets(const QString &password) const
    {
        if (password.size() < minLength || password.size() > maxLength)
            return false;
        for (qsizetype i = 0, run = 1; i < password.size(); ++i) {
            run = i > 0 && password[i] == password[i - 1] ? run + 1 : 1;
            if (!allowed.contains(password[i]) || run > maxRun)
                return false;
        }
        return std::all_of(groups.begin(), groups.end(), [&](const QString &group) {
            return std::any_of(password.begin(), password.end(), [&](QChar c) { return group.contains(c); });
        });
    }

    QString allowed;
    QStringList groups;
    int minLength = 0, maxLength = INT_MAX, maxRun = INT_MAX;

private:
    static QStringList splitOutside(const QString &text, QChar separator)
    {
        QStringList parts{QString()};
        for (qsizetype i = 0, open = 0; i < text.size(); ++i) {
            if (text[i] == u'[' && !open)
                open = i + 1;
            else if (text[i] == u']' && open && (i + 1 == text.size() || text[i + 1] != u']'))
                open = 0;
            if (text[i] == separator && !open)
                parts.append(QString());
            else
                parts.back() += text[i];
        }
        return parts;
    }

    static QString characters(const QString &item)
    {
        QString printable;
        for (char16_t c = 0x20; c < 0x7F; ++c)
            printable += QChar(c);
        const std::map<QString, QString> named{{u"upper"_s, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s},
                                               {u"lower"_s, u"abcdefghijklmnopqrstuvwxyz"_s},
                                               {u"digit"_s, u"0123456789"_s},
                                               {u"special"_s, u"-~!@#$%^&*_+=`|(){}[:;\"'<>,.? ]"_s},
                                               {u"ascii-printable"_s, printable},
                                               {u"unicode"_s, printable}};
        return item.startsWith(u'[') ? item.mid(1, item.size() - 2) : named.at(item.toLower());
    }
};

// Every string of that length over the characters.
QStringList everyString(const QString &alphabet, int length)
{
    QStringList strings{QString()};
    for (QStringList longer; length-- > 0; strings = std::exchange(longer, {}))
        for (const QString &prefix : strings)
            for (const QChar c : alphabet)
                longer.append(prefix + c);
    return strings;
}

} // namespace

// Website password rules: the reader's verdicts, exact counts, uniform and
// correct drawing, the shipped list of sites.
class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ProgramFolder::setFolderForTesting(qEnvironmentVariable("TESSARO_BIN_DIR")); }

    void badRulesSayWhy_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("min above max") << u"minlength: 20; maxlength: 10"_s << u"\"minlength: 20\" is above"_s;
        QTest::newRow("max-consecutive 0") << u"max-consecutive: 0"_s << u"max-consecutive: 0"_s;
        QTest::newRow("groups past maxlength") << u"maxlength: 2; required: upper; required: digit; required: lower"_s
                                               << u"3 required groups need at least 3"_s;
        QTest::newRow("dash inside") << u"required: [a-z]"_s << u"\"-\" may only stand"_s;
        QTest::newRow("unclosed") << u"allowed: [abc"_s << u"no closing"_s;
        QTest::newRow("unknown class") << u"required: letters"_s << u"\"letters\" is not a character class"_s;
        QTest::newRow("number") << u"minlength: 99999999999"_s << u"at most 2147483647, not \"99999999999\""_s;
        QTest::newRow("empty group") << u"required: [\u00e9]"_s << u"names no character"_s;
        QTest::newRow("one character, repeated")
            << u"allowed: [a]; max-consecutive: 2; minlength: 3"_s << u"no more than 2 times"_s;
    }

    void badRulesSayWhy()
    {
        QFETCH(QString, rules);
        QFETCH(QString, complaint);
        const PasswordRules::Read read = PasswordRules::read(rules);
        QVERIFY(!read.outcome);
        QVERIFY2(read.outcome.reason().contains(complaint), qPrintable(read.outcome.reason()));
    }

    // Case, blanks, unknown properties, "-" first and "]" last, groups met
    // by others, the strictest of repeated lengths, the default length.
    void readsTheLanguage()
    {
        const PasswordRules::Read read = PasswordRules::read(
            u"  MinLength :8; colour: [;]; REQUIRED: Digit , [-]]; required: [-]; allowed: [ab]; maxlength: 30;"
            u" maxlength: 24; max-consecutive: 3 ;"_s);
        QVERIFY2(read.outcome.ok(), qPrintable(read.outcome.reason()));
        QCOMPARE(read.rules.allowed, u"-0123456789]ab"_s);
        QCOMPARE(read.rules.required, QStringList{u"-"_s});
        QCOMPARE((std::tuple{*read.rules.maxConsecutive, read.rules.shortest(), read.rules.defaultLength()}),
                 (std::tuple{3, 8, 20}));
        for (const auto &[text, length] : {std::pair{u"maxlength: 12"_s, 12}, {u"minlength: 30"_s, 30}})
            QCOMPARE(PasswordRules::read(text).rules.defaultLength(), length);
        QCOMPARE(PasswordRules::read(QString()).rules.allowed.size(), 95);
    }

    void countsMatchAFullListing_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::newRow("groups") << u"required: [ab]; required: [bc]; allowed: [d]"_s;
        QTest::newRow("runs") << u"allowed: [abc]; max-consecutive: 2"_s;
        QTest::newRow("both") << u"required: [a]; required: [bc]; allowed: [d]; max-consecutive: 1"_s;
        QTest::newRow("nested") << u"required: [ab]; required: [a]; allowed: [xy]; max-consecutive: 3"_s;
    }

    void countsMatchAFullListing()
    {
        QFETCH(QString, rules);
        const PasswordRules read = PasswordRules::read(rules).rules;
        const Checker checker(rules);
        for (int length = 1; length <= 7; ++length) {
            const QStringList strings = everyString(checker.allowed, length);
            const auto listed =
                std::count_if(strings.begin(), strings.end(), [&](auto &s) { return checker.meets(s); });
            QCOMPARE(measure(read, length).count, QString::number(listed));
        }
    }

    // Past 64 bits: 95^20 strings of printable ASCII, and the rating words.
    void bigCountsStayExact()
    {
        const RulesStrength all = measure(PasswordRules::read(QString()).rules, 20);
        QCOMPARE(all.count, u"3584859224085422343574104404449462890625"_s);
        QCOMPARE(all.bits, 20 * std::log2(95.0));
        QCOMPARE(all.rating, MaskStrength::Rating::Excellent);
        QCOMPARE(measure(PasswordRules::read(u"allowed: digit"_s).rules, 12).rating, MaskStrength::Rating::Poor);
    }

    // Chi-square over every password small rules allow, from a fixed key:
    // each is as likely as any other, and nothing else comes out.
    void drawsUniformly()
    {
        const QString text = u"required: [a]; allowed: [bcd]; max-consecutive: 1"_s;
        const Checker checker(text);
        QStringList allowed = everyString(checker.allowed, 4);
        allowed.removeIf([&](const QString &s) { return !checker.meets(s); });
        const RulesMaker maker(PasswordRules::read(text).rules, 4);
        QVERIFY(maker.usable().ok());
        QCOMPARE(maker.distinctPasswords(), quint64(allowed.size()));
        RandomSource random(RandomSource::Key{7});
        std::map<QString, int> seen;
        const int perPassword = 200, draws = perPassword * int(allowed.size());
        for (qint64 i = 0, counter = 0; i < draws; ++i)
            ++seen[maker.build(random, counter)];
        QCOMPARE(seen.size(), size_t(allowed.size()));
        double chiSquare = 0;
        for (const auto &[password, times] : seen) {
            QVERIFY2(checker.meets(password), qPrintable(password));
            chiSquare += std::pow(times - perPassword, 2) / perPassword;
        }
        // The 0.1% tail (Wilson and Hilferty).
        const double df = double(allowed.size() - 1);
        const double limit = df * std::pow(1 - 2 / (9 * df) + 3.09 * std::sqrt(2 / (9 * df)), 3);
        QVERIFY2(chiSquare < limit, qPrintable(u"%1 >= %2"_s.arg(chiSquare).arg(limit)));
    }

    void refusesRulesThatLetAlmostNothingThrough()
    {
        const auto rules = u"allowed: ascii-printable; required: [a]; required: [b]; required: [c]; required: [d]"_s;
        const RulesMaker maker(PasswordRules::read(rules).rules, 4);
        QVERIFY2(maker.usable().reason().contains(u"about one in"_s), qPrintable(maker.usable().reason()));
        QVERIFY(!RulesMaker(PasswordRules::read(u"maxlength: 8"_s).rules, 9).usable());
    }

    // Every site's rules read, and 1,000 passwords for each meet them.
    void everyShippedSite()
    {
        QFile file(ProgramFolder::path(ProgramFolder::File::SiteRules));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject sites = QJsonDocument::fromJson(file.readAll()).object();
        QVERIFY(sites.size() > 400);
        QCOMPARE(SiteRules::siteNames().size(), sites.size());
        RandomSource random;
        for (auto site = sites.begin(); site != sites.end(); ++site) {
            const PasswordRules::Read read = SiteRules::rulesFor(site.key());
            QVERIFY2(read.outcome.ok(), qPrintable(site.key() + u": "_s + read.outcome.reason()));
            const RulesMaker maker(read.rules, read.rules.defaultLength());
            QVERIFY2(maker.usable().ok(), qPrintable(site.key() + u": "_s + maker.usable().reason()));
            const Checker checker(site.value().toObject().value("password-rules"_L1).toString());
            for (qint64 i = 0, counter = 0; i < 1000; ++i) {
                const QString password = maker.build(random, counter);
                QVERIFY2(checker.meets(password), qPrintable(site.key() + u": "_s + password));
            }
        }
    }

    // Subdomains use their domain's rules unless it is for itself alone.
    void sitesByName()
    {
        QTemporaryDir folder;
        QVERIFY(QDir().mkpath(folder.filePath(u"password-rules"_s)));
        QFile list(folder.filePath(u"password-rules/password-rules.json"_s));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(R"({"example.com": {"password-rules": "maxlength: 9;"},
                       "only.org": {"password-rules": "maxlength: 7;", "exact-domain-match-only": true}})");
        list.close();
        ProgramFolder::setFolderForTesting(folder.path());
        const std::pair<QString, int> found[] = {{u"example.com"_s, 9},
                                                 {u"accounts.Example.COM"_s, 9},
                                                 {u"https://a.b.example.com:8443/login"_s, 9},
                                                 {u"only.org"_s, 7}};
        for (const auto &[site, longest] : found)
            QCOMPARE(SiteRules::rulesFor(site).rules.longest(), longest);
        for (const QString &site : {u"www.only.org"_s, u"example.com.evil.net"_s, u"ample.com"_s})
            QVERIFY2(SiteRules::rulesFor(site).outcome.reason().contains(u"No rules are known"_s), qPrintable(site));
        ProgramFolder::setFolderForTesting(qEnvironmentVariable("TESSARO_BIN_DIR"));
    }

    // The window's batch: duplicates dropped as for masks, ending once every
    // allowed password is listed; rules that can't be met leave the list be.
    void generatesIntoTheList()
    {
        MemoryResultList list;
        const PasswordRules rules = PasswordRules::read(u"required: [a]; allowed: [b]; max-consecutive: 1"_s).rules;
        QVERIFY(GenerateFromRules(list, 50, rules, 4).rules.ok());
        QCOMPARE(list.GetItemCount(), 2);
        QCOMPARE(QSet<QString>({list.ItemText(0), list.ItemText(1)}), QSet<QString>({u"abab"_s, u"baba"_s}));
        QVERIFY(!GenerateFromRules(list, 5, rules, 40).rules);
        QCOMPARE(list.GetItemCount(), 2);
    }

private:
    TestSupport::IsolatedHome m_home;
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
