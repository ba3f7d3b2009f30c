// The menu bar built from the game's menu tree (screen/MenuTree.h): the game's items first in
// each menu and ours behind a separator, with the check marks and enabled states the game sets.
// The game owns the check marks: an item chosen keeps its mark until the game changes it.
#pragma once

#include "platform/Platform.h"

#include <QObject>

#include <array>

class QAction;
class QMenuBar;

namespace kelvore::qt {

class QtMenu : public QObject, public Menu {
    Q_OBJECT
public:
    QtMenu(QMenuBar& bar, QObject* parent = nullptr);

    QAction* action(MenuItem item) const { return actions_[static_cast<int>(item)]; }

    void setChecked(MenuItem item, bool checked) override;
    bool isChecked(MenuItem item) const override;
    void setEnabled(MenuItem item, bool enabled) override;

signals:
    // An item was chosen, or a menu is about to open: the game's handler of `item` runs.
    void chosen(MenuItem item);

private:
    std::array<QAction*, static_cast<int>(MenuItem::Count)> actions_{};
};

} // namespace kelvore::qt
