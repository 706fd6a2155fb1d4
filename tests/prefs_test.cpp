#include "app/Main.h"
#include "modes/mode.h"
#include "platform/common_dialogs.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `use` while the dialog is open, then closes it with "Use".
void withPreferences(std::function<void()> use) {
    WhenModal([use] {
        use();
        QTest::mouseClick(prefs->Button1, Qt::LeftButton);
    });
    okno1->Preferences1Click();
}

struct Preferences : ::testing::Test {
    void SetUp() override { ResetEditor(); }
};

// A click on the button itself (its circle), as a user makes it.
void click(QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {},
                      QPoint(button->height() / 2, button->height() / 2));
}

} // namespace

TEST_F(Preferences, LayoutShowsTheZoomTabFirst) {
    EXPECT_EQ(prefs->PageControl1->currentWidget(), prefs->tools);
    EXPECT_EQ(prefs->PageControl1->tabText(0), "General");
    EXPECT_EQ(prefs->PageControl1->tabText(1), "Zoom");
    EXPECT_EQ(prefs->zom1->text(), "Zoom1 (4 *3 chars)");
    EXPECT_EQ(prefs->zom2->text(), "Zoom1 (8 * 6 chars)");
    EXPECT_EQ(prefs->prvdouble->text(), "Enble DOUBL SIZE preview");
    EXPECT_EQ(prefs->prvscanline->text(), "Enble SCANLINE in preview");
    EXPECT_EQ(prefs->gridcol2->text(), "Select CHARS GRID color");
    EXPECT_EQ(prefs->name->text(), "picture0.vxr");
    EXPECT_EQ(prefs->format->title(), "File format");
    EXPECT_TRUE(prefs->zom1->isChecked());
    EXPECT_TRUE(prefs->bt_multicolor->isChecked());
    EXPECT_FALSE(prefs->prvscanline->isEnabled());
    EXPECT_FALSE(prefs->bt_ifli->isEnabled());
    EXPECT_FALSE(prefs->Edit1->isEnabled());
    EXPECT_EQ(prefs->Edit2->text(), "160");
}

TEST_F(Preferences, ShowingFillsTheColourShapes) {
    okno2->char_grid_color = 0x0000CC;
    withPreferences([] {
        EXPECT_EQ(prefs->gcol1->BrushColor(), 0x555555u);
        EXPECT_EQ(prefs->gcol2->BrushColor(), 0x0000CCu);
    });
}

TEST_F(Preferences, GridBoxesSwitchTheGridsAtOnce) {
    withPreferences([] {
        QTest::mouseClick(prefs->vexlor_grid1, Qt::LeftButton);
        EXPECT_FALSE(prefs->gridcol1->isEnabled());
        EXPECT_TRUE(AreaIs(okno2, QRect(40, 20, 40, 20), palette_color(0))); // no outline now
        QTest::mouseClick(prefs->vexlor_grid2, Qt::LeftButton);
        EXPECT_FALSE(prefs->gridcol2->isEnabled());
        EXPECT_TRUE(AreaIs(okno2, QRect(160, 0, 1, 480), palette_color(0)));
        QTest::mouseClick(prefs->vexlor_grid1, Qt::LeftButton);
        EXPECT_TRUE(prefs->gridcol1->isEnabled());
        EXPECT_TRUE(AreaIs(okno2, QRect(40, 20, 40, 1), 0x555555));
    });
    EXPECT_FALSE(prefs->vexlor_grid2->isChecked()); // the boxes keep their states
}

TEST_F(Preferences, GridColourShowsInTheShapeAndAtTheNextPaint) {
    withPreferences([] {
        TColorDialog::QueueAnswer(0x0000CC);
        QTest::mouseClick(prefs->gridcol1, Qt::LeftButton);
        EXPECT_EQ(okno2->pixel_grid_color, 0x0000CCu);
        EXPECT_EQ(prefs->gcol1->BrushColor(), 0x0000CCu);
        EXPECT_TRUE(AreaIs(okno2, QRect(40, 20, 40, 1), 0x555555)); // not yet repainted
        TColorDialog::QueueAnswer(std::nullopt);
        QTest::mouseClick(prefs->gridcol2, Qt::LeftButton);
        EXPECT_EQ(okno2->char_grid_color, 0x11E0FFu);
        EXPECT_EQ(prefs->gcol2->BrushColor(), 0x11E0FFu);
        // The colour dialog keeps what it returned last, for either button.
        EXPECT_EQ(prefs->ColorDialog1.Color, 0x0000CCu);
    });
    EXPECT_TRUE(AreaIs(okno2, QRect(40, 20, 40, 1), 0x0000CC)); // redrawn after the dialog
}

TEST_F(Preferences, ZoomButtonsResetTheViewWhileTheBarsStay) {
    okno2->scroll1->setValue(10);
    okno2->scroll2->setValue(3);
    withPreferences([] {
        QTest::mouseClick(prefs->zom2, Qt::LeftButton);
        EXPECT_EQ(okno2->view_cols, 32u);
        EXPECT_EQ(okno2->scroll_x, 0);
        EXPECT_EQ(okno2->scroll_y, 0);
        EXPECT_EQ(okno2->cell_w, 20u);
    });
    EXPECT_EQ(okno2->scroll1->value(), 10);
    EXPECT_TRUE(okno1->tool_zoom2->isChecked()); // the tool bar does not follow
    withPreferences([] { QTest::mouseClick(prefs->zom1, Qt::LeftButton); });
    EXPECT_EQ(okno2->view_cols, 16u);
}

