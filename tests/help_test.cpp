#include "app/Main.h"
#include "help/help_windows.h"
#include "tests/gui_support.h"
#include "vexlor_version.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

// What the shortcuts window shows, key by key.
std::map<QString, QString> shown_shortcuts() {
    std::map<QString, QString> rows;
    WhenModal([&] {
        auto* dialog = qobject_cast<ShortcutsDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        for (int row = 0; row < dialog->table->rowCount(); ++row)
            rows[dialog->table->item(row, 0)->text()] = dialog->table->item(row, 1)->text();
        dialog->reject();
    });
    okno1->HelpShortcutsItem->trigger();
    return rows;
}

} // namespace

TEST(Help, IsTheLastMenuWithItsTwoItems) {
    const auto menus = okno1->MainMenu->actions();
    EXPECT_EQ(menus.back()->text(), "&Help");
    EXPECT_EQ(okno1->HelpMenu->actions(),
              (QList<QAction*>{okno1->HelpShortcutsItem, okno1->HelpAboutItem}));
    EXPECT_EQ(okno1->HelpShortcutsItem->text(), "&Keyboard Shortcuts");
    EXPECT_EQ(okno1->HelpAboutItem->text(), "&About Vexlor");
}

// Every key that any item or button of the frame answers to is in the list, and nothing else:
// the menus' items, enabled or not, the inner windows' own items that are in use, and the
// buttons' keys.
TEST(Help, TheShortcutsWindowListsEveryKeyTheEditorHas) {
    const auto rows = shown_shortcuts();
    std::set<QString> keys;
    std::set<const QAction*> in_menus;
    std::function<void(const QMenu*)> walk = [&](const QMenu* menu) {
        for (const QAction* item : menu->actions()) {
            in_menus.insert(item);
            if (item->menu()) walk(item->menu());
        }
    };
    for (const QAction* menu : okno1->MainMenu->actions()) walk(menu->menu());
    for (const QAction* item : okno1->Host()->findChildren<QAction*>())
        if (in_menus.count(item) || (item->isEnabled() && item->isVisible()))
            for (const QKeySequence& key : item->shortcuts())
                keys.insert(key.toString(QKeySequence::NativeText));
    for (const QShortcut* shortcut : okno1->Host()->findChildren<QShortcut*>())
        keys.insert(shortcut->key().toString(QKeySequence::NativeText));
    for (const QString& key : keys) EXPECT_TRUE(rows.count(key)) << key.toStdString();
    EXPECT_EQ(rows.size(), keys.size());
    EXPECT_GE(keys.size(), 3u + 3u + 16u + 6u); // File, Edit, the colours and the tools
    EXPECT_EQ(rows.at("Ctrl+O"), "File › Open...");
    EXPECT_EQ(rows.at("Ctrl+Shift+Z"), "Edit › Redo");
    EXPECT_EQ(rows.at("Ctrl+W"), "Vexlor ZOOM › Close");
    EXPECT_EQ(rows.at("G"), "Fill");
    EXPECT_EQ(rows.at("S"), "Select");
    EXPECT_EQ(rows.at("Esc"), "Drop the pasted block, else the selection, else the brush or pen");
    EXPECT_EQ(rows.at("Ctrl+B"), "Brush › Brush from Selection");
    EXPECT_EQ(rows.at("Shift+H"), "Brush › Halve Size");
    EXPECT_EQ(rows.at("]"), "Brush › Larger Pen");
    EXPECT_EQ(rows.at("N"), "Brush › Pattern › Next Pattern");
    EXPECT_EQ(rows.at("Shift+N"), "Brush › Pattern › Previous Pattern");
    EXPECT_EQ(rows.at("M"), "Edit › Symmetry › Next Symmetry");
    EXPECT_EQ(rows.at("O"), "Ellipse");
    EXPECT_EQ(rows.at("T"), "Spray");
    EXPECT_EQ(rows.at("P"), "free paint");
    EXPECT_EQ(rows.at("7"), "Draw colour 7: yellow");
    EXPECT_EQ(rows.at("A"), "Draw colour 10: light red");
    EXPECT_EQ(rows.at("PgDown"), "Move the zoom view down by its height");
    EXPECT_EQ(rows.at("Ctrl+="), "View › Zoom › Zoom In");
}

// Ctrl+Z and Ctrl+Y are named by their commands, not by the steps they would take now: an
// Import that changed nothing leaves the step before it, an Open, to undo.
TEST(Help, TheShortcutsWindowNamesUndoAndRedoWhateverTheHistoryHolds) {
    QTemporaryDir dir;
    const QString file = dir.filePath("p.vxr");
    const struct {
        const char* what;
        std::function<void()> before;
    } cases[] = {
        {"nothing done", [] {}},
        {"an Open, then an Import that changed nothing",
         [&] {
             TFileDialog::QueueAnswer(file);
             okno1->FileSaveAsItem->trigger();
             StoredPicture painted{};
             painted.fill(1);
             desk().replace_picture("Paint", {painted.data(), 160, 200}, 0, fmtMulticolor);
             okno1->open_picture(file, OpenAs::ByKind);
             EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Open");
             okno1->import_step([](PixelGrid storage, std::uint8_t&, std::uint8_t&) {
                 std::copy_n(okno2->picture.data(), kStorageBytes, storage.pixels);
                 return true;
             });
         }},
        {"a step taken back", [] { okno1->EditUndoItem->trigger(); }},
    };
    ResetEditor();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.before();
        const auto rows = shown_shortcuts();
        EXPECT_EQ(rows.at("Ctrl+Z"), "Edit › Undo");
        EXPECT_EQ(rows.at("Ctrl+Y"), "Edit › Redo");
    }
}

TEST(Help, AboutNamesTheEditorItsVersionQtAndTheLicence) {
    QString text;
    WhenModal([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        text = box->text();
        box->accept();
    });
    okno1->HelpAboutItem->trigger();
    EXPECT_TRUE(text.contains("Vexlor " VEXLOR_VERSION));
    EXPECT_TRUE(text.contains("Commodore 64"));
    EXPECT_TRUE(text.contains(qVersion()));
    EXPECT_TRUE(text.contains("MIT"));
}
