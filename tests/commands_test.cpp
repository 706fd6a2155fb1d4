#include "app/Main.h"
#include "info/info_window.h"
#include "platform/beep.h"
#include "platform/common_dialogs.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QMdiArea>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Commands : ::testing::Test {
    void SetUp() override {
        ResetEditor();
        QApplication::setActiveWindow(okno1->Host());
    }
    static void answer(QAbstractButton* button) {
        WhenModal([button] { QTest::mouseClick(button, Qt::LeftButton); });
    }
    static void answerKey(Qt::Key key) {
        WhenModal([key] { QTest::keyClick(QApplication::activeModalWidget(), key); });
    }
};

struct PaletteButton {
    QToolButton* Ui::Tokno1::*button;
    int index;
    QRgb glyph;
};

const PaletteButton kPalette[] = {
    {&Ui::Tokno1::color_b0, 0, 0x000000},      {&Ui::Tokno1::color_b1, 1, 0xFFFFFF},
    {&Ui::Tokno1::color_b2, 2, 0xD40000},      {&Ui::Tokno1::color_b3, 3, 0x00FFFF},
    {&Ui::Tokno1::color_b4, 4, 0x559F00},      {&Ui::Tokno1::color_b5, 5, 0x7F0055},
    {&Ui::Tokno1::color_b6, 6, 0x0000FF},      {&Ui::Tokno1::color_b7, 7, 0xFFDF00},
    {&Ui::Tokno1::color_b8, 8, 0xAA5F00},      {&Ui::Tokno1::color_b9, 9, 0x551F00},
    {&Ui::Tokno1::SpeedButton1, 10, 0xFF7777}, {&Ui::Tokno1::color_ba, 11, 0x555F55},
    {&Ui::Tokno1::color_bb, 12, 0x808080},     {&Ui::Tokno1::color_bc, 13, 0xC0DCC0},
    {&Ui::Tokno1::color_bd, 14, 0x55BFFF},     {&Ui::Tokno1::color_be, 15, 0xA0A0A4},
};

} // namespace

TEST_F(Commands, PaletteButtonsChooseTheDrawColourAndRepaintOnlyItsSwatches) {
    okno_info->show_color1(5);
    okno2->picture.fill(2);
    okno1->redraw_preview(160, 200);
    okno2->FormPaint();
    for (const PaletteButton& entry : kPalette) {
        QToolButton* button = okno1->*entry.button;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(okno2->draw_color, entry.index) << button->objectName().toStdString();
        EXPECT_TRUE(button->isChecked());
        EXPECT_TRUE(AreaIs(okno_info, QRect(160, 50, 40, 40), palette_color(entry.index)));
        const QImage glyph = button->icon().pixmap(22, 22).toImage();
        EXPECT_EQ(glyph.pixel(11, 11) & 0xFFFFFF, entry.glyph)
            << button->objectName().toStdString();
    }
    EXPECT_EQ(okno2->back_color, 0);
    EXPECT_TRUE(AreaIs(okno_info, QRect(20, 70, 26, 16), palette_color(5)));
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, 640, 400), palette_color(2)));
    EXPECT_TRUE(AreaIs(okno2, QRect(41, 21, 38, 18), palette_color(2)));
}

TEST_F(Commands, PaletteBarHasItsButtonsAtTheirPlaces) {
    EXPECT_EQ(okno1->color_b0->geometry(), QRect(57, 4, 32, 30));
    EXPECT_EQ(okno1->SpeedButton1->geometry(), QRect(378, 4, 32, 30));
    EXPECT_EQ(okno1->color_be->geometry(), QRect(540, 4, 32, 30));
    EXPECT_EQ(okno1->Panel1->height(), 40);
    EXPECT_EQ(okno1->Panel2->width(), 49);
}

TEST_F(Commands, ToolBarHasItsHintsAndStartStates) {
    const std::pair<QToolButton*, const char*> hints[] = {
        {okno1->tool_b1, "Select (S)"},    {okno1->tool_b2, "free paint"},
        {okno1->SpeedButton2, "Put char"}, {okno1->tool_b3, "Preview redraw"},
        {okno1->tool_zoom1, "Zoom 8x6"},   {okno1->tool_zoom2, "Zoom 4x3"},
        {okno1->tool_clr, "Clear"},        {okno1->SpeedButton3, "Clear"}};
    for (auto [button, hint] : hints) {
        EXPECT_EQ(button->toolTip(), hint);
        EXPECT_EQ(button->x(), 8);
        EXPECT_EQ(button->icon().isNull(), button == okno1->SpeedButton3) << hint;
    }
    EXPECT_TRUE(okno1->tool_b2->isChecked());
    EXPECT_TRUE(okno1->tool_zoom2->isChecked());
    EXPECT_FALSE(okno1->tool_b3->isCheckable());
}

