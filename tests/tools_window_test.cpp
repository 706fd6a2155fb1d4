#include "app/Main.h"
#include "edit/replace_colour_dialog.h"
#include "info/info_window.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "raster/raster.h"
#include "settings/paint_setting.h"
#include "tests/gui_support.h"
#include "tools/tool_table.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>
#include <set>

namespace {

void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    mouse(QEvent::MouseButtonPress, at, button, button);
}
void release(QPoint at, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers keys = Qt::NoModifier) {
    mouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton, keys);
}
void dragTo(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    mouse(QEvent::MouseMove, at, Qt::NoButton, button);
}

struct Tools : ::testing::Test {
    void SetUp() override {
        ResetEditor();
        QApplication::setActiveWindow(okno1->Host());
    }
    static void choose(QAbstractButton* tool) { QTest::mouseClick(tool, Qt::LeftButton); }
    static QString undoText() { return okno1->EditUndoItem->text(); }
    // The zoom view's cell shows `color` inside its outline.
    static ::testing::AssertionResult Shows(int column, int row, TColor color) {
        return AreaIs(okno2, QRect(column * 40 + 1, row * 20 + 1, 38, 18), color);
    }
};

} // namespace

TEST_F(Tools, NewButtonsStandInTheFreePlacesAndChooseTheirTools) {
    const struct {
        QToolButton* button;
        int top;
        const char* hint;
        std::uint8_t mode;
    } tools[] = {{okno1->tool_fill, 109, "Fill (G)", toolFill},
                 {okno1->tool_line, 142, "Line (L)", toolLine},
                 {okno1->tool_rect, 306, "Rectangle (R)", toolRectangle},
                 {okno1->tool_pick, 340, "Pick colour (K)", toolPickColour},
                 {okno1->tool_pen, 374, "Pen and brush (W)", toolPen},
                 {okno1->tool_ellipse, 466, "Ellipse (O)", toolEllipse},
                 {okno1->tool_spray, 500, "Spray (T)", toolSpray},
                 {okno1->tool_sprite, 534, "Sprite (V)", toolSprite}};
    for (const auto& tool : tools) {
        EXPECT_EQ(tool.button->geometry(), QRect(8, tool.top, 35, 34)) << tool.hint;
        EXPECT_EQ(tool.button->toolTip(), tool.hint);
        EXPECT_FALSE(tool.button->icon().isNull());
        EXPECT_EQ(tool.button->group(), okno1->tool_b2->group());
        choose(tool.button);
        EXPECT_EQ(okno1->tool_mode, tool.mode);
        EXPECT_TRUE(tool.button->isChecked());
        EXPECT_FALSE(okno1->tool_b2->isChecked());
    }
    // Every tool's button has a key of its own, and Put char keeps its hint.
    std::set<QString> keys;
    for (const ToolRow& row : tool_rows()) {
        const auto* button = okno1->findChild<QAbstractButton*>(QString::fromLatin1(row.button));
        const QString key = button->property("Key").toString();
        EXPECT_TRUE(key.size() == 1 && keys.insert(key).second) << row.button;
    }
    EXPECT_EQ(okno1->SpeedButton2->toolTip(), "Put char");
    // No new button covers another.
    for (QToolButton* button : okno1->Panel2->findChildren<QToolButton*>())
        for (const auto& tool : tools) {
            if (button == tool.button) continue;
            const QRect inner = tool.button->geometry().adjusted(0, 1, 0, -1);
            EXPECT_FALSE(button->geometry().intersects(inner))
                << button->objectName().toStdString() << " and " << tool.hint;
        }
}

TEST_F(Tools, FillOfAnEmptyPictureCoversItAndRedrawsBothViews) {
    choose(okno1->tool_fill);
    okno2->draw_color = 6;
    press(cell(3, 4));
    release(cell(3, 4));
    EXPECT_TRUE(Shows(0, 0, palette_color(6)));
    EXPECT_TRUE(Shows(15, 23, palette_color(6)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, 640, 400), palette_color(6)));
    EXPECT_EQ(undoText(), "&Undo Fill");
}

