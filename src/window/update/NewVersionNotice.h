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
// optional text, colours, Qt's text flags, an icon and an identifier that a
// click reports: 2 closes the notice, 3 closes it and opens the maker's site.
class NewVersionNotice : public QWidget
{
    Q_OBJECT

public:
    enum ItemId { NoId = 0, CloseId = 2, MessageId = 3 };

    struct Item
    {
        QRect rect;
        QString text;
        std::optional<QColor> background;
        std::optional<QColor> border;
        QColor textColor = Qt::black;
        int textFlags = Qt::AlignLeft | Qt::AlignTop; // Qt::AlignmentFlag and Qt::TextFlag
        bool bold = false;
        bool hyperlink = true;
        QIcon icon; // drawn at iconSize from the rectangle's top left
        QSize iconSize;
        int id = NoId;
    };

    static constexpr QSize NoticeSize{200, 140};

    using UrlOpener = std::function<void(const QUrl &)>;

    explicit NewVersionNotice(QWidget *window = nullptr);

    // The version the last check announced.
    void setAvailableVersion(const QString &version) { m_availableVersion = version; }
    QString availableVersion() const { return m_availableVersion; }

    // Rebuilds the content and shows the notice.
    void ShowNewVersionNotice();
    // Builds the items, replacing any earlier ones.
    void SetThemeSoft();
    // The icon file at the given size; a null icon when it is missing or unreadable.
    static QIcon LoadIconFile(ProgramFolder::File file, int width, int height);

    const QList<Item> &items() const { return m_items; }

    // How the maker's site is opened; the default hands it to the desktop.
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

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
    QList<Item> m_items;
    QTimer m_displayTimer;
    QPropertyAnimation m_fadeIn;
    qsizetype m_pressed = -1;
    qsizetype m_hovered = -1;
    bool m_pointerInside = false;
    UrlOpener m_openUrl;
};
