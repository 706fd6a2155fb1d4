#pragma once
#include "tools/tool.h"
#include <cstdint>
#include <memory>
#include <span>

// The frame's tool_mode values.
enum ToolMode : std::uint8_t {
    toolFreePaint = 1,
    toolPutChar = 2,
    toolFill = 3,
    toolLine = 4,
    toolRectangle = 5,
    toolPickColour = 6,
    toolSelect = 7,
    toolPen = 8,
    toolEllipse = 9,
    toolSpray = 10,
    toolSprite = 11,
};

// A tool as the tool bar offers it.
struct ToolRow {
    std::uint8_t tool_mode;
    const char* button; // the tool bar's button (its object name in the frame's layout, which
                        // gives its tooltip and key)
    std::unique_ptr<Tool> (*make)();
};

std::span<const ToolRow> tool_rows();
// The row of a tool_mode value; none for a value no tool has.
const ToolRow* tool_row(std::uint8_t tool_mode);

// What places a pasted block while it floats, whichever tool is chosen.
std::unique_ptr<Tool> place_block_tool();
