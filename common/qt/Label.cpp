// The label control on QLabel: plain text only, so a caption never turns into markup.
#include "common/qt/Label.h"

#include <QPalette>
#include <algorithm>
#include <cmath>

#include "common/qt/PictureBox.h"

namespace halvoria {

Label::Label(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignRight | Qt::AlignTop);
    setAutoFillBackground(false);
    setWordWrap(false);
    // The default text colour is the one of button text.
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ButtonText));
    setPalette(colours);
}

void Label::SetGeometryTwips(int left, int top, int width, int height) {
    SetWidgetGeometryTwips(this, left, top, width, height);
}

void Label::SetFace(const QString& family, int pointSizeAt96Dpi, bool bold, bool italic) {
    QFont face(family);
    face.setPixelSize(std::max(1, static_cast<int>(std::lround(pointSizeAt96Dpi * 96.0 / 72.0))));
    face.setBold(bold);
    face.setItalic(italic);
    setFont(face);
}

void Label::SetTextColour(Colour colour) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(static_cast<int>((colour >> 16) & 0xFF),
                                                  static_cast<int>((colour >> 8) & 0xFF),
                                                  static_cast<int>(colour & 0xFF)));
    setPalette(colours);
}

void Label::SetCounterName(const QString& what) {
    counterName_ = what;
    NameAfterCaption();
}

// Setting the name tells a listening screen reader that it changed.
void Label::NameAfterCaption() {
    if (!counterName_.isEmpty()) setAccessibleName(counterName_ + u' ' + text().trimmed());
}

void Label::SetCaption(const std::string& utf8) {
    setText(QString::fromStdString(utf8));
    NameAfterCaption();
}

std::string Label::Caption() const { return text().toStdString(); }

}  // namespace halvoria
