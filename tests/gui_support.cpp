#include "tests/gui_support.h"
#include "app/Main.h"
#include "info/info_window.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cstdio>

std::string Hex(TColor color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", unsigned(color));
    return text;
}

::testing::AssertionResult AreaIs(TForm* form, const QRect& area, TColor color) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (form->Canvas->GetPixel(x, y) != color)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is "
                       << Hex(form->Canvas->GetPixel(x, y)) << ", not " << Hex(color);
    return ::testing::AssertionSuccess();
}

QTimer* WhenModal(std::function<void()> answer) {
    auto* poll = new QTimer;
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (!qobject_cast<QDialog*>(QApplication::activeModalWidget())) return;
        poll->stop();
        poll->deleteLater();
        answer();
    });
    poll->start();
    return poll;
}

void Settle() { QApplication::processEvents(); }

bool SettleUntil(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.hasExpired(milliseconds)) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

std::vector<TForm*> all_windows() { return {okno1, okno_prv, okno2, okno_info, dlgopen, prefs}; }

void ResetEditor() {
    okno2->scroll1->setValue(0);
    okno2->scroll2->setValue(0);
    okno2->set_zoom(4, 3);
    okno2->picture.fill(0);
    okno1->picture_format = fmtMulticolor;
    okno1->show_picture_format();
    okno2->history = PictureHistory(okno2->picture.data(), okno2->picture.size());
    okno1->update_edit_menu();
    okno2->draw_color = 1;
    okno2->pixel_grid_color = 0x555555;
    okno2->char_grid_color = 0x11E0FF;
    prefs->vexlor_grid1->setChecked(true);
    prefs->vexlor_grid2->setChecked(true);
    prefs->gridcol1->setEnabled(true);
    prefs->gridcol2->setEnabled(true);
    prefs->zom1->setChecked(true);
    okno1->preview_size = 2;
    okno1->tool_mode = 1;
    for (QAbstractButton* down : {okno1->color_b1, okno1->tool_b2, okno1->tool_zoom2})
        down->setChecked(true);
    for (TForm* form : {static_cast<TForm*>(okno_prv), static_cast<TForm*>(okno_info)}) {
        form->Canvas->Brush.Color = clBlack;
        form->Canvas->FillRect({0, 0, form->ClientWidth(), form->ClientHeight()});
    }
    // The children lie as they were created, the information window on top and active.
    for (TForm* child : {static_cast<TForm*>(okno_prv), static_cast<TForm*>(okno2),
                         static_cast<TForm*>(okno_info)})
        okno1->MdiClient()->setActiveSubWindow(static_cast<QMdiSubWindow*>(child->Host()));
    okno2->FormPaint();
    Settle();
}
