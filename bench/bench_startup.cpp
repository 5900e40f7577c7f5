// Start-up as a user sees it: the time from starting a program to its
// window showing painted on the screen, for Tessaro and for a bare Qt
// window (a QMainWindow with a label), started in turn on a private X server.
// Each run also counts the writes of Tessaro.conf from the start until half
// a second after the window shows. Tessaro runs from portable copies of the
// build's program folder, in an isolated home, in these cases: a first
// start (no store), a usual start, a store holding a 5 MB value, and a
// mask.kmf of 100,000 masks.
//
// "Painted" is seen from outside: the server's root is black (-br) and Qt
// leaves a new window's background alone, so the window counts as shown
// once a row of its pixels is no longer black.

#include "BenchSupport.h"

#include "core/settings/SettingsTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDefaultRuns = 9;
constexpr qint64 kSettleNs = 500'000'000;     // writes are still counted this long after showing
constexpr qint64 kGiveUpNs = 120'000'000'000; // a start slower than this counts as failed
constexpr int kBigValueBytes = 5 * 1000 * 1000;
constexpr int kBigMaskList = 100'000;

// Xvfb on the first free display from :160 to :179, black root.
class XServer
{
public:
    ~XServer()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(5000);
        }
    }

    bool start()
    {
        for (int number = 160; number < 180; ++number) {
            const QString socket = u"/tmp/.X11-unix/X%1"_s.arg(number);
            if (QFileInfo::exists(socket) || QFileInfo::exists(u"/tmp/.X%1-lock"_s.arg(number)))
                continue;
            m_process.start(u"Xvfb"_s, {u":%1"_s.arg(number), u"-nolisten"_s, u"tcp"_s, u"-br"_s, u"-screen"_s, u"0"_s,
                                        u"1280x1024x24"_s});
            if (!m_process.waitForStarted())
                return false;
            for (int wait = 0; wait < 1000 && !QFileInfo::exists(socket); ++wait) {
                if (m_process.waitForFinished(10))
                    break;
            }
            if (m_process.state() == QProcess::Running && QFileInfo::exists(socket)) {
                m_display = u":%1"_s.arg(number);
                return true;
            }
        }
        return false;
    }

    const QString &display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};

// Counts the writes of one file in a folder. The store is written through
// QSaveFile, which links a new file into place (create) or renames a
// finished one onto the old (moved to). Not counted: an empty file created
// and closed at once (create, then close write as the very next event),
// which only sets the file's mode before its first write; and the other
// closes after writing, as QSettings opens the file for writing before each
// replacement without writing to it.
class FileWrites
{
public:
    FileWrites(const QString &folder, const QString &name) : m_name(name.toLocal8Bit())
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                          IN_CREATE | IN_MOVED_TO | IN_MOVED_FROM | IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_DELETE);
    }
    ~FileWrites() { ::close(m_fd); }

    // The writes since the last call.
    int take()
    {
        int writes = 0;
        alignas(inotify_event) char buffer[16384];
        for (ssize_t got; (got = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (char *at = buffer; at < buffer + got;) {
                const auto *event = reinterpret_cast<const inotify_event *>(at);
                at += sizeof(inotify_event) + event->len;
                const bool ours = event->len && m_name == event->name;
                if (ours && (event->mask & IN_CLOSE_WRITE) && m_justCreated)
                    --writes; // the create just counted made an empty file
                m_justCreated = ours && (event->mask & IN_CREATE);
                if (ours && (event->mask & (IN_CREATE | IN_MOVED_TO)))
                    ++writes;
            }
        }
        return writes;
    }

private:
    int m_fd = -1;
    QByteArray m_name;
    bool m_justCreated = false;
};

// True once the row of pixels 8 px from the top of the window is not all black.
bool isPainted(xcb_connection_t *x, xcb_window_t window)
{
    xcb_generic_error_t *error = nullptr;
    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(x, xcb_get_geometry(x, window), &error);
    free(error);
    if (!geometry)
        return false;
    const auto row = int16_t(std::min(8, geometry->height - 1));
    const uint16_t width = geometry->width;
    free(geometry);
    xcb_get_image_reply_t *image =
        xcb_get_image_reply(x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, row, width, 1, ~0u), &error);
    free(error);
    if (!image)
        return false;
    const uint8_t *pixels = xcb_get_image_data(image);
    const bool painted =
        std::any_of(pixels, pixels + xcb_get_image_data_length(image), [](uint8_t byte) { return byte != 0; });
    free(image);
    return painted;
}

