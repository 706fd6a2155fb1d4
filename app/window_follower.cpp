#include "app/window_follower.h"
#include "app/Main.h"
#include "recovery/recovery_keeper.h"
#include "zoom/zoom_window.h"

// A change of the picture that the document tells of, or of what is drawn over it, redraws both
// views (what tools paint, the zoom view shows as it goes). The recovery copy follows every
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
    const bool redrawn = change.has(C::Pixels) || change.has(C::Background) ||
                         change.has(C::Selection) || change.has(C::Reference);
    if (redrawn)
        okno1->redraw_views();
    else if (change.has(C::Floating))
        okno2->FormPaint();
}

void follow_document(Document& document) {
    static WindowFollower follower;
    document.watch(follower);
}
