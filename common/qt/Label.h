// A label: transparent text over whatever lies behind it, right-aligned, drawn from the top.
#pragma once

#include <QLabel>
#include <string>

#include "common/core/PictureSurface.h"

namespace halvoria {

class Label : public QLabel {
    Q_OBJECT

  public:
    explicit Label(QWidget* parent = nullptr);

    // Position and size in twips, relative to the parent's drawing area.
    void SetGeometryTwips(int left, int top, int width, int height);

    // The face at a pixel size of pointSize * 96 / 72, so the text has the same size on every
    // screen whatever its logical dots per inch.
    void SetFace(const QString& family, int pointSizeAt96Dpi, bool bold, bool italic);

    void SetTextColour(Colour colour);

    // Names the label for screen readers as what it counts, followed by its caption without the
    // padding spaces ("手数 12"); the name follows every caption.
    void SetCounterName(const QString& what);

    // Shown at once, as plain text.
    void SetCaption(const std::string& utf8);
    std::string Caption() const;

  private:
    void NameAfterCaption();

    QString counterName_;
};

}  // namespace halvoria
