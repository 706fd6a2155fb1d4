#include "dialogs/pal_blends_dialog.h"
#include "display/displayed_palette.h"
#include "display/pal_view.h"
#include <QApplication>
#include <QPainter>

namespace {

QColor qt_color(TColor color) {
    return QColor(int(RedOf(color)), int(GreenOf(color)), int(BlueOf(color)));
}

// The mixed colour, then the two colours on their alternating lines.
QIcon blend_swatch(const PalBlend& blend) {
    QPixmap swatch(48, 20);
    QPainter painter(&swatch);
    painter.fillRect(0, 0, 28, 20, qt_color(shown_pal_display().blend(blend.first, blend.second)));
    for (int row = 0; row < 20; ++row)
        painter.fillRect(28, row, 20, 1, qt_color(palette_color(blend.color_on_row(row))));
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 47, 19);
    return QIcon(swatch);
}

} // namespace

PalBlendsDialog::PalBlendsDialog(QWidget* parent)
    : QDialog(parent), blends_(pal_blends(shown_pal_display())) {
    setupUi(this);
    for (const PalBlend& blend : blends_)
        new QListWidgetItem(blend_swatch(blend),
                            QStringLiteral("%1 and %2")
                                .arg(c64_color_name(c64_color_number(blend.first)),
                                     c64_color_name(c64_color_number(blend.second))),
                            this->blends);
    if (!blends_.empty()) this->blends->setCurrentRow(0);
}

std::optional<PalBlend> PalBlendsDialog::chosen() const {
    const int row = blends->currentRow();
    if (row < 0 || row >= int(blends_.size())) return std::nullopt;
    return blends_[std::size_t(row)];
}

std::optional<PalBlend> ask_pal_blend() {
    PalBlendsDialog dialog(QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}
