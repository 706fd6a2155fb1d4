#pragma once
#include "document/document.h"
#include "navigation/navigation.h"
#include "platform/tform.h"
#include "tools/painter.h"
#include "tools/tool_table.h"
#include "ui_zoom_window.h"
#include <QTimer>
#include <cstdint>
#include <memory>
#include <vector>

// The zoomed editing view. The document, picture model and all, lives inside it; the view
// shows it, and hands the pointer to the tool chosen.
class Tokno2 : public TForm, public Ui::Tokno2, public Document, private ToolView {
    Q_OBJECT
public:
    explicit Tokno2(QWidget* owner);

    std::uint32_t cell_w{};      // screen width of one shown picture pixel
    std::uint32_t cell_h{};      // screen height of one shown picture pixel
    std::uint32_t zoom_factor{}; // picture columns per character cell
    std::uint32_t view_cols{};
    std::uint32_t view_rows{};
    std::int32_t cursor_x{}; // picture position of the last paint
    std::int32_t cursor_y{};
    std::int32_t scroll_x{}; // picture position at the drawing area's top-left corner
    std::int32_t scroll_y{};

    // Plots as the picture model does (formats 1 and 2), then brings the information window's
    // swatches and the preview's band at the pixel up to date, for each judgement in turn.
    bool plot_pixel(std::uint8_t format, std::int32_t column, std::int32_t row, std::uint8_t color);

    // Shows `across` x `down` character cells from the picture's top-left corner.
    void set_zoom(std::int32_t across, std::int32_t down);
    // Shows `columns` x `rows` picture pixels, keeping the scroll position.
    void resize_view(std::uint32_t columns, std::uint32_t rows);

    // The view's level and place (zoom_navigation.cpp). Moving the view moves the scroll bars
    // with it and redraws the view once, and only when it moved.
    ZoomLevel zoom_level() const;
    ViewPlace place() const;
    void show_place(ViewPlace place);
    // After a change of mode: the same level and corner cell in the picture's new shape.
    void keep_place();
    // The information window's swatches: the colours the last analysis found, or `found`.
    void show_analysis();
    void show_analysis(const Analysis& found);
    // Shows kZoomLevels[level], keeping the picture pixel at (x, y) of the drawing area there.
    void zoom_to(std::size_t level, int x, int y);

    // Shows the colours of the row last analysed under the pointer again, as the picture there
    // may have changed under it.
    void show_pointer_row();

    // Marks what a C64 export could not show exactly, over the view: the cells in Multicolor,
    // the 4 x 1 rows and the three bug columns in FLI.
    bool show_clashes = false;

    // How the reference image shows over the picture (View > Reference Image): whether at all,
    // and at what opacity, in percent. The layer has no image while none shows.
    bool reference_shown = true;
    int reference_opacity = 50;
    ReferenceLayer reference_layer() const;

    // Every pixel the tools paint goes through it, under the full-cell choice.
    Painter painter{*this};

    // An edit for a command: a stroke still under way becomes a step of its own first.
    Edit open_edit(std::string label);
    // The stroke under way, if any, becomes a step.
    void end_stroke();

    // The pen or brush under the pointer takes the pen's new shape.
    void follow_pen();

    // The marching ants run while there is a selection.
    void follow_selection();

public slots:
    void FormPaint(TObject* Sender = nullptr);
    void scroll1Scroll(TObject* Sender = nullptr);
    void scroll2Scroll(TObject* Sender = nullptr);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
    void wheelEvent(QWheelEvent* event) override;
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
    PixelPos view_pixel_at(int x, int y) const;

    // The floating block and the marching ants (zoom_selection.cpp).
    void draw_selection_overlay();
    void draw_ants();
    void march_ants();

    // The pen's outline or the brush under the pointer (zoom_tools.cpp).
    void draw_tip();
    void tick_gesture();
    void draw_outline(const std::vector<InkedPixel>& pixels);

    void draw_char_grid();
    void draw_clash_marks();
    // One mark over `rows` rows of the cell column at view position `left`, `top`.
    void draw_clash_mark(int left, int top, int rows);
    void update_clash_marks();
    CellRowSet clash_rows() const;

    // The part of the picture the drawing area shows; nothing outside it is drawn.
    PixelArea view_area() const;
    // Where the pixels of `area` lie in the drawing area.
    TRect shown_on_screen(const PixelArea& area) const;
    void draw_pal_pixels(const PixelArea& area, bool outlined);
    // What the tool painted during a pointer event, shown once the tool is done with it: each
    // pixel in the zoom view as it was painted, their area in the preview, the swatches of the
    // last plot, and the pen or brush under the pointer where it changed.
    void show_painting();
    void show_painted(PixelPos at);
    void show_pal_changes();
    void draw_painted_pixel(std::uint8_t color, std::int32_t view_col, std::int32_t view_row);

    Stroke stroke_{*this};
    ToolContext tools_context_{*this, *this, painter, stroke_};
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
    bool pointer_seen_ = false; // the picture position whose row the swatches show
    std::int32_t pointer_column_ = 0;
    std::int32_t pointer_row_ = 0;
    // What the tool has painted during the pointer event, still to be shown in the PAL views.
    PalChanges pal_zoom_changes_, pal_preview_changes_;
    std::vector<TColor> pal_row_; // the PAL colours of the row being drawn
};

extern Tokno2* okno2;
