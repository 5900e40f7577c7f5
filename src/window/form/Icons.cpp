#include "window/form/Icons.h"

#include "core/common/ProgramFolder.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QStyle>

#include <functional>

namespace {

// A glyph drawn in the palette's text colour on a 24-unit grid, at 16 and 24
// pixels and twice that for high-resolution screens.
QIcon drawn(const std::function<void(QPainterPath &)> &shape)
{
    QPainterPath path;
    shape(path);
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 24.0, size / 24.0);
        QPen pen(QApplication::palette().color(QPalette::WindowText), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.drawPath(path);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon themed(const char *name, const std::function<QIcon()> &fallback)
{
    const QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
    return icon.isNull() ? fallback() : icon;
}

// The program's own image from the data folder (icons/<name>.png; QIcon adds
// the @2x variant beside it by itself), or the fallback when it is missing.
QIcon shipped(const char *name, const std::function<QIcon()> &fallback)
{
    const QString path =
        ProgramFolder::dataFolder() + QStringLiteral("/icons/") + QLatin1StringView(name) + QStringLiteral(".png");
    return QFileInfo::exists(path) ? QIcon(path) : fallback();
}

QIcon standard(QStyle::StandardPixmap pixmap)
{
    return QApplication::style()->standardIcon(pixmap);
}

// Draws an icon at both common pixel ratios, so it stays sharp on high-DPI screens.
QIcon painted(int size, const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(size, size) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

namespace Icons {

QIcon add()
{
    return shipped("add", [] {
        return themed("list-add", [] {
            return drawn([](QPainterPath &p) {
                p.moveTo(12, 5);
                p.lineTo(12, 19);
                p.moveTo(5, 12);
                p.lineTo(19, 12);
            });
        });
    });
}

QIcon remove()
{
    return shipped("remove", [] {
        return themed("list-remove", [] {
            return drawn([](QPainterPath &p) {
                p.moveTo(5, 12);
                p.lineTo(19, 12);
            });
        });
    });
}

QIcon done()
{
    return shipped("panel-ok", [] {
        return themed("dialog-ok-apply", [] {
            return drawn([](QPainterPath &p) {
                p.moveTo(5, 12.5);
                p.lineTo(10, 17.5);
                p.lineTo(19, 7);
            });
        });
    });
}

QIcon menu()
{
    return shipped("menu", [] {
        return drawn([](QPainterPath &p) {
            p.moveTo(7, 10);
            p.lineTo(12, 15);
            p.lineTo(17, 10);
        });
    });
}

QIcon copy()
{
    return shipped("copy", [] {
        return themed("edit-copy", [] {
            return drawn([](QPainterPath &p) {
                p.addRoundedRect(8, 8, 11, 12, 1.5, 1.5);
                p.moveTo(5, 16);
                p.lineTo(5, 5);
                p.lineTo(14, 5);
            });
        });
    });
}

QIcon save()
{
    return shipped("save-text",
                   [] { return themed("document-save", [] { return standard(QStyle::SP_DialogSaveButton); }); });
}

QIcon exit()
{
    return shipped("exit",
                   [] { return themed("application-exit", [] { return standard(QStyle::SP_DialogCloseButton); }); });
}

QIcon help()
{
    return shipped("help",
                   [] { return themed("help-contents", [] { return standard(QStyle::SP_DialogHelpButton); }); });
}

QIcon about()
{
    return shipped("about",
                   [] { return themed("help-about", [] { return standard(QStyle::SP_MessageBoxInformation); }); });
}

QIcon settings()
{
    return shipped("options", [] { return themed("configure", [] { return QIcon(); }); });
}

QIcon newVersion(int size)
{
    return painted(size, [size](QPainter &painter) {
        const qreal s = size;
        QLinearGradient fill(0, 0, 0, s);
        fill.setColorAt(0, QColor(86, 156, 230));
        fill.setColorAt(1, QColor(24, 94, 178));
        painter.setPen(QPen(QColor(18, 72, 140), 1));
        painter.setBrush(fill);
        painter.drawEllipse(QRectF(1.5, 1.5, s - 3, s - 3));
        QPainterPath arrow;
        arrow.moveTo(s * 0.42, s * 0.22);
        arrow.lineTo(s * 0.58, s * 0.22);
        arrow.lineTo(s * 0.58, s * 0.48);
        arrow.lineTo(s * 0.72, s * 0.48);
        arrow.lineTo(s * 0.50, s * 0.72);
        arrow.lineTo(s * 0.28, s * 0.48);
        arrow.lineTo(s * 0.42, s * 0.48);
        arrow.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPath(arrow);
        painter.fillRect(QRectF(s * 0.28, s * 0.76, s * 0.44, s * 0.07), Qt::white);
    });
}

QIcon closeNotice(int size)
{
    return painted(size, [size](QPainter &painter) {
        const qreal s = size;
        painter.setPen(QPen(QColor(90, 90, 90), s / 8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(s * 0.25, s * 0.25), QPointF(s * 0.75, s * 0.75));
        painter.drawLine(QPointF(s * 0.75, s * 0.25), QPointF(s * 0.25, s * 0.75));
    });
}

} // namespace Icons
