#pragma once
#include "colour/pal_display.h"
#include "ui_pal_blends.h"
#include <QDialog>
#include <optional>

// View > PAL Blends: the pairs of colours a PAL television mixes without stripes, in the colours
// the views show, each with the colour it makes and its two colours.
class PalBlendsDialog : public QDialog, public Ui::PalBlendsDialog {
    Q_OBJECT
public:
    explicit PalBlendsDialog(QWidget* parent = nullptr);

    std::optional<PalBlend> chosen() const;

private:
    std::vector<PalBlend> blends_;
};

// Shows the dialog over the frame; the pair chosen, or nothing when it is cancelled or the
// palette has no pairs.
std::optional<PalBlend> ask_pal_blend();
