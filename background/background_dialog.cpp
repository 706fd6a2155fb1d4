#include "background/background_dialog.h"
#include "background/background.h"
#include "picture/picture.h"
#include "platform/controls.h"
#include <QApplication>
#include <QToolButton>

BackgroundColourDialog::BackgroundColourDialog(const std::uint8_t* picture, std::uint8_t format,
                                               std::uint8_t current, QWidget* parent)
    : QDialog(parent), picture_(picture), format_(format) {
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

// In FLI every 4 x 1 row has colours of its own, so rows are counted there.
void BackgroundColourDialog::show_limit_note() {
    limit_note->setVisible(!recolour());
    const bool fli = format_ == fmtFli;
    const int over =
        fli ? fli_rows_over_limit(picture_, color()) : cells_over_limit(picture_, color());
    const QString unit = fli ? QStringLiteral("row") : QStringLiteral("cell");
    limit_note->setText(
        over == 0   ? tr("Every %1 stays within the colours a C64 shows.").arg(unit)
        : over == 1 ? tr("1 %1 would hold more colours than a C64 shows.").arg(unit)
                    : tr("%1 %2s would hold more colours than a C64 shows.").arg(over).arg(unit));
}

bool ask_background_colour(const std::uint8_t* picture, std::uint8_t format, std::uint8_t& color,
                           bool& recolour) {
    BackgroundColourDialog dialog(picture, format, color, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    color = dialog.color();
    recolour = dialog.recolour();
    return true;
}