struct Run
{
    double shownMs = -1; // -1: the window never showed
    int writes = 0;      // of Tessaro.conf, the program's own key
    int makerWrites = 0; // of Brasmoor.conf, the maker's key (the install path)
};

// Starts the program and waits for its first top-level window to show painted.
Run startAndWatch(const QString &program, xcb_connection_t *x, FileWrites &writes, FileWrites &makerWrites)
{
    writes.take();
    makerWrites.take();
    Run run;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    xcb_window_t window = XCB_NONE;
    qint64 shownAt = -1;
    while (clock.nsecsElapsed() < kGiveUpNs) {
        pollfd events{xcb_get_file_descriptor(x), POLLIN, 0};
        ::poll(&events, 1, 1);
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *mapped = reinterpret_cast<const xcb_map_notify_event_t *>(event);
                if (!mapped->override_redirect && window == XCB_NONE)
                    window = mapped->window;
            }
            free(event);
        }
        if (window != XCB_NONE && shownAt < 0 && isPainted(x, window))
            shownAt = clock.nsecsElapsed();
        if (shownAt >= 0 && clock.nsecsElapsed() - shownAt > kSettleNs)
            break;
        if (process.waitForFinished(0))
            break;
    }
    run.writes = writes.take();
    run.makerWrites = makerWrites.take();
    process.kill();
    process.waitForFinished();
    if (shownAt >= 0)
        run.shownMs = shownAt / 1e6;
    return run;
}

