#include "app/window_follower.h"
#include "app/Main.h"
#include "app/editor_desk.h"
#include "info/info_window.h"
#include "preview/preview_window.h"
#include "recovery/recovery_keeper.h"
#include "zoom/zoom_window.h"

// A change of the picture that the document tells of, or of what is drawn over it, redraws both
// views (what tools paint, the views show once a pointer event). The recovery copy follows
// every step, undo, redo and save, and the reference image.
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
    if (change.has(C::Sprites)) okno1->show_sprite_items();
    if (change.has(C::History) || change.has(C::File) || change.has(C::Reference))
        note_picture_changed();
    if (change.has(C::Sprites)) okno1->update_selection_items(); // Delete follows the sprites
    const bool redrawn = change.has(C::Pixels) || change.has(C::Background) ||
                         change.has(C::Selection) || change.has(C::Reference) ||
                         change.has(C::Sprites);
    if (redrawn)
        okno1->redraw_views();
    else if (change.has(C::Floating))
        okno2->FormPaint();
}

// What the tools painted shows in each view as it was painted, with the swatches of the last
// plot; what they painted all at once is drawn anew in full.
static void show_painted(const PaintReport& report) {
    okno2->show_painted(report);
    okno_prv->show_painted(report);
    if (report.found) okno2->show_analysis(*report.found);
    if (report.refused) okno1->show_refused(*report.refused);
    if (!report.sprite_refusal.empty()) okno1->show_sprite_refusal(report.sprite_refusal);
    if (!report.redrawn.empty()) okno1->redraw_views();
}

void WindowFollower::desk_changed(const DeskChange& change) {
    using C = DeskChange;
    if (change.has(C::Painted)) show_painted(*change.painted);
    if (change.has(C::Colours)) okno_info->show_current_colors();
    if (change.has(C::Pen) || change.has(C::Tool)) okno1->show_pen();
    if (change.has(C::Tool) || change.has(C::Sprite)) okno1->update_selection_items();
    if (change.has(C::Sprite)) okno1->redraw_views(); // the chosen sprite's outline
    if (change.has(C::Target)) {
        okno1->show_paint_target();
        okno1->redraw_views(); // the symmetry's axes about the middle of what is painted
    }
    if (change.has(C::Ink)) {
        okno1->show_ink(desk().painter().ink);
        okno2->follow_pen();
    }
    if (change.has(C::FullCell))
        okno1->full_cell_item(desk().painter().full_cell)->setChecked(true);
    if (change.has(C::Symmetry)) {
        okno1->check_symmetry_items();
        okno1->redraw_views();
    }
    if (change.has(C::View)) {
        okno1->PictureClashesItem->setChecked(desk().view().clashes);
        okno2->FormPaint();
    }
    if (change.has(C::Reference)) {
        okno1->show_reference_items();
        okno1->redraw_picture();
    }
    if (change.has(C::Pages)) okno1->show_file();
    if (change.has(C::Sprite) || change.has(C::Pages)) okno1->show_sprite_items();
}

void follow_desk(Desk& desk) {
    static WindowFollower follower;
    desk.document().watch(follower);
    desk.watch(follower);
}
