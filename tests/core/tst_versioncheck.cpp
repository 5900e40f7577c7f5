#include "LocalHttpServer.h"

#include "core/update/SiteAddress.h"
#include "core/update/VersionCheck.h"
#include "core/update/VersionDocument.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QByteArray documentFor(const QByteArray &version)
{
    return "<?xml version=\"1.0\"?>\n<pgencheck><version>" + version +
           "</version><download>https://example.org/get</download><date>2025-03-14</date>"
           "<note>Faster lists.</note></pgencheck>\n";
}

// A well-formed document grown to the given size by a comment.
QByteArray documentOfSize(qsizetype size)
{
    QByteArray document = documentFor("1.2.0");
    const QByteArray open = "<!--", close = "-->";
    return document + open + QByteArray(size - document.size() - open.size() - close.size(), 'x') + close;
}

} // namespace

class TestVersionCheck : public QObject
{
    Q_OBJECT

private:
    // Runs one check against the URL and waits for it to end.
    struct Outcome
    {
        QStringList texts; // of newVersion, if raised: version, download, date, note
        int error = 0;     // the code of error, if raised
        int count = 0;     // how many signals came
    };
    static Outcome runCheck(const QUrl &url, std::chrono::milliseconds timeout = 10s)
    {
        VersionCheck check;
        check.setUrl(url);
        check.setTimeout(timeout);
        QSignalSpy newVersion(&check, &VersionCheck::newVersion);
        QSignalSpy error(&check, &VersionCheck::error);
        check.start();
        if (!newVersion.isEmpty() || !error.isEmpty() || !check.isRunning())
            qWarning("the check answered from inside start()");
        if (!QTest::qWaitFor([&] { return !check.isRunning(); }, 15'000))
            qWarning("the check never ended");
        QTest::qWait(20); // a late second signal would show here
        Outcome outcome;
        outcome.count = int(newVersion.size() + error.size());
        if (!newVersion.isEmpty())
            outcome.texts = QVariant(newVersion.first()).toStringList();
        if (!error.isEmpty())
            outcome.error = error.first().first().toInt();
        return outcome;
    }

private slots:
    void initTestCase() { VersionCheck::useTransfers(tessaroVersionTransferStarter()); }
    void comparesPartByPartAsNumbers()
    {
        const QList<std::tuple<QString, QString, int>> rows{
            {u"1.1.4"_s, u"1.1.3"_s, 1},  {u"1.10"_s, u"1.9.9"_s, 1},    {u"1.0.9"_s, u"1.1.3"_s, -1},
            {u"1.1.3"_s, u"1.1.3"_s, 0},  {u"1.1.3.0"_s, u"1.1.3"_s, 0}, {u"01.01.03"_s, u"1.1.3"_s, 0},
            {u"1.1.3.1"_s, u"1.1.3"_s, 1}};
        for (const auto &[a, b, sign] : rows) {
            const int result = VersionCheck::compareVersions(a, b);
            QVERIFY2((result > 0) - (result < 0) == sign, qPrintable(a + u' ' + b));
        }
    }

    void readsVersionDocuments()
    {
        // document, version read (empty: refused)
        const QList<std::pair<QByteArray, QString>> rows{
            {documentFor("1.2.0"), u"1.2.0"_s},
            {documentFor(" 01.2.00 "), u"1.2.0"_s},
            {"<pgencheck><x/><version>2.0</version></pgencheck>", u"2.0"_s},
            {{}, {}},
            {"\x89PNG\r\n\x1a\n%%%", {}},
            {"<pgencheck><version>1.2.0</pgencheck>", {}},
            {"<pgencheck><note>hi</note></pgencheck>", {}},
            {documentFor(""), {}},
            {documentFor("1.2.0-beta"), {}},
            {documentFor("1.99999999999"), {}},
            {"<!DOCTYPE pgencheck SYSTEM \"file:///etc/passwd\"><pgencheck><version>9</version></pgencheck>", {}},
            {"<!DOCTYPE p [<!ENTITY v \"9.0\">]><pgencheck><version>&v;</version></pgencheck>", {}}};
        for (const auto &[document, version] : rows) {
            const std::optional<VersionAnnouncement> announcement = parseVersionDocument(document);
            QVERIFY2(announcement.has_value() == !version.isEmpty() &&
                         (!announcement || announcement->version == version),
                     document.constData());
        }
    }

    void fetchesOnlySafeAddresses()
    {
        const QList<std::pair<QString, bool>> rows{
            {u"https://www.example.org/pgencheck.xml"_s, true}, {u"http://www.example.org/pgencheck.xml"_s, false},
            {u"http://127.0.0.1:8080/pgencheck.xml"_s, true},   {u"http://localhost:8080/pgencheck.xml"_s, true},
            {u"http://localhost/pgencheck.xml"_s, false},       {u"file:///etc/hostname"_s, false},
            {u"https://user:pw@www.example.org/"_s, false},     {QString(), false}};
        for (const auto &[url, fetchable] : rows)
            QVERIFY2(SiteAddress::isFetchable(QUrl(url)) == fetchable, qPrintable(url));
    }

    void answersOfTheServer_data()
    {
        using Answer = LocalHttpServer::Answer;
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("error");
        QTest::addRow("newer") << Answer(200, documentFor("1.2.0")) << u"1.2.0"_s << 0;
        QTest::addRow("same") << Answer(200, documentFor("1.1.3.0")) << QString() << 0;
        QTest::addRow("exactly 64 KiB") << Answer(200, documentOfSize(64 * 1024)) << u"1.2.0"_s << 0;
        QTest::addRow("404") << Answer(404, "gone") << QString() << -1;
        QTest::addRow("500") << Answer(500, documentFor("1.2.0")) << QString() << -2;
        QTest::addRow("garbage") << Answer(200, "\x01\x02 not xml") << QString() << -4;
        QTest::addRow("no version") << Answer(200, "<pgencheck/>") << QString() << -4;
        QTest::addRow("oversized") << Answer(200, documentOfSize(64 * 1024 + 1)) << QString() << -4;
        // Servers that never answer, never stop sending, or send one byte at a
        // time: the status, the size limit or the one deadline (which covers
        // redirects) ends the check.
        QTest::addRow("never answers") << Answer(0) << QString() << -2;
        QTest::addRow("error page without end") << Answer(500, "<html>oops</html>").withoutEnd() << QString() << -2;
        QTest::addRow("404 without end") << Answer(404, "<html>no</html>").withoutEnd() << QString() << -1;
        QTest::addRow("document without end") << Answer(200, documentFor("1.2.0")).withoutEnd() << QString() << -4;
        QTest::addRow("redirect body without end")
            << Answer(302, "<html>moved</html>", "/doc.xml").withoutEnd() << u"1.2.0"_s << 0;
        // At most three redirects, on the same scheme: /hop1 -> /hop2 -> /hop3 -> /doc.xml.
        QTest::addRow("three redirects") << Answer(302, {}, "/hop2") << u"1.2.0"_s << 0;
        QTest::addRow("four redirects") << Answer(302, {}, "/hop1") << QString() << -2;
        QTest::addRow("redirect to https") << Answer(302, {}, "https://127.0.0.1:1/pgencheck.xml") << QString() << -2;
        QTest::addRow("redirect to a dripping server") << Answer(302, {}, "/drip") << QString() << -2;
        // Heads without end: the size cap ends the check at once.
        QTest::addRow("status line without end") << Answer(200, "x").withoutEnd(0, "HTTP/1.1 200 ") << QString() << -2;
        QTest::addRow("header without end")
            << Answer(200, "x").withoutEnd(0, "HTTP/1.1 200 OK\r\nX: ") << QString() << -2;
    }
    void answersOfTheServer()
    {
        QFETCH(LocalHttpServer::Answer, answer);
        QFETCH(QString, version);
        QFETCH(int, error);
        LocalHttpServer server;
        server.answer(u"/pgencheck.xml"_s, answer);
        server.answer(u"/doc.xml"_s, LocalHttpServer::Answer(200, documentFor("1.2.0")));
        server.answer(u"/drip"_s, LocalHttpServer::Answer(200, documentFor("1.2.0")).withoutEnd(100));
        for (int hop = 1; hop <= 3; ++hop)
            server.answer(
                u"/hop%1"_s.arg(hop),
                LocalHttpServer::Answer(302, {}, hop < 3 ? "/hop" + QByteArray::number(hop + 1) : "/doc.xml"));
        QElapsedTimer clock;
        clock.start();
        const Outcome outcome = runCheck(server.url(u"/pgencheck.xml"_s), 3s);
        const bool byDeadline = answer.status == 0 || answer.location == "/drip";
        QVERIFY2(byDeadline ? clock.elapsed() >= 2800 && clock.elapsed() < 5000 : clock.elapsed() < 2000,
                 qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(outcome.texts.value(0), version);
        if (!version.isEmpty()) // the other texts of the document are passed on too
            QCOMPARE(outcome.texts.mid(1),
                     (QStringList{u"https://example.org/get"_s, u"2025-03-14"_s, u"Faster lists."_s}));
        QCOMPARE(outcome.error, error);
        QCOMPARE(outcome.count, version.isEmpty() && error == 0 ? 0 : 1);
        if (answer.location.isEmpty())
            QCOMPARE(server.requests(), 1);
        // The transfer stops at once: the client closes the connection, having
        // taken at most socket buffers' worth.
        QTRY_COMPARE_WITH_TIMEOUT(server.openConnections(), 0, 2000);
        QVERIFY2(server.bytesSent() < 32 * 1024 * 1024, qPrintable(QString::number(server.bytesSent())));
    }

    // A closed port, and addresses refused before any request: no request.
    void unfetchableAddressesCannotConnect()
    {
        LocalHttpServer server;
        server.answer(u"/pgencheck.xml"_s, LocalHttpServer::Answer(200, documentFor("1.2.0")));
        QUrl withCredentials = server.url(u"/pgencheck.xml"_s);
        withCredentials.setUserName(u"user"_s);
        QCOMPARE(runCheck(withCredentials).error, -2);
        QCOMPARE(runCheck(QUrl(u"file:///etc/hostname"_s)).error, -2);
        QCOMPARE(server.requests(), 0);
        quint16 closedPort = 0;
        {
            LocalHttpServer closed;
            closedPort = closed.port();
        }
        QCOMPARE(runCheck(QUrl(u"http://127.0.0.1:%1/pgencheck.xml"_s.arg(closedPort))).error, -2);
    }
};

QTEST_GUILESS_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
