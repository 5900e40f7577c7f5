#include "window/toolbar/ToolBand.h"

#include "window/form/FittedCaption.h"
#include "window/form/Icons.h"

#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

QMenu *namedMenu(const char *id, const QString &caption, QWidget *parent)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(QLatin1StringView(id));
    menu->setToolTipsVisible(true);
    return menu;
}

QAction *newTool(const QString &caption, const QIcon &icon = {}, const QString &toolTip = {})
{
    auto *action = new QAction(icon, caption);
    if (!toolTip.isEmpty())
        FittedCaption::setToolTip(*action, toolTip);
    return action;
}

} // namespace

ToolBand::ToolBand(QWidget *parent) : QMenuBar(parent)
{
    setObjectName(u"genbars"_s);
    setAccessibleName(u"Menu bar"_s);

    QMenu *file = namedMenu("ID_File", u"&File"_s, this);
    QMenu *edit = namedMenu("ID_Edit", u"Edit"_s, this);
    QMenu *save = namedMenu("ID_Save", u"Save"_s, this);
    QMenu *help = namedMenu("ID_Help", u"Help"_s, file);
    m_menus = {file, edit, save, help};

    // Tools by index.
    m_tools = {
        edit->menuAction(),                                                      // 1
        newTool(u"Copy Selected"_s, Icons::copy(), u"Copy selected password"_s), // 2
        newTool(u"Copy All"_s, Icons::copy(), u"Copy all passwords"_s),          // 3
        file->menuAction(),                                                      // 4
        newTool(u"Program Options"_s, Icons::settings()),                        // 5
        newTool(u"Generation Options"_s),                                        // 6
        newTool(u"Mask Options"_s),                                              // 7
        newTool(u"Minimize"_s),                                                  // 8
        newTool(u"Exit"_s, Icons::exit()),                                       // 9
        help->menuAction(),                                                      // 10
        newTool(u"Contents"_s, Icons::help()),                                   // 11
        newTool(u"About"_s, Icons::about()),                                     // 12
        newTool(u"Interface Options"_s),                                         // 13
        save->menuAction(),                                                      // 14
        newTool(u"as Text"_s, Icons::save()),                                    // 15
        newTool(u"as CSV"_s, Icons::save()),                                     // 16
    };
    for (int index = 1; index <= kToolCount; ++index) {
        QAction *action = m_tools.at(index - 1);
        action->setParent(this);
        action->setObjectName(u"tool%1"_s.arg(index));
        connect(action, &QAction::triggered, this, [this, action] { emit toolClicked(action); });
    }

    // Menus and their entries in display order.
    file->addActions({m_tools[4], m_tools[12], m_tools[5], m_tools[6]});
    file->addSeparator();
    file->addActions({m_tools[7], m_tools[8]});
    file->addSeparator();
    file->addMenu(help);
    help->addActions({m_tools[10], m_tools[11]});
    edit->addActions({m_tools[1], m_tools[2]});
    save->addActions({m_tools[14], m_tools[15]});

    addMenu(file);
    addMenu(edit);
    addMenu(save);
}

QAction *ToolBand::tool(int index) const
{
    return index >= 1 && index <= m_tools.size() ? m_tools.at(index - 1) : nullptr;
}

int ToolBand::indexOf(const QAction &tool) const
{
    return int(m_tools.indexOf(const_cast<QAction *>(&tool))) + 1;
}

QMenu *ToolBand::menu(const QString &id) const
{
    for (QMenu *menu : m_menus) {
        if (menu->objectName().compare(id, Qt::CaseInsensitive) == 0)
            return menu;
    }
    return nullptr;
}

bool ToolBand::popUp(const QString &id, const QPoint &globalPosition)
{
    QMenu *menu = this->menu(id);
    if (!menu)
        return false;
    menu->popup(globalPosition);
    return true;
}
