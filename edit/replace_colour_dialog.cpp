#include "edit/replace_colour_dialog.h"
#include "display/displayed_palette.h"
#include "picture/picture.h"
#include "platform/controls.h"
#include <QApplication>
#include <QToolButton>

ReplaceColourDialog::ReplaceColourDialog(std::uint8_t from, std::uint8_t to, QWidget* parent)
    : QDialog(parent) {
    setupUi(this);
    fill_row(from_row, from_group_, from);
    fill_row(to_row, to_group_, to);
}

void ReplaceColourDialog::fill_row(QWidget* row, QButtonGroup& group, std::uint8_t chosen) {
    for (int index = 0; index < 16; ++index) {
        auto* button = new QToolButton(row);
        button->setCheckable(true);
        button->setIcon(ColourSwatch(palette_color(unsigned(index))));
        button->setIconSize(QSize(20, 20));
        button->setToolTip(colour_names[std::size_t(index)]);
        row->layout()->addWidget(button);
        group.addButton(button, index);
    }
    group.button(chosen & 0x0F)->setChecked(true);
}

bool ask_replace_colour(std::uint8_t& from, std::uint8_t& to) {
    ReplaceColourDialog dialog(from, to, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    from = dialog.from();
    to = dialog.to();
    return true;
}
