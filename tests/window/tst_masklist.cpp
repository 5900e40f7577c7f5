#include "WindowFixture.h"

#include "core/generation/ListFiles.h"
#include "core/generation/MaskFile.h"

#include <QFile>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList rowsOf(const QComboBox &combo)
{
    QStringList rows;
    for (int row = 0; row < combo.count(); ++row)
        rows.append(combo.itemText(row));
    return rows;
}

} // namespace

class TestMaskList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_home = std::make_unique<TestSupport::IsolatedHome>(); }
    void init()
    {
        m_home->resetStore();
        TestSupport::writeStartupDefaults();
        m_window = std::make_unique<WindowTest::Fixture>();
    }
    void cleanup() { m_window.reset(); }

    // What mask.kmf holds for a mask, and that the reader gives it back whole.
    void maskFileLines_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << u"Xx##-@@"_s << QByteArray("Xx##-@@\r\n");
        QTest::newRow("blanks kept") << u" Xx ## "_s << QByteArray(" Xx ## \r\n");
        QTest::newRow("comma") << u"XX,xx"_s << QByteArray("\"XX,xx\"\r\n");
        QTest::newRow("quote") << u"Say \"X\""_s << QByteArray("\"Say \"\"X\"\"\"\r\n");
        QTest::newRow("comma and quote") << u"\",\""_s << QByteArray("\"\"\",\"\"\"\r\n");
        QTest::newRow("non-ASCII") << u"Ää€##"_s << u"Ää€##\r\n"_s.toUtf8();
    }
    void maskFileLines()
    {
        QFETCH(QString, mask);
        QFETCH(QByteArray, line);
        const QByteArray text = MaskFile::text({mask, u"next"_s});
        QCOMPARE(text, line + "next\r\n");
        QCOMPARE(parseListFileText(QString::fromUtf8(text)), (QStringList{mask, u"next"_s}));
    }

    void addingAMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QString>("message");
        QTest::newRow("new") << u"Qq-##-Qq"_s << true << QString();
        QTest::newRow("differs only in case") << u"XXXX-####-@@@@"_s << true << QString();
        QTest::newRow("listed") << u"Xxxx-####-@@@@"_s << false << u"Mask Xxxx-####-@@@@ already in list."_s;
        QTest::newRow("three characters") << u"Xx#"_s << false << QString();
        QTest::newRow("empty") << QString() << false << QString();
        QTest::newRow("with a comma") << u"XX,xx"_s << true << QString();
    }
    void addingAMask()
    {
        QFETCH(QString, mask);
        QFETCH(bool, added);
        QFETCH(QString, message);
        const Form &form = m_window->open().form();
        QVERIFY(form.mCombo->findText(u"Xxxx-####-@@@@"_s) >= 0); // the starter list
        const QStringList before = rowsOf(*form.mCombo);
        const QByteArray fileBefore = contents(m_window->folder.file(u"mask.kmf"_s));
        form.mCombo->setEditText(mask);
        form.addButton->click();

        QCOMPARE(rowsOf(*form.mCombo), added ? before + QStringList{mask} : before);
        QCOMPARE(form.mCombo->currentText(), mask);
        QCOMPARE(m_window->messages.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            const auto &shown = m_window->messages.shown.front();
            QCOMPARE(shown.text, message);
            QCOMPARE(shown.title, u"Already in list"_s);
            QCOMPARE(shown.icon, MessageBoxes::Icon::Exclamation);
        }
        if (!added) {
            QCOMPARE(contents(m_window->folder.file(u"mask.kmf"_s)), fileBefore);
            return;
        }
        // The file follows the box, and a restart shows the same list.
        m_window->window.reset();
        m_window->open();
        QCOMPARE(rowsOf(*m_window->form().mCombo), before + QStringList{mask});
    }

    void removingAMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("removed");
        QTest::newRow("listed, yes") << u"Xxxx-####-@@@@"_s << true << true << true;
        QTest::newRow("listed, no") << u"Xxxx-####-@@@@"_s << false << true << false;
        QTest::newRow("typed, not listed") << u"Zz-##"_s << true << true << false;
        QTest::newRow("listed but in another case") << u"xxxx-####-@@@@"_s << true << true << false;
        QTest::newRow("empty") << QString() << true << false << false;
    }
    void removingAMask()
    {
        QFETCH(QString, mask);
        QFETCH(bool, yes);
        QFETCH(bool, asked);
        QFETCH(bool, removed);
        const Form &form = m_window->open().form();
        // Another row is selected: the command goes by the text, not the selection.
        form.mCombo->setCurrentIndex(form.mCombo->count() - 1);
        const QStringList before = rowsOf(*form.mCombo);
        const QByteArray fileBefore = contents(m_window->folder.file(u"mask.kmf"_s));
        form.mCombo->setEditText(mask);
        m_window->messages.setNextAnswer(yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No);
        form.sudButton->click();

        QCOMPARE(m_window->messages.shown.size(), asked ? 1 : 0);
        if (asked) {
            const auto &shown = m_window->messages.shown.front();
            QCOMPARE(shown.text, u"Are you sure you want to remove ["_s + mask + u"] from the list?"_s);
            QCOMPARE(shown.title, u"Remove Mask?"_s);
            QCOMPARE(shown.buttons, MessageBoxes::Buttons::YesNo);
            QCOMPARE(shown.icon, MessageBoxes::Icon::Question);
        }
        QStringList expected = before;
        if (removed)
            expected.removeOne(mask);
        QCOMPARE(rowsOf(*form.mCombo), expected);
        if (!removed)
            QCOMPARE(contents(m_window->folder.file(u"mask.kmf"_s)), fileBefore);
        else
            QCOMPARE(contents(m_window->folder.file(u"mask.kmf"_s)), MaskFile::text(expected));
    }

    // 100,000 masks come in whole and in order; removing and adding keep the
    // file equal to the box.
    void aLongList()
    {
        QStringList masks;
        for (int i = 0; i < 100000; ++i)
            masks.append(u"Xx##-%1"_s.arg(i));
        QVERIFY(MaskFile::save(m_window->folder.file(u"mask.kmf"_s), masks).ok);
        const Form &form = m_window->open().form();
        QCOMPARE(rowsOf(*form.mCombo), masks);
        QCOMPARE(form.mCombo->currentText(), masks.first());
        form.mCombo->setEditText(masks.takeAt(50000));
        m_window->messages.setNextAnswer(MessageBoxes::Answer::Yes);
        form.sudButton->click();
        form.mCombo->setEditText(u"Xx##-new"_s);
        form.addButton->click();
        QCOMPARE(rowsOf(*form.mCombo), masks << u"Xx##-new"_s);
        QCOMPARE(contents(m_window->folder.file(u"mask.kmf"_s)), MaskFile::text(masks));
    }

    void aFileThatCannotBeWrittenIsReported()
    {
        const Form &form = m_window->open().form();
        const QString path = m_window->folder.file(u"mask.kmf"_s);
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path)); // a folder where the file should be
        const QStringList before = rowsOf(*form.mCombo);
        form.mCombo->setEditText(u"Nn-####"_s);
        form.addButton->click();

        QCOMPARE(rowsOf(*form.mCombo), before + QStringList{u"Nn-####"_s});
        QCOMPARE(m_window->messages.shown.size(), 1);
        const auto &shown = m_window->messages.shown.front();
        QCOMPARE(shown.title, u"Error"_s);
        QCOMPARE(shown.icon, MessageBoxes::Icon::Critical);
        QVERIFY2(shown.text.contains(QDir::toNativeSeparators(path)), qPrintable(shown.text));
        QVERIFY(shown.text.split(u"\r\n"_s).size() == 2 && !shown.text.split(u"\r\n"_s).last().isEmpty());
    }

private:
    std::unique_ptr<TestSupport::IsolatedHome> m_home;
    std::unique_ptr<WindowTest::Fixture> m_window;
};

QTEST_MAIN(TestMaskList)
#include "tst_masklist.moc"