TEST_F(Commands, ZoomButtonsChangeTheViewAndStayInTheirGroup) {
    QTest::mouseClick(okno1->tool_zoom1, Qt::LeftButton);
    EXPECT_EQ(okno2->view_cols, 32u);
    EXPECT_TRUE(okno1->tool_zoom1->isChecked());
    EXPECT_FALSE(okno1->tool_zoom2->isChecked());
    EXPECT_TRUE(okno1->tool_b2->isChecked()); // another bar group
    QTest::mouseClick(okno1->tool_zoom2, Qt::LeftButton);
    EXPECT_EQ(okno2->view_cols, 16u);
}

TEST_F(Commands, PreviewRedrawButtonRedrawsTheWholePreview) {
    okno2->picture.fill(7);
    QTest::mouseClick(okno1->tool_b3, Qt::LeftButton);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, 640, 400), palette_color(7)));
}

TEST_F(Commands, ClearAnsweredOkBeepsOnceAndClearsEverything) {
    std::fill_n(okno2->picture.begin(), kPictureBytes, std::uint8_t(9));
    okno2->FormPaint();
    const int beeps = BeepCount();
    answer(dlgopen->OKBtn);
    QTest::mouseClick(okno1->tool_clr, Qt::LeftButton);
    EXPECT_EQ(BeepCount(), beeps + 1);
    StoredPicture cleared{}; // the storage past the picture's pixels holds nothing
    std::fill_n(cleared.begin(), kPictureBytes, okno2->back_color);
    EXPECT_TRUE(okno2->picture == cleared);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, 640, 400), palette_color(0)));
    EXPECT_TRUE(AreaIs(okno2, QRect(41, 21, 38, 18), palette_color(0))); // nothing to paint into
    EXPECT_EQ(okno1->image_changed, 1);
}

TEST_F(Commands, ClearAnsweredCancelOrEscapeChangesNothing) {
    std::fill_n(okno2->picture.begin(), kPictureBytes, std::uint8_t(9));
    const StoredPicture before = okno2->picture;
    const int beeps = BeepCount();
    answer(dlgopen->CancelBtn);
    QTest::mouseClick(okno1->tool_clr, Qt::LeftButton);
    answerKey(Qt::Key_Escape);
    QTest::mouseClick(okno1->tool_clr, Qt::LeftButton);
    EXPECT_EQ(BeepCount(), beeps);
    EXPECT_TRUE(okno2->picture == before);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(0, 0, 700, 450), clBlack));
}

TEST_F(Commands, MenuHasItsItemsInOrder) {
    QStringList items;
    for (QAction* action : okno1->FileMenu->actions())
        items << (action->isSeparator() ? "-"
                                        : action->text() + " " + action->shortcut().toString());
    EXPECT_EQ(items, (QStringList{"&New ", "&Open... Ctrl+O", "&Save Ctrl+S", "Save &As... ", "-",
                                  "&Print ", "P&rint Setup... ", "-", "Preferences Ctrl+P", "-",
                                  "E&xit "}));
    EXPECT_EQ(okno1->FileMenu->title(), "&File");
    EXPECT_EQ(okno1->FileOpenItem->statusTip(), "Open an existing file");
}

// Alt and a letter open a menu of the bar, and a letter then chooses an item of that menu: no
// two items of one menu (nor two menus of the bar) answer to one letter. The menus made in
// code are walked too, the recent files' filled as it opens.
TEST_F(Commands, NoTwoItemsOfAMenuShareALetter) {
    QTemporaryDir dir;
    okno1->remember_recent(dir.filePath("a.vxr"));
    const auto check = [](const QString& where, const QList<QAction*>& items) {
        std::map<int, QString> taken;
        for (const QAction* item : items) {
            const QKeySequence letter = QKeySequence::mnemonic(item->text());
            if (item->isSeparator() || letter.isEmpty()) continue;
            const auto [other, fresh] = taken.emplace(letter[0].toCombined(), item->text());
            EXPECT_TRUE(fresh) << where.toStdString() << ": \"" << item->text().toStdString()
                               << "\" and \"" << other->second.toStdString() << "\"";
        }
    };
    check("the menu bar", okno1->MainMenu->actions());
    std::vector<QMenu*> menus;
    for (const QAction* menu : okno1->MainMenu->actions()) menus.push_back(menu->menu());
    while (!menus.empty()) {
        QMenu* menu = menus.back();
        menus.pop_back();
        emit menu->aboutToShow();
        check(menu->title(), menu->actions());
        for (const QAction* item : menu->actions())
            if (item->menu()) menus.push_back(item->menu());
    }
}