// A tool hands painting back as it found it: a stroke after it still brings the preview and
// the information window up to date.
TEST_F(Tools, PaintingAfterEachToolStillUpdatesThePreviewAndTheInformation) {
    for (QToolButton* tool : {okno1->tool_fill, okno1->tool_line, okno1->tool_rect}) {
        SCOPED_TRACE(tool->toolTip().toStdString());
        ResetEditor();
        choose(tool);
        okno2->draw_color = 2;
        press(cell(0, 0));
        release(cell(0, 0));
        choose(okno1->tool_b2);
        okno2->draw_color = 5;
        okno_info->Canvas->Brush.Color = clBlack;
        okno_info->Canvas->FillRect({0, 0, okno_info->ClientWidth(), okno_info->ClientHeight()});
        press(cell(2, 1));
        release(cell(2, 1));
        ASSERT_EQ(pixel(2, 1), 5);
        EXPECT_TRUE(AreaIs(okno_prv, QRect(2 * 4 + 2, 1 * 2 + 2, 4, 2), palette_color(5)));
        ASSERT_NE(okno2->cell_color1, 0);
        EXPECT_TRUE(AreaIs(okno_info, QRect(20, 70, 26, 16), palette_color(okno2->cell_color1)));
    }
}

// A shape whose release never came (a dialog took it) is dropped at the next move; a key that
// changes the tool while dragging does not change the shape.
TEST_F(Tools, AShapeKeepsItsToolAndIsDroppedWhenItsButtonIsGone) {
    choose(okno1->tool_line);
    press(cell(1, 1));
    dragTo(cell(5, 1));
    choose(okno1->tool_rect);
    release(cell(5, 3)); // the end is where the button is let go
    EXPECT_EQ(undoText(), "&Undo Line");
    EXPECT_EQ(pixel(5, 3), 1);
    EXPECT_EQ(pixel(1, 3), 0); // a rectangle's corner
    press(cell(8, 8));
    dragTo(cell(10, 10));
    mouse(QEvent::MouseMove, cell(11, 11), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(Shows(10, 10, palette_color(0)));
    release(cell(11, 11));
    EXPECT_EQ(pixel(8, 8), 0);
    EXPECT_EQ(undoText(), "&Undo Line");
}

TEST_F(Tools, PickColourIsLikePressingThatPaletteButton) {
    pixel(3, 2) = 5;
    okno2->FormPaint();
    choose(okno1->tool_pick);
    press(cell(3, 2));
    release(cell(3, 2));
    EXPECT_EQ(okno2->draw_color, 5);
    EXPECT_TRUE(okno1->color_b5->isChecked());
    EXPECT_FALSE(okno1->color_b1->isChecked());
    EXPECT_TRUE(AreaIs(okno_info, QRect(160, 50, 40, 40), palette_color(5)));
    EXPECT_FALSE(okno1->EditUndoItem->isEnabled());
}

// The keys choose colours and tools from any inner window, buttons included; not in a dialog.
TEST_F(Tools, KeysChooseColoursAndToolsWhicheverInnerWindowHasTheKeyboard) {
    const std::pair<Qt::Key, QAbstractButton*> tools[] = {
        {Qt::Key_G, okno1->tool_fill},    {Qt::Key_L, okno1->tool_line},
        {Qt::Key_R, okno1->tool_rect},    {Qt::Key_K, okno1->tool_pick},
        {Qt::Key_U, okno1->SpeedButton2}, {Qt::Key_W, okno1->tool_pen},
        {Qt::Key_O, okno1->tool_ellipse}, {Qt::Key_T, okno1->tool_spray},
        {Qt::Key_V, okno1->tool_sprite},  {Qt::Key_P, okno1->tool_b2}};
    const Qt::Key colours[] = {Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5,
                               Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9, Qt::Key_A, Qt::Key_B,
                               Qt::Key_C, Qt::Key_D, Qt::Key_E, Qt::Key_F};
    for (TForm* inner : {static_cast<TForm*>(okno2), static_cast<TForm*>(okno_prv),
                         static_cast<TForm*>(okno_info)}) {
        SCOPED_TRACE(inner->objectName().toStdString());
        inner->setFocusPolicy(Qt::ClickFocus);
        inner->setFocus();
        for (int index = 15; index >= 0; --index) {
            QTest::keyClick(inner, colours[index]);
            EXPECT_EQ(okno2->draw_color, index);
            EXPECT_TRUE(okno1->palette_button(std::uint8_t(index))->isChecked());
            EXPECT_TRUE(AreaIs(okno_info, QRect(160, 50, 40, 40), palette_color(index)));
        }
        for (auto [key, button] : tools) {
            QTest::keyClick(inner, key);
            EXPECT_TRUE(button->isChecked()) << button->objectName().toStdString();
        }
        EXPECT_EQ(okno1->tool_mode, toolFreePaint);
        inner->setFocusPolicy(Qt::NoFocus);
    }
    bool typed = false;
    const std::uint8_t colour = okno2->draw_color;
    WhenModal([&] {
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_G);
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_7);
        typed = true;
        QTest::mouseClick(prefs->Button1, Qt::LeftButton);
    });
    okno1->Preferences1Click();
    EXPECT_TRUE(typed);
    EXPECT_EQ(okno1->tool_mode, toolFreePaint);
    EXPECT_EQ(okno2->draw_color, colour);
}

