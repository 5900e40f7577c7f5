#include "ProgramHarness.h"
#include "TestSupport.h"

#include "core/generation/MemoryResultList.h"
#include "core/results/ExportLayouts.h"

#include <QRegularExpression>
#include <QTemporaryDir>

// The real tessaro-cli, run as a script would run it: its options, its
// output byte for byte, its errors and exit status, its settings, and the
// clipboard hand-over against a real X server.
class TestCli : public QObject
{
    Q_OBJECT

private:
    using Run = ProgramHarness::Run;
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<ProgramHarness> m_cli;
    QTemporaryDir m_folder;
    QString m_words;       // kite, orbit, lunar
    QString m_badWords;    // one word
    QString m_runTogether; // a, aa: "aaa" comes both ways from two words
    QString m_tooMany;     // 600 words, some run together: too many pairs to count

    Run run(const QStringList &arguments) const { return m_cli->run(arguments, false); }
    static QList<QByteArray> linesOf(const QByteArray &out) { return out.chopped(out.endsWith('\n')).split('\n'); }

private slots:
    void initTestCase()
    {
        m_home = std::make_unique<TestSupport::IsolatedHome>();
        m_cli = std::make_unique<ProgramHarness>(u"tessaro-cli"_s);
        QVERIFY2(m_cli->isExecutable(), qPrintable(m_cli->program()));
        const QString error = m_cli->startXServer(150);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const auto writeFile = [this](const QString &name, const QByteArray &text) {
            QFile file(m_folder.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() ? file.fileName() : QString();
        };
        m_words = writeFile(u"words.txt"_s, "kite\norbit\nlunar\n");
        m_badWords = writeFile(u"bad.txt"_s, "kite\n");
        m_runTogether = writeFile(u"aa.txt"_s, "a\naa\n");
        QByteArray many; // "ab" and "abz"
        for (int k = 0; k < 300; ++k) {
            const QByteArray word(1, char('a' + k / 26));
            many += word + char('a' + k % 26) + '\n' + word + char('a' + k % 26) + "z\n";
        }
        m_tooMany = writeFile(u"many.txt"_s, many);
    }

    void cleanupTestCase() { m_cli.reset(); }

    void init() { m_home->resetStore(); }

    void badArgumentsFail_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("complaint");
        auto row = [](const char *name, QStringList arguments, QString complaint) {
            QTest::addRow("%s", name) << arguments << complaint;
        };
        row("unknown option", {u"--frobnicate"_s, u"X"_s}, u"frobnicate"_s);
        row("missing value", {u"X"_s, u"--count"_s}, u"--count"_s);
        row("no mask", {u"-n"_s, u"3"_s}, u"no mask"_s);
        row("two masks", {u"Xx"_s, u"##"_s}, u"one mask expected"_s);
        row("count 0", {u"-n"_s, u"0"_s, u"X"_s}, u"--count"_s);
        row("negative count", {u"--count=-4"_s, u"X"_s}, u"--count"_s);
        row("count past 32 bits", {u"-n"_s, u"2147483648"_s, u"X"_s}, u"2147483648"_s);
        row("count with a sign", {u"-n"_s, u"+5"_s, u"X"_s}, u"--count"_s);
        row("count in words", {u"-n"_s, u"ten"_s, u"X"_s}, u"ten"_s);
        row("bad format", {u"--format"_s, u"xml"_s, u"X"_s}, u"xml"_s);
        row("empty file name", {u"-o"_s, QString(), u"X"_s}, u"--output"_s);
        row("both modes", {u"--default"_s, u"--custom"_s, u"X"_s}, u"--custom"_s);
        row("class with --default", {u"--default"_s, u"--digits"_s, u"12"_s, u"X"_s}, u"--digits"_s);
        row("--clear-after without --copy", {u"--clear-after"_s, u"5"_s, u"X"_s}, u"--copy"_s);
        row("--clear-after 0", {u"-c"_s, u"--clear-after"_s, u"0"_s, u"X"_s}, u"--clear-after"_s);
        row("--clear-after too long", {u"-c"_s, u"--clear-after"_s, u"2147484"_s, u"X"_s}, u"--clear-after"_s);
        row("--copy with a count", {u"-c"_s, u"-n"_s, u"2"_s, u"X"_s}, u"--count"_s);
        row("--copy with a file", {u"-c"_s, u"-o"_s, u"f"_s, u"X"_s}, u"--output"_s);
        row("--copy with --entropy", {u"-c"_s, u"-e"_s, u"X"_s}, u"--entropy"_s);
        row("--entropy with a format", {u"-e"_s, u"--format"_s, u"csv"_s, u"X"_s}, u"--format"_s);
        row("--entropy with a count", {u"-e"_s, u"-n"_s, u"5"_s, u"X"_s}, u"--count"_s);
        row("--word-symbol of two", {u"--word-symbol"_s, u"ww"_s, u"X"_s}, u"--word-symbol"_s);
        row("--word-symbol, the lower one", {u"--word-symbol"_s, u"x"_s, u"x-x"_s}, u"lower-case letter symbol"_s);
        row("--word-symbol, the counter", {u"--word-symbol=i"_s, u"i-i"_s}, u"incrementing number symbol"_s);
        row("--distinct with duplicates", {u"--distinct"_s, u"--allow-duplicates"_s, u"X"_s}, u"--distinct"_s);
        row("--length without rules", {u"--length"_s, u"8"_s, u"X"_s}, u"--length works only with"_s);
        row("--length 0", {u"--site"_s, u"a.org"_s, u"--length"_s, u"0"_s}, u"--length must be"_s);
        row("--rules and --site", {u"--rules"_s, u"x"_s, u"--site"_s, u"a.org"_s}, u"--rules cannot be used"_s);
        row("a mask to draw with rules", {u"--rules"_s, u"x"_s, u"X"_s}, u"-e checks the mask"_s);
        row("word list of one word", {u"--word-symbol=w"_s, u"--word-list"_s, m_badWords, u"w"_s},
            m_badWords + u" can't be used: it holds fewer than 2 different words."_s);
        row("missing word list, unused", {u"--word-list=/nonexistent"_s, u"X"_s}, u"it can't be read"_s);
        // Options that leave every password empty fail with status 1, without the usage.
        row("empty mask", {QString()}, u"empty"_s);
        row("every symbol from an empty class", {u"--digits="_s, u"-n"_s, u"5"_s, u"###"_s}, u"empty"_s);
        row("empty, with --copy", {u"-c"_s, u"--upper="_s, u"XX"_s}, u"empty"_s);
    }
    void badArgumentsFail()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, complaint);
        const Run r = run(arguments);
        const bool empty = complaint == u"empty";
        QCOMPARE(r.exitCode, empty ? 1 : 2);
        QCOMPARE(r.out, QByteArray());
        const QList<QByteArray> lines = linesOf(r.err);
        QCOMPARE(lines.size() > 1, !empty);
        QVERIFY2(lines[0].startsWith("tessaro-cli: ") && lines[0].contains(complaint.toUtf8()), lines[0].constData());
        QVERIFY(empty || lines[1].startsWith("Usage: tessaro-cli"));
        QVERIFY(!QFile::exists(u"f"_s));
    }

    // The layouts themselves are tested in tst_listfiles; the counter makes
    // the output known in advance.
    void formatsAreTheWindowsLayouts()
    {
        for (const bool csv : {false, true}) {
            const QString mask = u"§i,\"q\"€𝄞"_s;
            MemoryResultList rows;
            for (int k = 0; k < 13; ++k) {
                rows.appendItem();
                rows.setItemText(k, QString(mask).replace(u"i"_s, QString::number(k)));
            }
            const Run r = run({u"--format"_s, csv ? u"csv"_s : u"text"_s, u"-n"_s, u"13"_s, mask});
            QCOMPARE(r.err, QByteArray());
            QCOMPARE(r.out, csv ? ExportLayouts::csv(rows) : ExportLayouts::text(rows));
        }
    }

    // A run that succeeds: the settings stored before it (name=value), its
    // arguments, a pattern for its whole output without the last newline.
    // tessaro-cli never writes a setting.
    void successfulRuns_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("pattern");
        const auto row = [this](const char *name, const QString &stored, const QString &arguments,
                                const QString &pattern) {
            QTest::addRow("%s", name) << stored
                                      << QString(arguments)
                                             .replace(u"$words"_s, m_words)
                                             .replace(u"$aa"_s, m_runTogether)
                                             .replace(u"$many"_s, m_tooMany)
                                      << pattern;
        };
        const auto exactly = [](const char *text) { return QRegularExpression::escape(QString::fromUtf8(text)); };
        row("--help", {}, u"--help"_s,
            u"NAME\n    tessaro-cli - make passwords from a mask, for scripts\n\nSYNOPSIS\n    tessaro-cli \\[-n N\\] "
            u".*"
            u"\n\nOPTIONS\n    -n, --count N\n        Make N attempts, 1 to .*\n    --word-symbol C\n        Let .*"
            u"\n    0   Success, .*\n\nEXAMPLES\n    tessaro-cli 'Xxxx-####-@@@@'\n.*\nSEE ALSO\n    tessaro\\(1\\)"_s);
        row("-h beats a bad value", {}, u"-h --count 0"_s, u"NAME\n.*"_s);
        row("--version", {}, u"--version"_s, u"tessaro-cli \\d+\\.\\d+\\.\\d+"_s);
        row("default is lines", {}, u"-n 3 ab-i"_s, u"ab-0\nab-1\nab-2"_s);
        row("--format lines", {}, u"--format lines -n3 i"_s, u"0\n1\n2"_s);
        row("UTF-8", {}, u"--upper É --lower 𝄞 Xx€"_s, u"É𝄞€"_s);
        row("options after the mask", {}, u"i. -n 2"_s, u"0\\.\n1\\."_s);
        row("a mask after --", {}, u"-n 2 -- -i"_s, u"-0\n-1"_s);
        row("nothing stored: start-up defaults", {}, u"Xx#-i"_s, u"[A-Z][a-z][0-9]-0"_s);
        row("custom classes", u"GenOpt=1 AlphaU=Q Numeric=7"_s, u"XX##"_s, u"QQ77"_s);
        row("a missing class takes its default", u"GenOpt=1 Numeric=7"_s, u"X#"_s, u"[A-Z]7"_s);
        row("other mode copies the mask", u"GenOpt=2"_s, u"Xx#@i"_s, u"Xx#@i"_s);
        row("stored symbols", u"uMask=U nMask=XX"_s, u"UX#"_s, u"[A-Z]X#"_s);
        row("--default over stored custom", u"GenOpt=1 AlphaU=Q"_s, u"--default XXXX"_s, u"[A-Z]{4}"_s);
        row("--custom", u"GenOpt=0 AlphaU=Q"_s, u"--custom XX"_s, u"QQ"_s);
        row("a class implies custom", u"GenOpt=0 Numeric=7"_s, u"--upper Z X#"_s, u"Z7"_s);
        row("a class overrides custom", u"GenOpt=1 Special=!"_s, u"--special % @@"_s, u"%%"_s);
        row("stored words and look-alikes", u"wMask=w WordCap=1 NoLookAlike=1 Words="_s + m_words, u"w-#########"_s,
            u"(Kite|Orbit|Lunar)-[34679]{9}"_s);
        row("words and look-alikes for this run", u"Words="_s + m_badWords,
            u"--word-symbol w --word-list $words --capitalise-words --no-look-alike --digits 0123456789 w.##########"_s,
            u"(Kite|Orbit|Lunar)\\.[34679]{10}"_s);
        row("default special range", u"GenOpt=0"_s, u"@"_s, u"[^\\x00-\\x7A\\x7F-\\xA0\\xAD]"_s);
        row("entropy, 8 upper-case letters", {}, u"-e --default XXXXXXXX"_s,
            exactly("Entropy:   37.60 bits\nKey space: 208827064576 passwords\nStrength:  Poor"));
        row("entropy, typical mask", {}, u"-e Xxxx-####-@@@@"_s,
            exactly("Entropy:   59.95 bits\nKey space: 1.12e+18 passwords\nStrength:  Weak"));
        row("entropy, words", {}, u"-e --word-symbol=w --word-list $words w#"_s,
            exactly("Entropy:   4.91 bits\nKey space: 30 passwords\nStrength:  Poor"));
        // Half of the class '!': !!!… comes one time in 2^21.
        QString lopsided(1000, u'!');
        for (char16_t c = 0x100; c < 0x100 + 1000; ++c)
            lopsided += QChar(c);
        row("entropy, a character listed often", {}, u"-e --special "_s + lopsided + u" "_s + QString(21, u'@'),
            exactly("Entropy:   21.00 bits\nKey space: 1.02e+63 passwords\nStrength:  Poor"));
        row("entropy, words that run together", {}, u"-e --word-symbol=w --word-list $aa ww"_s,
            exactly("Entropy:   1.00 bits\nKey space: 3 passwords\nStrength:  Poor"));
        row("entropy, too many to count", {}, u"-e --word-symbol=w --word-list $many ww"_s,
            exactly("Entropy:   at least 17.46 bits\nKey space: at most 360000 passwords\nStrength:  Poor"));
        row("entropy, copy unchanged", u"GenOpt=5"_s, u"-e Xi-"_s,
            exactly("Entropy:   0.00 bits\nKey space: 1 password\nStrength:  Poor"));
    }
    void successfulRuns()
    {
        QFETCH(QString, stored);
        QFETCH(QString, arguments);
        QFETCH(QString, pattern);
        for (const QString &pair : stored.split(u' ', Qt::SkipEmptyParts))
            Settings::write(QLatin1String(pair.section(u'=', 0, 0).toLatin1()), pair.section(u'=', 1));
        const QByteArray before = m_home->storeBytes();
        const Run r = run(arguments.split(u' '));
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.err, QByteArray());
        QVERIFY(r.out.endsWith('\n'));
        const QRegularExpression re(QRegularExpression::anchoredPattern(pattern),
                                    QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(re.match(QString::fromUtf8(r.out.chopped(1))).hasMatch(), r.out.left(200).constData());
        QCOMPARE(m_home->storeBytes(), before);
    }

    // Each script runs in an empty folder and prints what it found; nothing
    // may reach stderr. -o replaces a regular file whole and owner-only, writes
    // into what is not one, follows a link, and leaves nothing when stopped.
    void runFromAShell_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("expected");
        QTest::addRow("file replaced")
            << u"printf %10000s > f; chmod 604 f; \"$0\" -o f --format csv -n 7 i; cat f; stat -c %a f"_s
            << "0,1,2,3,4,5\r\n6\r\n600\n"_ba;
        QTest::addRow("FIFO")
            << u"mkfifo f; timeout 10 cat f > got & \"$0\" -n 2 -o f i-; wait; cat got; test -p f && echo fifo"_s
            << "0-\n1-\nfifo\n"_ba;
        QTest::addRow("device")
            << u"mknod null c 1 3 || { echo skip; exit 0; }; \"$0\" -o null i-; test -c null && echo device"_s
            << "device\n"_ba;
        QTest::addRow("link") << u"echo old > t; ln -s t l; \"$0\" -o l i-; test -L l && cat t"_s << "0-\n"_ba;
        // Website rules: every allowed password and no other, the exact count,
        // a site by address, a mask checked (exit status 1 when it can break them).
        QTest::addRow("rules")
            << u"\"$0\" --rules 'allowed: [ab]; required: [a]; max-consecutive: 1' --length 4 "
               u"-n 60 2>&1 | sort"_s // 60 draws miss one of the two 1 time in 2^59
            << "abab\nbaba\ntessaro-cli: 2 distinct passwords from 60 attempts: all the rules allow\n"_ba;
        QTest::addRow("rules, strength")
            << u"\"$0\" -e --rules 'minlength: 16; maxlength: 16; required: upper; required: lower; required: "
               u"digit; required: [!#$%&*@^]'"_s
            << "Length:    16 (the rules allow 16 to 16)\nPasswords: 258931250661140154267079802880\n"
               "Entropy:   97.71 bits\nStrength:  Good\n"_ba;
        QTest::addRow("site") << u"\"$0\" --site https://Mail.163.com/x --length 6 -n 3 | awk '{print length}'"_s
                              << "6\n6\n6\n"_ba;
        QTest::addRow("mask meets the rules")
            << u"\"$0\" --rules 'maxlength: 16; required: upper; required: digit; required: [!@#$]; allowed: lower' "
               u"--special '!@#$' -e Xxxx##@@; echo $?"_s
            << "Every password of this mask meets the rules.\n0\n"_ba;
        QTest::addRow("mask breaks the rules")
            << u"\"$0\" --rules 'allowed: upper, [-]; required: digit; max-consecutive: 2; maxlength: 4' -e XXX-x; "
               u"echo $?"_s
            << "Passwords of this mask can break the rules:\n"
               "  its passwords are 5 characters long, longer than maxlength 4\n"
               "  position 5 can hold a character the rules don't allow\n"
               "  it can miss the required characters [0123456789]\n"
               "  positions 1 to 3 can hold the same character, more than max-consecutive 2 allows\n1\n"_ba;
        QTest::addRow("rules that can't be met")
            << u"for r in 'minlength: 9; maxlength: 8' 'required: [a-]'; do \"$0\" --rules \"$r\" 2>&1; echo $?; done; "
               u"\"$0\" --rules 'minlength: 8' --length 3 2>&1; \"$0\" --rules 'maxlength: 9' -e --length 10 2>&1; "
               u"\"$0\" --site nowhere.invalid 2>&1; "
               u"\"$0\" --rules 'required: digit' --word-symbol w -e w# 2>&1"_s
            << "tessaro-cli: \"minlength: 9\" is above \"maxlength: 8\": no password can be both.\n1\n"
               "tessaro-cli: In \"[a-]\", \"-\" may only stand right after \"[\".\n1\n"
               "tessaro-cli: A password of 3 characters is outside these rules: they allow 8 to 128.\n"
               "tessaro-cli: A password of 10 characters is outside these rules: they allow 1 to 9.\n"
               "tessaro-cli: No rules are known for \"nowhere.invalid\".\n"
               "tessaro-cli: the mask's words vary in length and text, so it can't be checked against rules\n"_ba;
        QTest::addRow("a pipe through /dev/stdout") << u"\"$0\" -o /dev/stdout -n 2 i | cat"_s << "0\n1\n"_ba;
        QTest::addRow("folder") << u"mkdir d; \"$0\" -o d i- 2>&1; echo $?; test -d d && echo folder"_s
                                << "tessaro-cli: cannot write d: Is a directory\n1\nfolder\n"_ba;
        QTest::addRow("missing folder") << u"\"$0\" -o no/f i- 2>&1; echo $?"_s
                                        << "tessaro-cli: cannot write no/f: No such file or directory\n1\n"_ba;
        QTest::addRow("interrupted") << u"\"$0\" -o f -n 2147483647 --allow-duplicates Xxxx#### & "
                                        u"sleep 0.3; kill -INT $!; wait $!; echo $?; ls -A"_s
                                     << "130\n"_ba;
        // Ended at once while it waits for a FIFO's reader, or for one that does not read.
        const QString stopped = u"mkfifo f; %1 timeout -s KILL 5 \"$0\" -o f -n 2147483647 --allow-duplicates Xxxx & "
                                u"sleep 0.3; kill -%2 $!; wait $!; echo $?; kill $r 2>/dev/null; true"_s;
        QTest::addRow("interrupted, no reader") << stopped.arg(QString(), u"INT"_s) << "130\n"_ba;
        QTest::addRow("stopped, a reader that does not read")
            << stopped.arg(u"sleep 9 < f & r=$!;"_s, u"TERM"_s) << "143\n"_ba;
        // In a shared folder (sticky, writable by all) another user's FIFO,
        // file or link is refused; the user's own and the folder owner's links are followed.
        const QString shared =
            u"[ $(id -u) = 0 ] && command -v setpriv >/dev/null || { echo skip; exit 0; }; chmod 755 .; mkdir s; "
            u"chmod 1777 s; other() { setpriv --reuid=nobody --regid=nogroup --clear-groups \"$@\"; }; "
            u"echo earlier > t; mkdir d; "_s;
        const auto refused = [](const char *name, const char *what) {
            return "tessaro-cli: cannot write s/"_ba + name + ": " + what +
                   " owned by another user (nobody) in a folder others can write to\n1\n";
        };
        QTest::addRow("shared folder, another user's FIFO, file or link")
            << shared + u"other mkfifo s/f; other touch s/g; other ln -s \"$PWD/t\" s/l; other ln -s \"$PWD/d\" s/d; "
                        u"for n in f g l d/x; do timeout 5 \"$0\" -o s/$n i- 2>&1; echo $?; done; cat t; ls d"_s
            << refused("f", "it is a FIFO") + refused("g", "it is a file") + refused("l", "it is a symbolic link") +
                   refused("d/x", "the way to it runs through d, a symbolic link") + "earlier\n";
        QTest::addRow("shared folder, links followed")
            << shared + u"ln -s \"$PWD/t\" s/mine; \"$0\" -o s/mine i-; cat t; chown nobody s; "
                        u"other ln -s \"$PWD/t\" s/owner; \"$0\" -o s/owner i+; cat t"_s
            << "0-\n0+\n"_ba;
        QTest::addRow("shared folder, another user's word list")
            << shared + u"other sh -c 'printf \"a\\nb\\n\" > s/w'; \"$0\" --word-list s/w -e X 2>&1 | head -n 1"_s
            << "tessaro-cli: The word list s/w can't be used: it is a file owned by another user (nobody) in a folder "
               "others can write to.\n"_ba;
