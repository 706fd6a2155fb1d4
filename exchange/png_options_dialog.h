#pragma once
#include "c64/render.h"
#include "ui_png_options.h"
#include <QDialog>

// How an exported PNG shows the picture. It starts as the editor shows it: 320 x 200, scale 1,
// the palette the views show; the PAL display is one of the sizes.
class PngOptionsDialog : public QDialog, public Ui::PngOptionsDialog {
    Q_OBJECT
public:
    explicit PngOptionsDialog(QWidget* parent = nullptr);

    RenderOptions options() const;

private:
    void show_size();
};
