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

namespace {

constexpr ToolRow kTools[] = {
    {toolFreePaint, "tool_b2", 'P', "free paint", free_paint_tool},
    {toolPutChar, "SpeedButton2", 'U', "Put char", put_char_tool},
    {toolFill, "tool_fill", 'G', "Fill (G)", fill_tool},
    {toolLine, "tool_line", 'L', "Line (L)", line_tool},
    {toolRectangle, "tool_rect", 'R', "Rectangle (R)", rectangle_tool},
    {toolPickColour, "tool_pick", 'K', "Pick colour (K)", pick_colour_tool},
    {toolSelect, "tool_b1", 'S', "Select (S)", select_tool},
    {toolPen, "tool_pen", 'W', "Pen and brush (W)", pen_tool},
    {toolEllipse, "tool_ellipse", 'O', "Ellipse (O)", ellipse_tool},
    {toolSpray, "tool_spray", 'T', "Spray (T)", spray_tool},
};

} // namespace

std::span<const ToolRow> tool_rows() { return kTools; }

const ToolRow* tool_row(std::uint8_t tool_mode) {
    const auto* found = std::ranges::find(kTools, tool_mode, &ToolRow::tool_mode);
    return found == std::end(kTools) ? nullptr : found;
}
