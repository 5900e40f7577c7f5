#include "window/toolbar/ToolBand.h"

#include "core/localisation/LanguageTexts.h"
#include "window/form/FittedCaption.h"
#include "window/toolbar/ToolCodes.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QMenu *namedMenu(const char *id, const QString &caption, QWidget *parent)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1StringView(id));
    menu->setToolTipsVisible(true);
    return menu;
}

QString english(const char *key)
{
    return key ? Localisation::englishText(QLatin1StringView(key)) : QString();
}

QAction *newTool(const QString &caption, const QString &toolTip = {})
{
    auto *action = new QAction(caption);
    if (!toolTip.isEmpty())
        FittedCaption::setToolTip(*action, toolTip);
    return action;
}

} // namespace

ToolBand::ToolBand(QWidget *parent) : QMenuBar(parent)
{
    setObjectName(u"genbars"_s);
    setAccessibleName(u"Menu bar"_s);

    QMenu *file = namedMenu("ID_File", english("Bar01"), this);
    QMenu *edit = namedMenu("ID_Edit", english("Bar02"), this);
    QMenu *save = namedMenu("ID_Save", english("Bar03"), this);
    QMenu *help = namedMenu("ID_Help", english("Menu06"), file);
    m_menus = {file, edit, save, help}; // in the order of ToolMenu

    // The three menus on the bar are tools 1, 4 and 14; the others come
    // from the tool table, each put in its place in its menu.
    m_tools.resize(kToolCount);
    m_tools[0] = edit->menuAction();
    m_tools[3] = file->menuAction();
    m_tools[13] = save->menuAction();
    auto rows = kToolCodes;
    std::ranges::sort(rows, {}, [](const ToolCode &row) { return std::pair(row.menu, row.place); });
    for (const ToolCode &row : rows) {
        QMenu *menu = m_menus.at(qsizetype(row.menu));
        if (row.startsGroup)
            menu->addSeparator();
        const QString caption = english(row.languageKey);
        QAction *tool = nullptr;
        if (row.index == kHelpIndex) {
            help->setTitle(caption);
            tool = menu->addMenu(help);
        } else {
            tool = newTool(caption, english(row.toolTipKey));
            menu->addAction(tool);
            if (row.icon)
                giveIconOnFirstOpening(*menu, *tool, row.icon);
        }
        m_tools[row.index - 1] = tool;
    }
    for (int index = 1; index <= kToolCount; ++index) {
        QAction *action = m_tools.at(index - 1);
        action->setParent(this);
        action->setObjectName(u"tool%1"_s.arg(index));
        connect(action, &QAction::triggered, this, [this, action] { emit toolClicked(action); });
    }

    addMenu(file);
    addMenu(edit);
    addMenu(save);
}

void ToolBand::giveIconOnFirstOpening(QMenu &menu, QAction &tool, QIcon (*icon)())
{
    // Each icon is read from an image file; the window's first showing needs
    // none of them, so a menu's tools get theirs just before it first opens.
    connect(
        &menu, &QMenu::aboutToShow, &tool, [&tool, icon] { tool.setIcon(icon()); }, Qt::SingleShotConnection);
}

QAction *ToolBand::tool(int index) const
{
    return index >= 1 && index <= m_tools.size() ? m_tools.at(index - 1) : nullptr;
}

int ToolBand::indexOf(const QAction &tool) const
{
    return int(m_tools.indexOf(const_cast<QAction *>(&tool))) + 1;
}

void ToolBand::popUp(ToolMenu menu, const QPoint &globalPosition)
{
    this->menu(menu)->popup(globalPosition);
}
