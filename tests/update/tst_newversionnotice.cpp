#include "LocalHttpServer.h"
#include "TestSupport.h"

#include "core/common/ProgramFolder.h"
#include "core/settings/SettingsTable.h"
#include "core/update/VersionCheck.h"
#include "platform/messages/RecordingMessageBoxes.h"
#include "platform/shell/RecordingShell.h"
#include "window/update/NewVersionNotice.h"
#include "window/update/UpdateNotifier.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Item = NewVersionNotice::Item;

const QUrl Site(u"http://127.0.0.1:9/site/"_s); // recorded, never fetched

} // namespace

class TestNewVersionNotice : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    QTemporaryDir m_programFolder;
    QList<QUrl> m_opened;

    // A notice as the new-version handler leaves it, with a recording opener.
    std::unique_ptr<NewVersionNotice> shownNotice(const QString &version = u"1.2.0"_s)
    {
        auto notice = std::make_unique<NewVersionNotice>();
        notice->setUrlOpener([this](const QUrl &url) { m_opened.append(url); });
        notice->setAvailableVersion(version);
        notice->ShowNewVersionNotice();
        return notice;
    }

private slots:
    void initTestCase()
    {
        VersionCheck::useTransfers(tessaroVersionTransferStarter());
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        QVERIFY(m_programFolder.isValid());
        ProgramFolder::setFolderForTesting(m_programFolder.path());
        qputenv("TESSARO_SITE_URL", Site.toEncoded());
    }
    void init() { m_opened.clear(); }

    // Both versions, the message a click opens the site from in exactly three
    // lines (none wraps into a fourth); a second event replaces the first. It
    // shows in the corner, on top, without taking the focus.
    void shownNoticeSaysWhatIsNew()
    {
        const auto notice = shownNotice(u"1.0.0"_s);
        notice->setAvailableVersion(u"1.2.0"_s);
        notice->ShowNewVersionNotice();
        QStringList texts;
        for (const Item &item : notice->items())
            texts.append(item.text);
        QCOMPARE(texts.size(), 7);
        QVERIFY(texts.join(u'|').contains(u"1.1.3"_s));
        const Item &message = notice->items().at(3);
        QCOMPARE(message.id, NewVersionNotice::MessageId);
        QVERIFY(message.text.startsWith(u"Version 1.2.0 is now available."_s));
        const QStringList lines = message.text.split(u'\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].endsWith(u"to the "_s));
        const int lineHeight = QFontMetrics(notice->font()).height();
        QVERIFY2(message.rect.height() >= 3 * lineHeight && message.rect.height() < 4 * lineHeight,
                 qPrintable(QString::number(message.rect.height())));
        QVERIFY(message.rect.bottom() < 135);

        const Qt::WindowFlags flags = notice->windowFlags();
        QVERIFY(flags.testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus));
        QVERIFY(notice->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->frameGeometry().bottomRight(),
                 QGuiApplication::primaryScreen()->availableGeometry().bottomRight());
    }

    void clicks()
    {
        // point, closes, opens the site
        const QList<std::tuple<QPoint, bool, bool>> rows{
            {{187, 12}, true, false}, {{196, 21}, true, false}, {{20, 100}, true, true},   {{50, 12}, false, false},
            {{25, 50}, false, false}, {{2, 70}, false, false},  {{100, 130}, false, false}};
        for (const auto &[point, closes, opens] : rows) {
            m_opened.clear();
            const auto notice = shownNotice();
            QTest::mouseClick(notice.get(), Qt::LeftButton, {}, point);
            QCOMPARE(notice->isVisible(), !closes);
            QCOMPARE(m_opened, opens ? QList<QUrl>{Site} : QList<QUrl>());
        }
    }

    // The notifier runs the check against the site: a newer version shows the
    // notice, an error a message for the codes that have one.
    void notifierRunsTheCheckAgainstTheSite()
    {
        using Answer = LocalHttpServer::Answer;
        const auto announcing = [](const QByteArray &version) {
            return Answer(200, "<pgencheck><version>" + version + "</version><note>ignored</note></pgencheck>");
        };
        // answer, version shown (empty: no notice), message (empty: none)
        const QList<std::tuple<Answer, QString, QString>> rows{
            {announcing("1.2.0"), u"1.2.0"_s, {}},
            {announcing("1.1.3"), {}, {}},
            {announcing("1.1.2"), {}, {}},
            {Answer(404), {}, u"File not found."_s},
            {Answer(200, "x"), {}, u"XML downloaded could not be parsed by XML parser."_s}};
        for (const auto &[answer, shown, message] : rows)
            checkNotifier(answer, shown, message);
    }

    // The program loads the transfer module by itself: started with the
    // check on, it asks the site for the version document, over https too
    // (a TLS handshake reaches the server: the TLS plugin could be found).
    void programChecksThroughItsModule()
    {
        LocalHttpServer server;
        server.answer(u"/site/pgencheck.xml"_s, {404});
        QTcpServer secure;
        QVERIFY(secure.listen(QHostAddress::LocalHost));
        QByteArray greeting;
        connect(&secure, &QTcpServer::newConnection, this, [&] {
            QTcpSocket *client = secure.nextPendingConnection();
            connect(client, &QTcpSocket::readyRead, this, [&greeting, client] { greeting += client->readAll(); });
        });
        Settings::write(Settings::Name::AUChk, u"1"_s);
        for (const QString &site :
             {server.url(u"/site/"_s).toString(), u"https://127.0.0.1:%1/site/"_s.arg(secure.serverPort())}) {
            QProcess program;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"TESSARO_SITE_URL"_s, site);
            program.setProcessEnvironment(environment);
            program.start(qEnvironmentVariable("TESSARO_BIN_DIR") + u"/tessaro"_s);
            if (site.startsWith(u"https"_s))
                QTRY_VERIFY_WITH_TIMEOUT(greeting.startsWith('\x16'), 20000); // a TLS handshake record
            else
                QTRY_COMPARE_WITH_TIMEOUT(server.requests(), 1, 20000);
            program.kill();
            program.waitForFinished();
        }
    }

