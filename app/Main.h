#pragma once
#include "colour/palettes.h"
#include "desk/desk.h"
#include "full_cell/full_cell.h"
#include "platform/common_dialogs.h"
#include "platform/tform.h"
#include "print/picture_print.h"
#include "settings/desk_settings.h"
#include "tools/pen.h"
#include "tools/tool_table.h"
#include "ui_main.h"
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QLabel;

// How a picture file is read: always by its kind (.vxr, else as Import reads it). A file named
// on the command line, dropped on a window or chosen from Open Recent that cannot be read is
// named in a message; File > Open keeps quiet about a name that cannot be opened at all.
enum class OpenAs : std::uint8_t { ByKind, ByKindQuietly };

// The frame window: palette bar, tool bar, File menu, the editor's modes, and the two preview
// drawing operations.
// "3 cells", "1 row": a count with its noun.
QString counted(int count, const char* one, const char* many);

class Tokno1 : public TForm, public Ui::Tokno1 {
    Q_OBJECT
public:
    explicit Tokno1(QWidget* owner);

    // The editor's modes, as the desk and its document keep them.
    std::uint8_t& image_changed;
    std::uint8_t& tool_mode;      // a ToolMode, the row of the tool table chosen
    std::uint8_t& preview_size;   // 1 single size, 2 double size
    std::uint8_t& picture_format; // the picture's mode (modes/mode.h)

    TOpenDialog OpenDialog;
    TSaveDialog SaveDialog;
    // The Picture menu's own file dialogs, each keeping its last folder and name.
    TOpenDialog ImportFileDialog;
    TSaveDialog KoalaFileDialog;
    TSaveDialog FliFileDialog;
    TSaveDialog OtherFileDialog;
    TSaveDialog PrgFileDialog;
    TSaveDialog PngFileDialog;

    // The file the picture was last opened from or saved to; empty when it has none.
    QString picture_path() const;
    // Makes `path` the picture's file, opened or saved just now; none when empty.
    void set_picture_path(const QString& path);
    // The frame's caption (the layout's, the mode and the picture's file) and the preferences'
    // picture name.
    void show_file();

    // The preview's drawing operations, which the preview carries out.
    void redraw_preview(std::uint32_t columns, std::uint32_t rows);
    void redraw_preview_band(std::uint32_t column, std::uint32_t row);

