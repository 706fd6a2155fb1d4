// Many seeded random events through the real windows; after each batch the picture holds only
// colour indices and both views, redrawn, show exactly the picture, the preview with the zoom
// view's frame over it.
#include "app/Main.h"
#include "platform/common_dialogs.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <chrono>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr int kBatches = 100, kBatchEvents = 1000;

class Soak : public ::testing::Test {
protected:
    std::mt19937 random{20261207};
    QTemporaryDir dir;
    QStringList files;

    int pick(int n) { return int(random() % unsigned(n)); }
    QPoint anywhere() { return {pick(760) - 60, pick(620) - 60}; }

    void SetUp() override {
        ResetEditor();
        SetErrorMessageDisplay([](const QString&, const QString&) {});
        auto make = [this](const QString& name, const QByteArray& bytes) {
            QFile file(dir.filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
            files << file.fileName();
        };
        QByteArray noise(3'000'000, 0);
        for (char& byte : noise) byte = char(random());
        make("noise.vxr", noise);
        make("short.vxr", noise.left(777));
        make("empty.vxr", {});
        make("returns.vxr", QByteArray(70000, '\x0D'));
        make("stop.vxr", QByteArray("\x1A") + noise.left(40000));
        make("high.vxr", QByteArray(32000, '\xF7'));
        files << dir.path() << dir.filePath("missing.vxr") << "/dev/zero";
    }
    void TearDown() override { SetErrorMessageDisplay(nullptr); }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, okno2->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(okno2, &event);
    }

    void answerConfirmation() {
        const int way = pick(3);
        WhenModal([way] {
            if (way == 0) QTest::mouseClick(dlgopen->OKBtn, Qt::LeftButton);
            if (way == 1) QTest::mouseClick(dlgopen->CancelBtn, Qt::LeftButton);
            if (way == 2) QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
    }

    void oneEvent() {
        const int kind = pick(1000);
        if (kind < 20) { // the wheel, with Ctrl or Shift or neither, or a press on the map
            static const Qt::KeyboardModifiers keys[] = {Qt::NoModifier, Qt::ControlModifier,
                                                         Qt::ShiftModifier};
            const QPoint at = anywhere();
            QWheelEvent wheel(at, okno2->mapToGlobal(at), {},
                              {pick(3) * 60 - 60, pick(5) * 60 - 120}, Qt::NoButton, keys[pick(3)],
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(okno2, &wheel);
            QTest::mousePress(okno_prv, Qt::LeftButton, {}, at);
            QTest::mouseRelease(okno_prv, Qt::LeftButton, {}, at);
        } else if (kind < 450) { // a move with any buttons held, most often painting
            static const Qt::MouseButtons held[] = {Qt::NoButton, Qt::LeftButton, Qt::LeftButton,
                                                    Qt::RightButton,
                                                    Qt::LeftButton | Qt::RightButton};
            mouse(QEvent::MouseMove, anywhere(), Qt::NoButton, held[pick(5)]);
        } else if (kind < 600) {
            static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton,
                                                      Qt::MiddleButton};
            const Qt::MouseButton button = buttons[pick(3)];
            const QPoint at = anywhere();
            mouse(QEvent::MouseButtonPress, at, button, button);
            mouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
        } else if (kind < 650) {
            okno2->scroll1->setValue(pick(40));
        } else if (kind < 700) {
            okno2->scroll2->setValue(pick(26));
        } else if (kind < 730) {
            QToolButton* zoom[] = {okno1->tool_zoom1, okno1->tool_zoom2};
            QTest::mouseClick(zoom[pick(2)], Qt::LeftButton);
        } else if (kind < 745) {
            pick(2) ? prefs->zom1Click() : prefs->zom2Click();
        } else if (kind < 800) {
            QToolButton* tools[] = {okno1->tool_b1, okno1->tool_b2, okno1->SpeedButton2};
            QTest::mouseClick(tools[pick(3)], Qt::LeftButton);
        } else if (kind < 950) {
            const auto buttons = okno1->palette_group->buttons();
            QTest::mouseClick(buttons[pick(int(buttons.size()))], Qt::LeftButton);
        } else if (kind < 955) {
            QTest::mouseClick(okno1->tool_b3, Qt::LeftButton);
        } else if (kind < 960) {
            (pick(2) ? okno1->EditUndoItem : okno1->EditRedoItem)->trigger();
        } else if (kind < 970) {
            QCheckBox* boxes[] = {prefs->vexlor_grid1, prefs->vexlor_grid2, prefs->prvdouble};
            boxes[pick(3)]->click();
        } else if (kind < 985) {
            answerConfirmation();
            QTest::mouseClick(okno1->tool_clr, Qt::LeftButton);
        } else {
            answerConfirmation();
            if (pick(4))
                TFileDialog::QueueAnswer(files[pick(int(files.size()))]);
            else
                TFileDialog::QueueAnswer(std::nullopt);
            okno1->FileOpen();
            TFileDialog::DropAnswers(); // left over when the confirmation was cancelled
        }
    }

    static ::testing::AssertionResult PictureAndViewsAgree() {
        for (std::uint8_t byte : okno2->picture)
            if (byte > 15) return ::testing::AssertionFailure() << "picture byte " << int(byte);
        desk().document().select(std::nullopt); // its outline is drawn over both views
        okno2->FormPaint();
        okno1->redraw_preview(160, 200);
        const int w = int(okno2->cell_w), h = int(okno2->cell_h);
        if (w * int(okno2->view_cols) != 640 || h * int(okno2->view_rows) != 480)
            return ::testing::AssertionFailure() << "the view does not fill the drawing area";
        for (int i = 0; i < int(okno2->view_rows); ++i)
            for (int j = 0; j < int(okno2->view_cols); ++j) {
                const TColor want =
                    palette_color(okno2->read_pixel(j + okno2->scroll_x, i + okno2->scroll_y));
                if (okno2->Canvas->GetPixel(j * w + w / 2, i * h + h / 2) != want)
                    return ::testing::AssertionFailure() << "zoom view cell " << j << "," << i;
            }
        for (int v = 0; v < 200; ++v)
            for (int u = 0; u < 160; ++u) {
                const TColor want = palette_color(okno2->picture[v * 160 + u]);
                const QPoint at =
                    okno1->preview_size == 2 ? QPoint(4 * u + 3, 2 * v + 3) : QPoint(2 * u + 1, v);
                if (okno_prv->Canvas->GetPixel(at.x(), at.y()) != want &&
                    !OnViewFrame(at.x(), at.y()))
                    return ::testing::AssertionFailure() << "preview pixel " << u << "," << v;
            }
        return ::testing::AssertionSuccess();
    }
};

} // namespace

TEST_F(Soak, HundredThousandRandomEventsKeepThePictureAndItsViewsTrue) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(4);
    for (int batch = 0; batch < kBatches; ++batch) {
        for (int i = 0; i < kBatchEvents; ++i) oneEvent();
        Settle();
        ASSERT_TRUE(PictureAndViewsAgree()) << "after batch " << batch;
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "after batch " << batch;
    }
}
