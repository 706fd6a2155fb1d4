#pragma once
#include "tools/tool.h"

// Free paint: each press and each move with a button held plots the pixel under the pointer,
// the left button in the draw colour, the right in the background; every event by itself,
// nothing joins one position to the next. One stroke, press to release, is one step.
class FreePaint : public Tool {
public:
    void press(ToolContext& context, const PointerEvent& event) override;
    void move(ToolContext& context, const PointerEvent& event) override;
    void release(ToolContext& context, const PointerEvent& event) override;

protected:
    // What a move with the left button held paints.
    virtual void paint_left(ToolContext& context, PixelPos at);
    static void paint(ToolContext& context, PixelPos at, std::uint8_t color);
};
