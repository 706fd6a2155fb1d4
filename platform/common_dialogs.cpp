#include "platform/common_dialogs.h"
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

// A name typed without an extension gets the dialog's default one.
static QString with_extension(QString name, const QString& extension) {
    if (extension.isEmpty() || !QFileInfo(name).suffix().isEmpty()) return name;
    if (!name.endsWith('.')) name += '.';
    return name + extension;
}

static std::function<void(const QString&)>& unansweredHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

void SetUnansweredDialogHandler(std::function<void(const QString&)> handler) {
    unansweredHandler() = std::move(handler);
}

std::deque<std::optional<TFileDialog::Answer>>& TFileDialog::answers() {
    static std::deque<std::optional<Answer>> queue;
    return queue;
}

int& TFileDialog::executed() {
    static int count = 0;
    return count;
}

// "*.*" means every file to the people who write it, but Qt matches it literally: a name
// without a dot would be hidden, and a save dialog would turn "x.vxr" into "x.*".
QStringList TFileDialog::QtFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = QString(parts[i + 1]).replace(';', ' ');
        if (patterns == "*.*") patterns = "*";
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters;
}

// With the details hidden, Qt 6.4 reports the chosen filter as it shows it, the entry's name
// alone; later versions report the whole filter.
int TFileDialog::EntryOf(const QString& filter, const QString& chosen) {
    const QStringList parts = filter.split('|');
    const QStringList filters = QtFilters(filter);
    for (int i = 0; i < filters.size(); ++i)
        if (chosen == filters[i] || chosen == parts[2 * i]) return i + 1;
    return 0;
}

// The entries show their names only; the patterns work underneath.
void TFileDialog::Configure(QFileDialog& dialog) const {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(saving_ ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving_ ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Execute asks before an existing file is replaced, once the default extension is on the
    // name; Qt's own question would name the file as typed.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = QtFilters(Filter);
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[FilterIndex - 1]);
    if (!FileName.isEmpty()) dialog.selectFile(FileName);
}

std::optional<TFileDialog::Answer> TFileDialog::Ask() const {
    ++executed();
    std::optional<Answer> answer;
    if (!answers().empty()) {
        answer = answers().front();
        answers().pop_front();
    } else if (unansweredHandler()) {
        unansweredHandler()(saving_ ? QStringLiteral("save dialog")
                                    : QStringLiteral("open dialog"));
    } else {
        QFileDialog dialog(QApplication::activeWindow());
        Configure(dialog);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            answer = Answer{dialog.selectedFiles().front(), dialog.selectedNameFilter()};
    }
    return answer;
}

// The question comes after the default extension is added, so it names the file that would
// really be replaced. No shows the dialog again with the name still in it.
bool TFileDialog::Execute() {
    for (;;) {
        const std::optional<Answer> answer = Ask();
        if (!answer) return false;
        if (const int entry = EntryOf(Filter, answer->chosen_filter)) FilterIndex = entry;
        FileName = saving_ ? with_extension(answer->name, DefaultExt) : answer->name;
        if (!saving_ || !QFileInfo::exists(FileName) || MayReplace(FileName)) return true;
    }
}

bool MayReplace(const QString& path) {
    return AskQuestion(
        QStringLiteral("Vexlor"),
        QStringLiteral("\"%1\" already exists. Replace it?").arg(QFileInfo(path).fileName()),
        QStringLiteral("&Replace"), QStringLiteral("&No"), Default::No);
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
    } else if (unansweredHandler()) {
        unansweredHandler()(QStringLiteral("colour dialog"));
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

static std::function<bool(const QString&, const QString&)>& questionDisplay() {
    static std::function<bool(const QString&, const QString&)> display;
    return display;
}

void SetQuestionDisplay(std::function<bool(const QString&, const QString&)> display) {
    questionDisplay() = std::move(display);
}

bool AskQuestion(const QString& caption, const QString& text, const QString& yes, const QString& no,
                 Default default_answer) {
    if (questionDisplay()) return questionDisplay()(caption, text);
    if (unansweredHandler()) {
        unansweredHandler()(QStringLiteral("question \"%1\"").arg(text));
        return false;
    }
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* const yes_button = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton* const no_button = box.addButton(no, QMessageBox::RejectRole);
    box.setEscapeButton(no_button);
    box.setDefaultButton(default_answer == Default::Yes ? yes_button : no_button);
    box.exec();
    return box.clickedButton() == yes_button;
}
