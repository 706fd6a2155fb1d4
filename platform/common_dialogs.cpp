#include "platform/common_dialogs.h"
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

std::deque<std::optional<QString>>& TFileDialog::answers() {
    static std::deque<std::optional<QString>> queue;
    return queue;
}

int& TFileDialog::executed() {
    static int count = 0;
    return count;
}

QStringList TFileDialog::QtFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    return filters;
}

bool TFileDialog::Execute() {
    ++executed();
    std::optional<QString> answer;
    if (!answers().empty()) {
        answer = answers().front();
        answers().pop_front();
    } else {
        QFileDialog dialog(QApplication::activeWindow());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(saving_ ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(saving_ ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The editor asks nothing before an existing file is replaced.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setNameFilters(QtFilters(Filter));
        if (!FileName.isEmpty()) dialog.selectFile(FileName);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            answer = dialog.selectedFiles().front();
    }
    if (!answer) return false;
    FileName = *answer;
    return true;
}

std::deque<std::optional<TColor>>& TColorDialog::answers() {
    static std::deque<std::optional<TColor>> queue;
    return queue;
}

bool TColorDialog::Execute() {
    std::optional<TColor> answer;
    if (!answers().empty()) {
        answer = answers().front();
        answers().pop_front();
    } else {
        const QColor chosen =
            QColorDialog::getColor(QColor(SurfaceWord(Color)), QApplication::activeWindow());
        if (chosen.isValid()) answer = RGBColor(chosen.red(), chosen.green(), chosen.blue());
    }
    if (!answer) return false;
    Color = *answer;
    return true;
}

static std::function<void(const QString&, const QString&)>& errorDisplay() {
    static std::function<void(const QString&, const QString&)> display;
    return display;
}

void SetErrorMessageDisplay(std::function<void(const QString&, const QString&)> display) {
    errorDisplay() = std::move(display);
}

void ShowErrorMessage(const QString& caption, const QString& text) {
    if (errorDisplay())
        errorDisplay()(caption, text);
    else
        QMessageBox::warning(QApplication::activeWindow(), caption, text);
}
