// The Window menu: the three inner windows tiled, cascaded, put back where they started, or
// one of them brought back; and their places kept between runs.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "arrange/reach.h"
#include "arrange/tiling.h"
#include "info/info_window.h"
#include "navigation/navigation.h"
#include "preview/preview_window.h"
#include "settings/user_settings.h"
#include "zoom/zoom_window.h"
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>

namespace {

std::vector<TForm*> inner_windows() { return {okno2, okno_prv, okno_info}; }

QMdiSubWindow* host_of(const TForm* window) { return static_cast<QMdiSubWindow*>(window->Host()); }

// The part of a window that no other may cover, in its host's coordinates: the zoom view's
// drawing area, the preview's picture at the size it is shown, all of the information window.
QRect kept_part(const TForm* window) {
    QRect part = window->rect();
    if (window == okno2) part = QRect(0, 0, okno2->frame().width, okno2->frame().height);
    if (window == okno_prv) {
        const PictureShape& shape = desk().document().mode().shape;
        const PreviewPixels pixels = preview_pixels(okno1->preview_size, shape);
        part = QRect(pixels.origin, pixels.origin, pixels.width * int(shape.width),
                     pixels.height * int(shape.height));
    }
    return part.translated(window->mapTo(window->Host(), QPoint()));
}

TiledWindow tiled(const TForm* window) {
    const QRect kept = kept_part(window);
    const QSize size = window->Host()->size();
    return {size.width(), size.height(), {kept.x(), kept.y(), kept.width(), kept.height()}};
}

Box box_of(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

// The height of a window's title bar and the border above it: where its form starts.
int title_height(const TForm* window) { return window->mapTo(window->Host(), QPoint()).y(); }

// The area's size as it is without scroll bars.
QSize area_size(const QMdiArea* area) { return area->maximumViewportSize(); }

} // namespace

void Tokno1::set_up_window_menu() {
    connect(WindowTileItem, &QAction::triggered, this, [this] { tile_windows(); });
    connect(WindowCascadeItem, &QAction::triggered, this, [this] { cascade_windows(); });
    connect(WindowStartItem, &QAction::triggered, this, [this] {
        for (TForm* window : inner_windows()) {
            host_of(window)->showNormal();
            host_of(window)->setGeometry(start_geometry_.at(window->objectName()));
        }
    });
}

void Tokno1::take_in_windows() {
    int number = 0;
    for (TForm* window : inner_windows()) {
        QAction* item =
            WindowMenu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(window->Caption()));
        item->setStatusTip(
            QStringLiteral("Bring the window \"%1\" to the front and into view, minimised or not")
                .arg(window->Caption()));
        connect(item, &QAction::triggered, this, [this, window] { bring_back(window); });
        start_geometry_[window->objectName()] = host_of(window)->geometry();
    }
}

// Wherever the window was, it comes back whole within the area where it fits.
void Tokno1::bring_back(TForm* window) {
    QMdiSubWindow* host = host_of(window);
    host->showNormal();
    const QSize area = MdiClient()->viewport()->size();
    const Place place = into_view(box_of(host->geometry()), area.width(), area.height());
    host->move(place.left, place.top);
    MdiClient()->setActiveSubWindow(host);
}

// One behind another, the active window in front, each a title bar's height right of and below
// the one behind it: no window covers a title behind it.
void Tokno1::cascade_windows() {
    QMdiSubWindow* active = MdiClient()->activeSubWindow();
    for (TForm* window : inner_windows()) host_of(window)->showNormal();
    QList<QMdiSubWindow*> order = MdiClient()->subWindowList(QMdiArea::StackingOrder);
    if (order.removeOne(active)) order.append(active);
    int offset = 0;
    for (QMdiSubWindow* host : order) {
        host->move(offset, offset);
        host->raise();
        offset += title_height(static_cast<TForm*>(host->widget()));
    }
    if (active) MdiClient()->setActiveSubWindow(active);
}

// A window minimised or maximised keeps the place it had before.
WindowPlaces Tokno1::window_places() const {
    WindowPlaces places;
    for (TForm* window : inner_windows())
        if (!host_of(window)->isMinimized() && !host_of(window)->isMaximized())
            places[window->objectName()] = host_of(window)->pos();
    return places;
}

