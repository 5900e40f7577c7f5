#include "platform/dialogs/FileDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLayout>
#include <QListView>
#include <QLocale>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeView>

#include <algorithm>

namespace {

// Room a window manager's frame takes around the dialog.
constexpr QSize kFrameAllowance(16, 40);

int widest(const QFontMetrics &metrics, const QStringList &texts)
{
    int width = 0;
    for (const QString &text : texts)
        width = std::max(width, metrics.horizontalAdvance(text));
    return width;
}

// The longest texts of the size, type and date columns: the largest sizes
// of each unit, the types of folders and of the files the filters show, and
// the date of every month at its widest time.
QList<QStringList> columnSamples(const QStringList &nameFilters)
{
    const QLocale locale = QLocale::system();
    QStringList sizes;
    for (const qint64 bytes : {qint64(1023), qint64(1048575) - 5000, qint64(1073741823) - 5000000})
        sizes.append(locale.formattedDataSize(bytes));
    QStringList types{QFileDialog::tr("Folder")};
    const QMimeDatabase mimeTypes;
    static const QRegularExpression pattern(QStringLiteral("\\*(\\.[^ ;)]+)"));
    for (const QString &filter : nameFilters) {
        for (const QRegularExpressionMatch &match : pattern.globalMatch(filter))
            types.append(mimeTypes.mimeTypeForFile(u'x' + match.captured(1), QMimeDatabase::MatchExtension).comment());
    }
    QStringList dates;
    for (int month = 1; month <= 12; ++month)
        dates.append(locale.toString(QDateTime(QDate(2000, month, 28), QTime(20, 58, 58)), QLocale::ShortFormat));
    return {sizes, types, dates};
}

// Widens the list's columns and the side panel to what they show, and
// returns the dialog's width for them.
int fitColumnsAndSidePanel(QFileDialog &dialog, QTreeView &list, QListView &sidePanel, QSplitter &splitter,
                           const QStringList &nameFilters)
{
    QHeaderView &header = *list.header();
    const QFontMetrics metrics(list.font());
    // The item's margins and a little air.
    const int padding = 2 * list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 16;
    const QList<QStringList> samples = columnSamples(nameFilters);
    int columns = header.sectionSize(0);
    for (int column = 1; column <= 3 && column < header.count(); ++column) {
        const int wanted = std::max(widest(metrics, samples.at(column - 1)) + padding, header.sectionSizeHint(column));
        header.resizeSection(column, std::max(header.sectionSize(column), wanted));
        columns += header.sectionSize(column);
    }
    const int side = sidePanel.sizeHintForColumn(0) + 2 * sidePanel.frameWidth() + padding;
    const int rest = splitter.width() - splitter.handleWidth() - side;
    splitter.setSizes({side, std::max(rest, columns)});

    const int scrollBar = list.verticalScrollBar()->sizeHint().width();
    const QMargins margins = dialog.layout() ? dialog.layout()->contentsMargins() : QMargins();
    return margins.left() + side + splitter.handleWidth() + 2 * list.frameWidth() + columns + scrollBar +
           margins.right();
}

} // namespace

QString QtFileDialogs::chooseFile(const Request &request)
{
    QWidget *const parent = QApplication::activeWindow();
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setNameFilters(request.nameFilters);
    if (!request.nameFilters.isEmpty())
        dialog.selectNameFilter(request.nameFilters.first());
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.kind == Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);

    // Qt's own dialog is too narrow for its columns and side panel: they are
    // widened, and the dialog with them unless it is given a size. A native
    // dialog, where the desktop has one, sizes itself.
    auto *const list = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    auto *const sidePanel = dialog.findChild<QListView *>(QStringLiteral("sidebar"));
    auto *const splitter = dialog.findChild<QSplitter *>(QStringLiteral("splitter"));
    QSize size = request.size;
    if (list && sidePanel && splitter) {
        dialog.layout()->activate();
        const int width = fitColumnsAndSidePanel(dialog, *list, *sidePanel, *splitter, request.nameFilters);
        if (!size.isValid())
            size = QSize(std::max(width, dialog.width()), std::max(dialog.width() * 3 / 4, dialog.height()));
    }
    if (size.isValid()) {
        const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        if (screen)
            size = size.boundedTo(screen->availableSize() - kFrameAllowance);
        dialog.resize(size);
    }

    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_lastSize = dialog.size();
    return accepted ? dialog.selectedFiles().value(0) : QString();
}
