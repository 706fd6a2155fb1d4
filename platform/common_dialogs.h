#pragma once
#include "colour/tcolor.h"
#include <QString>
#include <deque>
#include <functional>
#include <optional>

class QFileDialog;

// The file dialogs. Each keeps the name chosen last and offers it again. Tests answer them
// through QueueAnswer (a name, or nullopt for Cancel; with the file type chosen, as the dialog
// reports it) instead of showing a real dialog.
class TFileDialog {
public:
    QString Filter;     // "Name|*.ext|Other|*.*"
    QString FileName;   // the name chosen last
    QString DefaultExt; // "ext": a save dialog adds it to a name typed without an extension
    int FilterIndex =
        1; // the filter entry shown first and, after Execute, the one chosen (1: the first)
    QString GetFileName() const { return FileName; }
    bool Execute();

    static void QueueAnswer(std::optional<QString> name) {
        answers().push_back(name ? std::optional<Answer>({*name, {}}) : std::nullopt);
    }
    static void QueueAnswer(const QString& name, const QString& chosen_filter) {
        answers().push_back(Answer{name, chosen_filter});
    }
    static int PendingAnswers() { return int(answers().size()); }
    static void DropAnswers() { answers().clear(); }
    static int ExecuteCount() { return executed(); }

    // "Name|*.ext|Other|*.*" as Qt's name filters: "Name (*.ext)", "Other (*)".
    static QStringList QtFilters(const QString& filter);
    // The entry of `filter` (from 1) that a dialog's selected name filter `chosen` is; 0: none.
    static int EntryOf(const QString& filter, const QString& chosen);
    // Sets a file dialog up as Execute shows it.
    void Configure(QFileDialog& dialog) const;

protected:
    explicit TFileDialog(bool saving) : saving_(saving) {}

private:
    struct Answer {
        QString name;
        QString chosen_filter; // empty: the entry shown first stays chosen
    };
    std::optional<Answer> Ask() const;
    static std::deque<std::optional<Answer>>& answers();
    static int& executed();
    bool saving_;
};

class TOpenDialog : public TFileDialog {
public:
    TOpenDialog() : TFileDialog(false) {}
};

class TSaveDialog : public TFileDialog {
public:
    TSaveDialog() : TFileDialog(true) {}
};

// The colour dialog opens with the colour it returned last; black the first time.
class TColorDialog {
public:
    TColor Color = clBlack;
    bool Execute();

    static void QueueAnswer(std::optional<TColor> answer) { answers().push_back(answer); }

private:
    static std::deque<std::optional<TColor>>& answers();
};

// Tests set this: a file or colour dialog with no answer queued calls it, naming the dialog,
// and answers Cancel, instead of opening a real dialog that nobody would close.
void SetUnansweredDialogHandler(std::function<void(const QString&)> handler);

// A warning in a message box. Tests replace where the text goes.
void ShowErrorMessage(const QString& caption, const QString& text);
void SetErrorMessageDisplay(std::function<void(const QString&, const QString&)> display);

// A question in a message box with two buttons, `yes` and `no` (also Esc), either of them the
// default; true for `yes`. Tests replace who answers: the display gets the caption and the text.
// With no display set but an unanswered-dialog handler, the handler hears of it and the answer
// is `no`.
enum class Default { Yes, No };
bool AskQuestion(const QString& caption, const QString& text, const QString& yes, const QString& no,
                 Default default_answer = Default::Yes);

// "… already exists. Replace it?", No the default; true to replace. A save dialog asks it.
bool MayReplace(const QString& path);
void SetQuestionDisplay(std::function<bool(const QString&, const QString&)> display);
