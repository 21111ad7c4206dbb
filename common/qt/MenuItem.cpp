// Menu items on QAction. Qt toggles a checkable action before it reports the choice; that toggle
// is undone first, so choosing the item already in force leaves its mark.
#include "common/qt/MenuItem.h"

#include <QProxyStyle>
#include <QStyleOption>
#include <utility>

namespace halvoria {

namespace {

// Draws a menu's check mark only on checked items: an unchecked item shows nothing beside it
// rather than an empty box. The items stay checkable, so screen readers still hear their state.
class MarkOnlyWhenChecked : public QProxyStyle {
  public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        const bool mark = element == PE_IndicatorCheckBox || element == PE_IndicatorMenuCheckMark;
        if (mark && qobject_cast<const QMenu*>(widget) != nullptr && !(option->state & State_On)) {
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

// The style is made when the first menu with checkable items opens, not at start-up.
void MarkOnlyWhenCheckedIn(QMenu* menu) {
    if (menu->property("halvoriaMarkStyle").toBool()) return;
    menu->setProperty("halvoriaMarkStyle", true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] {
        static MarkOnlyWhenChecked* const style = new MarkOnlyWhenChecked;
        if (menu->style() != style) menu->setStyle(style);
    });
}

}  // namespace

QAction* AddMenuItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut,
                     std::function<void()> handler, bool checkable) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(checkable);
    if (checkable) MarkOnlyWhenCheckedIn(menu);
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

std::tuple<QMenu*, QAction*, QAction*> AddOnOffMenu(QMenu* parent, const QString& caption,
                                                    std::function<void()> onHandler,
                                                    std::function<void()> offHandler) {
    QMenu* menu = parent->addMenu(caption);
    QAction* on =
        AddMenuItem(menu, QStringLiteral("鳴らす"), QKeySequence(), std::move(onHandler), true);
    QAction* off = AddMenuItem(menu, QStringLiteral("鳴らさない"), QKeySequence(),
                               std::move(offHandler), true);
    return {menu, on, off};
}

QString EscapeMnemonic(const QString& fileName) {
    QString escaped = fileName;
    escaped.replace(u'&', QStringLiteral("&&"));
    return escaped;
}

}  // namespace halvoria
