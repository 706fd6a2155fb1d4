#include "app/Main.h"
#include "c64/multicolor.h"
#include "settings/full_cell_setting.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMainWindow>
#include <QSettings>
#include <QStatusBar>
#include <gtest/gtest.h>
#include <random>

namespace {

using FullCellWindow = EditorWindowTest;

} // namespace

TEST_F(FullCellWindow, TheChoicesAreExclusiveKeptAndTheFirstAtStart) {
    QStringList items;
    for (const QAction* item : okno1->EditFullCellMenu->actions()) items << item->text();
    EXPECT_EQ(items, (QStringList{"&Keep Its Colours", "&Refuse a Fourth Colour",
                                  "Re&place the Colour Under the Pointer",
                                  "Use the &Nearest Colour of the Cell", "Paint &Freely"}));
    EXPECT_EQ(okno1->EditMenu->actions().last()->menu(), okno1->EditFullCellMenu);
    EXPECT_TRUE(okno1->EditFullKeepItem->isChecked());
    EXPECT_EQ(desk().painter().full_cell, FullCell::KeepColours);
    okno1->EditFullNearestItem->trigger();
    EXPECT_EQ(desk().painter().full_cell, FullCell::NearestColour);
    EXPECT_FALSE(okno1->EditFullKeepItem->isChecked());
    EXPECT_EQ(QSettings("Vexlor", "Vexlor").value("edit/full_cell").toString(), "nearest");
    EXPECT_EQ(stored_full_cell(), FullCell::NearestColour);
    QSettings("Vexlor", "Vexlor").setValue("edit/full_cell", "sideways");
    EXPECT_EQ(stored_full_cell(), FullCell::KeepColours);
}

TEST_F(FullCellWindow, FixColourClashesIsOneStepWithALine) {
    std::mt19937 random(5);
    for (auto& p : okno2->picture) p = std::uint8_t(random() % 16);
    const auto noise = okno2->picture;
    okno1->PictureFixClashesItem->trigger();
    EXPECT_TRUE(inexact_cells(multicolor_grid(okno2->picture), 0).none());
    EXPECT_TRUE(status().startsWith("Fixed 1000 cells: ")) << status().toStdString();
    EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Fix Colour Clashes");
    okno1->PictureFixClashesItem->trigger();
    EXPECT_EQ(status(), "No colour clashes to fix");
    okno1->EditUndoItem->trigger();
    EXPECT_EQ(okno2->picture, noise);
    EXPECT_FALSE(okno1->EditUndoItem->isEnabled());
}
