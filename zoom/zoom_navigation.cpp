// Moving the zoom view: the wheel, Ctrl with the wheel, a middle-button drag, and the places
// the map, the keys and the View menu ask for. The rules are navigation/'s.
#include "zoom/zoom_window.h"
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>

ZoomLevel Tokno2::zoom_level() const { return cell_level_of(pixel_size_, document_.mode().shape); }

ViewPlace Tokno2::place() const { return {scroll_x, scroll_y}; }

// The bars show the place without raising their own scroll events, so the view is drawn once.
void Tokno2::place_view(ViewPlace place) {
    scroll_x = place.scroll_x;
    scroll_y = place.scroll_y;
    const QSignalBlocker across(scroll1), down(scroll2);
    scroll1->setValue(scroll_x / std::int32_t(zoom_factor));
    scroll2->setValue(scroll_y / document_.mode().shape.cell.height);
}

// The view keeps its pixel size and its corner cell when the mode changes the picture's shape.
void Tokno2::keep_place() {
    const int corner_cell = scroll_x / std::int32_t(zoom_factor);
    zoom_factor = std::uint32_t(document_.mode().shape.cell.width);
    scroll_x = corner_cell * std::int32_t(zoom_factor);
    take_frame();
}

void Tokno2::show_place(ViewPlace place) {
    const ViewPlace from = this->place();
    place_view(place);
    if (place != from) scroll_drawn_view(from);
}

// The picture pixel at (x, y) of the drawing area stays there as nearly as the places allow.
void Tokno2::zoom_to(std::size_t level, int x, int y) {
    if (level >= kZoomLevels.size()) return;
    zoom_to_size(frame_of(kZoomLevels[level], document_.mode().shape).pixel_size, x, y);
}

void Tokno2::zoom_to_size(int pixel_size, int x, int y) {
    if (pixel_size_index(pixel_size) >= kPixelSizes.size()) return;
    const ViewFrame from = frame();
    pixel_size_ = pixel_size;
    const ViewPlace place = zoomed_at(this->place(), from, frame(), x, y, document_.mode().shape);
    place_view(place);
    take_frame();
    FormPaint();
}

// The picture's corner comes to the view's: the whole picture shows from there.
void Tokno2::fit_picture() {
    pixel_size_ = fitting_pixel_size(width(), height(), document_.mode().shape);
    place_view({});
    take_frame();
    FormPaint();
}

// A notch up zooms in, towards the closest level, around the pointer; without Ctrl the wheel
// moves the view a cell a notch, across with a horizontal wheel or with Shift.
void Tokno2::wheelEvent(QWheelEvent* event) {
    event->accept();
    const QPoint turn = event->angleDelta();
    const QPoint at = event->position().toPoint();
    if (event->modifiers() & Qt::ControlModifier) {
        const int size = stepped_pixel_size(pixel_size_, wheel_zoom_.take(turn.y()));
        if (size != pixel_size_) zoom_to_size(size, at.x(), at.y());
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int across = wheel_across_.take(shift ? turn.x() + turn.y() : turn.x());
    const int down = wheel_down_.take(shift ? 0 : turn.y());
    show_place(moved_by(place(), -across, -down, frame(), document_.mode().shape));
}

void Tokno2::start_panning(int x, int y) {
    panning_ = true;
    pan_from_ = {x, y};
    pan_place_ = place();
}

void Tokno2::pan_to(int x, int y) {
    show_place(dragged(pan_place_, place(), x - pan_from_.x(), y - pan_from_.y(), frame(),
                       document_.mode().shape));
}
