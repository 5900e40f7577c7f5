#pragma once

#include <QString>

class QAction;
class QFontMetrics;
class QObject;
class QWidget;

// Captions come from language files and may be 749 characters long. Each
// kind of place gives a caption a fixed width; a longer caption shows there
// elided, with the whole text in its tooltip and accessible name, so that no
// caption widens the window or pushes a control off the screen.
namespace FittedCaption {

enum class Room {
    Command, // a command button beside the result list
    Label,   // the label before a field on an option panel
    Line,    // a line of its own: a check box, an option box, a title, a menu entry
    Word,    // a word inside a line, such as the strength meter's rating
};

// The caption as it fits the room in this font: elided at its end if wider.
QString fitted(const QString &caption, const QFontMetrics &metrics, Room room);

// Shows a caption on a button, a label or a group box (as its title).
void show(QWidget &control, const QString &caption, Room room);
// Shows a caption on a menu entry.
void show(QAction &tool, const QString &caption);
// The tooltip a menu entry or a control shows while its caption fits; set
// before the caption is shown.
void setToolTip(QAction &tool, const QString &toolTip);
void setToolTip(QWidget &control, const QString &toolTip);

// The whole caption last shown through show(), else the control's text.
QString of(const QObject &control);

} // namespace FittedCaption
