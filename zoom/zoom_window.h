#pragma once
#include "desk/desk.h"
#include "navigation/navigation.h"
#include "platform/tform.h"
#include "sprites/shown_rows.h"
#include "ui_zoom_window.h"
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The zoomed editing view: it shows the desk's document, and hands the pointer to the tool
// chosen. The picture model's fields are the document's, under the names the windows have
// always used for them.
class Tokno2 : public TForm, public Ui::Tokno2, private ToolView {
    Q_OBJECT
public:
    explicit Tokno2(QWidget* owner);

    StoredPicture& picture;
    std::uint8_t& draw_color;
    std::uint8_t& back_color;
    TColor& pixel_grid_color;
    TColor& char_grid_color;
    std::uint8_t& scan_color;
    std::uint8_t& cell_color1;
    std::uint8_t& cell_color2;
    std::uint8_t& cell_color3;
    std::uint8_t& old_color;
    std::uint8_t& cell_count;

    std::uint32_t cell_w{};      // screen width of one shown picture pixel
    std::uint32_t cell_h{};      // screen height of one shown picture pixel
    std::uint32_t zoom_factor{}; // picture columns per character cell
    std::uint32_t view_cols{};
    std::uint32_t view_rows{};
    std::int32_t cursor_x{}; // picture position of the last paint
    std::int32_t cursor_y{};
    std::int32_t scroll_x{}; // picture position at the drawing area's top-left corner
    std::int32_t scroll_y{};

    // The picture model's operations on the document. The plots bring the information
    // window's swatches and the preview's band at the pixel up to date after each judgement,
    // in turn; plot_pixel takes formats 1 and 2 only.
    std::uint8_t read_pixel(std::int32_t column, std::int32_t row) const;
    void write_pixel(std::uint32_t column, std::uint32_t row, std::uint8_t color);
    void analyse_cell(std::int32_t column, std::int32_t row);
    void analyse_row(std::int32_t column, std::int32_t row);
    bool plot_multicolor(std::int32_t column, std::int32_t row, std::uint8_t color);
    bool plot_fli(std::int32_t column, std::int32_t row, std::uint8_t color);
    bool plot_pixel(std::uint8_t format, std::int32_t column, std::int32_t row, std::uint8_t color);

    // Shows `across` x `down` character cells from the picture's top-left corner.
    void set_zoom(std::int32_t across, std::int32_t down);
    // Shows the pixels at the size `columns` x `rows` of them fill the start's drawing area,
    // keeping the scroll position.
    void resize_view(std::uint32_t columns, std::uint32_t rows);

    // The view's level and place (zoom_navigation.cpp). Moving the view moves the scroll bars
    // with it and redraws the view once, and only when it moved.
    ZoomLevel zoom_level() const;
    // The pixel size and the drawing area the window's room gives it.
    ViewFrame frame() const;
    ViewPlace place() const;
    void show_place(ViewPlace place);
    // After a change of mode: the same level and corner cell in the picture's new shape.
    void keep_place();
    // The information window's swatches: the colours the last analysis found, or `found`.
    void show_analysis();
    void show_analysis(const Analysis& found);
    // Shows kZoomLevels[level], keeping the picture pixel at (x, y) of the drawing area there.
    void zoom_to(std::size_t level, int x, int y);
    // The same at a pixel size, one of kPixelSizes.
    void zoom_to_size(int pixel_size, int x, int y);
    // The largest pixel size at which the whole picture fits the window's room.
    void fit_picture();

    // Shows the colours of the row last analysed under the pointer again, as the picture there
    // may have changed under it.
    void show_pointer_row();

    // What the tools painted during a pointer event, shown once the tool is done with it: each
    // pixel in the zoom view as it was painted, and the pen or brush under the pointer where
    // it changed.
    void show_painted(const PaintReport& report);

    // The pen or brush under the pointer takes the pen's new shape.
    void follow_pen();

    // The marching ants run while there is a selection.
    void follow_selection();
    // The outline of `area` blinks a few times (zoom_flash.cpp): a full cell, where a plot
    // was refused.
    void flash_area(const PixelArea& area);
    bool flashing() const { return flash_steps_ > 0; }

public slots:
    void FormPaint(TObject* Sender = nullptr);
    void scroll1Scroll(TObject* Sender = nullptr);
    void scroll2Scroll(TObject* Sender = nullptr);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
    void wheelEvent(QWheelEvent* event) override;
    // The drawing area and the scroll bars fill the room the window is given.
    void resizeEvent(QResizeEvent* event) override;
    // The pen or brush under the pointer goes with it.
    void leaveEvent(QEvent* event) override;

private:
    // What the tools draw and ask for.
    void draw_pixel(PixelPos at, std::uint8_t color) override;
    void redraw() override;
    void set_cursor(PixelPos at) override;
    void show_tip(std::vector<InkedPixel> pixels, bool outline) override;
    void choose_colour(std::uint8_t color) override;

