#include "tools/free_paint.h"

namespace {

// Put char: a move with the left button held paints every pixel of the cell under the pointer,
// row by row from the top, left to right, each decided on the cell as the ones before left it.
// Otherwise it paints as free paint does.
class PutChar : public FreePaint {
    void paint_left(ToolContext& context, PixelPos at) override {
        const PixelArea cell = context.document.mode().cell_at(at);
        context.view.set_cursor({cell.left, cell.top});
        for (int row = cell.top; row <= cell.bottom(); ++row)
            for (int column = cell.left; column <= cell.right(); ++column)
                paint(context, {column, row}, context.document.draw_color);
    }
};

} // namespace

std::unique_ptr<Tool> put_char_tool() { return std::make_unique<PutChar>(); }
