// An image control: shows its picture at the picture's own size, or stretched to the control.
#pragma once

#include <QImage>
#include <QWidget>

namespace halvoria {

class ImageView : public QWidget {
    Q_OBJECT

  public:
    explicit ImageView(QWidget* parent = nullptr);

    // Position and size in twips, relative to the parent's drawing area.
    void SetGeometryTwips(int left, int top, int width, int height);

    void SetStretch(bool stretch);
    bool Stretch() const { return stretch_; }

    void SetPicture(const QImage& picture);
    QImage Picture() const { return picture_; }

    // What the control shows, at its own size; transparent where no picture lies.
    QImage Rendered() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Draw(QPainter& painter) const;

    QImage picture_;
    bool stretch_ = false;
};

}  // namespace halvoria
