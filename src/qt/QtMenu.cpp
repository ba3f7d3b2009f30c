// Before Qt: the game has a member named "slots".
#include "Form1.h"

#include "QtMenu.h"
#include "screen/MenuTree.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

namespace kelvore::qt {

namespace {

// A caption in the language in use (the table's captions are literals, so end in a zero).
QString caption(std::string_view s) {
    return QCoreApplication::translate("Menu", s.data());
}

} // namespace

QtMenu::QtMenu(QMenuBar& bar, QObject* parent) : QObject(parent) {
    std::array<QMenu*, static_cast<int>(MenuItem::Count)> menus{};
    std::array<bool, static_cast<int>(MenuItem::Count)> oursBegun{};
    for (const MenuEntry& e : kMenuTree) {
        const int index = static_cast<int>(e.item);
        QMenu* parentMenu = e.parent ? menus[static_cast<int>(*e.parent)] : nullptr;
        QAction* action = nullptr;
        const MenuItem item = e.item;
        // Our own items stand behind a separator, after the game's items of the menu; a menu
        // of our own holds nothing else and needs none.
        if (e.ours && parentMenu != nullptr && !oursBegun[static_cast<int>(*e.parent)]) {
            if (!parentMenu->actions().isEmpty()) parentMenu->addSeparator();
            oursBegun[static_cast<int>(*e.parent)] = true;
        }
        if (hasChildren(e.item)) {
            QMenu* menu = parentMenu ? parentMenu->addMenu(caption(e.caption))
                                     : bar.addMenu(caption(e.caption));
            menus[index] = menu;
            action = menu->menuAction();
            connect(menu, &QMenu::aboutToShow, this, [this, item] { emit chosen(item); });
        } else {
            action = parentMenu ? parentMenu->addAction(caption(e.caption))
                                : bar.addAction(caption(e.caption));
            action->setCheckable(e.checkable);
            action->setEnabled(Form1::commandAvailable(e.item));
            connect(action, &QAction::triggered, this, [this, action, item](bool checked) {
                // The game owns the check marks: undo Qt's own toggle before it decides.
                if (action->isCheckable()) action->setChecked(!checked);
                emit chosen(item);
            });
        }
        action->setObjectName(QStringLiteral("menu_%1").arg(index));
        actions_[index] = action;
    }
}

void QtMenu::setChecked(MenuItem item, bool checked) {
    QAction* a = action(item);
    if (a == nullptr) return;
    a->setCheckable(true);
    a->setChecked(checked);
}

bool QtMenu::isChecked(MenuItem item) const {
    const QAction* a = action(item);
    return a != nullptr && a->isChecked();
}

void QtMenu::setEnabled(MenuItem item, bool enabled) {
    if (QAction* a = action(item)) a->setEnabled(enabled);
}

} // namespace kelvore::qt