// The Brush menu's keys reach it from the zoom view: Ctrl+B makes the selection the brush and
// takes up the pen tool, X Y Z H and Shift+H change it, [ and ] size the pen, Esc brings back
// the one-pixel pen; the menu's first item names what the tools paint with. A drag then paints
// with the pen, every pixel between its positions.
TEST_F(Tools, TheBrushMenusKeysMakeAndChangeThePen) {
    for (int column = 4; column < 7; ++column) pixel(column, 8) = pixel(column, 9) = 5;
    desk().document().select(PixelArea{4, 8, 3, 2});
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* pen;
    } keys[] = {
        {Qt::Key_B, Qt::ControlModifier, "Brush, 3 × 2 pixels"},
        {Qt::Key_X, Qt::NoModifier, "Brush, 3 × 2 pixels"},
        {Qt::Key_Z, Qt::NoModifier, "Brush, 1 × 6 pixels"},
        {Qt::Key_H, Qt::NoModifier, "Brush, 2 × 12 pixels"},
        {Qt::Key_H, Qt::ShiftModifier, "Brush, 1 × 6 pixels"},
        {Qt::Key_Z, Qt::NoModifier, "Brush, 3 × 2 pixels"},
        {Qt::Key_Y, Qt::NoModifier, "Brush, 3 × 2 pixels"},
        {Qt::Key_BracketRight, Qt::NoModifier, "Round pen, 2 pixels"},
        {Qt::Key_BracketRight, Qt::NoModifier, "Round pen, 3 pixels"},
        {Qt::Key_BracketLeft, Qt::NoModifier, "Round pen, 2 pixels"},
        {Qt::Key_Escape, Qt::NoModifier, "Round pen, 1 pixel"},
    };
    for (const auto& k : keys) {
        QTest::keyClick(okno2, k.key, k.modifiers);
        EXPECT_EQ(okno1->BrushCurrentItem->text(), QString::fromUtf8(k.pen));
    }
    EXPECT_EQ(okno1->tool_mode, toolPen);
    EXPECT_FALSE(desk().document().selection());
    EXPECT_FALSE(okno1->BrushTurnItem->isEnabled());

    okno2->draw_color = 6;
    press(cell(0, 0));
    dragTo(cell(15, 23));
    release(cell(15, 23));
    for (PixelPos at : line_pixels({0, 0}, {15, 23})) EXPECT_EQ(pixel(at.column, at.row), 6);
    EXPECT_EQ(undoText(), "&Undo Paint");
}

