#include "TestSupport.h"

#include "OutputSink.h"
#include "PasswordStream.h"
#include "SeenPasswords.h"

#include "generation/PasswordBuilder.h"

using namespace Qt::StringLiterals;

namespace {

// Keeps every block it is given.
class RecordingSink final : public OutputSink
{
public:
    bool write(const char *bytes, qsizetype length) override
    {
        ++blocks;
        data.append(bytes, length);
        return true;
    }
    QByteArray data;
    int blocks = 0;
};

GenerationSettings defaults()
{
    GenerationSettings s = GenerationSettings::startupDefaults();
    s.mode = GenerationMode::Default;
    return s;
}

bool insert(SeenPasswords &seen, const QByteArray &text)
{
    return seen.insert(text.constData(), size_t(text.size()),
                       SeenPasswords::hash(text.constData(), size_t(text.size())));
}

} // namespace

// The parts of tessaro-cli's streaming path, without a process around them.
class TestCliStream : public QObject
{
    Q_OBJECT

private slots:
    void seenPasswordsIsExactAcrossGrowth()
    {
        SeenPasswords seen(1);                             // starts small: grows many times below
        QList<QByteArray> texts{QByteArray(5 << 20, 'c')}; // a page of its own before any other
        for (int k = 0; k < 200000; ++k)
            texts.append(QByteArray::number(k, 36));
        texts.append(QByteArray());             // the empty text is a text too
        texts.append(QByteArray(3 << 20, 'a')); // longer than a page
        texts.append(QByteArray(3 << 20, 'a') + 'b');
        texts.append("after the long ones");
        for (const QByteArray &text : texts)
            QVERIFY2(insert(seen, text), text.left(40).constData());
        QCOMPARE(seen.size(), quint64(texts.size()));
        for (const QByteArray &text : texts)
            QVERIFY2(!insert(seen, text), text.left(40).constData());
        QCOMPARE(seen.size(), quint64(texts.size()));
        // Prefixes and extensions of kept texts are new.
        QVERIFY(insert(seen, "-1"));
        QVERIFY(insert(seen, QByteArray(3 << 20, 'a').chopped(1)));
    }

    void utf8MatchesQt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addRow("ASCII") << u"Xk-7"_s;
        QTest::addRow("Latin-1 and Windows-1252") << u"§«¤€ÿ"_s;
        QTest::addRow("beyond the BMP") << u"a𝄞b😀"_s;
        QTest::addRow("lone high surrogate") << QString(QChar(0xD834)) + u"x"_s;
        QTest::addRow("lone low surrogate") << u"x"_s + QString(QChar(0xDD1E));
        QTest::addRow("high surrogate at the end") << u"x"_s + QString(QChar(0xD834));
        QTest::addRow("empty") << QString();
    }
    void utf8MatchesQt()
    {
        QFETCH(QString, text);
        QByteArray out(text.size() * 3 + 1, '\0');
        out.resize(toUtf8(reinterpret_cast<const char16_t *>(text.utf16()), text.size(), out.data()));
        QCOMPARE(out, text.toUtf8());
    }

    void blocksJoinSeamlessly()
    {
        // About 2.6 MB of counter passwords: several blocks, cut anywhere.
        const PasswordBuilder builder(u"i-----"_s, defaults());
        RecordingSink sink;
        StreamRequest request;
        request.count = 250000;
        const StreamResult result = streamPasswords(builder, request, sink);
        QVERIFY(result.completed);
        QCOMPARE(result.written, 250000);
        QVERIFY(sink.blocks >= 2);
        QByteArray expected;
        for (int k = 0; k < 250000; ++k)
            expected += QByteArray::number(k) + "-----\n";
        QCOMPARE(sink.data.size(), expected.size());
        QVERIFY(sink.data == expected);
    }
};

QTEST_GUILESS_MAIN(TestCliStream)
#include "tst_clistream.moc"
