#pragma once
#include "platform/tform.h"
#include "selection/block.h"
#include "ui_preview_window.h"

// The preview of the whole picture. The frame window draws on it; it takes no input.
class Tokno_prv : public TForm, public Ui::Tokno_prv {
    Q_OBJECT
public:
    explicit Tokno_prv(QWidget* owner);

public slots:
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
};

// A thin black and white line along the inside of the selection's edge, in the preview drawn
// at `size` (1 single, 2 double).
void draw_selection_outline(TCanvas& canvas, const PixelArea& area, int size);

extern Tokno_prv* okno_prv;
