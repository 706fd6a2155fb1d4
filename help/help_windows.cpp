#include "help/help_windows.h"
#include "picture/picture.h"
#include "vexlor_version.h"
#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QShortcut>
#include <set>

namespace {

QString plain(QString text) { return text.remove('&'); }

QString command_of(const QAction* item) {
    const QVariant command = item->property(kCommandProperty);
    return plain(command.isValid() ? command.toString() : item->text());
}

// An item is named by the menus it lies in, "View › Zoom › Zoom In".
void add_menu(std::vector<KeyBinding>& bindings, std::set<const QAction*>& listed,
              const QMenu* menu, const QString& path) {
    for (const QAction* item : menu->actions()) {
        listed.insert(item);
        const QString name = path + " › " + command_of(item);
        if (item->menu()) add_menu(bindings, listed, item->menu(), name);
        for (const QKeySequence& key : item->shortcuts()) bindings.push_back({key, name});
    }
}

// The window, or the inner window, that an item belongs to.
QString owner_title(const QObject* item) {
    for (const QObject* at = item->parent(); at; at = at->parent())
        if (const auto* widget = qobject_cast<const QWidget*>(at))
            if ((widget->isWindow() && !qobject_cast<const QMenu*>(widget)) ||
                qobject_cast<const QMdiSubWindow*>(widget))
                return widget->windowTitle();
    return {};
}

// A button says what it does in its tooltip, without the key that the list shows anyway; a
// colour button by its colour.
QString describe(const QAbstractButton* button) {
    QString hint = button->toolTip();
    if (hint.isEmpty()) {
        const int index = button->property("Key").toString().toInt(nullptr, 16);
        return QStringLiteral("Draw colour %1: %2").arg(index).arg(colour_names[index & 0x0F]);
    }
    return hint.remove(QRegularExpression(R"( \(\w\)$)"));
}

} // namespace

std::vector<KeyBinding> key_bindings(const QWidget* window) {
    std::vector<KeyBinding> bindings;
    std::set<const QAction*> listed;
    if (const auto* bar = window->findChild<QMenuBar*>())
        for (const QAction* menu : bar->actions())
            if (menu->menu()) add_menu(bindings, listed, menu->menu(), plain(menu->text()));
    // The inner windows' own items, such as the zoom window's Close, which minimises it.
    for (const QAction* item : window->findChildren<QAction*>())
        if (!listed.count(item) && item->isEnabled() && item->isVisible())
            for (const QKeySequence& key : item->shortcuts())
                bindings.push_back({key, owner_title(item) + " › " + command_of(item)});
    // The buttons' keys, and keys of their own that say what they do.
    for (const QShortcut* shortcut : window->findChildren<QShortcut*>())
        if (const auto* button = qobject_cast<const QAbstractButton*>(shortcut->parent()))
            bindings.push_back({shortcut->key(), describe(button)});
        else if (!shortcut->whatsThis().isEmpty())
            bindings.push_back({shortcut->key(), shortcut->whatsThis()});
    return bindings;
}

ShortcutsDialog::ShortcutsDialog(const std::vector<KeyBinding>& bindings, QWidget* parent)
    : QDialog(parent) {
    setupUi(this);
    table->setRowCount(int(bindings.size()));
    for (int row = 0; row < int(bindings.size()); ++row) {
        table->setItem(row, 0,
                       new QTableWidgetItem(
                           bindings[std::size_t(row)].key.toString(QKeySequence::NativeText)));
        table->setItem(row, 1, new QTableWidgetItem(bindings[std::size_t(row)].command));
    }
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->resizeColumnToContents(0);
}

void show_shortcuts(const QWidget* window) {
    ShortcutsDialog(key_bindings(window), QApplication::activeWindow()).exec();
}

QString about_text() {
    return QStringLiteral("<h3>Vexlor %1</h3>"
                          "<p>An editor for Commodore 64 multicolour bitmap pictures.</p>"
                          "<p>Built with Qt %2, running on Qt %3.</p>"
                          "<p>Released under the %4 licence.</p>")
        .arg(VEXLOR_VERSION, QT_VERSION_STR, qVersion(), VEXLOR_LICENSE);
}

void show_about() {
    QMessageBox::about(QApplication::activeWindow(), QStringLiteral("About Vexlor"), about_text());
}
