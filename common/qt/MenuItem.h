// Menu items whose check marks only the handlers set, and captions that show file names as written.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QString>
#include <functional>
#include <tuple>

namespace halvoria {

// Adds an item to menu. Choosing it runs handler; a checkable item keeps the check state it had,
// so the handler alone decides the mark. The shortcut works window-wide while no menu is open.
QAction* AddMenuItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut,
                     std::function<void()> handler, bool checkable = false);

// Adds a submenu of two checkable items, "鳴らす" (on) and "鳴らさない" (off), as both games switch
// their sound and music; returns the submenu and its two items.
std::tuple<QMenu*, QAction*, QAction*> AddOnOffMenu(QMenu* parent, const QString& caption,
                                                    std::function<void()> onHandler,
                                                    std::function<void()> offHandler);

// Doubles every "&" so a file name shown as a caption reads as written.
QString EscapeMnemonic(const QString& fileName);

}  // namespace halvoria