// The view below the picture frames nothing, so the preview holds the picture's pixels alone.
TEST_F(Preferences, PreviewSizeChangesWithTheNextDrawing) {
    okno2->show_place({156, 200});
    okno2->picture.fill(1);
    okno1->tool_b3Click();
    bool unchanged = false;
    WhenModal([&] {
        QTest::mouseClick(prefs->prvdouble, Qt::LeftButton);
        unchanged = AreaIs(okno_prv, QRect(2, 2, 640, 400), palette_color(1));
        QTest::mouseClick(prefs->Button1, Qt::LeftButton);
    });
    okno2->picture.fill(2);
    okno1->Preferences1Click();
    EXPECT_TRUE(unchanged);
    EXPECT_EQ(okno1->preview_size, 1);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(0, 0, 320, 200), palette_color(2)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(322, 202, 300, 150), palette_color(1)));
    withPreferences([] { QTest::mouseClick(prefs->prvdouble, Qt::LeftButton); });
    EXPECT_EQ(okno1->preview_size, 2);
}

// "Save" also stores the settings (see settings_test.cpp).
TEST_F(Preferences, EveryWayOutAnswersCancel) {
    const std::function<void()> ways_out[] = {
        [] { QTest::mouseClick(prefs->Button1, Qt::LeftButton); },
        [] { QTest::mouseClick(prefs->Button2, Qt::LeftButton); },
        [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); },
        [] { prefs->Host()->close(); },
    };
    for (const auto& way_out : ways_out) {
        WhenModal(way_out);
        okno1->Preferences1Click();
        EXPECT_EQ(prefs->ModalResult, mrCancel);
    }
}

// The General tab's format buttons switch the mode as Picture > Mode does, as one step.
TEST_F(Preferences, TheGeneralTabsFormatButtonsSwitchTheMode) {
    const struct {
        const char* what;
        std::uint8_t from;
        QRadioButton* Ui::Tprefs::*button;
        std::uint8_t to;
    } cases[] = {
        {"FLI from Multicolor", fmtMulticolor, &Ui::Tprefs::bt_fli, fmtFli},
        {"Multicolor from FLI", fmtFli, &Ui::Tprefs::bt_multicolor, fmtMulticolor},
        {"FLI from Hires", fmtHires, &Ui::Tprefs::bt_fli, fmtFli},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetEditor();
        if (c.from != fmtMulticolor) okno1->set_picture_format(c.from);
        withPreferences([&] {
            prefs->PageControl1->setCurrentWidget(prefs->general);
            click(prefs->*c.button);
            EXPECT_TRUE((prefs->*c.button)->isChecked());
        });
        EXPECT_EQ(okno1->picture_format, c.to);
        EXPECT_TRUE(okno1->mode_item(c.to)->isChecked());
        EXPECT_EQ(okno1->EditUndoItem->text(),
                  QStringLiteral("&Undo %1 Mode").arg(mode_of(c.to).name));
    }
}

// The Zoom tab shows the level the view has, whichever way it came there (the View menu or the
// tool bar), and neither of its two buttons at another; showing it, or pressing the button
// already chosen, moves the view nowhere. The other one takes the view there, once.
TEST_F(Preferences, TheZoomButtonsShowTheViewsLevelAndTheChosenOneDoesNothing) {
    const struct {
        const char* what;
        std::function<void()> choose;
        TRadioButton* Ui::Tprefs::*shown; // null: neither
    } cases[] = {
        {"8x6", [] { okno1->ViewZoom8x6Item->trigger(); }, &Ui::Tprefs::zom2},
        {"16x12", [] { okno1->ViewZoom16x12Item->trigger(); }, nullptr},
        {"4x3", [] { okno1->ViewZoom4x3Item->trigger(); }, &Ui::Tprefs::zom1},
        {"8x6 from the tool bar", [] { QTest::mouseClick(okno1->tool_zoom1, Qt::LeftButton); },
         &Ui::Tprefs::zom2},
        {"20x15", [] { okno1->ViewZoom20x15Item->trigger(); }, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.choose();
        okno2->show_place({16, 48});
        const ViewPlace place = okno2->place();
        const std::uint32_t columns = okno2->view_cols;
        withPreferences([&] {
            EXPECT_EQ(prefs->zom1->isChecked(), c.shown == &Ui::Tprefs::zom1);
            EXPECT_EQ(prefs->zom2->isChecked(), c.shown == &Ui::Tprefs::zom2);
            if (c.shown) QTest::mouseClick(prefs->*c.shown, Qt::LeftButton);
        });
        EXPECT_EQ(okno2->view_cols, columns);
        EXPECT_EQ(okno2->place(), place);
    }
    // From a level of neither, a button takes the view to its own; pressed again, it stays.
    withPreferences([] {
        click(prefs->zom1);
        okno2->show_place({40, 24});
        click(prefs->zom1);
    });
    EXPECT_EQ(okno2->view_cols, 16u);
    EXPECT_EQ(okno2->place(), (ViewPlace{40, 24}));
    withPreferences([] { click(prefs->zom2); });
    EXPECT_EQ(okno2->view_cols, 32u);
}
