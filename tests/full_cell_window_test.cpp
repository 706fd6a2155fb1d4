#include "app/Main.h"
#include "c64/multicolor.h"
#include "full_cell/full_cell_setting.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMainWindow>
#include <QSettings>
#include <QStatusBar>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {

void press(QPoint at) { mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
void move_to(QPoint at) { mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
void release(QPoint at) { mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }

struct FullCellWindow : ::testing::Test {
    void SetUp() override {
        ResetEditor();
        QApplication::setActiveWindow(okno1->Host());
    }
    void TearDown() override { ResetEditor(); }
    // The cell of columns 4..7, rows 8..15 with 2 5 7 0 in its bottom row: full, even for Put
    // char under the model's own rule, which comes to that row last.
    static void full_cell() {
        pixel(4, 15) = 2, pixel(5, 15) = 5, pixel(6, 15) = 7;
        given_picture();
    }
    // What the test has written counts as the picture the editor started with.
    static void given_picture() { okno1->redraw_views(); }
    static QString status() {
        return static_cast<QMainWindow*>(okno1->Host())->statusBar()->currentMessage();
    }
};

} // namespace

TEST_F(FullCellWindow, TheChoicesAreExclusiveKeptAndTheFirstAtStart) {
    QStringList items;
    for (const QAction* item : okno1->EditFullCellMenu->actions()) items << item->text();
    EXPECT_EQ(items, (QStringList{"&Keep Its Colours", "&Refuse a Fourth Colour",
                                  "Re&place the Colour Under the Pointer",
                                  "Use the &Nearest Colour of the Cell", "Paint &Freely"}));
    EXPECT_EQ(okno1->EditMenu->actions().last()->menu(), okno1->EditFullCellMenu);
    EXPECT_TRUE(okno1->EditFullKeepItem->isChecked());
    EXPECT_EQ(okno2->painter.full_cell, FullCell::KeepColours);
    okno1->EditFullNearestItem->trigger();
    EXPECT_EQ(okno2->painter.full_cell, FullCell::NearestColour);
    EXPECT_FALSE(okno1->EditFullKeepItem->isChecked());
    EXPECT_EQ(QSettings("Vexlor", "Vexlor").value("edit/full_cell").toString(), "nearest");
    EXPECT_EQ(stored_full_cell(), FullCell::NearestColour);
    QSettings("Vexlor", "Vexlor").setValue("edit/full_cell", "sideways");
    EXPECT_EQ(stored_full_cell(), FullCell::KeepColours);
}

// Onto the full cell's background: refused under the model's own rule (a paste keeps its own
// and refuses only a fourth colour), accepted under the other choice, by every tool.
TEST_F(FullCellWindow, EveryToolFollowsTheChoice) {
    const struct {
        const char* tool;
        std::uint8_t color;
        FullCell choice;
        std::function<void()> paint;
    } tools[] = {
        {"free paint", 2, FullCell::RefuseFourth, [] { press(cell(7, 9)), release(cell(7, 9)); }},
        {"Put char", 2, FullCell::RefuseFourth,
         [] {
             okno1->tool_mode = toolPutChar;
             press(cell(7, 9)), move_to(cell(7, 9)), release(cell(7, 9));
         }},
        {"fill", 2, FullCell::RefuseFourth,
         [] {
             okno1->tool_mode = toolFill;
             press(cell(7, 9)), release(cell(7, 9));
         }},
        {"line", 2, FullCell::RefuseFourth,
         [] {
             okno1->tool_mode = toolLine;
             press(cell(7, 9)), move_to(cell(7, 12)), release(cell(7, 12));
         }},
        {"rectangle", 2, FullCell::RefuseFourth,
         [] {
             okno1->tool_mode = toolRectangle;
             press(cell(7, 9)), move_to(cell(7, 12)), release(cell(7, 12));
         }},
        {"paste", 9, FullCell::PaintFreely,
         [] {
             okno2->float_block(PixelBlock{1, 1, {okno2->draw_color}}, {0, 0});
             press(cell(7, 9)), release(cell(7, 9));
         }},
    };
    for (const auto& t : tools)
        for (FullCell choice : {FullCell::KeepColours, t.choice}) {
            SCOPED_TRACE(t.tool);
            ResetEditor();
            full_cell();
            okno1->choose_full_cell(choice);
            okno2->draw_color = t.color;
            t.paint();
            EXPECT_EQ(pixel(7, 9), choice == FullCell::KeepColours ? 0 : t.color);
        }
}

// The recoloured pixels show at once, and the whole stroke goes with one Undo.
TEST_F(FullCellWindow, AReplacingStrokeShowsAndIsOneStep) {
    pixel(4, 8) = 2, pixel(5, 8) = 5, pixel(6, 8) = 7, pixel(4, 9) = 5;
    given_picture();
    okno1->choose_full_cell(FullCell::ReplaceColour);
    okno2->draw_color = 9;
    const auto before = okno2->picture;
    press(cell(5, 8));   // over a 5: every 5 of the cell becomes 9
    move_to(cell(7, 9)); // onto the background, with a colour the cell now holds
    release(cell(7, 9));
    EXPECT_EQ(pixel(5, 8), 9);
    EXPECT_EQ(pixel(4, 9), 9);
    EXPECT_EQ(pixel(7, 9), 9);
    EXPECT_EQ(pixel(4, 8), 2);
    EXPECT_TRUE(AreaIs(okno2, QRect(4 * 40 + 1, 9 * 20 + 1, 38, 18), palette_color(9)));
    EXPECT_TRUE(AreaIs(okno2, QRect(5 * 40 + 1, 8 * 20 + 1, 38, 18), palette_color(9)));
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Paint");
    okno1->EditUndoItem->trigger();
    EXPECT_EQ(okno2->picture, before);
}

TEST_F(FullCellWindow, FixColourClashesIsOneStepWithALine) {
    std::mt19937 random(5);
    for (auto& p : okno2->picture) p = std::uint8_t(random() % 16);
    const auto noise = okno2->picture;
    given_picture();
    okno1->PictureFixClashesItem->trigger();
    EXPECT_TRUE(inexact_cells(okno2->picture.data(), 0).none());
    EXPECT_TRUE(status().startsWith("Fixed 1000 cells: ")) << status().toStdString();
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Fix Colour Clashes");
    okno1->PictureFixClashesItem->trigger();
    EXPECT_EQ(status(), "No colour clashes to fix");
    okno1->EditUndoItem->trigger();
    EXPECT_EQ(okno2->picture, noise);
    EXPECT_FALSE(okno1->EditUndoItem->isEnabled());
}
