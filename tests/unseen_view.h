#pragma once
#include "tools/tool.h"

// A view for tools that shows nothing: for tests of the desk and the tools' effect on the picture.
struct UnseenView : ToolView {
    void draw_pixel(PixelPos, std::uint8_t) override {}
    void redraw() override {}
    void set_cursor(PixelPos) override {}
    void show_tip(std::vector<InkedPixel>, bool) override {}
    void choose_colour(std::uint8_t) override {}
};