    // Brings the Edit menu's items up to date with the history and the floating block.
    void update_edit_menu();
    // Redraws the whole preview, then the zoom view.
    void redraw_picture();
    // After a change to much of the picture: both views, then the information window's
    // swatches of the row under the pointer and of the current colours. Every full repaint goes
    // one of these two ways.
    void redraw_views();
    // Switches the mode as one step: the pixels take the new mode's shape and every cell it
    // cannot show is fixed; the status bar says how many.
    void set_picture_format(std::uint8_t format);
    // Brings Picture > Mode, the preferences' General tab, the caption and the clash marks in
    // step with the mode.
    void show_picture_format();
    // Picture > Mode checks the item of the picture's mode, and only that.
    void mark_picture_mode();
    // Picture > Mode's item for the mode with that picture_format value.
    QAction* mode_item(std::uint8_t format) const;
    // Replaces the picture with the file's, as one step: every way of opening a picture ends
    // here.
    void open_picture(const QString& path, OpenAs as);
    void open_with_sprites(const QString& path, OpenAs as);
    // Brings a picture in as the step "Import": the callable writes the pixels (into storage of
    // kStorageBytes, 320 to a row), the background and the mode, and says whether it did.
    using Import =
        std::function<bool(PixelGrid storage, std::uint8_t& background, std::uint8_t& format)>;
    void import_step(const Import& import);
    // Files dropped on a window: asks first, as Open does, then opens the first.
    void open_dropped(const QStringList& paths);
    // Cut, Copy and Delete are on only while there is a selection.
    void update_selection_items();
    // The palette bar's button for a colour index.
    QAbstractButton* palette_button(std::uint8_t index) const;
    // Shows every view in another palette, from now on and in later runs.
    void show_in_palette(PaletteId id);
    // View > Zoom shows the zoom view's level, and the preview frames its area.
    void follow_zoom_view();
    // Picture > Fix Colour Clashes with Sprites (full_cell_commands.cpp).
    void fix_clashes_with_sprites();
    // Edit > When a Cell Is Full's item of a choice (full_cell_commands.cpp).
    QAction* full_cell_item(FullCell choice) const;
    // The Brush menu names the pen or brush and offers what suits it (brush_commands.cpp).
    void show_pen();
    void brush_from_selection();
    void save_brush();
    void load_brush();
    // The lasso and the wand, the brush's transparent colour, its free turn and scale, the
    // spray's flow, and the words of a refused plot (hand_commands.cpp).
    void show_hand_items();
    void rotate_brush();
    void scale_brush();
    // The status bar names the full area that refused a plot at `at`; the zoom view flashes it.
    void show_refused(PixelPos at);
    // What the tools paint into, checked in Edit and named in the status bar; a sprite change
    // refused, in words; Edit › Delete removes the chosen sprite while the sprite tool is
    // chosen (sprite_view_commands.cpp).
    void show_paint_target();
    void show_sprite_refusal(const std::string& words);
    // The Sprites menu shows the chosen sprite's state (sprite_commands.cpp).
    void show_sprite_items();
    // Brush > Pattern and the second colour's swatch show the ink (ink_commands.cpp).
    void show_ink(const Ink& ink);
    // Edit > Symmetry checks the symmetry chosen (symmetry_commands.cpp).
    void check_symmetry_items();
    // The Window menu (window_commands.cpp). Once the inner windows are made, the menu names
    // them, and the places and sizes they take then, before those kept from the last run, are
    // the ones "Arrange as at Start" gives.
    void take_in_windows();
    void restore_window_places();
    // Keeps the windows' places for the next run; none where they started.
    void store_window_places();
    void tile_windows();
    void cascade_windows();
    // Shows the window, in front, within the area.
    void bring_back(TForm* window);
    // Picture > Copy to Spare Page: a spare page changed since it was opened or saved is
    // replaced only when the user says so.
    void copy_to_spare_page();
    // The status bar's note of the picture column, row and cell under the pointer; none when
    // the pointer is off the picture (view_commands.cpp).
    void show_pointer_place(std::optional<PixelPos> at);
    // View > Reference Image (reference_commands.cpp): an image over the picture to trace, at
    // an opacity, shown or hidden; the items follow the page shown, once the zoom window is
    // made.
    void load_reference_image();
    void show_reference_items();
    TOpenDialog ReferenceFileDialog;
    // File > Open Recent (recent_files.cpp): `path` opened or saved just now goes first.
    void remember_recent(const QString& path);
    // The Brush menu's own file dialogs.
    TOpenDialog BrushOpenDialog;
    TSaveDialog BrushSaveDialog;
    // Sprites › Import Raw Sprites... and Export Raw Sprites... (sprite_commands.cpp).
    TOpenDialog SpriteOpenDialog;
    TSaveDialog SpriteSaveDialog;
    void import_raw_sprites();
    void export_raw_sprites();

public slots:
    void FormCreate(TObject* Sender = nullptr);
    void FormCloseQuery(TObject* Sender, bool& CanClose);

    void color_b0Click(TObject* Sender = nullptr);
    void color_b1Click(TObject* Sender = nullptr);
    void color_b2Click(TObject* Sender = nullptr);
    void color_b3Click(TObject* Sender = nullptr);
    void color_b4Click(TObject* Sender = nullptr);
    void color_b5Click(TObject* Sender = nullptr);
    void color_b6Click(TObject* Sender = nullptr);
    void color_b7Click(TObject* Sender = nullptr);
    void color_b8Click(TObject* Sender = nullptr);
    void color_b9Click(TObject* Sender = nullptr);
    void SpeedButton1Click(TObject* Sender = nullptr);
    void color_baClick(TObject* Sender = nullptr);
    void color_bbClick(TObject* Sender = nullptr);
    void color_bcClick(TObject* Sender = nullptr);
    void color_bdClick(TObject* Sender = nullptr);
    void color_beClick(TObject* Sender = nullptr);

