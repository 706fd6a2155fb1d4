#include "tests/gui_support.h"
#include <QApplication>
#include <QDialog>
#include <cstdio>
#include "app/Main.h"
#include "info/info_window.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "storage/dlg_open.h"
#include "zoom/zoom_window.h"

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
                       << "pixel (" << x << ", " << y << ") is " << Hex(form->Canvas->GetPixel(x, y))
                       << ", not " << Hex(color);
    return ::testing::AssertionSuccess();
}

void WhenModal(std::function<void()> answer) {
    auto* poll = new QTimer;
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (!qobject_cast<QDialog*>(QApplication::activeModalWidget())) return;
        poll->stop();
        poll->deleteLater();
        answer();
    });
    poll->start();
}

void Settle() { QApplication::processEvents(); }

std::vector<TForm*> all_windows() { return {okno1, okno_prv, okno2, okno_info, dlgopen, prefs}; }
