// The window's own cost with a million passwords: generating into genList
// and painting it once, then Copy All and Save as CSV of those rows. The
// core generator into the in-memory list is measured alongside, so that the
// window's overhead can be read apart from the generator's speed.

#include "BenchSupport.h"

#include "dialogs/RecordingFileDialogs.h"
#include "generate/GenerateCommand.h"
#include "generation/MemoryResultList.h"
#include "generation/PasswordGenerator.h"
#include "MainWindow.h"
#include "messages/RecordingMessageBoxes.h"
#include "results/ResultCommands.h"
#include "results/ResultListView.h"
#include "settings/SettingsTable.h"
#include "shell/RecordingShell.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>

#include <cstdio>
#include <functional>

namespace {

qint64 timed(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed();
}

void line(const char *what, qint64 nanoseconds)
{
    std::printf("%-52s %9.1f ms  peak RSS %6.1f MB\n", what, nanoseconds / 1e6, BenchSupport::peakRssMegabytes());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir &home = BenchSupport::isolatedHome();
    QApplication app(argc, argv);
    for (const Settings::Definition &definition : Settings::table()) {
        if (definition.startupDefault)
            Settings::write(definition.name, QString::fromLatin1(definition.startupDefault));
    }
    Settings::write(Settings::Name::SaveM, QStringLiteral("0"));
    Settings::write(Settings::Name::SaveN, QStringLiteral("0"));

    const QString mask = QStringLiteral("Xxxx-####-@@@@");
    constexpr qint32 count = 1000000;

    RecordingMessageBoxes messages;
    RecordingFileDialogs dialogs;
    RecordingShell shell;
    MainWindow window(WindowServices{&messages, &dialogs, &shell});
    window.resize(560, 460);
    window.show();
    QCoreApplication::processEvents();
    ResultListView &list = *window.form().genList;
    window.form().mCombo->setEditText(mask);
    window.form().spinner->setText(QString::number(count));

    std::printf("window shown, before generating: peak RSS %.1f MB\n", BenchSupport::peakRssMegabytes());

    // The Generate command as a click runs it, and the first paint of the
    // window that shows the result.
    const qint64 generate = timed([&] { window.generate(); });
    const qint64 paint = timed([&] { (void)window.grab(); });
    line("Generate 1,000,000 into genList (command)", generate);
    line("first paint of the window", paint);
    line("Generate + paint", generate + paint);
    std::printf("rows: %d\n", list.GetItemCount());

    // The generator alone, into the in-memory list: what the window adds is
    // the difference.
    qint64 core = 0;
    {
        MemoryResultList memory;
        core = timed([&] { GeneratePasswords(memory, count, mask); });
    }
    line("GeneratePasswords alone (in-memory list)", core);
    line("window overhead (Generate + paint - generator alone)", generate + paint - core);

    // A second batch over the first: emptying a full list is part of it.
    const qint64 again = timed([&] {
        window.generate();
        (void)window.grab();
    });
    line("Generate + paint over a full list", again);

    ResultCommands &results = window.results();
    line("Copy All of 1,000,000 rows", timed([&] { results.CopyAllResults(); }));
    const QString csvPath = home.filePath(QStringLiteral("bench.csv"));
    dialogs.answerNextWith(csvPath);
    line("Save as CSV of 1,000,000 rows", timed([&] { results.SaveResultsAsCsv(); }));
    std::printf("CSV file: %.1f MB, messages shown: %lld\n", QFileInfo(csvPath).size() / 1e6,
                qint64(messages.shown.size()));

    // Passphrases: three words of the shipped list and two digits.
    Settings::write(Settings::Name::wMask, QStringLiteral("w"));
    Settings::write(Settings::Name::Words, QStringLiteral(TESSARO_WORD_LIST));
    window.form().mCombo->setEditText(QStringLiteral("w-w-w-##"));
    line("Generate + paint, 1,000,000 of w-w-w-## (target 400)", timed([&] {
             window.generate();
             (void)window.grab();
         }));
    std::printf("rows: %d, e.g. %s, messages shown: %lld\n", list.GetItemCount(), qPrintable(list.ItemText(0)),
                qint64(messages.shown.size()));
    return 0;
}