    void tool_b2Click(TObject* Sender = nullptr);
    void SpeedButton2Click(TObject* Sender = nullptr);
    // Any other button of the tool table.
    void tool_b1Click(TObject* Sender = nullptr);
    void tool_fillClick(TObject* Sender = nullptr);
    void tool_lineClick(TObject* Sender = nullptr);
    void tool_rectClick(TObject* Sender = nullptr);
    void tool_pickClick(TObject* Sender = nullptr);
    void tool_penClick(TObject* Sender = nullptr);
    void tool_ellipseClick(TObject* Sender = nullptr);
    void tool_sprayClick(TObject* Sender = nullptr);
    void tool_spriteClick(TObject* Sender = nullptr);
    void tool_b3Click(TObject* Sender = nullptr);
    void tool_zoom1Click(TObject* Sender = nullptr);
    void tool_zoom2Click(TObject* Sender = nullptr);
    void tool_clrClick(TObject* Sender = nullptr);
    void Preferences1Click(TObject* Sender = nullptr);

    void FileNew(TObject* Sender = nullptr);
    void FileOpen(TObject* Sender = nullptr);
    void FileSave(TObject* Sender = nullptr);
    void FileSaveAs(TObject* Sender = nullptr);
    void FilePrint(TObject* Sender = nullptr);
    void FilePrintSetup(TObject* Sender = nullptr);
    void FileExit(TObject* Sender = nullptr);

    void EditUndoClick(TObject* Sender = nullptr);
    void EditRedoClick(TObject* Sender = nullptr);
    void EditReplaceColourClick(TObject* Sender = nullptr);
    // The clipboard, the selection and the flips (selection_commands.cpp).
    void EditCutClick(TObject* Sender = nullptr);
    void EditCopyClick(TObject* Sender = nullptr);
    void EditPasteClick(TObject* Sender = nullptr);
    void EditDeleteClick(TObject* Sender = nullptr);
    void EditSelectAllClick(TObject* Sender = nullptr);
    void EditFlipHorizontallyClick(TObject* Sender = nullptr);
    void EditFlipVerticallyClick(TObject* Sender = nullptr);

    void PictureImportClick(TObject* Sender = nullptr);
    void PictureBackgroundClick(TObject* Sender = nullptr);
    void PictureKoalaClick(TObject* Sender = nullptr);
    void PictureFliClick(TObject* Sender = nullptr);
    void PictureOtherClick(TObject* Sender = nullptr);
    void PicturePrgClick(TObject* Sender = nullptr);
    void PicturePngClick(TObject* Sender = nullptr);
    void PictureClashesClick(TObject* Sender = nullptr);
    void PictureFixClashesClick(TObject* Sender = nullptr);

    void ViewPaletteVexlorClick(TObject* Sender = nullptr);
    void ViewPalettePeptoClick(TObject* Sender = nullptr);
    void ViewPaletteColodoreClick(TObject* Sender = nullptr);
    void ViewPaletteViceClick(TObject* Sender = nullptr);
    // View > Zoom and the keys that move the view (view_commands.cpp).
    void ViewZoom4x3Click(TObject* Sender = nullptr);
    void ViewZoom8x6Click(TObject* Sender = nullptr);
    void ViewZoom16x12Click(TObject* Sender = nullptr);
    void ViewZoom20x15Click(TObject* Sender = nullptr);
    void ViewZoomInClick(TObject* Sender = nullptr);
    void ViewZoomOutClick(TObject* Sender = nullptr);
    // View > PAL Display, in the preview and on request in the zoom view (view_commands.cpp).
    void ViewPalDisplayClick(TObject* Sender = nullptr);
    void ViewPalZoomClick(TObject* Sender = nullptr);
    void ViewPalBlendsClick(TObject* Sender = nullptr);

