#include "LocalHttpServer.h"
#include "TestSupport.h"

#include "core/common/ProgramFolder.h"
#include "core/update/VersionCheck.h"
#include "platform/messages/RecordingMessageBoxes.h"
#include "platform/shell/RecordingShell.h"
#include "window/update/NewVersionNotice.h"
#include "window/update/UpdateNotifier.h"

#include <QDir>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
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
        const QStringList lines = message.text.split(u"\r\n"_s);
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

    void clicks_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("opened");
        QTest::addRow("close button") << QPoint(187, 12) << true << 0;
        QTest::addRow("close icon's edge") << QPoint(196, 21) << true << 0;
        QTest::addRow("message, last line") << QPoint(20, 100) << true << 1;
        QTest::addRow("title") << QPoint(50, 12) << false << 0;
        QTest::addRow("picture") << QPoint(25, 50) << false << 0;
        QTest::addRow("frame") << QPoint(2, 70) << false << 0;
        QTest::addRow("body") << QPoint(100, 130) << false << 0;
    }
    void clicks()
    {
        QFETCH(QPoint, point);
        QFETCH(bool, closes);
        QFETCH(int, opened);
        const auto notice = shownNotice();
        QTest::mouseClick(notice.get(), Qt::LeftButton, {}, point);
        QCOMPARE(notice->isVisible(), !closes);
        QCOMPARE(m_opened.size(), opened);
        if (opened)
            QCOMPARE(m_opened.first(), Site);
    }

    void closesByItselfUnlessThePointerIsOver()
    {
        const auto notice = shownNotice();
        notice->setDisplayTime(50);
        QEnterEvent enter(QPointF(50, 50), QPointF(50, 50), QPointF(50, 50));
        QCoreApplication::sendEvent(notice.get(), &enter);
        QTest::qWait(600); // the fade-in and many display times
        QVERIFY(notice->isVisible());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(notice.get(), &leave);
        QTRY_VERIFY(!notice->isVisible());
        QVERIFY(m_opened.isEmpty());
    }

    // Icons come from the program folder; a missing or broken one is null.
    void iconsComeFromTheProgramFolder()
    {
        QVERIFY(NewVersionNotice::LoadIconFile(ProgramFolder::File::UpdateIcon, 32, 32).isNull());
        QDir(m_programFolder.path()).mkpath(u"icons"_s);
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(ProgramFolder::path(ProgramFolder::File::UpdateIcon), "ICO"));
        QFile garbage(ProgramFolder::path(ProgramFolder::File::CloseIcon));
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("not an icon") > 0);
        garbage.close();

        const QIcon update = NewVersionNotice::LoadIconFile(ProgramFolder::File::UpdateIcon, 32, 32);
        QVERIFY(!update.isNull());
        QCOMPARE(update.pixmap(32, 32).toImage().pixelColor(16, 16), QColor(Qt::red));
        QVERIFY(NewVersionNotice::LoadIconFile(ProgramFolder::File::CloseIcon, 16, 16).isNull());
        QDir(m_programFolder.path() + u"/icons"_s).removeRecursively();
    }

    // The notifier runs the check against the site: a newer version shows the
    // notice, an error a message for the codes that have one.
    void notifierRunsTheCheckAgainstTheSite_data()
    {
        using Answer = LocalHttpServer::Answer;
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("shown");   // empty: no notice
        QTest::addColumn<QString>("message"); // empty: no message
        const auto announcing = [](const QByteArray &version) {
            return Answer(200, "<pgencheck><version>" + version + "</version><note>ignored</note></pgencheck>");
        };
        QTest::addRow("newer") << announcing("1.2.0") << u"1.2.0"_s << QString();
        QTest::addRow("same") << announcing("1.1.3") << QString() << QString();
        QTest::addRow("older") << announcing("1.1.2") << QString() << QString();
        QTest::addRow("missing") << Answer(404) << QString() << u"File not found."_s;
        QTest::addRow("not a document") << Answer(200, "x") << QString()
                                        << u"XML downloaded could not be parsed by XML parser."_s;
    }
    void notifierRunsTheCheckAgainstTheSite()
    {
        QFETCH(LocalHttpServer::Answer, answer);
        QFETCH(QString, shown);
        QFETCH(QString, message);
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
