#include "dialogs/background_dialog.h"
#include "background/background.h"
#include "display/displayed_palette.h"
#include "picture/picture.h"
#include "platform/controls.h"
#include <QApplication>
#include <QToolButton>

BackgroundColourDialog::BackgroundColourDialog(ConstPixelGrid picture, const Mode& mode,
                                               std::uint8_t current, QWidget* parent)
    : QDialog(parent), picture_(picture), mode_(mode) {
    setupUi(this);
    auto* grid = static_cast<QGridLayout*>(colour_grid->layout());
    for (int index = 0; index < 16; ++index) {
        auto* button = new QToolButton(colour_grid);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setIcon(ColourSwatch(palette_color(unsigned(index))));
        button->setIconSize(QSize(20, 20));
        button->setText(colour_names[std::size_t(index)]);
        grid->addWidget(button, index / 4, index % 4);
        group_.addButton(button, index);
    }
    QAbstractButton* now = group_.button(current & 0x0F);
    QFont bold = now->font();
    bold.setBold(true);
    now->setFont(bold);
    now->setChecked(true);
    connect(&group_, &QButtonGroup::idToggled, this, &BackgroundColourDialog::show_limit_note);
    connect(recolour_box, &QCheckBox::toggled, this, &BackgroundColourDialog::show_limit_note);
    show_limit_note();
}

// The mode's colour areas are counted: cells, or in FLI the 4 x 1 rows.
void BackgroundColourDialog::show_limit_note() {
    limit_note->setVisible(!recolour());
    const int over = mode_.areas_over_limit(picture_, color());
    limit_note->setText(
        over == 0 ? tr("Every %1 stays within the colours a C64 shows.").arg(mode_.area_one)
        : over == 1
            ? tr("1 %1 would hold more colours than a C64 shows.").arg(mode_.area_one)
            : tr("%1 %2 would hold more colours than a C64 shows.").arg(over).arg(mode_.area_many));
}

bool ask_background_colour(ConstPixelGrid picture, const Mode& mode, std::uint8_t& color,
                           bool& recolour) {
    BackgroundColourDialog dialog(picture, mode, color, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    color = dialog.color();
    recolour = dialog.recolour();
    return true;
}