    void HelpShortcutsClick(TObject* Sender = nullptr);
    void HelpAboutClick(TObject* Sender = nullptr);

private:
    void choose_color(std::uint8_t index);
    void choose_tool(const QObject* button);
    bool confirmed_change();
    bool save_picture(const QString& path);
    // The picture's name for a dialog to offer: its file's, or the preferences' picture name.
    QString picture_name() const;
    // Picture > Export as ...: runs `write` with the export's dialog, which starts with the
    // picture's own name, and shows where the file went.
    void export_through(TSaveDialog& dialog, const std::function<bool(TSaveDialog&)>& write);
    QAction* palette_item(PaletteId id) const;
    void paint_palette_glyphs();
    void set_up_navigation();
    void set_up_zoom_menu();
    void set_up_status_bar();
    void set_up_pal_view();
    void show_pal_items();
    // View > Zoom's item of a pixel size.
    QAction* size_item(int pixel_size) const;
    void zoom_to_size(int pixel_size);
    void set_up_full_cell_menu();
    void set_up_mode_menu();
    void show_status(const QString& message);
    void set_up_brush_menu();
    void set_up_hand_menus();
    void set_up_sprite_items();
    bool deletes_sprite() const;
    void set_up_sprite_menu();
    // The chosen sprite changed as one step called `label`; a beep without one.
    void change_chosen_sprite(const char* label, const std::function<void(Sprite&)>& change);
    // A refused change beeps and names why in the status bar.
    void show_sprite_outcome(const SpriteOutcome& outcome);
    void set_up_ink_menu();
    void set_up_symmetry_menu();
    void set_up_window_menu();
    WindowPlaces window_places() const;
    void restore_zoom_window_size(const ZoomViewSetting& setting);
    ZoomViewSetting zoom_view_setting(ZoomViewSetting kept) const;
    void place_windows(const WindowPlaces& places);
    void set_up_recent_menu();
    void set_up_reference_menu();
    void fill_recent_menu();
    void take_brush(PixelBlock block);

    PicturePrinter printer_;
    std::vector<QAction*> pattern_items_; // Brush > Pattern's choices, in the patterns' order
    QAction* pattern_transparent_item_ = nullptr;
    QToolButton* second_color_swatch_ = nullptr; // beside the palette
    std::vector<QAction*> symmetry_items_;       // Edit > Symmetry's kinds, in their order
    QAction* symmetry_middle_item_ = nullptr;
    QAction* symmetry_cursor_item_ = nullptr;
    std::map<QString, QRect> start_geometry_; // each inner window's place and size at start
    std::map<int, QAction*> size_items_;      // View > Zoom's item of each pixel size
    QLabel* pointer_place_ = nullptr;
    std::optional<PixelPos> pointer_at_; // the picture pixel last under the pointer
    QAction* lasso_item_ = nullptr;
    QAction* paint_into_sprites_item_ = nullptr;
    QLabel* paint_target_ = nullptr; // the status bar's word for what the tools paint into
    QAction* transparent_background_item_ = nullptr;
    QAction* brush_rotate_item_ = nullptr;
    QAction* brush_scale_item_ = nullptr;
    std::vector<QAction*> spray_flow_items_; // in the order of the flows offered
    QMenu* sprites_menu_ = nullptr;
    QAction* sprite_hires_item_ = nullptr;
    QAction* sprite_multicolour_item_ = nullptr;
    QAction* sprite_colour_item_ = nullptr;
    QAction* sprite_wide_item_ = nullptr;
    QAction* sprite_tall_item_ = nullptr;
    QAction* sprite_behind_item_ = nullptr;
    QAction* sprite_delete_item_ = nullptr;
    QAction* sprite_export_item_ = nullptr;
};

extern Tokno1* okno1;

// The symmetry's axes over a picture drawn from (`left`, `top`), each pixel `pixel_width` x
// `pixel_height`, drawn only `within` the part of the canvas that shows the picture
// (symmetry_commands.cpp).
void draw_symmetry_axes(TCanvas& canvas, const Symmetry& symmetry, int left, int top,
                        int pixel_width, int pixel_height, const TRect& within);