private:
    void checkNotifier(const LocalHttpServer::Answer &answer, const QString &shown, const QString &message)
    {
        LocalHttpServer server;
        server.answer(u"/site/pgencheck.xml"_s, answer);
        qputenv("TESSARO_SITE_URL", server.url(u"/site/"_s).toEncoded());
        QWidget window;
        RecordingMessageBoxes messages;
        RecordingShell shell;
        UpdateNotifier notifier(&window, messages, shell);
        qputenv("TESSARO_SITE_URL", Site.toEncoded());
        QCOMPARE(window.findChild<VersionCheck *>(u"wChk"_s), notifier.versionCheck());
        QCOMPARE(window.findChild<NewVersionNotice *>(u"ctlpop"_s), notifier.notice());

        notifier.start();
        QVERIFY(!notifier.notice()->isVisible()); // start() does not wait
        QTRY_VERIFY(!notifier.versionCheck()->isRunning());
        emit notifier.versionCheck()->error(-5); // no message for an unknown code
        QCOMPARE(server.requests(), 1);
        QCOMPARE(notifier.notice()->isVisible(), !shown.isEmpty());
        QCOMPARE(notifier.availableVersion(), shown);
        if (!shown.isEmpty())
            QVERIFY(notifier.notice()->items().at(3).text.startsWith(u"Version "_s + shown + u" is now"_s));
        QStringList texts;
        for (const MessageBoxes::Message &each : messages.shown)
            texts << each.text << each.title;
        QCOMPARE(texts, message.isEmpty() ? QStringList() : QStringList({message, u"Tessaro"_s}));
    }
};

QTEST_MAIN(TestNewVersionNotice)
#include "tst_newversionnotice.moc"
