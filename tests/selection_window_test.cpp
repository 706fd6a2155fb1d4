#include "app/Main.h"
#include "edit/clipboard.h"
#include "preview/preview_window.h"
#include "selection/block_exchange.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, keys);
}

void click(QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, keys);
    mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, keys);
    mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, keys);
}

void key(int code, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QTest::keyClick(okno1->Host(), Qt::Key(code), keys);
}

using Picture = StoredPicture;

// The Multicolor picture: 160 x 200 double-width pixels in cells of 4 x 8.
constexpr PictureShape kShape{160, 200, {4, 8}, 2};

struct Selection : ::testing::Test {
    void SetUp() override {
        ResetEditor();
        QApplication::setActiveWindow(okno1->Host());
        key(Qt::Key_S);
    }
    static QString undoText() { return okno1->EditUndoItem->text(); }
    // A few pixels of four colours in the cell at (4, 8).
    static void paint_cell() {
        pixel(4, 8) = 2;
        pixel(5, 9) = 7;
        pixel(7, 15) = 1;
        okno2->FormPaint();
    }
    static void put_on_clipboard(QMimeData* data) {
        QGuiApplication::clipboard()->setMimeData(data);
    }
};

} // namespace

TEST_F(Selection, TheArrowIsTheSelectToolAndTheEditMenuHoldsTheCommands) {
    EXPECT_EQ(okno1->tool_b1->toolTip(), "Select (S)");
    EXPECT_EQ(okno1->tool_mode, toolSelect);
    EXPECT_TRUE(okno1->tool_b1->isChecked());
    const struct {
        QAction* item;
        const char* text;
        const char* shortcut;
        bool enabled;
    } items[] = {{okno1->EditCutItem, "Cu&t", "Ctrl+X", false},
                 {okno1->EditCopyItem, "&Copy", "Ctrl+C", false},
                 {okno1->EditPasteItem, "&Paste", "Ctrl+V", true},
                 {okno1->EditDeleteItem, "&Delete", "Del", false},
                 {okno1->EditSelectAllItem, "Select &All", "Ctrl+A", true},
                 {okno1->EditFlipHorizontallyItem, "Flip &Horizontally", "", true},
                 {okno1->EditFlipVerticallyItem, "Flip &Vertically", "", true}};
    QList<QAction*> order;
    for (QAction* item : okno1->EditMenu->actions())
        if (!item->isSeparator()) order << item;
    ASSERT_GE(order.size(), 9);
    EXPECT_EQ(order[1], okno1->EditRedoItem);
    for (std::size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(order[qsizetype(i) + 2], items[i].item) << items[i].text;
        EXPECT_EQ(items[i].item->text(), items[i].text);
        EXPECT_EQ(items[i].item->shortcut(), QKeySequence(items[i].shortcut)) << items[i].text;
        EXPECT_EQ(items[i].item->isEnabled(), items[i].enabled) << items[i].text;
    }
    key(Qt::Key_A, Qt::ControlModifier);
    ASSERT_TRUE(desk().document().selection());
    EXPECT_EQ(*desk().document().selection(), (PixelArea{0, 0, 160, 200}));
    for (QAction* item : {okno1->EditCutItem, okno1->EditCopyItem, okno1->EditDeleteItem})
        EXPECT_TRUE(item->isEnabled());
}

// A drag selects (Shift at the release grows it to cells); a click outside drops it, and Esc.
TEST_F(Selection, DraggingSelectsAndClicksAndEscDrop) {
    drag(cell(6, 9), cell(5, 10), Qt::ShiftModifier);
    EXPECT_EQ(*desk().document().selection(), (PixelArea{4, 8, 4, 8}));
    click(cell(1, 1));
    EXPECT_FALSE(desk().document().selection());
    EXPECT_FALSE(okno1->EditCopyItem->isEnabled());
    drag(cell(1, 1), cell(2, 2));
    key(Qt::Key_Escape);
    EXPECT_FALSE(desk().document().selection());
    EXPECT_EQ(okno2->picture, Picture{});
    EXPECT_EQ(desk().document().history().steps(), 0u);
}

