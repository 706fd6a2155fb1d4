#include "app/Main.h"
#include "background/background.h"
#include "dialogs/background_dialog.h"
#include "display/displayed_palette.h"
#include "display/pal_view.h"
#include "edit/replace_colour_dialog.h"
#include "exchange/picture_export.h"
#include "exchange/picture_import.h"
#include "formats/format_table.h"
#include "help/help_windows.h"
#include "info/info_window.h"
#include "navigation/navigation.h"
#include "platform/beep.h"
#include "prefs/prefswin.h"
#include "preview/preview_window.h"
#include "raster/raster.h"
#include "recovery/recovery_keeper.h"
#include "settings/palette_setting.h"
#include "storage/dlg_open.h"
#include "storage/picture_file.h"
#include "zoom/zoom_window.h"
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QShortcut>

Tokno1* okno1 = nullptr;

// A palette button's glyph: its colour in a 20 x 20 square, framed black at the top and left
// and white at the bottom and right.
static QIcon palette_glyph(const QColor& fill) {
    QPixmap glyph(22, 22);
    glyph.fill(fill);
    QPainter p(&glyph);
    p.setPen(Qt::black);
    p.drawLine(0, 0, 21, 0);
    p.drawLine(0, 0, 0, 21);
    p.setPen(Qt::white);
    p.drawLine(1, 21, 21, 21);
    p.drawLine(21, 1, 21, 21);
    return QIcon(glyph);
}

Tokno1::Tokno1(QWidget* owner) : TForm(owner) {
    Q_INIT_RESOURCE(icons); // the icons live in a static library
    setupUi(this);
    auto* palettes = new QActionGroup(this);
    for (PaletteId id : kKnownPalettes) palettes->addAction(palette_item(id));
    show_palette(stored_palette());
    palette_item(shown_palette())->setChecked(true);
    paint_palette_glyphs();
    set_up_full_cell_menu();
    set_up_mode_menu();
    set_up_brush_menu();
    set_up_ink_menu();
    set_up_symmetry_menu();
    set_up_window_menu();
    set_up_recent_menu();
    set_up_reference_menu();
    connect(PictureSwapPagesItem, &QAction::triggered, this, [this] { swap_pages(); });
    connect(PictureCopyToSpareItem, &QAction::triggered, this, [this] { copy_to_spare_page(); });
    OpenDialog.Filter = QString::fromStdString(dialog_filter(Command::Open));
    SaveDialog.Filter = QString::fromStdString(dialog_filter(Command::Save));
    EditRedoItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    auto* escape = new QShortcut(Qt::Key_Escape, this);
    escape->setWhatsThis("Drop the pasted block, else the selection, else the brush or pen");
    connect(escape, &QShortcut::activated, this, [this] {
        if (okno2->take_floating()) return;
        if (okno2->selection()) return okno2->select(std::nullopt);
        change_pen([](Pen& pen) { pen.make_plain(); });
    });
    set_up_navigation();
    set_up_pal_view();
    Loaded();
    set_up_status_bar();
}

void Tokno1::FormCreate(TObject*) {
    image_changed = 1;
    tool_mode = 1;
    preview_size = 2;
    picture_format = fmtMulticolor;
}

void Tokno1::choose_color(std::uint8_t index) {
    okno2->draw_color = index;
    okno2->painter.blend.reset();
    okno_info->show_current_colors();
}

void Tokno1::color_b0Click(TObject*) { choose_color(0); }
void Tokno1::color_b1Click(TObject*) { choose_color(1); }
void Tokno1::color_b2Click(TObject*) { choose_color(2); }
void Tokno1::color_b3Click(TObject*) { choose_color(3); }
void Tokno1::color_b4Click(TObject*) { choose_color(4); }
void Tokno1::color_b5Click(TObject*) { choose_color(5); }
void Tokno1::color_b6Click(TObject*) { choose_color(6); }
void Tokno1::color_b7Click(TObject*) { choose_color(7); }
void Tokno1::color_b8Click(TObject*) { choose_color(8); }
void Tokno1::color_b9Click(TObject*) { choose_color(9); }
void Tokno1::SpeedButton1Click(TObject*) { choose_color(10); }
void Tokno1::color_baClick(TObject*) { choose_color(11); }
void Tokno1::color_bbClick(TObject*) { choose_color(12); }
void Tokno1::color_bcClick(TObject*) { choose_color(13); }
void Tokno1::color_bdClick(TObject*) { choose_color(14); }
void Tokno1::color_beClick(TObject*) { choose_color(15); }

