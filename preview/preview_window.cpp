#include "preview/preview_window.h"

Tokno_prv* okno_prv = nullptr;

Tokno_prv::Tokno_prv(QWidget* owner) : TForm(owner) {
    setupUi(this);
    Loaded();
    okno_prv->SetTop(5);
    okno_prv->SetLeft(20);
}

void Tokno_prv::FormMouseMove(TObject*, TShiftState, int, int) {}
