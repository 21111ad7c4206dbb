// How a menu shows an item's check mark: the pixels of the mark column that differ from the row's
// background, in the menu as it is drawn now.
#pragma once

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QRect>

namespace halvoria::testing {

inline int InkInMarkColumn(QMenu* menu, QAction* item) {
    const QImage shown = menu->grab().toImage();
    const QRect row = menu->actionGeometry(item);
    int inked = 0;
    const QRgb ground = shown.pixel(row.left() + 2, row.top() + 1);
    for (int y = row.top() + 2; y < row.bottom() - 1; ++y)
        for (int x = row.left() + 2; x < row.left() + 22; ++x)
            if (shown.pixel(x, y) != ground) ++inked;
    return inked;
}

}  // namespace halvoria::testing