// Load Brush reads an image as Import does: a brush saved as a PNG loads back as it was, and the
// pen tool takes it up; an image the picture's size is the largest brush, pixel pairs across, as
// it shows. It says why it refuses one, in Import's words, keeping the brush there was: no image,
// an image cut short (which Qt would fill with grey), one larger than the picture, which a brush
// cannot outgrow (refused before it is decoded).
TEST_F(Tools, LoadBrushTakesWhatABrushCanHoldAndRefusesTheRest) {
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const std::vector<std::uint8_t>& bytes) {
        return write_file(dir.filePath(name), bytes);
    };
    const auto black = [](int width, int height) {
        return PixelBlock{width, height, std::vector<std::uint8_t>(std::size_t(width * height))};
    };
    const PixelBlock saved{3, 2, {0, 5, 7, 15, 1, 9}}, kept{1, 2, {4, 12}};
    desk().change_pen([&](Pen& pen) { pen.brush.emplace(saved, 2); });
    TFileDialog::QueueAnswer(dir.filePath("brush.png"));
    okno1->BrushSaveItem->trigger();
    const struct {
        QString file;
        const char* reason; // nothing: it becomes the brush
        PixelBlock brush = {};
    } images[] = {
        {dir.filePath("brush.png"), nullptr, saved},
        {write("largest.png", black_png(320, 200)), nullptr, black(160, 200)},
        {write("narrow.png", black_png(160, 3)), nullptr, black(160, 3)},
        {write("junk.png", std::vector<std::uint8_t>(12, 'x')),
         "it is not an image Vexlor can read"},
        {write("cut.jpg", cut_image("cut.jpg")), "it ends before its image does"},
        {write("cut.gif", cut_image("cut.gif")), "it ends before its image does"},
        {write("huge.png", black_png(8000, 8000)),
         "it is 8000 × 8000 pixels; images up to 320 × 200 can become a brush"},
        {write("huge.gif", white_dot_gif(8000, 8000)), "it is 8000 × 8000 pixels"},
        {write("wide.png", black_png(321, 200)), "it is 321 × 200 pixels"},
        {write("tall.png", black_png(320, 201)), "it is 320 × 201 pixels"},
    };
    for (const auto& image : images) {
        SCOPED_TRACE(image.file.toStdString());
        ResetEditor();
        desk().change_pen([&](Pen& pen) { pen.brush.emplace(kept, 2); });
        QStringList messages;
        SetErrorMessageDisplay([&](const QString&, const QString& text) { messages << text; });
        TFileDialog::QueueAnswer(image.file);
        okno1->BrushLoadItem->trigger();
        SetErrorMessageDisplay(nullptr);
        ASSERT_TRUE(desk().painter().pen.brush);
        if (!image.reason) {
            EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
            EXPECT_EQ(desk().painter().pen.brush->block(), image.brush);
            EXPECT_EQ(okno1->tool_mode, toolPen);
            continue;
        }
        EXPECT_EQ(desk().painter().pen.brush->block(), kept);
        EXPECT_EQ(messages.size(), 1);
        for (const QString& message : messages) {
            EXPECT_TRUE(message.startsWith("\"" + image.file + "\" cannot be loaded as a brush: "))
                << message.toStdString();
            EXPECT_TRUE(message.contains(image.reason)) << message.toStdString();
        }
    }
}

// Axes stored far outside the picture (a settings file edited, or another picture's) come in
// on its nearest column and row, where painting mirrors about them and the preview draws them.
TEST_F(Tools, AStoredSymmetryAxisOutsideThePictureComesInOnItsEdge) {
    constexpr int kFar = std::numeric_limits<int>::max(), kNear = std::numeric_limits<int>::min();
    const struct {
        int stored_column, stored_row;
        int twice_column, twice_row;
    } axes[] = {
        {kFar, kFar, 2 * 159, 2 * 199},
        {kNear, kNear, 0, 0},
        {-7, 1'000'000'000, 0, 2 * 199},
        {101, 57, 101, 57}, // inside: between columns 50 and 51, through row 28
    };
    for (const auto& axis : axes) {
        SCOPED_TRACE(std::to_string(axis.stored_column) + ", " + std::to_string(axis.stored_row));
        store_symmetry({{SymmetryKind::FourWay, axis.stored_column, axis.stored_row}, false});
        desk().change_symmetry([](SymmetryChoice& symmetry) { symmetry = stored_symmetry(); });
        EXPECT_EQ(desk().painter().symmetry.twice_column, axis.twice_column);
        EXPECT_EQ(desk().painter().symmetry.twice_row, axis.twice_row);
        const int x = 2 + 4 * (axis.twice_column + 1) / 2, y = 2 + 2 * (axis.twice_row + 1) / 2;
        EXPECT_TRUE(AreaIs(okno_prv, QRect(x, 2, 1, 400), RGBColor(255, 0, 255)));
        EXPECT_TRUE(AreaIs(okno_prv, QRect(2, y, 640, 1), RGBColor(255, 0, 255)));
    }
}

TEST_F(Tools, ReplaceColourTurnsOneColourIntoAnotherAllOver) {
    for (int i = 0; i < 32000; ++i) okno2->picture[i] = std::uint8_t(i % 3 == 0 ? 5 : i % 3);
    auto answer = [](int from, int to, bool ok) {
        WhenModal([=] {
            auto* dialog = qobject_cast<ReplaceColourDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            dialog->from_button(std::uint8_t(from))->click();
            dialog->to_button(std::uint8_t(to))->click();
            ok ? dialog->accept() : dialog->reject();
        });
    };
    // It offers to turn the draw colour into the background.
    okno2->draw_color = 7;
    bool offers_draw_to_background = false;
    WhenModal([&] {
        auto* dialog = qobject_cast<ReplaceColourDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        offers_draw_to_background = dialog->from_button(7)->isChecked() &&
                                    dialog->to_button(okno2->back_color)->isChecked();
        dialog->reject();
    });
    okno1->EditReplaceColourItem->trigger();
    EXPECT_TRUE(offers_draw_to_background);
    answer(5, 12, false);
    okno1->EditReplaceColourItem->trigger();
    EXPECT_EQ(pixel(0, 0), 5);
    answer(5, 12, true);
    okno1->EditReplaceColourItem->trigger();
    EXPECT_EQ(std::count(okno2->picture.begin(), okno2->picture.end(), 5), 0);
    EXPECT_EQ(std::count(okno2->picture.begin(), okno2->picture.end(), 12), 10667);
    EXPECT_EQ(pixel(1, 0), 1);
    EXPECT_TRUE(Shows(0, 0, palette_color(12)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, 4, 2), palette_color(12)));
    EXPECT_EQ(undoText(), "&Undo Replace Colour");
}