// A place from which the window's title bar could not be reached is not taken: the window
// keeps the place it has.
void Tokno1::place_windows(const WindowPlaces& places) {
    const QSize area = area_size(MdiClient());
    for (TForm* window : inner_windows()) {
        const auto place = places.find(window->objectName());
        if (place == places.end()) continue;
        const QRect moved(place->second, host_of(window)->size());
        if (!title_in_reach(box_of(moved), title_height(window), area.width(), area.height()))
            continue;
        host_of(window)->showNormal();
        host_of(window)->move(place->second);
    }
}

// The area without scroll bars: tiled, the windows need none. The zoom window takes the room the
// preview and the information window leave beside it, where that room is at least its start
// size; else the three are tiled at their sizes.
void Tokno1::tile_windows() {
    std::vector<TiledWindow> windows;
    for (TForm* window : inner_windows()) {
        host_of(window)->showNormal();
        windows.push_back(tiled(window));
    }
    const QSize area = area_size(MdiClient());
    const QSize least = start_geometry_.at(okno2->objectName()).size();
    const std::vector<TiledWindow> others(windows.begin() + 1, windows.end());
    if (const std::optional<RoomyTiling> roomy =
            tile_with_room(area.width(), area.height(), least.width(), least.height(), others)) {
        host_of(okno2)->setGeometry(roomy->room.left, roomy->room.top, roomy->room.width,
                                    roomy->room.height);
        for (std::size_t i = 0; i < roomy->places.size(); ++i)
            host_of(inner_windows()[i + 1])->move(roomy->places[i].left, roomy->places[i].top);
        return;
    }
    // A zoom window grown by an earlier Tile goes back to its start size to be tiled.
    host_of(okno2)->resize(least);
    host_of(okno2)->layout()->activate();
    windows.front() = tiled(okno2);
    const std::vector<Place> places = tile(area.width(), area.height(), windows);
    for (std::size_t i = 0; i < places.size(); ++i)
        host_of(inner_windows()[i])->move(places[i].left, places[i].top);
}

// The places are judged in the area the frame has once it is shown, maximised; the zoom
// window takes its size first, so that its place is judged at that size.
void Tokno1::restore_window_places() {
    const std::unique_ptr<QSettings> settings = user_settings();
    if (!settings) return;
    if (!Host()->isVisible()) SizeAsMaximized();
    const ZoomViewSetting zoom_view = read_zoom_view(*settings);
    restore_zoom_window_size(zoom_view);
    place_windows(read_window_places(*settings));
    if (zoom_view.maximized) host_of(okno2)->showMaximized();
    if (zoom_view.pixel_size) okno2->zoom_to_size(zoom_view.pixel_size, 0, 0);
}

// A size larger than the screen is not taken: the window keeps its own.
void Tokno1::restore_zoom_window_size(const ZoomViewSetting& setting) {
    const QSize screen = Host()->screen()->availableGeometry().size();
    if (setting.size.isEmpty() || setting.size.width() > screen.width() ||
        setting.size.height() > screen.height())
        return;
    host_of(okno2)->resize(setting.size);
}
// Windows where they started leave nothing stored, so that a later start is the first one's.
void Tokno1::store_window_places() {
    const std::unique_ptr<QSettings> settings = user_settings();
    if (!settings) return;
    WindowPlaces places = read_window_places(*settings);
    for (const auto& [name, place] : window_places()) places[name] = place;
    std::erase_if(places, [this](const auto& kept) {
        const auto start = start_geometry_.find(kept.first);
        return start != start_geometry_.end() && start->second.topLeft() == kept.second;
    });
    write_window_places(*settings, places);
    write_zoom_view(*settings, zoom_view_setting(read_zoom_view(*settings)));
}

// A maximised window keeps the size it had before as the one to come back to.
ZoomViewSetting Tokno1::zoom_view_setting(ZoomViewSetting kept) const {
    const QMdiSubWindow* host = host_of(okno2);
    const int pixel_size = okno2->frame().pixel_size;
    kept.pixel_size = pixel_size == kPixelSizes.back() ? 0 : pixel_size; // the start's, the largest
    kept.maximized = host->isMaximized();
    if (!host->isMaximized() && !host->isMinimized())
        kept.size =
            host->size() == start_geometry_.at(okno2->objectName()).size() ? QSize() : host->size();
    return kept;
}
