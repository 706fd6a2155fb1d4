#include "app/Main.h"
#include "app/editor_desk.h"
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
#include "recovery/recovery_keeper.h"
#include "settings/palette_setting.h"
#include "sprites/shown_screen.h"
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

Tokno1::Tokno1(QWidget* owner)
    : TForm(owner), image_changed(desk().image_changed), tool_mode(desk().tool_mode),
      preview_size(desk().preview_size), picture_format(desk().document().format_value()) {
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
    set_up_hand_menus();
    set_up_sprite_items();
    set_up_sprite_menu();
    set_up_ink_menu();
    set_up_symmetry_menu();
    set_up_window_menu();
    set_up_recent_menu();
    set_up_reference_menu();
    connect(PictureSwapPagesItem, &QAction::triggered, this, [] { desk().swap_pages(); });
    connect(PictureCopyToSpareItem, &QAction::triggered, this, [this] { copy_to_spare_page(); });
    OpenDialog.Filter = QString::fromStdString(dialog_filter(Command::Open));
    SaveDialog.Filter = QString::fromStdString(dialog_filter(Command::Save));
    EditRedoItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    auto* escape = new QShortcut(Qt::Key_Escape, this);
    escape->setWhatsThis("Drop the pasted block, else the selection, else the brush or pen");
    connect(escape, &QShortcut::activated, this, [] {
        Document& document = desk().document();
        if (document.take_floating()) return;
        if (document.selection()) return document.select(std::nullopt);
        desk().change_pen([](Pen& pen) { pen.make_plain(); });
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

void Tokno1::choose_color(std::uint8_t index) { desk().choose_colour(index); }

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
        if (button->objectName() == QLatin1String(row.button)) desk().choose_tool(row.tool_mode);
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
void Tokno1::tool_spriteClick(TObject*) { choose_tool(tool_sprite); }

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
    if (second_color_swatch_) show_ink(desk().painter().ink);
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
    const PictureShape& shape = desk().document().mode().shape;
    redraw_preview(std::uint32_t(shape.width), std::uint32_t(shape.height));
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
    desk().clear("Clear");
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

// Each item says what it would take back or bring back, and is off when there is nothing.
void Tokno1::update_edit_menu() {
    const auto describe = [](QAction* item, const std::string& step) {
        const QString command = item->text().section(' ', 0, 0);
        item->setProperty(kCommandProperty, command);
        item->setText(step.empty() ? command : command + ' ' + QString::fromStdString(step));
        item->setEnabled(!step.empty());
    };
    const Document& document = desk().document();
    describe(EditUndoItem, document.history().undo_label());
    describe(EditRedoItem, document.history().redo_label());
    // Undo drops a floating block, history or not.
    if (document.floating()) EditUndoItem->setEnabled(true);
}

// The preview first: the zoom view's paint frames its area there, drawing it again only when
// the view has moved off the area framed.
void Tokno1::redraw_picture() {
    okno_prv->redraw();
    okno2->FormPaint();
}

void Tokno1::redraw_views() {
    redraw_picture();
    okno2->show_pointer_row();
    okno_info->show_current_colors();
    okno_info->show_back();
}

void Tokno1::EditUndoClick(TObject*) { desk().undo(); }
void Tokno1::EditRedoClick(TObject*) { desk().redo(); }

// An import replaces the picture, so it asks first, like Open. A C64 file brings its mode.
void Tokno1::PictureImportClick(TObject*) {
    if (!confirmed_change()) return;
    import_step([this](PixelGrid storage, std::uint8_t& background, std::uint8_t& format) {
        return import_picture(ImportFileDialog, storage, background, format);
    });
}

void Tokno1::PictureBackgroundClick(TObject*) {
    const Document& document = desk().document();
    std::uint8_t color = document.back_color;
    bool recolour = true;
    if (ask_background_colour(document.grid(), document.mode(), color, recolour))
        desk().set_background(color, recolour);
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
    export_through(KoalaFileDialog, [](TSaveDialog& dialog) {
        const Document& document = desk().document();
        return export_koala(dialog, document.grid(), document.back_color);
    });
}
void Tokno1::PictureFliClick(TObject*) {
    export_through(FliFileDialog, [](TSaveDialog& dialog) {
        const Document& document = desk().document();
        return export_fli(dialog, document.grid(), document.back_color);
    });
}
void Tokno1::PictureOtherClick(TObject*) {
    export_through(OtherFileDialog, [](TSaveDialog& dialog) {
        const Document& document = desk().document();
        return export_other_c64(dialog, document.grid(), document.back_color,
                                PictureFormat(document.format()));
    });
}
// The mode says which viewer shows it on a C64.
void Tokno1::PicturePrgClick(TObject*) {
    export_through(PrgFileDialog, [](TSaveDialog& dialog) {
        const Document& document = desk().document();
        return export_prg(dialog, document.grid(), document.back_color,
                          PictureFormat(document.format()), document.sprites());
    });
}
// A picture with sprites is exported as the screen shows it, 320 x 200.
void Tokno1::PicturePngClick(TObject*) {
    export_through(PngFileDialog, [](TSaveDialog& dialog) {
        const Document& document = desk().document();
        if (document.sprites().sprites.empty()) return export_png(dialog, document.grid());
        const std::vector<std::uint8_t> screen = shown_screen(document);
        return export_png(dialog, hires_grid(screen));
    });
}

void Tokno1::PictureClashesClick(TObject*) {
    desk().change_view(
        [this](ViewChoices& view) { view.clashes = PictureClashesItem->isChecked(); });
}

void Tokno1::HelpShortcutsClick(TObject*) { show_shortcuts(Host()); }
void Tokno1::HelpAboutClick(TObject*) { show_about(); }

void Tokno1::EditReplaceColourClick(TObject*) {
    std::uint8_t from = desk().document().draw_color, to = desk().document().back_color;
    if (ask_replace_colour(from, to)) desk().replace_colour(from, to);
}

// Leaving throws the picture away, so it asks like Open and Clear do.
void Tokno1::FormCloseQuery(TObject*, bool& CanClose) { CanClose = confirmed_change(); }

void Tokno1::redraw_preview(std::uint32_t columns, std::uint32_t rows) {
    okno_prv->draw(0, 0, columns, rows);
}

// The band starts at the pixel itself, not at the corner of its cell: the zoom view's cell
// width across, a cell's height down. A painted pixel changes its neighbours in the PAL view,
// which the preview draws once the pointer event is handled.
void Tokno1::redraw_preview_band(std::uint32_t column, std::uint32_t row) {
    if (shown_pal_view().preview) return;
    okno_prv->draw(column, row, std::uint64_t(column) + okno2->zoom_factor,
                   std::uint64_t(row) + std::uint64_t(desk().document().mode().shape.cell.height));
}
