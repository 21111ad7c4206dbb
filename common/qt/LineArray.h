// Line controls over a picture box: an array whose element 0 is the hidden design-time template.
#pragma once

#include <QPointer>
#include <map>
#include <memory>

#include "common/core/PictureSurface.h"

namespace halvoria {

class PictureBox;
class LineArray;

// One line, its end points in twips of the box's drawing area, 1 pixel wide.
class LineControl {
  public:
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    bool Visible() const { return visible_; }
    Colour LineColour() const { return colour_; }

    void SetX1(int x1);
    void SetY1(int y1);
    void SetX2(int x2);
    void SetY2(int y2);
    void SetEnds(int x1, int y1, int x2, int y2);
    void SetVisible(bool visible);
    void SetColour(Colour colour);

  private:
    friend class LineArray;
    LineControl(LineArray& owner, int x1, int y1, int x2, int y2, bool visible, Colour colour);
    void Changed();

    LineArray* owner_;
    int x1_, y1_, x2_, y2_;
    bool visible_;
    Colour colour_;
};

class LineArray {
  public:
    // Element 0 from the design: hidden, black.
    LineArray(PictureBox& box, int x1, int y1, int x2, int y2);
    LineArray(const LineArray&) = delete;
    LineArray& operator=(const LineArray&) = delete;
    ~LineArray();

    // Creates element index as a copy of element 0 (so hidden); an existing element is left as is.
    void Load(int index);
    // Removes element index (element 0 stays).
    void Unload(int index);

    // Number of elements, element 0 included.
    int Count() const { return static_cast<int>(elements_.size()); }
    bool Exists(int index) const { return elements_.count(index) != 0; }

    // The element; one that was never loaded is loaded first, so a stray index cannot crash.
    LineControl& operator()(int index);

    template <typename Visit>
    void ForEach(Visit visit) const {
        for (const auto& [index, line] : elements_) visit(index, *line);
    }

  private:
    friend class LineControl;
    friend class PictureBox;
    void Changed();

    QPointer<PictureBox> box_;
    std::map<int, std::unique_ptr<LineControl>> elements_;
};

}  // namespace halvoria
