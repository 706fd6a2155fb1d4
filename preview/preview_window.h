#pragma once
#include "platform/tform.h"
#include "ui_preview_window.h"

// The preview of the whole picture. The frame window draws on it; it takes no input.
class Tokno_prv : public TForm, public Ui::Tokno_prv {
    Q_OBJECT
public:
    explicit Tokno_prv(QWidget* owner);

public slots:
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
};

extern Tokno_prv* okno_prv;