#if !defined(__SANITIZE_ADDRESS__) // it cannot start under an address-space limit
        // The check of 100 million passwords takes 2 GB: more than a 1 GB address space.
        QTest::addRow("too large for the memory")
            << u"(ulimit -v 1000000; \"$0\" -n 100000000 -o f Xxxxxxxx#### 2>&1) | sed 's/[0-9]* MB/N MB/g'; "
               u"echo ${PIPESTATUS[0]}; ls -A"_s
            << "tessaro-cli: not enough memory: this run needs N MB and N MB are available (the duplicate check keeps "
               "20 bytes for each password asked for: use a smaller -n, or --allow-duplicates)\n1\n"_ba;
#endif
        // 100 possible passwords, 3000 attempts: all 100 once, none twice.
        QTest::addRow("duplicates dropped exactly")
            << u"\"$0\" -n 3000 '##' 2>e | sort -u | wc -l; cat e; \"$0\" -n 3000 '##' 2>/dev/null | wc -l; "
               u"\"$0\" -n 3000 --allow-duplicates '##' | wc -l"_s
            << "100\ntessaro-cli: 100 distinct passwords from 3000 attempts: all the mask allows\n100\n3000\n"_ba;
        QTest::addRow("one possible password") << u"\"$0\" -n 2147483647 abcd 2>&1"_s
                                               << "abcd\ntessaro-cli: 1 distinct password from 2147483647 attempts: "
                                                  "all the mask allows\n"_ba;
        // About 632 of 1000: said, and counted right.
        QTest::addRow("fewer distinct than attempts")
            << u"\"$0\" -n 1000 '###' 2>e | wc -l > n; test \"$(cut -d' ' -f2 e)\" = \"$(cat n)\" && echo counted; "
               u"sed 's/^tessaro-cli: [0-9]* /N /' e"_s
            << "counted\nN distinct passwords from 1000 attempts (the mask allows 1000); --distinct draws until there "
               "are 1000\n"_ba;
        // Drawn again: every password the mask allows, across many chunks and both cores; any number with a counter.
        QTest::addRow("--distinct")
            << u"\"$0\" -n 100000 --distinct '#####' | sort -u | wc -l; "
               u"\"$0\" -n 900 --distinct --format text -o f '###'; sort -u f | wc -l; wc -l < f; "
               u"\"$0\" -n 200 --distinct '#i' | wc -l"_s
            << "100000\n900\n900\n200\n"_ba;
        QTest::addRow("--distinct, fewer allowed")
            << u"\"$0\" -n 1001 --distinct '###' 2>&1; echo $?; "
               u"\"$0\" -n 4 --distinct --word-symbol w --word-list '%1' ww 2>&1; echo $?; "
               u"\"$0\" -n 200000 --distinct --word-symbol w --word-list '%2' ww 2>&1; echo $?"_s.arg(m_runTogether,
                                                                                                      m_tooMany)
            << "tessaro-cli: the mask allows only 1000 distinct passwords, fewer than the 1001 asked for\n1\n"
               "tessaro-cli: the mask allows only 3 distinct passwords, fewer than the 4 asked for\n1\n"
               "tessaro-cli: the mask allows from 180000 to 360000 distinct passwords (its words can run together in "
               "more than one way), so 200000 can't be promised: ask for at most 180000\n1\n"_ba;
        // The duplicate check takes its memory for every attempt at the start.
        for (const QString &arguments :
             {u"-n 2147483647 --allow-duplicates"_s, u"-n 10000000"_s, u"-n 10000000 --format csv"_s}) {
            QTest::addRow("a reader that stops, %s", qPrintable(arguments))
                << u"\"$0\" %1 Xxxx-####-@@@@ | head -n 3 | wc -l; echo ${PIPESTATUS[0]}"_s.arg(arguments)
                << "3\n0\n"_ba;
        }
        for (const QString &arguments : {u"-n 1000 Xxxx"_s, u"--help"_s, u"--version"_s, u"-e Xxxx"_s}) {
            QTest::addRow("%s, full device", qPrintable(arguments))
                << u"\"$0\" %1 2>&1 >/dev/full; echo $?"_s.arg(arguments)
                << "tessaro-cli: cannot write to standard output: No space left on device\n1\n"_ba;
            QTest::addRow("%s, closed", qPrintable(arguments))
                << u"\"$0\" %1 2>&1 >&-; echo $?"_s.arg(arguments)
                << "tessaro-cli: cannot write to standard output: Bad file descriptor\n1\n"_ba;
        }
        // A write that fails part way (a size limit in KiB: EFBIG, a full file
        // system: ENOSPC) leaves the earlier file byte for byte, or none.
        const QString earlier = u"for i in $(seq 100); do echo earlier passwords; done > f; cp f e; "_s;
        const QString limited = u"(ulimit -f %1; trap '' XFSZ; \"$0\" -o %2 -n %3 --allow-duplicates Xxxx-#-i 2>&1; "
                                u"echo $?); cmp -s %2 e && echo kept; ls -A"_s;
        const QByteArray tooLarge = "tessaro-cli: cannot write f: File too large\n1\n";
        QTest::addRow("size limit, short output")
            << earlier + limited.arg(u"0"_s, u"f"_s, u"3"_s) << tooLarge + "kept\ne\nf\n";
        QTest::addRow("size limit, no earlier file") << limited.arg(u"0"_s, u"f"_s, u"3"_s) << tooLarge;
        QTest::addRow("size limit inside one write")
            << earlier + limited.arg(u"1"_s, u"f"_s, u"300"_s) << tooLarge + "kept\ne\nf\n";
        QTest::addRow("size limit, long output")
            << earlier + limited.arg(u"100"_s, u"f"_s, u"300000"_s) << tooLarge + "kept\ne\nf\n";
        QTest::addRow("full tmpfs")
            << u"mkdir m; mount -t tmpfs -o size=64k tmpfs m || { echo skip; exit 0; }; trap 'umount -l m' EXIT; "_s +
                   earlier + u"cp f m/; "_s + limited.arg(u"unlimited"_s, u"m/f"_s, u"300000"_s) + u"; ls -A m"_s
            << "tessaro-cli: cannot write m/f: No space left on device\n1\nkept\ne\nf\nm\nf\n"_ba;
        QTest::addRow("--copy without the clipboard module")
            << u"mkdir -p alone/bin; cp \"$0\" alone/bin; alone/bin/tessaro-cli -c Xxxx 2>&1 | sed \"s#$PWD/##g\"; "
               u"echo ${PIPESTATUS[0]}"_s
            << "tessaro-cli: cannot copy to the clipboard: the module tessaro_clipboard_handover is not in "
               "alone/lib/tessaro/modules\n1\n"_ba;
    }
    void runFromAShell()
    {
        QFETCH(QString, script);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const Run r = m_cli->shell(u"cd '%1' && { %2; }"_s.arg(dir.path(), script));
        if (r.out == "skip\n")
            QSKIP("only root can make a device node, a tmpfs or a second user's files here");
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.out, expected);
    }

    // The hand-over itself is tst_commandline's; here what --clear-after adds,
    // and the window's stored "clear after 10 seconds" without it.
    void clearAfterEmptiesOnlyItsOwnText_data()
    {
        QTest::addColumn<QString>("other"); // copied by someone else in between
        QTest::addColumn<int>("seconds");   // 0: the stored option instead of --clear-after
        // Long enough for the clipboard to be read first on a loaded machine.
        QTest::addRow("cleared") << QString() << 4;
        QTest::addRow("someone else's text kept") << u"copied by someone else"_s << 4;
        QTest::addRow("stored option") << QString() << 0;
    }
    void clearAfterEmptiesOnlyItsOwnText()
    {
        REQUIRE_X_SERVER(*m_cli);
        QFETCH(QString, other);
        QFETCH(int, seconds);
        if (seconds == 0)
            Settings::write(Settings::Name::ClearAfter, u"1"_s);
        const QStringList clearAfter{u"--clear-after"_s, QString::number(seconds)};
        QCOMPARE(
            m_cli->run((seconds ? clearAfter : QStringList()) + QStringList{u"-c"_s, u"Xxxx####"_s}, true).exitCode, 0);
        QCOMPARE(m_cli->clipboardText().size(), 8);
        if (!other.isEmpty())
            m_cli->takeClipboard(other);
        QTest::qWait((seconds ? seconds : Settings::kClearAfterSeconds) * 1000 + 1500); // past the clear time
        QCOMPARE(m_cli->clipboardText(), other);
        QTRY_COMPARE_WITH_TIMEOUT(m_cli->helpers().size(), 0, 5000);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
