#pragma once
#include "colour/pal_display.h"
#include "navigation/navigation.h"
#include "platform/tform.h"
#include "reference/reference_image.h"
#include "selection/pixel_selection.h"
#include "sprites/shown_rows.h"
#include "tools/painter.h"
#include "ui_preview_window.h"

// The preview of the whole picture, drawn by itself at the size the desk says; it is also the
// map of the zoom view (preview_map.cpp): it frames the view's area, and the left button moves
// the view.
class Tokno_prv : public TForm, public Ui::Tokno_prv {
    Q_OBJECT
public:
    explicit Tokno_prv(QWidget* owner);

    // The picture's pixels from column `left` and row `top` up to (not including) `right` and
    // `bottom`, cut at the picture's edges, with the marks over them: a picture pixel is one
    // block from (2, 2) at double size (4 x 2 screen pixels for a double-width pixel), or a
    // row of screen pixels from (0, 0) at single size.
    void draw(std::uint64_t left, std::uint64_t top, std::uint64_t right, std::uint64_t bottom);
    // The whole picture.
    void redraw();
    // What the tools painted during a pointer event: its area, or in the PAL view the rows a
    // television changes with it.
    void show_painted(const PaintReport& report);

    // Frames the part of the picture that the zoom view shows, in the preview drawn with
    // `pixels` a picture pixel, over the pixels `redrawn`.
    void draw_view_frame(const PreviewPixels& pixels, PixelArea redrawn);
    // Redraws the preview when the zoom view has moved off the area last framed.
    void follow_view();

public slots:
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    void centre_view_at(int x, int y);
    void draw_pal_rows(const std::vector<PixelArea>& rows);
    // Over the picture's pixels `redrawn`: the selection's outline, the symmetry's axes and the
    // zoom view's frame.
    void draw_marks(const PreviewPixels& block, const PixelArea& redrawn);
    const std::vector<EdgeRun>& selection_edge();
    void draw_sprite_outlines(const PreviewPixels& block, const PixelArea& redrawn);

    PalChanges pal_changes_; // what the tools painted, still to be shown in the PAL preview
    PixelArea framed_;
    PixelSelection edged_; // the selection whose edge_ the outline runs along
    std::vector<EdgeRun> edge_;
    bool following_ = false; // a left press on the picture, until its release
};

// A thin line of `dash` black, then `dash` white pixels along the inside of the `edge` of the
// `selected` pixels, in the preview drawn with `pixels` a picture pixel: it shows on every
// colour. Only the part over the picture's pixels `redrawn` is drawn: elsewhere the line is
// still there.
void draw_dashed_edge(TCanvas& canvas, const std::vector<EdgeRun>& edge,
                      const PixelSelection& selected, const PreviewPixels& pixels, int dash,
                      const PixelArea& redrawn);
// The same along the inside of the area's edge.
void draw_dashed_outline(TCanvas& canvas, const PixelArea& area, const PreviewPixels& pixels,
                         int dash, const PixelArea& redrawn);
// Where the picture's pixels of `area` lie on the preview drawn with `pixels` a picture pixel.
TRect preview_rect(const PixelArea& area, const PreviewPixels& pixels);

// The picture's pixels of `area` (each `pixel_aspect` screen pixels wide) as a PAL television
// shows them, the sprites laid over, in the preview drawn with `pixels` a picture pixel: each
// screen pixel of a picture pixel in its own colour, with `reference` blended over it.
void draw_pal_preview(TCanvas& canvas, const ShownGrid& picture, int pixel_aspect,
                      const PixelArea& area, const PreviewPixels& pixels,
                      const ReferenceLayer& reference);

extern Tokno_prv* okno_prv;