// The right button on a palette button chooses the second colour, shown beside the palette; N
// and Shift+N step through the patterns, M through the symmetries, whose axis the preview shows;
// each is kept for later runs. A four-way stroke paints its images in the same step; the zoom
// view draws only those it shows.
TEST_F(Tools, SecondColourPatternsAndSymmetryFromTheKeysAndThePalette) {
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, {5, 5},
                                  okno1->color_b5->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(okno1->color_b5, &right_click);
    EXPECT_EQ(desk().painter().ink.second_color, 5);
    EXPECT_EQ(okno1->findChild<QToolButton*>("second_color")->icon().pixmap(22).toImage(),
              okno1->color_b5->icon().pixmap(22).toImage());
    EXPECT_EQ(okno2->draw_color, 1); // the draw colour stays
    okno2->setFocus();
    QTest::keyClick(okno2, Qt::Key_N, Qt::ShiftModifier); // round the ends both ways
    EXPECT_EQ(desk().painter().ink.pattern, Pattern{kPatterns - 1});
    QTest::keyClick(okno2, Qt::Key_N);
    QTest::keyClick(okno2, Qt::Key_N);
    EXPECT_EQ(desk().painter().ink.pattern, Pattern{1});
    EXPECT_EQ(stored_ink().pattern, Pattern{1});
    EXPECT_EQ(stored_ink().second_color, 5);

    const QRect axis(2 + 4 * 80, 2, 1, 400); // between the preview's columns 79 and 80
    QTest::keyClick(okno2, Qt::Key_M);
    EXPECT_EQ(desk().painter().symmetry.kind, SymmetryKind::LeftRight);
    EXPECT_TRUE(AreaIs(okno_prv, axis, RGBColor(255, 0, 255)));
    QTest::keyClick(okno2, Qt::Key_M);
    QTest::keyClick(okno2, Qt::Key_M);
    EXPECT_EQ(stored_symmetry().symmetry.kind, SymmetryKind::FourWay);
    press(cell(1, 1));
    release(cell(1, 1));
    for (auto [column, row] : {std::pair{1, 1}, {158, 1}, {1, 198}, {158, 198}})
        EXPECT_EQ(pixel(column, row), 1) << column << "," << row;
    EXPECT_EQ(desk().document().history().steps(), 1u);
    // Painted at the view's last column, next to the axis, an image lands on column 80, just
    // past the view: it is painted, but neither it nor the axis is drawn over the strip beside
    // the drawing area.
    const auto strip = [] {
        std::vector<TColor> colors;
        for (int y = 0; y < 480; ++y)
            for (int x = 640; x < 646; ++x) colors.push_back(okno2->Canvas->GetPixel(x, y));
        return colors;
    };
    const std::vector<TColor> beside = strip();
    okno2->scroll1->setValue(16); // the axis lies at the drawing area's right edge
    press(cell(15, 2));
    release(cell(15, 2));
    EXPECT_EQ(pixel(80, 2), 1);
    EXPECT_EQ(strip(), beside);
    okno1->EditUndoItem->trigger();
    QTest::keyClick(okno2, Qt::Key_M);
    EXPECT_EQ(desk().painter().symmetry.kind, SymmetryKind::Off);
    EXPECT_TRUE(AreaIs(okno_prv, axis, palette_color(0)));
}
