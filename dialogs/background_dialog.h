#pragma once
#include "modes/mode.h"
#include "ui_background_colour.h"
#include <QButtonGroup>
#include <QDialog>
#include <cstdint>

// Asks for the picture's background colour: the sixteen colours by colour and name, the
// current one in bold, and whether the background pixels take the new colour. Kept as they
// are, it says how many cells (in FLI: 4 x 1 rows) would then hold more colours than a C64
// shows.
class BackgroundColourDialog : public QDialog, public Ui::BackgroundColourDialog {
    Q_OBJECT
public:
    BackgroundColourDialog(ConstPixelGrid picture, const Mode& mode, std::uint8_t current,
                           QWidget* parent = nullptr);

    std::uint8_t color() const { return std::uint8_t(group_.checkedId()); }
    bool recolour() const { return recolour_box->isChecked(); }
    QAbstractButton* color_button(std::uint8_t index) const { return group_.button(index); }

private:
    void show_limit_note();

    ConstPixelGrid picture_;
    const Mode& mode_;
    QButtonGroup group_;
};

// Shows the dialog over the active window, starting at `color`; true, with the choice in
// `color` and `recolour`, when it is confirmed.
bool ask_background_colour(ConstPixelGrid picture, const Mode& mode, std::uint8_t& color,
                           bool& recolour);
