#include "window/update/NewVersionNotice.h"

#include "core/localisation/LanguageTexts.h"
#include "core/update/SiteAddress.h"
#include "window/form/Icons.h"

#include <QEnterEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace {

constexpr int ShowTime = 5000;
constexpr int FadeTime = 300;

QRect fromEdges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

QRect hitArea(const NewVersionNotice::Item &item)
{
    if (item.icon.isNull())
        return item.rect;
    return item.rect.united(QRect(item.rect.topLeft(), item.iconSize));
}

} // namespace

NewVersionNotice::NewVersionNotice(QWidget *window)
    : QWidget(window, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_fadeIn(this, "windowOpacity")
{
    setObjectName(u"ctlpop"_s);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setFixedSize(NoticeSize);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    m_displayTimer.setSingleShot(true);
    connect(&m_displayTimer, &QTimer::timeout, this, &QWidget::close);
    m_fadeIn.setDuration(FadeTime);
    m_fadeIn.setStartValue(0.0);
    m_fadeIn.setEndValue(1.0);
    connect(&m_fadeIn, &QPropertyAnimation::finished, this, &NewVersionNotice::startCountdown);
}

void NewVersionNotice::ShowNewVersionNotice()
{
    SetThemeSoft();

    m_displayTimer.stop();
    m_fadeIn.stop();
    placeOnScreen();
    setWindowOpacity(0.0);
    if (isVisible())
        raise(); // a second announcement comes to the front again
    show();
    m_fadeIn.start();
}

void NewVersionNotice::SetThemeSoft()
{
    m_items.clear();
    m_items.reserve(7); // the references below stay valid while items are added
    m_hovered = m_pressed = -1;

    // Frame and white body.
    addItem(fromEdges(0, 0, 200, 140), {}, QColor(244, 243, 238), QColor(0, 0, 0));
    addItem(fromEdges(5, 25, 195, 135), {}, QColor(255, 255, 255), QColor(0, 0, 0));

    Item &versionLine =
        addItem(fromEdges(60, 27, 200, 45), Localisation::text("Notice02"_L1).arg(QStringLiteral(TESSARO_VERSION)));
    versionLine.textColor = QColor(150, 150, 150);
    versionLine.hyperlink = false;

    Item &message = addItem(fromEdges(10, 70, 200, 100), Localisation::text("Notice03"_L1).arg(m_availableVersion));
    message.textFlags |= Qt::TextWordWrap;
    message.textColor = QColor(0, 0, 0);
    fitHeightToText(message);
    message.id = MessageId;

    Item &picture = addItem(fromEdges(12, 30, 12, 47));
    picture.icon = LoadIconFile(ProgramFolder::File::UpdateIcon, 32, 32);
    if (picture.icon.isNull())
        picture.icon = Icons::newVersion(32);
    picture.iconSize = QSize(32, 32);

    Item &title = addItem(fromEdges(5, 0, 200, 25), Localisation::text("Notice01"_L1));
    title.textFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    title.textColor = QColor(0, 0, 0);
    title.bold = true;
    title.hyperlink = false;

    Item &close = addItem(fromEdges(181, 6, 194, 19));
    close.icon = LoadIconFile(ProgramFolder::File::CloseIcon, 16, 16);
    if (close.icon.isNull())
        close.icon = Icons::closeNotice(16);
    close.iconSize = QSize(16, 16);
    close.id = CloseId;

    setFixedSize(NoticeSize);
    update();
}

QIcon NewVersionNotice::LoadIconFile(ProgramFolder::File file, int width, int height)
{
    const QString path = ProgramFolder::path(file);
    if (!QFileInfo(path).isFile())
        return {};
    const QIcon icon(path);
    if (icon.pixmap(QSize(width, height)).isNull())
        return {};
    return icon;
}

NewVersionNotice::Item &NewVersionNotice::addItem(const QRect &rect, const QString &text,
                                                  std::optional<QColor> background, std::optional<QColor> border)
{
    Item item;
    item.rect = rect;
    item.text = text;
    item.background = background;
    item.border = border;
    m_items.append(item);
    return m_items.last();
}

QFont NewVersionNotice::fontFor(const Item &item) const
{
    QFont itemFont = font();
    itemFont.setBold(item.bold);
    itemFont.setUnderline(item.hyperlink && item.id != NoId && m_hovered >= 0 && &m_items[m_hovered] == &item);
    return itemFont;
}

void NewVersionNotice::fitHeightToText(Item &item) const
{
    const QFontMetrics metrics(fontFor(item));
    const QRect room(item.rect.topLeft(), QSize(item.rect.width(), 10'000));
    item.rect.setHeight(metrics.boundingRect(room, item.textFlags, item.text).height());
}

void NewVersionNotice::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (const Item &item : std::as_const(m_items)) {
        if (item.background)
            painter.fillRect(item.rect, *item.background);
        if (item.border) {
            painter.setPen(QPen(*item.border, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(item.rect.adjusted(0, 0, -1, -1));
        }
        if (!item.icon.isNull())
            item.icon.paint(&painter, QRect(item.rect.topLeft(), item.iconSize));
        if (!item.text.isEmpty()) {
            painter.setFont(fontFor(item));
            painter.setPen(item.textColor);
            painter.drawText(item.rect, item.textFlags, item.text);
        }
    }
}

qsizetype NewVersionNotice::itemAt(const QPoint &point) const
{
    for (qsizetype index = m_items.size() - 1; index >= 0; --index) {
        if (hitArea(m_items[index]).contains(point))
            return index;
    }
    return -1;
}

void NewVersionNotice::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton ? itemAt(event->position().toPoint()) : -1;
}

void NewVersionNotice::mouseReleaseEvent(QMouseEvent *event)
{
    const qsizetype released = event->button() == Qt::LeftButton ? itemAt(event->position().toPoint()) : -1;
    const bool clicked = released >= 0 && released == m_pressed;
    m_pressed = -1;
    if (clicked && m_items[released].id != NoId)
        clickItem(m_items[released]);
}

void NewVersionNotice::clickItem(const Item &item)
{
    const int id = item.id;
    emit itemClicked(id);
    if (id == CloseId) {
        close();
    } else if (id == MessageId) {
        close();
        if (m_openUrl)
            m_openUrl(SiteAddress::siteUrl());
    }
}

void NewVersionNotice::mouseMoveEvent(QMouseEvent *event)
{
    const qsizetype hovered = itemAt(event->position().toPoint());
    const bool clickable = hovered >= 0 && m_items[hovered].id != NoId;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (hovered != m_hovered) {
        m_hovered = hovered;
        update();
    }
}

void NewVersionNotice::enterEvent(QEnterEvent *event)
{
    m_pointerInside = true;
    m_displayTimer.stop();
    QWidget::enterEvent(event);
}

void NewVersionNotice::leaveEvent(QEvent *event)
{
    m_pointerInside = false;
    m_hovered = -1;
    update();
    if (isVisible() && m_fadeIn.state() != QAbstractAnimation::Running)
        startCountdown();
    QWidget::leaveEvent(event);
}

void NewVersionNotice::startCountdown()
{
    if (!m_pointerInside)
        m_displayTimer.start(ShowTime);
}

void NewVersionNotice::placeOnScreen()
{
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.right() + 1 - width(), area.bottom() + 1 - height());
}
