// A picture box: a control with a persistent drawing, an optional assigned picture and line
// controls on top, measured in twips. The engines draw on it through PictureSurface.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <vector>

#include "common/core/PictureSurface.h"

namespace halvoria {

class LineArray;

class PictureBox : public QWidget, public PictureSurface {
    Q_OBJECT

  public:
    enum class Border { None, Sunken3D };

    // Width of the sunken border in logical pixels.
    static constexpr int kSunkenBorderPixels = 2;

    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // Position and outer size in twips, relative to the parent's drawing area.
    void SetGeometryTwips(int left, int top, int width, int height);

    // When on, the box takes the size of every picture assigned afterwards.
    void SetAutoSize(bool autoSize);
    bool AutoSize() const { return autoSize_; }

    // The background colour; changing it erases the drawing and shows the picture on it.
    void SetBackColor(Colour colour);

    // The border moves the drawing area (and children) in by its width; Width()/Height() stay
    // outer.
    void SetBorder(Border border);
    Border GetBorder() const { return border_; }

    // Replaces all drawing with the picture (a null image removes it, like ClearPicture).
    void SetPicture(const QImage& picture);
    // The assigned picture; null when none.
    QImage Picture() const { return picture_; }
    void AssignPictureFrom(const PictureBox& other);

    // What the drawing area shows now, without the line controls: background, picture and drawing.
    QImage Image() const;
    // The same with the visible line controls drawn on top.
    QImage Rendered() const;

    // Offset of the drawing area inside the box, in logical pixels.
    int ContentInset() const;

    // Painted on the screen over the drawing and the line controls, in logical pixels of the
    // drawing area; the persistent drawing (Image, Rendered) never holds it. Empty: nothing.
    void SetOverlay(std::function<void(QPainter&)> overlay);

    // PictureSurface, all in twips.
    void PaintPicture(const PictureSurface& source, float destLeft, float destTop, double destWidth,
                      double destHeight, double srcLeft, double srcTop, double srcWidth,
                      double srcHeight) override;
    void FillBox(float x1, float y1, float x2, float y2, Colour colour) override;
    void ClearPicture() override;
    double Width() const override;
    double Height() const override;
    Colour BackColor() const override { return backColor_; }

  signals:
    // A press inside the drawing area. button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl,
    // 4 Alt; position in twips from the drawing area's top-left.
    void MousePressed(int button, int shift, float xTwips, float yTwips);
    // With mouse tracking on: the pointer moved over the drawing area, in twips, or left it.
    void MouseMoved(float xTwips, float yTwips);
    void MouseLeft();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    friend class LineArray;
    friend class LineControl;

    QSize DrawingAreaSize() const;
    // Brings the backing image to the drawing area's size and the screen's pixel ratio, keeping
    // what was drawn, or makes it from the background and picture when there is none yet. Called
    // before drawing, and lazily, since a hidden box gets no resize events.
    void EnsureBacking() const;
    // Forgets all drawing: the box shows its background and picture.
    void ResetBackingToPicture();
    // The background and the picture at its top-left, over the drawing area.
    void DrawBase(QPainter& painter) const;
    // What the box shows without a backing image, as a new image.
    QImage Composed() const;
    void DrawLines(QPainter& painter) const;
    void AttachLines(LineArray* lines);
    void DetachLines(LineArray* lines);
    void LinesChanged();

    mutable QImage backing_;  // null until something is drawn
    mutable QSize backingArea_;
    QImage picture_;
    Colour backColor_;
    Border border_ = Border::None;
    bool autoSize_ = false;
    std::vector<LineArray*> lines_;
    std::function<void(QPainter&)> overlay_;
};

// Places any child control by twips, relative to its parent's drawing area.
void SetWidgetGeometryTwips(QWidget* widget, int left, int top, int width, int height);

}  // namespace halvoria
