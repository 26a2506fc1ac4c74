#pragma once

#include <QList>
#include <QString>

// The command vocabulary of the designer window: its menus, popup menus and toolbar, with the control
// names, captions and the slot of the window that each item runs.
namespace designer
{

struct MenuItemSpec {
    QString control; // the action's object name
    QString caption;
    QString handler; // the window's slot; a popup item runs the menu bar's handler of its command
};

struct MenuSpec {
    QString control;
    QString caption;
    bool popupOnly = false; // hidden in the menu bar, shown only as a popup
    QList<MenuItemSpec> items; // an empty control is a separator
};

// The menu bar's menus and the three popup menus, in the window's order.
const QList<MenuSpec>& designerMenus();

struct ToolButtonSpec {
    QString key; // empty for a separator
    QString caption;
    QString tooltip;
    QString icon; // the freedesktop icon name looked up in the desktop's icon theme
    QString handler; // the window's slot of the menu bar's command
};

const QList<ToolButtonSpec>& designerToolbar();

} // namespace designer
