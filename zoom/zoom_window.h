#pragma once
#include "c64/fli.h"
#include "full_cell/full_cell.h"
#include "history/picture_history.h"
#include "navigation/navigation.h"
#include "picture/picture.h"
#include "platform/tform.h"
#include "raster/raster.h"
#include "selection/block.h"
#include "ui_zoom_window.h"
#include <QTimer>
#include <cstdint>
#include <optional>

// Carries a plot attempt's refresh to the information window and the preview.
class WindowRefresh : public PlotRefresh {
public:
    void show_color1(unsigned index) override;
    void show_color2(unsigned index) override;
    void show_color3(unsigned index) override;
    void show_back() override;
    void redraw_preview_band(std::uint32_t column, std::uint32_t row) override;
};

// The zoomed editing view. It owns the picture model.
class Tokno2 : public TForm, public Ui::Tokno2, public PictureModel {
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

    // Shows `across` x `down` character cells from the picture's top-left corner.
    void set_zoom(std::int32_t across, std::int32_t down);
    // Shows `columns` x `rows` picture pixels, keeping the scroll position.
    void resize_view(std::uint32_t columns, std::uint32_t rows);

    // The view's level and place (zoom_navigation.cpp). Moving the view moves the scroll bars
    // with it and redraws the view once, and only when it moved.
    ZoomLevel zoom_level() const;
    ViewPlace place() const;
    void show_place(ViewPlace place);
    // Shows kZoomLevels[level], keeping the picture pixel at (x, y) of the drawing area there.
    void zoom_to(std::size_t level, int x, int y);

    // What each user action changed in the picture, to be taken back and brought back: the
    // pixels, the background and the main window's mode, Multicolor or FLI.
    PictureHistory history;

    // Shows the colours of the row last analysed under the pointer again, as the picture there
    // may have changed under it.
    void show_pointer_row();

    // Marks what a C64 export could not show exactly, over the view: the cells in Multicolor,
    // the 4 x 1 rows and the three bug columns in FLI.
    bool show_clashes = false;

    // What painting does in a full cell; every tool follows it.
    FullCell full_cell = FullCell::KeepColours;
    Plotted plot_chosen(std::int32_t column, std::int32_t row, std::uint8_t color);

    // Paints every pixel of `pixels` through the colour-cell rules, as painting does, without
    // the swatches and the preview band after every pixel: the caller redraws once at the end.
    void plot_all(const std::vector<PixelPos>& pixels, std::uint8_t color);

    // The selected area, and a pasted block floating over the view until a left click puts it
    // down with its top-left pixel at `floating_at`. Neither is part of the picture.
    std::optional<PixelArea> selection;
    std::optional<PixelBlock> floating;
    PixelPos floating_at;
    // Changes the selection and shows it in both views.
    void select(std::optional<PixelArea> area);
    // Each drops what it names; false when there was none.
    bool drop_selection();
    bool drop_floating();
    // The block floats from the selection's corner, or else from the view's.
    void start_floating(PixelBlock block);

public slots:
    void FormPaint(TObject* Sender = nullptr);
    void scroll1Scroll(TObject* Sender = nullptr);
    void scroll2Scroll(TObject* Sender = nullptr);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void place_view(ViewPlace place);
    void start_panning(int x, int y);
    void pan_to(int x, int y);
    WheelNotches wheel_across_, wheel_down_, wheel_zoom_;
    bool panning_ = false; // the middle button drags the view from pan_place_ at pan_from_
    QPoint pan_from_;
    ViewPlace pan_place_;

    // The tools that act on a press, or from a press to the release.
    void use_tool(TMouseButton button);
    void fill(std::uint8_t color);
    void pick_colour();
    void drag_shape(int x, int y, TShiftState shift);
    void finish_shape(int x, int y, TShiftState shift);
    std::vector<PixelPos> shape_to(PixelPos end, bool filled) const;
    void draw_band(const std::vector<PixelPos>& pixels);
    PixelPos view_pixel_at(int x, int y) const;

    // The selection tool and the floating block (zoom_selection.cpp).
    void mark_selection(std::optional<PixelArea> area); // select() without the redraw
    void start_selecting();
    void drag_selection(int x, int y, TShiftState shift);
    void finish_selecting(int x, int y, TShiftState shift);
    void follow_pointer(int x, int y);
    void put_down_floating(bool exact);
    void draw_selection_overlay();
    void draw_ants();
    void march_ants();

    void draw_char_grid();
    void draw_clash_marks();
    // One mark over `rows` rows of the cell column at view position `left`, `top`.
    void draw_clash_mark(int left, int top, int rows);
    void update_clash_marks();
    CellRowSet clash_rows() const;

    void plot_and_draw(std::int32_t column, std::int32_t row, std::uint8_t color);
    void draw_painted_pixel(std::uint8_t color, std::int32_t view_col, std::int32_t view_row);
    void show_analysis();

    WindowRefresh window_refresh_;
    CellRowSet marked_;    // the rows marked as clashing when the view was last drawn
    bool painted_ = false; // whether the event being handled has changed the picture
    bool shaping_ = false; // a line or a rectangle is being dragged out
    PixelPos shape_start_;
    PixelPos shape_end_;
    std::uint8_t shape_color_ = 0;
    std::uint8_t shape_tool_ = 0;
    TMouseButton shape_button_ = mbLeft;
    bool selecting_ = false; // a selection is being dragged out from select_start_
    PixelPos select_start_;
    std::optional<PixelArea> selection_before_; // what a click inside it keeps
    bool placing_ = false; // the button pressed last was pressed while a block floated
    QTimer ants_timer_;
    int ants_phase_ = 0;
    bool pointer_seen_ = false; // the picture position whose row the swatches show
    std::int32_t pointer_column_ = 0;
    std::int32_t pointer_row_ = 0;
};

extern Tokno2* okno2;