TEST_F(Commands, ShortcutsReachTheirCommands) {
    const int shown = TFileDialog::ExecuteCount();
    answer(dlgopen->OKBtn);
    TFileDialog::QueueAnswer(std::nullopt);
    QTest::keyClick(okno1->Host(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(TFileDialog::ExecuteCount(), shown + 1);
    Settle();
    // The frame has the keyboard again once the dialogs are gone.
    EXPECT_EQ(QApplication::activeWindow(), okno1->Host());
    bool prefsShown = false;
    WhenModal([&] {
        prefsShown = QApplication::activeModalWidget() == prefs->Host();
        QTest::mouseClick(prefs->Button1, Qt::LeftButton);
    });
    QTest::keyClick(okno1->Host(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(prefsShown);
}

TEST_F(Commands, TheBottomToolButtonOpensThePreferencesAndBothViewsAreRedrawnAfter) {
    okno2->picture.fill(6);
    WhenModal([] { QTest::mouseClick(prefs->Button1, Qt::LeftButton); });
    QTest::mouseClick(okno1->SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(prefs->ModalResult, mrCancel);
    EXPECT_TRUE(AreaIs(okno_prv, QRect(2, 2, 640, 400), palette_color(6)));
    EXPECT_TRUE(AreaIs(okno2, QRect(41, 21, 38, 18), palette_color(6)));
}

TEST_F(Commands, ExitAsksFirstAndCancelKeepsTheEditor) {
    okno2->picture.fill(3);
    answer(dlgopen->CancelBtn);
    okno1->FileExitItem->trigger();
    EXPECT_TRUE(okno1->Host()->isVisible());
    answerKey(Qt::Key_Escape);
    okno1->Host()->close(); // the frame's close box
    EXPECT_TRUE(okno1->Host()->isVisible());
    EXPECT_EQ(okno2->picture[0], 3);
    answer(dlgopen->OKBtn);
    okno1->FileExit();
    EXPECT_FALSE(okno1->Host()->isVisible());
    okno1->ShowMaximized();
}

// On a small screen the frame's area scrolls to bring every part of the zoom window into view.
TEST_F(Commands, ASmallFrameScrollsToTheWholeZoomWindow) {
    QWidget* frame = okno1->Host();
    frame->showNormal();
    frame->setGeometry(0, 0, 1000, 680);
    Settle();
    QMdiArea* area = okno1->MdiClient();
    QScrollBar* across = area->horizontalScrollBar();
    QScrollBar* down = area->verticalScrollBar();
    EXPECT_TRUE(down->isVisible());
    EXPECT_FALSE(area->viewport()->rect().contains(okno2->Host()->geometry()));
    across->setValue(across->maximum());
    down->setValue(down->maximum());
    Settle();
    const QRect zoom = okno2->Host()->geometry();
    EXPECT_TRUE(area->viewport()->rect().contains(zoom))
        << zoom.x() << "," << zoom.y() << " " << zoom.width() << "x" << zoom.height();
    across->setValue(0);
    down->setValue(0);
    okno1->ShowMaximized();
    Settle();
    EXPECT_EQ(okno2->GetTop(), 420);
}

// Only the left button's double-click on the frame's surface opens a picture.
TEST_F(Commands, OnlyALeftDoubleClickOnTheSurfaceOpens) {
    const int shown = TFileDialog::ExecuteCount();
    bool asked = false;
    QPointer<QTimer> answering = WhenModal([&] {
        asked = true;
        QTest::mouseClick(dlgopen->CancelBtn, Qt::LeftButton);
    });
    QWidget* surface = okno1->MdiClient()->viewport();
    const QPoint corner(surface->width() - 20, surface->height() - 20);
    QTest::mouseDClick(surface, Qt::RightButton, {}, corner);
    QTest::mouseDClick(surface, Qt::MiddleButton, {}, corner);
    delete answering.data();
    EXPECT_FALSE(asked);
    EXPECT_EQ(TFileDialog::ExecuteCount(), shown);
}

TEST_F(Commands, ClosingTheZoomWindowOnlyMinimisesIt) {
    okno2->Host()->close();
    EXPECT_TRUE(okno2->Host()->isMinimized());
    okno2->Host()->showNormal();
}
