// The Edit menu's clipboard, selection and flip commands. Each change is one step.
#include "app/Main.h"
#include "edit/clipboard.h"
#include "platform/beep.h"
#include "zoom/zoom_window.h"

void Tokno1::update_selection_items() {
    const bool selected = okno2->selection.has_value();
    for (QAction* item : {EditCutItem, EditCopyItem, EditDeleteItem}) item->setEnabled(selected);
}

void Tokno1::EditCopyClick(TObject*) {
    if (okno2->selection) copy_to_clipboard(copy_block(okno2->picture.data(), *okno2->selection));
}

void Tokno1::EditCutClick(TObject*) {
    EditCopyClick();
    clear_selection("Cut");
}

void Tokno1::EditDeleteClick(TObject*) { clear_selection("Delete"); }

// The selection takes the background colour, which every cell holds already.
void Tokno1::clear_selection(const char* label) {
    if (!okno2->selection) return;
    const PixelArea area = *okno2->selection;
    change_picture(label, [&] {
        fill_block(okno2->picture.data(), area, okno2->back_color);
        return true;
    });
}

// Nothing usable on the clipboard: a beep, as for any command that cannot act.
void Tokno1::EditPasteClick(TObject*) {
    if (auto block = block_from_clipboard())
        okno2->start_floating(std::move(*block));
    else
        MessageBeep(0);
}

void Tokno1::EditSelectAllClick(TObject*) { okno2->select(kWholePicture); }

void Tokno1::EditFlipHorizontallyClick(TObject*) { flip("Flip Horizontally", flip_horizontally); }
void Tokno1::EditFlipVerticallyClick(TObject*) { flip("Flip Vertically", flip_vertically); }

// A flip moves pixels without asking the cell rules: flipping twice gives the same pixels back.
void Tokno1::flip(const char* label, void (*mirror)(std::uint8_t*, const PixelArea&)) {
    const PixelArea area = okno2->selection.value_or(kWholePicture);
    change_picture(label, [&] {
        mirror(okno2->picture.data(), area);
        return true;
    });
}
