#include "app/startup.h"
#include "app/Main.h"
#include "app/editor_desk.h"
#include "app/file_drops.h"
#include "app/window_follower.h"
#include "info/info_window.h"
#include "platform/exception.h"
#include "platform/tapplication.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "recovery/recovery_keeper.h"
#include "recovery/recovery_offer.h"
#include "settings/paint_setting.h"
#include "settings/stored_preferences.h"
#include "storage/dlg_open.h"
#include "zoom/zoom_window.h"
#include <QTimer>
#include <memory>

namespace {

std::unique_ptr<Desk> the_desk = std::make_unique<Desk>();
std::unique_ptr<DeskObserver> paint_settings;

} // namespace

Desk& desk() { return *the_desk; }

// Each start has a desk of its own, which holds what the last run chose to paint with before
// any window shows it.
void create_windows() {
    paint_settings.reset();
    the_desk = std::make_unique<Desk>();
    paint_settings = keep_paint_settings(desk());
    Application->CreateForm(okno1);
    Application->CreateForm(okno_prv);
    Application->CreateForm(okno2);
    Application->CreateForm(okno_info);
    Application->CreateForm(dlgopen);
    Application->CreateForm(prefs);
    follow_desk(desk());
    okno1->mark_picture_mode();
    okno1->show_reference_items();
    accept_file_drops(okno1->Host());
    okno1->take_in_windows();
}

void open_at_start(const QString& file) {
    QTimer::singleShot(0, okno1, [file] {
        if (!offer_recovery(desk(), okno1->Host()) && !file.isEmpty())
            okno1->open_picture(file, OpenAs::ByKind);
    });
}

int run_guarded(const std::function<void()>& body) {
    try {
        body();
    } catch (const Exception& error) {
        Application->ShowException(error);
    }
    return 0;
}

int vexlor_main(const QString& file) {
    return run_guarded([&] {
        Application->Initialize();
        create_windows();
        // The user's saved preferences, over the start state the windows set up themselves.
        restore_preferences();
        okno1->restore_window_places();
        RecoveryKeeper recovery(recovery_folder(), [] { return picture_as_it_stands(desk()); });
        open_at_start(file);
        Application->Run();
        okno1->store_window_places();
        recovery.finish(); // a clean end; after a crash the copy waits for the next start
    });
}