void Tokno1::choose_tool(const QObject* button) {
    for (const ToolRow& row : tool_rows())
        if (button->objectName() == QLatin1String(row.button)) tool_mode = row.tool_mode;
}

void Tokno1::tool_b2Click(TObject*) { choose_tool(tool_b2); }
void Tokno1::SpeedButton2Click(TObject*) { choose_tool(SpeedButton2); }
void Tokno1::tool_b1Click(TObject*) { choose_tool(tool_b1); }
void Tokno1::tool_fillClick(TObject*) { choose_tool(tool_fill); }
void Tokno1::tool_lineClick(TObject*) { choose_tool(tool_line); }
void Tokno1::tool_rectClick(TObject*) { choose_tool(tool_rect); }
void Tokno1::tool_pickClick(TObject*) { choose_tool(tool_pick); }
void Tokno1::tool_penClick(TObject*) { choose_tool(tool_pen); }
void Tokno1::tool_ellipseClick(TObject*) { choose_tool(tool_ellipse); }
void Tokno1::tool_sprayClick(TObject*) { choose_tool(tool_spray); }

QAbstractButton* Tokno1::palette_button(std::uint8_t index) const {
    QAbstractButton* const buttons[] = {
        color_b0, color_b1, color_b2,     color_b3, color_b4, color_b5, color_b6, color_b7,
        color_b8, color_b9, SpeedButton1, color_ba, color_bb, color_bc, color_bd, color_be};
    return buttons[index & 0x0F];
}

// Vexlor's own palette keeps the buttons' own glyph colours; another shows its colours.
void Tokno1::paint_palette_glyphs() {
    for (std::uint8_t index = 0; index < 16; ++index) {
        QAbstractButton* button = palette_button(index);
        button->setIcon(palette_glyph(shown_palette() == PaletteId::Vexlor
                                          ? QColor(button->property("GlyphColor").toString())
                                          : QColor(SurfaceWord(palette_color(index)))));
    }
    if (second_color_swatch_) show_ink(okno2->painter.ink);
}

QAction* Tokno1::palette_item(PaletteId id) const {
    QAction* const items[] = {ViewPaletteVexlorItem, ViewPalettePeptoItem, ViewPaletteColodoreItem,
                              ViewPaletteViceItem};
    return items[std::size_t(id)];
}

void Tokno1::show_in_palette(PaletteId id) {
    show_palette(id);
    store_palette(id);
    palette_item(id)->setChecked(true);
    paint_palette_glyphs();
    redraw_views();
}

void Tokno1::ViewPaletteVexlorClick(TObject*) { show_in_palette(PaletteId::Vexlor); }
void Tokno1::ViewPalettePeptoClick(TObject*) { show_in_palette(PaletteId::Pepto); }
void Tokno1::ViewPaletteColodoreClick(TObject*) { show_in_palette(PaletteId::Colodore); }
void Tokno1::ViewPaletteViceClick(TObject*) { show_in_palette(PaletteId::ViceColodore); }

void Tokno1::tool_b3Click(TObject*) {
    redraw_preview(std::uint32_t(okno2->mode().shape.width),
                   std::uint32_t(okno2->mode().shape.height));
}

// The tool-bar zoom keeps the view's top-left pixel, unlike set_zoom.
void Tokno1::tool_zoom1Click(TObject*) {
    okno2->resize_view(okno2->zoom_factor * 8, 48);
    okno2->FormPaint();
}

void Tokno1::tool_zoom2Click(TObject*) {
    okno2->resize_view(okno2->zoom_factor * 4, 24);
    okno2->FormPaint();
}

// The picture always counts as changed, so every replacement of it asks first.
bool Tokno1::confirmed_change() {
    if (image_changed) dlgopen->ShowModal();
    return dlgopen->ModalResult != mrCancel;
}

// Both views follow at once: the zoom view would show the old picture to paint into.
void Tokno1::tool_clrClick(TObject*) {
    if (!confirmed_change()) return;
    MessageBeep(0);
    change_picture("Clear", [](Document::Edit& edit) {
        fill_block(edit.pixels(okno2->whole()), okno2->whole(), okno2->back_color);
        return true;
    });
}

// The dialog's settings take effect while it is open; what they change in the preview and
// the zoom view shows once both are redrawn here.
void Tokno1::Preferences1Click(TObject*) {
    prefs->ShowModal();
    redraw_picture();
}

void Tokno1::FileOpen(TObject*) {
    if (!confirmed_change()) return;
    if (!OpenDialog.Execute()) return;
    open_picture(OpenDialog.GetFileName(), OpenAs::ByKindQuietly);
}