// Marching ants in the zoom view, a thin line in the preview; both go with the selection.
TEST_F(Selection, TheSelectionShowsInBothViews) {
    drag(cell(2, 1), cell(3, 2));
    auto ants = [] {
        int black = 0, white = 0;
        for (int x = 80; x < 160; ++x) {
            const TColor shown = okno2->Canvas->GetPixel(x, 20);
            black += shown == clBlack;
            white += shown == clWhite;
        }
        return std::pair{black, white};
    };
    auto [black, white] = ants();
    EXPECT_GT(black, 20);
    EXPECT_GT(white, 20);
    const TColor before = okno2->Canvas->GetPixel(80, 20);
    EXPECT_TRUE(SettleUntil([&] { return okno2->Canvas->GetPixel(80, 20) != before; }, 2000))
        << "the ants march";
    // Pixel (2, 1) is the 4 x 2 block at (10, 4) in the double-size preview.
    EXPECT_EQ(okno_prv->Canvas->GetPixel(10, 4), clWhite);
    EXPECT_EQ(okno_prv->Canvas->GetPixel(12, 4), clBlack);
    key(Qt::Key_Escape);
    EXPECT_EQ(ants(), (std::pair{0, 0}));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(10, 4, 8, 4), palette_color(0)));
}

// Both forms go on the clipboard: the image as shown, two screen pixels a picture pixel, and
// Vexlor's own, which pastes back the very same pixels.
TEST_F(Selection, CopyPutsTheShownImageAndTheOwnFormOnTheClipboard) {
    paint_cell();
    drag(cell(4, 8), cell(11, 15));
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    const QImage image = qvariant_cast<QImage>(data->imageData());
    ASSERT_EQ(image.size(), QSize(16, 8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(FromSurfaceWord(image.pixel(x, y)), palette_color(pixel(4 + x / 2, 8 + y)))
                << x << "," << y;
    const QByteArray own = data->data(kPixelsMimeType);
    const auto block = decode_block(
        {reinterpret_cast<const std::uint8_t*>(own.constData()), std::size_t(own.size())}, kShape);
    ASSERT_TRUE(block);
    EXPECT_EQ(*block, copy_block(desk().document().grid(), {4, 8, 8, 8}));
    EXPECT_EQ(block_from_mime(*data, kShape), block);
    // The shown image alone comes back too, however wide: 320 screen pixels are 160 pairs.
    const PixelBlock wide = copy_block(desk().document().grid(), {0, 8, 160, 8});
    QMimeData shown;
    shown.setImageData(shown_image(wide, kShape));
    EXPECT_EQ(block_from_mime(shown, kShape), wide);
    EXPECT_EQ(desk().document().history().steps(), 0u); // copying changes nothing
}

// The block floats with the pointer and leaves the picture alone until the click; Esc, and
// Undo, drop it.
TEST_F(Selection, APastedBlockFloatsUntilAClickPutsItDown) {
    const PixelBlock block{2, 2, {2, 7, 1, 7}};
    put_on_clipboard(block_mime_data(block, kShape));
    for (int drop : {Qt::Key_Escape, Qt::Key_Z}) {
        key(Qt::Key_V, Qt::ControlModifier);
        ASSERT_TRUE(desk().document().floating());
        mouse(QEvent::MouseMove, cell(5, 3), Qt::NoButton, Qt::NoButton);
        EXPECT_TRUE(AreaIs(okno2, QRect(5 * 40 + 1, 3 * 20 + 1, 38, 18), palette_color(2)));
        EXPECT_TRUE(AreaIs(okno2, QRect(6 * 40 + 1, 4 * 20 + 1, 38, 18), palette_color(7)));
        key(drop, drop == Qt::Key_Z ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_FALSE(desk().document().floating());
        EXPECT_TRUE(AreaIs(okno2, QRect(5 * 40 + 1, 3 * 20 + 1, 38, 18), palette_color(0)));
    }
    EXPECT_EQ(okno2->picture, Picture{});
    key(Qt::Key_V, Qt::ControlModifier);
    okno2->scroll2->setValue(1); // the view may scroll while it floats
    click(cell(5, 3));
    EXPECT_FALSE(desk().document().floating());
    EXPECT_EQ(pixel(5, 11), 2);
    EXPECT_EQ(undoText(), "&Undo Paste");
}

// An image from another program keeps its size and its colours (three in each cell here, so
// that the rules refuse none).
TEST_F(Selection, AnImageFromAnotherProgramPastesInItsColours) {
    const std::uint8_t colors[2][3] = {{2, 7, 1}, {14, 5, 13}};
    auto color = [&](int x, int y) { return colors[x / 4][(x + y) % 3]; };
    QImage image(8, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 8; ++x) image.setPixel(x, y, SurfaceWord(palette_color(color(x, y))));
    auto* data = new QMimeData;
    data->setImageData(image);
    put_on_clipboard(data);
    okno1->EditPasteItem->trigger();
    click(cell(4, 2));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(pixel(4 + x, 2 + y), color(x, y)) << x << "," << y;
    EXPECT_EQ(pixel(12, 2), 0);
    // Offered as a JPEG cut short, as an X program may, the image is refused, not half black.
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    image.scaled(160, 96).save(&jpeg, "JPEG");
    const QByteArray cut = jpeg.data().left(jpeg.data().size() / 2);
    QMimeData offered;
    offered.setImageData(QImage::fromData(cut, "JPEG"));
    offered.setData("image/jpeg", cut);
    EXPECT_FALSE(block_from_mime(offered, kShape));
    offered.setData("image/jpeg", jpeg.data());
    EXPECT_TRUE(block_from_mime(offered, kShape));
}

// Cut leaves the background; the block put down elsewhere is moved. Each is a step.
TEST_F(Selection, CutAndPasteMoveACellAndEachStepUndoes) {
    paint_cell();
    const PixelBlock moved = copy_block(desk().document().grid(), {4, 8, 4, 8});
    drag(cell(4, 8), cell(7, 15));
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(okno2->picture, Picture{});
    EXPECT_EQ(undoText(), "&Undo Cut");
    key(Qt::Key_V, Qt::ControlModifier);
    okno2->scroll1->setValue(2); // columns 8 on
    click(cell(0, 0));
    EXPECT_EQ(copy_block(desk().document().grid(), {8, 0, 4, 8}), moved);
    EXPECT_EQ(undoText(), "&Undo Paste");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(okno2->picture, Picture{});
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(copy_block(desk().document().grid(), {4, 8, 4, 8}), moved);
}

// Without a selection the flips turn the whole picture; with one, only it. Delete paints the
// selection in the background colour.
TEST_F(Selection, FlipsAndDeleteAreStepsOfTheirOwn) {
    paint_cell();
    const Picture original = okno2->picture;
    okno1->EditFlipHorizontallyItem->trigger();
    EXPECT_EQ(pixel(155, 8), 2);
    EXPECT_EQ(undoText(), "&Undo Flip Horizontally");
    okno1->EditFlipVerticallyItem->trigger();
    EXPECT_EQ(pixel(155, 191), 2);
    EXPECT_EQ(undoText(), "&Undo Flip Vertically");
    okno1->EditFlipVerticallyItem->trigger();
    okno1->EditFlipHorizontallyItem->trigger();
    EXPECT_EQ(okno2->picture, original);
    EXPECT_EQ(desk().document().history().steps(), 4u);
    drag(cell(4, 8), cell(5, 9));
    okno1->EditFlipHorizontallyItem->trigger();
    EXPECT_EQ(pixel(5, 8), 2);
    EXPECT_EQ(pixel(4, 9), 7);
    EXPECT_EQ(pixel(7, 15), 1);
    key(Qt::Key_Delete);
    EXPECT_EQ(pixel(5, 8), okno2->back_color);
    EXPECT_EQ(pixel(4, 9), okno2->back_color);
    EXPECT_EQ(pixel(7, 15), 1);
    EXPECT_EQ(undoText(), "&Undo Delete");
    for (int step = 0; step < 6; ++step) key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(okno2->picture, original);
}