void copyFolder(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Case
{
    const char *name;
    QString program;
    std::function<void()> prepare;
    std::vector<Run> runs;

    double shownMedian() const
    {
        std::vector<double> times;
        for (const Run &run : runs)
            times.push_back(run.shownMs < 0 ? 1e9 : run.shownMs);
        std::sort(times.begin(), times.end());
        return times.empty() ? 0 : times[times.size() / 2];
    }
    std::pair<double, double> shownRange() const
    {
        const auto [least, most] = std::minmax_element(
            runs.begin(), runs.end(), [](const Run &a, const Run &b) { return a.shownMs < b.shownMs; });
        return {least->shownMs, most->shownMs};
    }
    int mostWrites(int Run::*file) const
    {
        int most = 0;
        for (const Run &run : runs)
            most = std::max(most, run.*file);
        return most;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir &home = BenchSupport::isolatedHome();
    QCoreApplication app(argc, argv);
    // bench_startup [runs [tessaro]]: another build's tessaro may be compared.
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : kDefaultRuns;
    const QString tessaro =
        argc > 2 ? QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath() : QStringLiteral(TESSARO_PATH);
    if (QStandardPaths::findExecutable(u"Xvfb"_s).isEmpty()) {
        std::printf("bench_startup: Xvfb is not installed, nothing measured\n");
        return 0;
    }
    XServer server;
    if (!server.start()) {
        std::printf("bench_startup: Xvfb did not start on any display from :160 to :179\n");
        return 1;
    }
    qputenv("DISPLAY", server.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("WAYLAND_DISPLAY");
    int screenNumber = 0;
    xcb_connection_t *x = xcb_connect(server.display().toLocal8Bit().constData(), &screenNumber);
    if (xcb_connection_has_error(x)) {
        std::printf("bench_startup: cannot connect to %s\n", qPrintable(server.display()));
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t substructure = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &substructure);
    xcb_flush(x);

    // A portable copy of the program folder, whose mask.kmf each case sets.
    const QString built = QFileInfo(tessaro).absolutePath();
    const QString program = home.filePath(u"program"_s);
    copyFolder(built, program);
    const QString maskFile = program + u"/mask.kmf"_s;
    const QByteArray starterMasks = readFile(maskFile);
    QByteArray manyMasks;
    for (int i = 0; i < kBigMaskList; ++i)
        manyMasks += "Xxxx-####-" + QByteArray::number(i) + "\r\n";

    const QString configFolder = qEnvironmentVariable("XDG_CONFIG_HOME") + u"/Brasmoor"_s;
    const QString store = configFolder + u"/Tessaro.conf"_s;
    QDir().mkpath(configFolder);
    FileWrites writes(configFolder, u"Tessaro.conf"_s);
    FileWrites makerWrites(QFileInfo(configFolder).path(), u"Brasmoor.conf"_s);
    // Each case starts from a store and a mask list of its own.
    const auto prepare = [&](const QByteArray &storeBytes, const QByteArray &masks) {
        return [&, storeBytes, masks] {
            if (storeBytes.isNull()) { // no store at all: the install path goes too
                QFile::remove(store);
                QFile::remove(configFolder + u".conf"_s);
            } else {
                writeFile(store, storeBytes);
            }
            writeFile(maskFile, masks);
        };
    };

    // The store a first start leaves, and the same with a 5 MB value.
    writeFile(maskFile, starterMasks);
    startAndWatch(program + u"/tessaro"_s, x, writes, makerWrites);
    const QByteArray usualStore = readFile(store);
    {
        QSettings settings(store, QSettings::IniFormat);
        settings.setValue(u"Junk"_s, QString(kBigValueBytes, u'j'));
    }
    const QByteArray bigValueStore = readFile(store);
    // A usual store with German chosen: Qt's German translation is loaded too.
    QByteArray germanStore = usualStore;
    germanStore.replace("Language=English", "Language=German");

    const QString tessaroCopy = program + u"/tessaro"_s;
    std::vector<Case> cases{
        {"bare QMainWindow with a label", QStringLiteral(BARE_WINDOW_PATH), [] {}, {}},
        {"Tessaro, first start (no store)", tessaroCopy, prepare(QByteArray(), starterMasks), {}},
        {"Tessaro, usual start", tessaroCopy, prepare(usualStore, starterMasks), {}},
        {"Tessaro, a 5 MB value in the store", tessaroCopy, prepare(bigValueStore, starterMasks), {}},
        {"Tessaro, 100,000 masks in mask.kmf", tessaroCopy, prepare(usualStore, manyMasks), {}},
        {"Tessaro, usual start in German", tessaroCopy, prepare(germanStore, starterMasks), {}},
    };
    // One round unmeasured: the font and library caches are warm afterwards.
    for (int round = -1; round < runs; ++round) {
        for (Case &each : cases) {
            each.prepare();
            const Run run = startAndWatch(each.program, x, writes, makerWrites);
            if (round >= 0)
                each.runs.push_back(run);
        }
    }
    xcb_disconnect(x);

    std::printf("Start-up on Xvfb %s, %d runs each in turn; time from start to the painted window\n%s\n",
                qPrintable(server.display()), runs, qPrintable(tessaro));
    std::printf("%-40s %9s %9s %9s  %s\n", "", "median", "min", "max", "most writes of Tessaro.conf, Brasmoor.conf");
    for (const Case &each : cases) {
        const auto [least, most] = each.shownRange();
        std::printf("%-40s %6.1f ms %6.1f ms %6.1f ms  %d, %d\n", each.name, each.shownMedian(), least, most,
                    each.mostWrites(&Run::writes), each.mostWrites(&Run::makerWrites));
    }
    const double bare = cases[0].shownMedian();
    std::printf("usual start / bare window: %.2f (target at most 1.25)\n", cases[2].shownMedian() / bare);
    std::printf("5 MB value: %.0f ms (target under 2000 ms)\n", cases[3].shownMedian());
    std::printf("100,000 masks: %+.0f ms against the usual start (target at most +1000 ms)\n",
                cases[4].shownMedian() - cases[2].shownMedian());
    std::printf("usual start in German / bare window: %.2f (target at most 1.3)\n", cases[5].shownMedian() / bare);
    int mostWrites = 0;
    for (const Case &each : cases)
        mostWrites = std::max(mostWrites, each.mostWrites(&Run::writes));
    std::printf("most writes of Tessaro.conf in one start: %d (target at most 1)\n", mostWrites);
    return 0;
}
