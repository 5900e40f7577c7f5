#pragma once

#include "core/common/ProgramFolder.h"

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPropertyAnimation>
#include <QRect>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>

// The new-version notice (the window's control ctlpop): a small frameless
// pop-up at the bottom right of the screen that holds the main window. It
// stays above other windows without taking the focus, fades in, and goes away
// by itself after its display time, which stands still while the pointer is
// over it.
//
// Its content is a list of items drawn in order, each with a rectangle, an
// optional text, colours, a text format, an icon and an identifier that a
// click reports: 2 closes the notice, 3 closes it and opens the maker's site.
class NewVersionNotice : public QWidget
{
    Q_OBJECT

public:
    // The text formats are the Windows DrawText flags the items were designed
    // with; textFlags() turns them into Qt's.
    enum TextFormat {
        HorizontalCentre = 0x01,
        Right = 0x02,
        VerticalCentre = 0x04,
        Bottom = 0x08,
        WordBreak = 0x10,
        SingleLine = 0x20,
    };

    enum ItemId { NoId = 0, CloseId = 2, MessageId = 3 };

    struct Item
    {
        QRect rect;
        QString text;
        std::optional<QColor> background;
        std::optional<QColor> border;
        QColor textColor = Qt::black;
        int textFormat = 0;
        bool bold = false;
        bool hyperlink = true;
        QIcon icon; // drawn at iconSize from the rectangle's top left
        QSize iconSize;
        int id = NoId;
    };

    static constexpr QSize NoticeSize{200, 140};

    using UrlOpener = std::function<void(const QUrl &)>;

    explicit NewVersionNotice(QWidget *window = nullptr);

    // The version the last check announced, and this program's version.
    void setAvailableVersion(const QString &version) { m_availableVersion = version; }
    QString availableVersion() const { return m_availableVersion; }
    QString runningVersion() const { return m_runningVersion; }

    // Sets the timing, rebuilds the content and shows the notice.
    void ShowNewVersionNotice();
    // Builds the running version text and the items, replacing any earlier ones.
    void SetThemeSoft();
    // The icon file at the given size; a null icon when it is missing or unreadable.
    static QIcon LoadIconFile(ProgramFolder::File file, int width, int height);

    const QList<Item> &items() const { return m_items; }

    int animationTime() const { return m_animationTime; }
    void setAnimationTime(int milliseconds) { m_animationTime = milliseconds; }
    int displayTime() const { return m_displayTime; }
    // Also restarts the countdown of a notice on the screen.
    void setDisplayTime(int milliseconds);

    // How the maker's site is opened; the default hands it to the desktop.
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

    static Qt::Alignment textAlignment(int textFormat);
    static int textFlags(int textFormat);

signals:
    // Any click on an item with an identifier.
    void itemClicked(int id);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    Item &addItem(const QRect &rect, const QString &text = {}, std::optional<QColor> background = {},
                  std::optional<QColor> border = {});
    void fitHeightToText(Item &item) const;
    QFont fontFor(const Item &item) const;
    // The topmost item under the point, or -1.
    qsizetype itemAt(const QPoint &point) const;
    void clickItem(const Item &item);
    void placeOnScreen();
    void startCountdown();

    QString m_availableVersion;
    QString m_runningVersion;
    QList<Item> m_items;
    int m_animationTime = 0;
    int m_displayTime = 0;
    QTimer m_displayTimer;
    QPropertyAnimation m_fadeIn;
    qsizetype m_pressed = -1;
    qsizetype m_hovered = -1;
    bool m_pointerInside = false;
    UrlOpener m_openUrl;
};
