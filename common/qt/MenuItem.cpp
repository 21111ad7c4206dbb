// Menu items on QAction. Qt toggles a checkable action before it reports the choice; that toggle
// is undone first, so choosing the item already in force leaves its mark.
#include "common/qt/MenuItem.h"

#include <utility>

namespace halvoria {

QAction* AddMenuItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut,
                     std::function<void()> handler, bool checkable) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(checkable);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    QObject::connect(action, &QAction::triggered, action,
                     [action, handler = std::move(handler)](bool checked) {
                         if (action->isCheckable()) action->setChecked(!checked);
                         if (handler) handler();
                     });
    return action;
}

QString EscapeMnemonic(const QString& fileName) {
    QString escaped = fileName;
    escaped.replace(u'&', QStringLiteral("&&"));
    return escaped;
}

}  // namespace halvoria
