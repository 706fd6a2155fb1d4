#pragma once
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QDoubleSpinBox;

// A number a dialog asks for: its label, where it starts, its range and step.
struct NumberField {
    QString label;
    double value = 0, least = 0, most = 1, step = 1;
    int decimals = 0;
    QString suffix;
};

// Asks for a few numbers, handing every change to `follow` at once so that what they change
// shows while the dialog is open (Brush › Rotate… and Scale…). OK keeps them; Cancel hands the
// starting values to `follow` again.
class LiveNumbersDialog : public QDialog {
    Q_OBJECT
public:
    LiveNumbersDialog(const QString& title, std::vector<NumberField> fields,
                      std::function<void(const std::vector<double>&)> follow,
                      QWidget* parent = nullptr);

    std::vector<double> values() const;
    QDoubleSpinBox* box(std::size_t index) const { return boxes_[index]; }

private:
    std::vector<QDoubleSpinBox*> boxes_;
};

// Shows the dialog over the active window; true when OK was pressed.
bool ask_live_numbers(const QString& title, std::vector<NumberField> fields,
                      const std::function<void(const std::vector<double>&)>& follow);
