#pragma once
#include "ui_shortcuts.h"
#include <QDialog>
#include <QKeySequence>
#include <QString>
#include <vector>

// One key of the editor and what it does.
struct KeyBinding {
    QKeySequence key;
    QString command;
};

// An item whose text says more than its command, as Undo names the step it takes back, keeps
// the command in this property: the list of keys names what a key does, whatever it does now.
inline constexpr char kCommandProperty[] = "command";

// Every key the window answers to, read from its menus' items and from the keys bound to its
// buttons, so that the list is always the one the editor really has.
std::vector<KeyBinding> key_bindings(const QWidget* window);

// The list of keys, a row for each.
class ShortcutsDialog : public QDialog, public Ui::ShortcutsDialog {
    Q_OBJECT
public:
    ShortcutsDialog(const std::vector<KeyBinding>& bindings, QWidget* parent = nullptr);
};

void show_shortcuts(const QWidget* window);
// The editor's name, version, what it is, the Qt it runs on and its licence.
QString about_text();
void show_about();
