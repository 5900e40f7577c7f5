#include "TestSupport.h"

#include "cli/OutputSink.h"
#include "cli/PasswordOutput.h"
#include "core/common/TextEncoding.h"
#include "core/generation/PasswordFingerprint.h"
#include "core/generation/PasswordStream.h"
#include "core/generation/SeenPasswords.h"

#include "core/generation/MemoryResultList.h"
#include "core/generation/PasswordBuilder.h"
#include "core/generation/ResultListSink.h"
#include "core/strength/MaskStrength.h"

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

// Spreads small numbers over 64 bits (the splitmix64 finaliser).
quint64 spread(quint64 x)
{
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

// The parts of tessaro-cli's streaming path, without a process around them.
class TestCliStream : public QObject
{
    Q_OBJECT

private slots:
    // Found again: filled to the count it was made for; crowded into the last
    // bucket of a shard, running over into its first; differing in one half.
    void seenPasswordsFindsEveryFingerprint_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("shards");
        QTest::addRow("spread out, full") << 0 << 1;
        QTest::addRow("spread out, full, four shards") << 0 << 4;
        QTest::addRow("one bucket, at the end") << 1 << 1;
        QTest::addRow("one bucket, at the end of two shards") << 1 << 2;
        QTest::addRow("same low half, one all zero, full, two shards") << 2 << 2;
    }
    void seenPasswordsFindsEveryFingerprint()
    {
        QFETCH(int, kind);
        QFETCH(int, shards);
        // 117964 fill exactly 2 MiB of buckets: nothing lies past the last one.
        const quint64 capacity = kind == 1 ? 117964 : 200000, count = kind == 1 ? 3000 : capacity;
        auto nth = [kind](quint64 k) {
            if (kind == 1)
                return Fingerprint{~quint64(0), k};
            return Fingerprint{kind == 2 ? k * 0x9E3779B97F4A7C15ull : spread(k), kind == 2 ? 0 : spread(~k)};
        };
        SeenPasswords seen(capacity, shards);
        for (quint64 k = 0; k < count; ++k)
            QVERIFY2(seen.insert(nth(k)), qPrintable(QString::number(k)));
        for (quint64 k = 0; k < count; ++k)
            QVERIFY2(!seen.insert(nth(k)), qPrintable(QString::number(k)));
        QCOMPARE(seen.size(), count);
    }

    // Short texts that differ in any one byte, or in length alone.
    void shortPasswordsNeverShareAFingerprint()
    {
        QSet<QByteArray> texts{QByteArray()};
        for (const QByteArray &background :
             {QByteArray(15, '\0'), QByteArray::fromHex("5be3a1f07c2d9e4816b3c5d7e9f0a2")}) {
            for (int length = 1; length < 16; ++length) {
                for (int at = 0; at < length; ++at) {
                    for (int byte = 0; byte < 256; ++byte)
                        texts.insert(background.left(length).replace(at, 1, QByteArray(1, char(byte))));
                }
            }
        }
        const FingerprintKey key = newFingerprintKey();
        QSet<std::pair<quint64, quint64>> fingerprints;
        for (const QByteArray &text : std::as_const(texts)) {
            const Fingerprint f = keyedFingerprint(text.constData(), size_t(text.size()), key);
            fingerprints.insert({f.high, f.low});
        }
        QCOMPARE(fingerprints.size(), texts.size());
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
        out.resize(TextEncoding::toUtf8(reinterpret_cast<const char16_t *>(text.utf16()), text.size(), out.data()));
        QCOMPARE(out, text.toUtf8());
    }

    // Counter passwords over many chunks made on both cores come out in the
    // order made. With a weak fingerprint shared by each ten numbers, the
    // first of each ten is written and only the other nine are dropped.
    void streamKeepsTheOrderMade_data()
    {
        QTest::addColumn<bool>("weak");
        QTest::addRow("keyed fingerprint") << false;
        QTest::addRow("one fingerprint for each ten") << true;
    }
    void streamKeepsTheOrderMade()
    {
        QFETCH(bool, weak);
        GenerationSettings settings = GenerationSettings::startupDefaults();
        settings.mode = GenerationMode::Default;
        const PasswordBuilder builder(u"i-----"_s, settings);
        RecordingSink out;
        PasswordOutput sink(OutputFormat::Lines, out);
        StreamRequest request;
        request.count = 250000;
        if (weak) {
            request.fingerprint = [](const char *bytes, size_t length, const FingerprintKey &) {
                return Fingerprint{spread(QByteArray(bytes, qsizetype(length)).chopped(5).toULongLong() / 10), 0};
            };
        }
        const StreamResult result = streamPasswords(builder, request, sink);
        QVERIFY(result.completed);
        QVERIFY(out.blocks >= 2);
        QByteArray expected;
        for (int k = 0; k < 250000; k += weak ? 10 : 1)
            expected += QByteArray::number(k) + "-----\n";
        QCOMPARE(result.written, expected.count('\n'));
        QVERIFY(out.data == expected);
    }

    // The window's list (texts compared) and tessaro-cli's output (fingerprints,
    // kept whole or hashed) keep the same passwords in the same order from the
    // same draws, duplicates or not.
    void windowAndCliKeepTheSameList_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addRow("short, 260 possible") << u"X#"_s;
        QTest::addRow("long, 2600 possible") << u"X#-Tessaro-password-#"_s;
        QTest::addRow("counter") << u"i-xx"_s;
    }
    void windowAndCliKeepTheSameList()
    {
        QFETCH(QString, mask);
        const PasswordBuilder builder(mask, GenerationSettings::startupDefaults());
        StreamRequest request{
            30000, true, false, MaskStrength::measure(builder).exactKeySpace, keyedFingerprint, RandomSource::Key{7}};
        if (builder.hasCounter())
            request.distinctPasswords.reset();
        MemoryResultList list;
        ResultListSink listed(list, {}, request.count, nullptr);
        QVERIFY(streamPasswords(builder, request, listed).completed);
        RecordingSink out;
        PasswordOutput written(OutputFormat::Lines, out);
        QVERIFY(streamPasswords(builder, request, written).completed);
        const QList<QByteArray> lines = out.data.split('\n');
        QVERIFY(list.GetItemCount() > 200);
        QCOMPARE(lines.size(), list.GetItemCount() + 1);
        for (int row = 0; row < list.GetItemCount(); ++row)
            QCOMPARE(lines.at(row), list.ItemText(row).toUtf8());
    }
};

QTEST_GUILESS_MAIN(TestCliStream)
#include "tst_clistream.moc"
