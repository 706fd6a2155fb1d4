// The preview as the map of the zoom view: the view's area framed, and a left press or drag on
// the picture brings the view there.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "navigation/navigation.h"
#include "preview/preview_window.h"
#include "zoom/zoom_window.h"
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

// The part of the picture the zoom view shows: the view may reach past the picture's edges,
// where the preview draws nothing.
static PixelArea shown_part() {
    const PictureShape& shape = desk().document().mode().shape;
    return {okno2->scroll_x, okno2->scroll_y,
            std::min<int>(okno2->view_cols, shape.width - okno2->scroll_x),
            std::min<int>(okno2->view_rows, shape.height - okno2->scroll_y)};
}

// The frame lies along the inside of the part shown, so it covers no pixel outside it. A
// preview drawn whole frames where the view is now; a part of it, where the frame was last
// drawn, until follow_view moves it.
void Tokno_prv::draw_view_frame(const PreviewPixels& pixels, PixelArea redrawn) {
    if (redrawn == desk().document().whole()) framed_ = shown_part();
    if (!framed_.empty()) draw_dashed_outline(*Canvas, framed_, pixels, 4, redrawn);
}

// The old frame goes with the picture's pixels under it, its four sides drawn again; then the
// frame is drawn whole at its new place.
void Tokno_prv::follow_view() {
    const PixelArea old = framed_;
    framed_ = shown_part();
    if (framed_ == old) return;
    if (!old.empty())
        for (const PixelArea& side : {PixelArea{old.left, old.top, old.width, 1},
                                      {old.left, old.bottom(), old.width, 1},
                                      {old.left, old.top, 1, old.height},
                                      {old.right(), old.top, 1, old.height}})
            draw(std::uint64_t(side.left), std::uint64_t(side.top), std::uint64_t(side.right()) + 1,
                 std::uint64_t(side.bottom()) + 1);
    const PictureShape& shape = desk().document().mode().shape;
    if (!framed_.empty())
        draw_dashed_outline(*Canvas, framed_, preview_pixels(desk().preview_size, shape), 4,
                            desk().document().whole());
}

void Tokno_prv::centre_view_at(int x, int y) {
    const PictureShape shape = desk().document().mode().shape;
    okno2->show_place(
        centred_on(preview_pixel_at(x, y, desk().preview_size, shape), okno2->frame(), shape));
}

// A press beside the picture does nothing; a drag from the picture follows the pointer to the
// picture's edge and beyond. The press brought the preview to the front, over the top of the
// zoom view it moves: the map goes back under the other windows, as at start. The zoom view
// takes the keyboard first, for the area restacks the window it deactivates, and lowering
// before that would be undone at the next press in the zoom view.
void Tokno_prv::FormMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    okno1->MdiClient()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(okno2->Host()));
    Host()->lower();
    following_ = Button == mbLeft &&
                 on_preview_picture(X, Y, desk().preview_size, desk().document().mode().shape);
    if (following_) centre_view_at(X, Y);
}

void Tokno_prv::FormMouseMove(TObject*, TShiftState Shift, int X, int Y) {
    if (following_ && (Shift & ssLeft)) centre_view_at(X, Y);
}

void Tokno_prv::FormMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == mbLeft) following_ = false;
}
