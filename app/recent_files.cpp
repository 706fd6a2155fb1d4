// File > Open Recent: the pictures last opened or saved, kept between runs.
#include "app/Main.h"
#include "settings/user_settings.h"
#include <QFileInfo>
#include <QSettings>

namespace {

QStringList stored_recent_files() {
    const std::unique_ptr<QSettings> settings = user_settings();
    return settings ? read_recent_files(*settings) : QStringList();
}

void store_recent_files(const QStringList& files) {
    if (const std::unique_ptr<QSettings> settings = user_settings())
        write_recent_files(*settings, files);
}

} // namespace

// The list is read as the menu opens, so that a file gone since shows greyed.
void Tokno1::set_up_recent_menu() {
    connect(RecentMenu, &QMenu::aboutToShow, this, [this] { fill_recent_menu(); });
    fill_recent_menu();
}

void Tokno1::fill_recent_menu() {
    RecentMenu->clear();
    const QStringList files = stored_recent_files();
    QStringList missing;
    int number = 0;
    for (const QString& file : files) {
        QAction* item = RecentMenu->addAction(
            QStringLiteral("&%1 %2").arg(++number).arg(QFileInfo(file).fileName()));
        item->setStatusTip(file);
        item->setToolTip(file);
        if (!QFileInfo(file).isFile()) {
            missing.append(file);
            item->setEnabled(false);
        }
        connect(item, &QAction::triggered, this, [this, file] {
            if (confirmed_change()) open_picture(file, OpenAs::ByKind);
        });
    }
    RecentMenu->menuAction()->setEnabled(!files.isEmpty());
    if (files.isEmpty()) return;
    RecentMenu->addSeparator();
    QAction* remove = RecentMenu->addAction(QStringLiteral("&Remove Missing Files"));
    remove->setStatusTip(QStringLiteral("Take the greyed files, which are gone, off the list"));
    remove->setEnabled(!missing.isEmpty());
    connect(remove, &QAction::triggered, this, [files, missing] {
        QStringList kept = files;
        for (const QString& file : missing) kept.removeAll(file);
        store_recent_files(kept);
    });
    QAction* clear = RecentMenu->addAction(QStringLiteral("&Clear List"));
    clear->setStatusTip(QStringLiteral("Empty the list of recent pictures"));
    connect(clear, &QAction::triggered, this, [] { store_recent_files({}); });
}

void Tokno1::remember_recent(const QString& path) {
    store_recent_files(with_recent_file(stored_recent_files(), path));
    fill_recent_menu();
}
