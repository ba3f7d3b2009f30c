// What the window lends the room that shares games (sharing/Interchange.h): the clipboard, a file
// chooser for KIF files, and the local time.
#pragma once

#include "sharing/Interchange.h"

#include <QString>

#include <memory>

class QFileDialog;
class QWidget;

namespace kelvore::qt {

class Sharing {
public:
    // `annotate` and `imported` are the room's hooks for the judgement kept with a game
    // (sharing::Outside).
    Sharing(Form1& form, QWidget& window, std::function<void(kif::KifGame&)> annotate = {},
            std::function<void(const kif::KifGame&)> imported = {});
    sharing::Interchange& room() { return *room_; }

    // The chooser as the player sees it: opened in `folder`, with `name` proposed when it
    // saves; ".kif" (Shift-JIS) and ".kifu" (UTF-8) are offered. The dialog is Qt's own, not
    // the desktop's, so that it looks the same everywhere and tests can answer it.
    static QString chooseFile(QWidget& parent, bool save, const QString& folder,
                              const QString& name);

private:
    std::unique_ptr<sharing::Interchange> room_;
};

} // namespace kelvore::qt
