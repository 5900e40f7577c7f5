#pragma once

#include <QList>
#include <QMenuBar>

class QAction;
class QMenu;
enum class ToolMenu; // toolbar/ToolCodes.h

// The toolbar and menu control genbars: the menus ID_File, ID_Edit and
// ID_Save, shown as the window's menu bar, and the seventeen tools addressed
// by a 1-based index. Choosing any tool raises toolClicked with that tool.
class ToolBand final : public QMenuBar
{
    Q_OBJECT

public:
    static constexpr int kToolCount = 17;
    // The Help sub-menu, a captioned tool of the File menu.
    static constexpr int kHelpIndex = 10;

    explicit ToolBand(QWidget *parent = nullptr);

    // The tool with the given 1-based index, or nullptr.
    QAction *tool(int index) const;
    // The 1-based index of a tool, or 0 for an action that is none.
    int indexOf(const QAction &tool) const;
    QMenu *menu(ToolMenu menu) const { return m_menus.at(qsizetype(menu)); }
    // Pops up the menu at a screen position, without waiting for the choice.
    void popUp(ToolMenu menu, const QPoint &globalPosition);

signals:
    void toolClicked(QAction *tool);

private:
    void giveIconOnFirstOpening(QMenu &menu, QAction &tool, QIcon (*icon)());
    QList<QAction *> m_tools;
    QList<QMenu *> m_menus;
};
