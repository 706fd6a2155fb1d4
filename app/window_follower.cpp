#include "app/window_follower.h"
#include "app/Main.h"
#include "info/info_window.h"
#include "recovery/recovery_keeper.h"
#include "zoom/zoom_window.h"

void WindowFollower::show_color1(unsigned index) { okno_info->show_color1(index); }
void WindowFollower::show_color2(unsigned index) { okno_info->show_color2(index); }
void WindowFollower::show_color3(unsigned index) { okno_info->show_color3(index); }
void WindowFollower::show_back() { okno_info->show_back(); }
void WindowFollower::redraw_preview_band(std::uint32_t column, std::uint32_t row) {
    okno1->redraw_preview_band(column, row);
}

// Pixels that a stroke changed were shown as they were painted; any other change of the
// picture, or of what is drawn over it, redraws both views. The recovery copy follows every
// step, undo, redo and save, and the reference image.
void WindowFollower::document_changed(const DocumentChange& change) {
    using C = DocumentChange;
    if (change.has(C::Mode)) okno1->show_picture_format();
    if (change.has(C::File)) okno1->show_file();
    if (change.has(C::Selection)) {
        okno2->follow_selection();
        okno1->update_selection_items();
    }
    if (change.has(C::History) || change.has(C::Floating)) okno1->update_edit_menu();
    if (change.has(C::Reference)) okno1->show_reference_items();
    if (change.has(C::History) || change.has(C::File) || change.has(C::Reference))
        note_picture_changed();
    const bool redrawn = (change.has(C::Pixels) && !change.pixels_shown) ||
                         change.has(C::Background) || change.has(C::Selection) ||
                         change.has(C::Reference);
    if (redrawn)
        okno1->redraw_views();
    else if (change.has(C::Floating))
        okno2->FormPaint();
}

void follow_document(Document& document) {
    static WindowFollower follower;
    document.refresh = &follower;
    document.watch(follower);
}
