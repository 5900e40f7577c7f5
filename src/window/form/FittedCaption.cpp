#include "window/form/FittedCaption.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>

namespace FittedCaption {

namespace {

constexpr char kCaption[] = "wholeCaption";
constexpr char kOwnToolTip[] = "ownToolTip";
constexpr char kOwnAccessibleName[] = "ownAccessibleName";

// The widths in average characters of the window's font: the Line room
// still fits the main window's panels at their starting width.
int widthInCharacters(Room room)
{
    switch (room) {
    case Room::Command:
        return 20;
    case Room::Label:
        return 28;
    case Room::Word:
        return 14;
    case Room::Line:
        break;
    }
    return 60;
}

// Remembers what the control says of itself before a caption first replaces it.
void keepOwn(QObject &control, const char *property, const QString &own)
{
    if (!control.property(property).isValid())
        control.setProperty(property, own);
}

} // namespace

QString fitted(const QString &caption, const QFontMetrics &metrics, Room room)
{
    return metrics.elidedText(caption, Qt::ElideRight, metrics.averageCharWidth() * widthInCharacters(room),
                              Qt::TextShowMnemonic);
}

void show(QWidget &control, const QString &caption, Room room)
{
    keepOwn(control, kOwnToolTip, control.toolTip());
    keepOwn(control, kOwnAccessibleName, control.accessibleName());
    const QString shown = fitted(caption, control.fontMetrics(), room);
    if (auto *button = qobject_cast<QAbstractButton *>(&control))
        button->setText(shown);
    else if (auto *label = qobject_cast<QLabel *>(&control))
        label->setText(shown);
    else if (auto *box = qobject_cast<QGroupBox *>(&control))
        box->setTitle(shown);
    control.setProperty(kCaption, caption);
    const bool whole = shown == caption;
    control.setToolTip(whole ? control.property(kOwnToolTip).toString() : caption);
    control.setAccessibleName(whole ? control.property(kOwnAccessibleName).toString() : caption);
}

void show(QAction &tool, const QString &caption)
{
    keepOwn(tool, kOwnToolTip, QString());
    const QString shown = fitted(caption, QFontMetrics(QApplication::font("QMenu")), Room::Line);
    tool.setText(shown);
    tool.setProperty(kCaption, caption);
    tool.setToolTip(shown == caption ? tool.property(kOwnToolTip).toString() : caption);
}

void setToolTip(QAction &tool, const QString &toolTip)
{
    tool.setProperty(kOwnToolTip, toolTip);
    tool.setToolTip(toolTip);
}

void setToolTip(QWidget &control, const QString &toolTip)
{
    control.setProperty(kOwnToolTip, toolTip);
    control.setToolTip(toolTip);
}

QString of(const QObject &control)
{
    const QVariant caption = control.property(kCaption);
    if (caption.isValid())
        return caption.toString();
    const QVariant title = control.property("title");
    return title.isValid() ? title.toString() : control.property("text").toString();
}

} // namespace FittedCaption
