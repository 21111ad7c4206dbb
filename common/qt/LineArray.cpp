// Line controls: every change asks the box to repaint; the box draws the visible ones on top.
#include "common/qt/LineArray.h"

#include "common/qt/PictureBox.h"

namespace halvoria {

LineControl::LineControl(LineArray& owner, int x1, int y1, int x2, int y2, bool visible,
                         Colour colour)
    : owner_(&owner), x1_(x1), y1_(y1), x2_(x2), y2_(y2), visible_(visible), colour_(colour) {}

void LineControl::SetX1(int x1) { SetEnds(x1, y1_, x2_, y2_); }
void LineControl::SetY1(int y1) { SetEnds(x1_, y1, x2_, y2_); }
void LineControl::SetX2(int x2) { SetEnds(x1_, y1_, x2, y2_); }
void LineControl::SetY2(int y2) { SetEnds(x1_, y1_, x2_, y2); }

void LineControl::SetEnds(int x1, int y1, int x2, int y2) {
    if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_) return;
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Changed();
}

void LineControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed();
}

void LineControl::SetColour(Colour colour) {
    if (colour == colour_) return;
    colour_ = colour;
    Changed();
}

void LineControl::Changed() { owner_->Changed(); }

LineArray::LineArray(PictureBox& box, int x1, int y1, int x2, int y2) : box_(&box) {
    elements_.emplace(
        0, std::unique_ptr<LineControl>(new LineControl(*this, x1, y1, x2, y2, false, 0x000000)));
    box.AttachLines(this);
}

LineArray::~LineArray() {
    if (box_) box_->DetachLines(this);
}

void LineArray::Load(int index) {
    if (Exists(index)) return;
    const LineControl& model = *elements_.at(0);
    elements_.emplace(index, std::unique_ptr<LineControl>(
                                 new LineControl(*this, model.x1_, model.y1_, model.x2_, model.y2_,
                                                 model.visible_, model.colour_)));
    if (model.visible_) Changed();
}

void LineArray::Unload(int index) {
    if (index == 0) return;
    const auto found = elements_.find(index);
    if (found == elements_.end()) return;
    const bool wasVisible = found->second->visible_;
    elements_.erase(found);
    if (wasVisible) Changed();
}

LineControl& LineArray::operator()(int index) {
    Load(index);
    return *elements_.at(index);
}

void LineArray::Changed() {
    if (box_) box_->LinesChanged();
}

}  // namespace halvoria
