// The Edit menu's clipboard, selection and flip commands. Each change is one step.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "edit/clipboard.h"
#include "platform/beep.h"
#include "zoom/zoom_window.h"

void Tokno1::update_selection_items() {
    const bool selected = desk().document().selection().has_value();
    for (QAction* item : {EditCutItem, EditCopyItem}) item->setEnabled(selected);
    EditDeleteItem->setEnabled(selected || deletes_sprite());
}

void Tokno1::EditCopyClick(TObject*) {
    if (const std::optional<PixelBlock> block = desk().selected_block())
        copy_to_clipboard(*block, desk().document().mode().shape);
}

void Tokno1::EditCutClick(TObject*) {
    EditCopyClick();
    desk().clear_selection("Cut");
}

void Tokno1::EditDeleteClick(TObject*) {
    if (deletes_sprite()) return void(desk().remove_sprite(*desk().chosen_sprite()));
    desk().clear_selection("Delete");
}

// The block floats from the selection's corner, or else from the view's. Nothing usable on the
// clipboard: a beep, as for any command that cannot act.
void Tokno1::EditPasteClick(TObject*) {
    std::optional<PixelBlock> block = block_from_clipboard(desk().document().mode().shape);
    if (!block) return MessageBeep(0);
    desk().paste(std::move(*block), {okno2->scroll_x, okno2->scroll_y});
}

void Tokno1::EditSelectAllClick(TObject*) { desk().document().select(desk().document().whole()); }

void Tokno1::EditFlipHorizontallyClick(TObject*) { desk().flip("Flip Horizontally", true); }
void Tokno1::EditFlipVerticallyClick(TObject*) { desk().flip("Flip Vertically", false); }
