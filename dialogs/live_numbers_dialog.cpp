#include "dialogs/live_numbers_dialog.h"
#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

LiveNumbersDialog::LiveNumbersDialog(const QString& title, std::vector<NumberField> fields,
                                     std::function<void(const std::vector<double>&)> follow,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QFormLayout(this);
    std::vector<double> start;
    for (const NumberField& field : fields) {
        auto* box = new QDoubleSpinBox(this);
        box->setRange(field.least, field.most);
        box->setDecimals(field.decimals);
        box->setSingleStep(field.step);
        box->setSuffix(field.suffix);
        box->setValue(field.value);
        box->setKeyboardTracking(false);
        layout->addRow(field.label, box);
        boxes_.push_back(box);
        start.push_back(field.value);
    }
    for (QDoubleSpinBox* box : boxes_)
        connect(box, &QDoubleSpinBox::valueChanged, this, [this, follow] { follow(values()); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [follow, start] { follow(start); });
}

std::vector<double> LiveNumbersDialog::values() const {
    std::vector<double> values;
    for (const QDoubleSpinBox* box : boxes_) values.push_back(box->value());
    return values;
}

bool ask_live_numbers(const QString& title, std::vector<NumberField> fields,
                      const std::function<void(const std::vector<double>&)>& follow) {
    LiveNumbersDialog dialog(title, std::move(fields), follow, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}
