#pragma once
#include "navigation/navigation.h"
#include "platform/tform.h"
#include "reference/reference_image.h"
#include "ui_preview_window.h"

// The preview of the whole picture. The frame window draws on it; it is also the map of the
// zoom view (preview_map.cpp): it frames the view's area, and the left button moves the view.
class Tokno_prv : public TForm, public Ui::Tokno_prv {
    Q_OBJECT
public:
    explicit Tokno_prv(QWidget* owner);

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

    PixelArea framed_;
    bool following_ = false; // a left press on the picture, until its release
};

// A thin line of `dash` black, then `dash` white pixels along the inside of the area's edge, in
// the preview drawn with `pixels` a picture pixel: it shows on every colour. Only the part
// over the picture's pixels `redrawn` is drawn: elsewhere the line is still there.
void draw_dashed_outline(TCanvas& canvas, const PixelArea& area, const PreviewPixels& pixels,
                         int dash, const PixelArea& redrawn);
// Where the picture's pixels of `area` lie on the preview drawn with `pixels` a picture pixel.
TRect preview_rect(const PixelArea& area, const PreviewPixels& pixels);

// The picture's pixels of `area` as a PAL television shows them, in the preview drawn with
// `pixels` a picture pixel: each screen pixel of a picture pixel in its own colour, with
// `reference` blended over it.
void draw_pal_preview(TCanvas& canvas, ConstPixelGrid picture, int pixel_aspect,
                      const PixelArea& area, const PreviewPixels& pixels,
                      const ReferenceLayer& reference);

extern Tokno_prv* okno_prv;
