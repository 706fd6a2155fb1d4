// The Edit menu's clipboard, selection and flip commands. Each change is one step.
#include "app/Main.h"
#include "edit/clipboard.h"
#include "platform/beep.h"
#include "zoom/zoom_window.h"

void Tokno1::update_selection_items() {
    const bool selected = okno2->selection().has_value();
    for (QAction* item : {EditCutItem, EditCopyItem, EditDeleteItem}) item->setEnabled(selected);
}

void Tokno1::EditCopyClick(TObject*) {
    if (okno2->selection())
        copy_to_clipboard(copy_block(okno2->grid(), *okno2->selection()), okno2->mode().shape);
}

void Tokno1::EditCutClick(TObject*) {
    EditCopyClick();
    clear_selection("Cut");
}

void Tokno1::EditDeleteClick(TObject*) { clear_selection("Delete"); }

// The selection takes the background colour, which every cell holds already.
void Tokno1::clear_selection(const char* label) {
    if (!okno2->selection()) return;
    const PixelArea area = *okno2->selection();
    change_picture(label, [&](Document::Edit& edit) {
        fill_block(edit.pixels(area), area, okno2->back_color);
        return true;
    });
}

// The block floats from the selection's corner, or else from the view's. Nothing usable on the
// clipboard: a beep, as for any command that cannot act.
void Tokno1::EditPasteClick(TObject*) {
    std::optional<PixelBlock> block = block_from_clipboard(okno2->mode().shape);
    if (!block) return MessageBeep(0);
    const std::optional<PixelArea>& selected = okno2->selection();
    okno2->float_block(std::move(*block), selected ? PixelPos{selected->left, selected->top}
                                                   : PixelPos{okno2->scroll_x, okno2->scroll_y});
}

void Tokno1::EditSelectAllClick(TObject*) { okno2->select(okno2->whole()); }

void Tokno1::EditFlipHorizontallyClick(TObject*) { flip("Flip Horizontally", flip_horizontally); }
void Tokno1::EditFlipVerticallyClick(TObject*) { flip("Flip Vertically", flip_vertically); }

// A flip moves pixels without asking the cell rules: flipping twice gives the same pixels back.
void Tokno1::flip(const char* label, void (*mirror)(PixelGrid, const PixelArea&)) {
    const PixelArea area = okno2->selection().value_or(okno2->whole());
    change_picture(label, [&](Document::Edit& edit) {
        mirror(edit.pixels(area), area);
        return true;
    });
}
