#pragma once
#include "platform/tform.h"
#include "ui_dlg_open.h"

// Asks whether the current picture may be thrown away; the answer stays in ModalResult.
class Tdlgopen : public TForm, public Ui::Tdlgopen {
    Q_OBJECT
public:
    explicit Tdlgopen(QWidget* owner);

public slots:
    void OKBtnClick(TObject* Sender = nullptr);
    void CancelBtnClick(TObject* Sender = nullptr);
};

extern Tdlgopen* dlgopen;
