#pragma once
#include "tools/painter.h"
#include <vector>

// A shape dragged from the pixel pressed to the pointer: the view shows it as it would be
// painted while the picture stays as it is, and the release paints it as one step, in the
// colour of the button pressed; a gradient runs over it along the drag. An outline is drawn
// with the current pen (or brush: the left button stamps it, the right its shape in the
// background colour); a filled shape covers its pixels and no more, whatever the pen, so that
// it keeps to the box dragged. A move without that button means its release went elsewhere (to
// a dialog): the shape is dropped.
class Shape : public Tool {
public:
    void press(ToolContext& context, const PointerEvent& event) override;
    void move(ToolContext& context, const PointerEvent& event) override;
    void release(ToolContext& context, const PointerEvent& event) override;
    bool busy() const override { return dragging_; }
    bool follows_past_edge() const override { return true; }

protected:
    virtual const char* label() const = 0;
    // The pixels from `start` to the pointer's pixel (kept within the view); Shift or Ctrl held
    // may change the shape.
    virtual std::vector<PixelPos> pixels(const Painter& painter, PixelPos start,
                                         const PointerEvent& pointer) const = 0;
    // Whether the pixels are the whole shape rather than its outline.
    virtual bool filled(const PointerEvent&) const { return false; }

private:
    bool held(const PointerEvent& event) const;
    Tip tip(const PointerEvent& pointer) const;
    void show(ToolContext& context, const std::vector<PixelPos>& band,
              const PointerEvent& pointer) const;

    bool dragging_ = false;
    PixelPos start_;
    std::uint8_t color_ = 0;
    MouseButton button_ = MouseButton::Left;
};