void Tokno1::FileExit(TObject*) { Close(); }

Document::Edit Tokno1::open_edit(const char* label) { return okno2->open_edit(label); }

// Each item says what it would take back or bring back, and is off when there is nothing.
void Tokno1::update_edit_menu() {
    const auto describe = [](QAction* item, const std::string& step) {
        const QString command = item->text().section(' ', 0, 0);
        item->setProperty(kCommandProperty, command);
        item->setText(step.empty() ? command : command + ' ' + QString::fromStdString(step));
        item->setEnabled(!step.empty());
    };
    describe(EditUndoItem, okno2->history().undo_label());
    describe(EditRedoItem, okno2->history().redo_label());
    // Undo drops a floating block, history or not.
    if (okno2->floating()) EditUndoItem->setEnabled(true);
}

// The preview first: the zoom view's paint frames its area there, drawing it again only when
// the view has moved off the area framed.
void Tokno1::redraw_picture() {
    tool_b3Click();
    okno2->FormPaint();
}

void Tokno1::redraw_views() {
    redraw_picture();
    okno2->show_pointer_row();
    okno_info->show_current_colors();
    okno_info->show_back();
}

// A stroke under way is a step of its own first.
void Tokno1::go_through_history(bool (Document::*move)()) {
    okno2->end_stroke();
    (okno2->*move)();
}

// A floating block is not part of the picture: Undo first drops it.
void Tokno1::EditUndoClick(TObject*) {
    if (!okno2->take_floating()) go_through_history(&Document::undo);
}
void Tokno1::EditRedoClick(TObject*) { go_through_history(&Document::redo); }

// An import replaces the picture, so it asks first, like Open. A C64 file brings its mode.
void Tokno1::PictureImportClick(TObject*) {
    if (!confirmed_change()) return;
    import_step([this](std::uint8_t* picture, std::uint8_t& background, std::uint8_t& format) {
        return import_picture(ImportFileDialog, picture, background, format);
    });
}

void Tokno1::PictureBackgroundClick(TObject*) {
    std::uint8_t color = okno2->back_color;
    bool recolour = true;
    if (!ask_background_colour(okno2->picture.data(), okno2->mode(), color, recolour)) return;
    change_picture("Background Colour",
                   [=](Document::Edit& edit) { return set_background(edit, color, recolour); });
}

// An export's dialog starts with the picture's own name: its file's, else the preferences'
// picture name in the folder the dialog chose last. The status bar says where it wrote.
void Tokno1::export_through(TSaveDialog& dialog, const std::function<bool(TSaveDialog&)>& write) {
    if (!picture_path().isEmpty())
        dialog.FileName = picture_path();
    else if (dialog.FileName.isEmpty())
        dialog.FileName = picture_name();
    else
        dialog.FileName = QFileInfo(dialog.FileName).dir().filePath(picture_name());
    if (write(dialog))
        show_status(
            QStringLiteral("Exported to %1").arg(QDir::toNativeSeparators(dialog.FileName)));
}

void Tokno1::PictureKoalaClick(TObject*) {
    export_through(KoalaFileDialog, [this](TSaveDialog& dialog) {
        return export_koala(dialog, okno2->picture.data(), okno2->back_color);
    });
}
void Tokno1::PictureFliClick(TObject*) {
    export_through(FliFileDialog, [this](TSaveDialog& dialog) {
        return export_fli(dialog, okno2->picture.data(), okno2->back_color);
    });
}
void Tokno1::PictureOtherClick(TObject*) {
    export_through(OtherFileDialog, [this](TSaveDialog& dialog) {
        return export_other_c64(dialog, okno2->picture.data(), okno2->back_color,
                                PictureFormat(picture_format));
    });
}
// The mode says which viewer shows it on a C64.
void Tokno1::PicturePrgClick(TObject*) {
    export_through(PrgFileDialog, [this](TSaveDialog& dialog) {
        return export_prg(dialog, okno2->picture.data(), okno2->back_color,
                          PictureFormat(picture_format));
    });
}
void Tokno1::PicturePngClick(TObject*) {
    export_through(PngFileDialog, [this](TSaveDialog& dialog) {
        return export_png(dialog, okno2->picture.data(), PictureFormat(picture_format));
    });
}

void Tokno1::PictureClashesClick(TObject*) {
    okno2->show_clashes = PictureClashesItem->isChecked();
    okno2->FormPaint();
}

void Tokno1::HelpShortcutsClick(TObject*) { show_shortcuts(Host()); }
void Tokno1::HelpAboutClick(TObject*) { show_about(); }

