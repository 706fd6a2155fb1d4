#include "tools/tool_table.h"
#include <algorithm>

// Each tool's file makes it.
std::unique_ptr<Tool> free_paint_tool();
std::unique_ptr<Tool> put_char_tool();
std::unique_ptr<Tool> fill_tool();
std::unique_ptr<Tool> line_tool();
std::unique_ptr<Tool> rectangle_tool();
std::unique_ptr<Tool> pick_colour_tool();
std::unique_ptr<Tool> select_tool();
std::unique_ptr<Tool> pen_tool();
std::unique_ptr<Tool> ellipse_tool();
std::unique_ptr<Tool> spray_tool();
std::unique_ptr<Tool> sprite_tool();

namespace {

constexpr ToolRow kTools[] = {
    {toolFreePaint, "tool_b2", free_paint_tool},  {toolPutChar, "SpeedButton2", put_char_tool},
    {toolFill, "tool_fill", fill_tool},           {toolLine, "tool_line", line_tool},
    {toolRectangle, "tool_rect", rectangle_tool}, {toolPickColour, "tool_pick", pick_colour_tool},
    {toolSelect, "tool_b1", select_tool},         {toolPen, "tool_pen", pen_tool},
    {toolEllipse, "tool_ellipse", ellipse_tool},  {toolSpray, "tool_spray", spray_tool},
    {toolSprite, "tool_sprite", sprite_tool},
};

} // namespace

std::span<const ToolRow> tool_rows() { return kTools; }

const ToolRow* tool_row(std::uint8_t tool_mode) {
    const auto* found = std::ranges::find(kTools, tool_mode, &ToolRow::tool_mode);
    return found == std::end(kTools) ? nullptr : found;
}