    void place_view(ViewPlace place);
    // Takes the frame the pixel size and the room give: the view's sizes, the bars' places and
    // reach; the place is held within that reach.
    void take_frame();
    int pixel_size_ = 20;
    // While a shape is dragged past the drawing area's edge, the view follows the pointer.
    void follow_drag(int x, int y, TShiftState shift);
    void autoscroll();
    QTimer autoscroll_timer_;
    QPoint drag_at_;
    TShiftState drag_shift_ = 0;
    void start_panning(int x, int y);
    void pan_to(int x, int y);
    WheelNotches wheel_across_, wheel_down_, wheel_zoom_;
    bool panning_ = false; // the middle button drags the view from pan_place_ at pan_from_
    QPoint pan_from_;
    ViewPlace pan_place_;

    // The tool that the pointer works with now (zoom_tools.cpp).
    Tool* chosen_tool() const;
    Tool* tool_for_moves() const;
    PointerEvent pointer_event(TMouseButton button, TShiftState shift, int x, int y) const;
    PointerEvent in_tool_pixels(PointerEvent event, const Tool& tool) const;
    PixelPos view_pixel_at(int x, int y) const;
    bool in_drawing_area(int x, int y) const;

    // The floating block and the marching ants (zoom_selection.cpp).
    void draw_selection_overlay();
    void draw_ants();
    void march_ants();
    void step_flash();
    void draw_flash();

    // The pen's outline or the brush under the pointer (zoom_tools.cpp).
    void draw_tip();
    void tick_gesture();
    void draw_outline(const std::vector<InkedPixel>& pixels, bool screen_pixels);

    // Moves what the view drew at `from` to where the view is now, drawing only what it lacks.
    void scroll_drawn_view(ViewPlace from);
    // Everything the view shows within `screen` (form pixels), and nothing outside it.
    void draw_within(const TRect& screen);
    // The picture's pixels of `part` of the view, whole rows of it in the plain view.
    void draw_pixels(const PixelArea& part, bool pixel_grid);
    void clear_margins();
    // `count` colours across the view's row, each pixel of it count / view_cols strips wide.
    void draw_pixel_row(const TColor* colors, int count, int view_row, bool outlined);
    // The sprites over the picture (zoom_sprites.cpp): the rows they lie on at screen
    // resolution, a painted pixel under them, their outlines and the rows that hold more than
    // eight; none of it while there are none.
    std::optional<ShownRows> shown_rows() const;
    void draw_shown_row(ShownRows& shown, int view_row, bool outlined);
    void draw_shown_pixel(ShownRows& shown, PixelPos at);
    void draw_sprite_outlines();
    void draw_crowded_rows();
    // Where a screen pixel (320 x 200) lies in the drawing area.
    TRect screen_pixel_on_screen(PixelPos screen) const;
    // Whether the tool that has the pointer works in screen pixels: it paints, into the
    // sprites.
    bool tool_in_screen_pixels() const;
    void draw_char_grid();
    // The marks over the cells that reach into `reach`.
    void draw_clash_marks(const PixelArea& reach);
    // One mark over `rows` rows of the cell column at view position `left`, `top`.
    void draw_clash_mark(int left, int top, int rows);
    void update_clash_marks();
    CellRowSet clash_rows() const;

    // The part of the picture the drawing area shows; nothing outside it is drawn.
    PixelArea view_area() const;
    // Where the pixels of `area` lie in the drawing area.
    TRect shown_on_screen(const PixelArea& area) const;
    // `shown`: what the television is given, the sprites laid over (shown_grid).
    void draw_pal_pixels(const PixelArea& area, bool outlined, const ShownGrid& shown);
    // Hands the event's painting to the desk, which tells every view; then the tip.
    void show_painting();
    void show_painted(PixelPos at, ShownRows* shown);
    void show_pal_changes();
    // The model's plot, then its swatches and bands.
    bool refreshed(const PlotResult& plot);
    void draw_painted_pixel(std::uint8_t color, std::int32_t view_col, std::int32_t view_row);

    Document& document_;
    ToolContext tools_context_;
    std::vector<std::unique_ptr<Tool>> tools_; // one for each row of the tool table
    std::unique_ptr<Tool> placing_ = place_block_tool();
    Tool* gesture_ = nullptr;     // the tool whose gesture is under way
    std::vector<InkedPixel> tip_; // the pen or brush drawn under the pointer
    bool tip_outline_ = false;
    bool tip_shown_ = false; // whether the tool showed its tip on the pointer's latest move
    bool tip_moved_ = false; // the tip changed during the event: the view is drawn anew
    bool painted_ = false;   // the event's tool changed the picture
    CellRowSet marked_;      // the rows marked as clashing when the view was last drawn
    QTimer ants_timer_;
    QTimer gesture_timer_; // ticks a gesture under way while the pointer rests
    int ants_phase_ = 0;
    QTimer flash_timer_;
    PixelArea flash_area_; // the area whose outline blinks, while flash_steps_ are left
    int flash_steps_ = 0;
    std::vector<EdgeRun> ant_edge_; // the selected pixels' edge, which the ants run along
    bool pointer_seen_ = false;     // the picture position whose row the swatches show
    std::int32_t pointer_column_ = 0;
    std::int32_t pointer_row_ = 0;
    PixelPos pointer_screen_;
    // What the tool has painted during the pointer event, still to be shown in the PAL view.
    PalChanges pal_zoom_changes_, pal_preview_changes_;
    std::vector<TColor> pal_row_; // the PAL colours of the row being drawn
};

extern Tokno2* okno2;