// One colour for another all over: no cell gains a colour, so it writes past the cell rules.
void Tokno1::EditReplaceColourClick(TObject*) {
    std::uint8_t from = okno2->draw_color, to = okno2->back_color;
    if (!ask_replace_colour(from, to)) return;
    change_picture("Replace Colour", [=](Document::Edit& edit) {
        const PixelGrid pixels = edit.pixels(okno2->whole());
        return replace_colour(pixels.pixels, std::size_t(pixels.width * pixels.height), from, to) >
               0;
    });
}

// Leaving throws the picture away, so it asks like Open and Clear do.
void Tokno1::FormCloseQuery(TObject*, bool& CanClose) { CanClose = confirmed_change(); }

// Over the picture's pixels `redrawn` in the preview drawn with `block` a picture pixel: the
// selection's outline, the symmetry's axes and the zoom view's frame. Elsewhere they still
// stand, so a painted pixel costs a few dots, not the whole frame.
static void draw_preview_marks(const PreviewPixels& block, const PixelArea& redrawn) {
    TCanvas& canvas = *okno_prv->GetCanvas();
    if (okno2->selection()) draw_dashed_outline(canvas, *okno2->selection(), block, 2, redrawn);
    draw_symmetry_axes(canvas, okno2->painter.symmetry, block.origin, block.origin, block.width,
                       block.height, preview_rect(redrawn, block));
    okno_prv->draw_view_frame(block, redrawn);
}

// A picture pixel is one block from (2, 2) at double size (4 x 2 screen pixels for a
// double-width pixel), or a row of screen pixels from (0, 0) at single size (two for a
// double-width pixel). Only pixels of the picture are drawn.
void Tokno1::draw_preview_area(std::uint64_t left, std::uint64_t top, std::uint64_t right,
                               std::uint64_t bottom) {
    TCanvas* canvas = okno_prv->GetCanvas();
    const ConstPixelGrid picture = okno2->grid();
    const Palette& colors = shown_colors();
    const std::uint8_t size = preview_size;
    const PreviewPixels block = preview_pixels(size, okno2->mode().shape);
    const ReferenceLayer reference = okno2->reference_layer();
    right = std::min<std::uint64_t>(right, std::uint64_t(picture.width));
    bottom = std::min<std::uint64_t>(bottom, std::uint64_t(picture.height));
    const int first = int(std::min<std::uint64_t>(left, right)), count = int(right) - first;
    const int down_from = int(std::min<std::uint64_t>(top, bottom));
    const PixelArea area{first, down_from, count, int(bottom) - down_from};
    if (shown_pal_view().preview) {
        draw_pal_preview(*canvas, picture, okno2->mode().shape.pixel_aspect, area, block,
                         reference);
    } else {
        std::vector<TColor> row(std::size_t(std::max(count, 0)));
        for (int v = down_from; v < int(bottom); ++v) {
            const std::uint8_t* pixels = picture.row(v) + first;
            for (int i = 0; i < count; ++i) row[std::size_t(i)] = colors[pixels[i] & 0x0F];
            reference.blend_row(v, first, count, 1, row.data());
            const int x = block.origin + block.width * first, y = block.origin + block.height * v;
            for (int line = 0; line < block.height; ++line)
                canvas->SetPixelRow(x, y + line, row.data(), count, block.width);
        }
    }
    draw_preview_marks(block, area);
}

void Tokno1::draw_pal_preview_rows(const std::vector<PixelArea>& rows) {
    const PictureShape& shape = okno2->mode().shape;
    const PreviewPixels block = preview_pixels(preview_size, shape);
    const ReferenceLayer reference = okno2->reference_layer();
    for (const PixelArea& row : rows) {
        draw_pal_preview(*okno_prv->GetCanvas(), okno2->grid(), shape.pixel_aspect, row, block,
                         reference);
        draw_preview_marks(block, row);
    }
}

void Tokno1::redraw_preview(std::uint32_t columns, std::uint32_t rows) {
    draw_preview_area(0, 0, columns, rows);
}

// The band starts at the pixel itself, not at the corner of its cell. A painted pixel changes
// its neighbours in the PAL view, which the zoom view draws once its pointer event is handled
// (Tokno2::show_painted).
void Tokno1::redraw_preview_band(std::uint32_t column, std::uint32_t row) {
    if (shown_pal_view().preview) return;
    draw_preview_area(column, row, std::uint64_t(column) + okno2->zoom_factor,
                      std::uint64_t(row) + std::uint64_t(okno2->mode().shape.cell.height));
}
