// The artist's hand in the windows: the menu items, the refused plot's words and flash, and
// the clash marks a first start shows.
#include "app/Main.h"
#include "settings/paint_setting.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMainWindow>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct HandWindow : EditorWindowTest {
    static QAction* item(const QString& text) {
        for (const QObject* owner :
             {static_cast<QObject*>(okno1), static_cast<QObject*>(okno1->Host())})
            for (QAction* found : owner->findChildren<QAction*>())
                if (found->text() == text) return found;
        return nullptr;
    }
    // The middle of a picture pixel in the zoom view.
    static QPoint on_screen(PixelPos at) {
        return {int((at.column + 0.5) * okno2->cell_w), int((at.row + 0.5) * okno2->cell_h)};
    }
};

} // namespace

// Each item is there with its key and a line for the status bar.
TEST_F(HandWindow, TheItemsHaveTheirKeysAndTips) {
    const struct {
        QString text;
        QKeySequence key;
    } rows[] = {
        {"&Lasso Selection", QKeySequence("Shift+S")},
        {"The Colour under the &Pointer", QKeySequence("Shift+K")},
        {"The &Background", {}},
        {"The &Second Colour", {}},
        {"Rotate...", {}},
        {"S&cale...", {}},
        {"150 Dots a Second", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        QAction* found = item(row.text);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->shortcut(), row.key);
        EXPECT_FALSE(found->statusTip().isEmpty() && !found->isCheckable());
    }
    // Shift+S chooses the selection tool with the lasso, and again the rectangle.
    item("&Lasso Selection")->trigger();
    EXPECT_EQ(okno1->tool_mode, toolSelect);
    EXPECT_EQ(desk().select_shape(), SelectShape::Lasso);
    item("&Lasso Selection")->trigger();
    EXPECT_EQ(desk().select_shape(), SelectShape::Rectangle);
    // The Brush menu's first item names the spray's reach and flow while it is chosen.
    QTest::mouseClick(okno1->tool_spray, Qt::LeftButton);
    item("500 Dots a Second")->trigger();
    EXPECT_EQ(okno1->BrushCurrentItem->text(), "Spray, 8 rows round, 500 dots a second");
    EXPECT_EQ(stored_hand().spray_flow, 500);
}

// Painting into a full cell names the cell and its colours and flashes its outline; painting
// where the colour fits says nothing.
TEST_F(HandWindow, ARefusedPlotSaysWhichCellIsFull) {
    const struct {
        const char* name;
        PixelPos at;
        QString words;
    } rows[] = {
        {"room left", {1, 3}, ""},
        {"full", {5, 3}, "Cell 1, 0 is full: white, red, cyan"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ResetEditor();
        for (std::uint8_t c = 0; c < 3; ++c) desk().document().grid().row(0)[4 + c] = c + 1;
        static_cast<QMainWindow*>(okno1->Host())->statusBar()->clearMessage();
        desk().choose_colour(9);
        QTest::mouseClick(okno2, Qt::LeftButton, {}, on_screen(row.at));
        EXPECT_EQ(status(), row.words);
        EXPECT_EQ(okno2->flashing(), !row.words.isEmpty());
    }
}

// A first start shows clash marks; the choice is kept for the next.
TEST_F(HandWindow, ClashMarksAreOnAtAFirstStartAndKept) {
    EXPECT_TRUE(stored_hand().clash_marks);
    {
        Desk first;
        const std::unique_ptr<DeskObserver> kept = keep_paint_settings(first);
        EXPECT_TRUE(first.view().clashes);
    }
    okno1->PictureClashesItem->setChecked(true);
    okno1->PictureClashesClick();
    okno1->PictureClashesItem->setChecked(false);
    okno1->PictureClashesClick();
    EXPECT_FALSE(stored_hand().clash_marks);
    EXPECT_EQ(QSettings("Vexlor", "Vexlor").value("view/clash_marks").toBool(), false);
}
