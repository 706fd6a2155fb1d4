#include "storage/dlg_open.h"

Tdlgopen* dlgopen = nullptr;

Tdlgopen::Tdlgopen(QWidget* owner) : TForm(owner) {
    setupUi(this);
    Loaded();
}

void Tdlgopen::OKBtnClick(TObject*) { ModalResult = mrOk; }
void Tdlgopen::CancelBtnClick(TObject*) { ModalResult = mrCancel; }
