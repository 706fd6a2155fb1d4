#include "desk/desk.h"
#include "background/background.h"
#include "raster/raster.h"
#include "selection/block.h"
#include "selection/pixel_selection.h"
#include <algorithm>
#include <utility>

Desk::Desk(PictureHistory::Limits limits) : document_(fmtMulticolor, limits) {
    painter_.symmetry = symmetry_.in(document_.whole());
}

ReferenceLayer Desk::reference_layer() const {
    if (!view_.reference_shown || !document_.reference()) return {};
    return {&*document_.reference(), view_.reference_opacity, document_.mode().shape.width};
}

void Desk::watch(DeskObserver& observer) { observers_.push_back(&observer); }

void Desk::unwatch(DeskObserver& observer) { std::erase(observers_, &observer); }

void Desk::notify(const DeskChange& change) {
    for (DeskObserver* observer : observers_) observer->desk_changed(change);
}

void Desk::choose_colour(std::uint8_t index) {
    document_.draw_color = index;
    painter_.blend.reset();
    notify({DeskChange::Colours});
}

// The blend paints in place of its first colour, which becomes the draw colour.
void Desk::choose_blend(const PalBlend& blend) {
    document_.draw_color = blend.first;
    painter_.blend = blend;
    notify({DeskChange::Colours});
}

void Desk::choose_tool(std::uint8_t mode) {
    tool_mode = mode;
    notify({DeskChange::Tool});
}

void Desk::choose_select_shape(SelectShape shape) {
    select_shape_ = shape;
    notify({DeskChange::Tool});
}

void Desk::change_pen(const std::function<void(Pen&)>& change) {
    change(painter_.pen);
    notify({DeskChange::Pen});
}

void Desk::change_ink(const std::function<void(Ink&)>& change) {
    change(painter_.ink);
    notify({DeskChange::Ink});
}

void Desk::change_symmetry(const std::function<void(SymmetryChoice&)>& change) {
    change(symmetry_);
    painter_.symmetry = symmetry_.symmetry = symmetry_.in(painter_.area());
    notify({DeskChange::Symmetry});
}

void Desk::choose_full_cell(FullCell choice) {
    painter_.full_cell = choice;
    notify({DeskChange::FullCell});
}

void Desk::change_view(const std::function<void(ViewChoices&)>& change) {
    const ViewChoices before = view_;
    change(view_);
    const bool reference = before.reference_shown != view_.reference_shown ||
                           before.reference_opacity != view_.reference_opacity;
    notify({reference ? DeskChange::Reference : DeskChange::View});
}

// The preview shows the new size the next time it is drawn.
void Desk::set_preview_size(std::uint8_t size) { preview_size = size; }

void Desk::take_brush(PixelBlock block) {
    painter_.pen.brush.emplace(std::move(block), document_.mode().shape.pixel_aspect);
    painter_.pen.brush->transparent = painter_.brush_transparent;
    notify({DeskChange::Pen});
}

void Desk::choose_brush_transparent(std::optional<std::uint8_t> color) {
    painter_.brush_transparent = color;
    if (painter_.pen.brush) painter_.pen.brush->transparent = color;
    notify({DeskChange::Pen});
}

bool Desk::rotate_brush(double degrees) {
    std::optional<Brush>& brush = painter_.pen.brush;
    if (!brush || !brush->rotate_to(degrees)) return false;
    notify({DeskChange::Pen});
    return true;
}

bool Desk::scale_brush(double across, double down) {
    std::optional<Brush>& brush = painter_.pen.brush;
    if (!brush || !brush->scale_to(across, down)) return false;
    notify({DeskChange::Pen});
    return true;
}

void Desk::set_spray_flow(int flow) {
    painter_.spray_flow = std::clamp(flow, kLeastSprayFlow, kMostSprayFlow);
    notify({DeskChange::Pen});
}

Document::Edit Desk::open_edit(std::string label) {
    stroke_.end();
    return {document_, std::move(label)};
}

void Desk::end_stroke() { stroke_.end(); }

void Desk::show_painting() {
    const PaintReport report = painter_.take_report();
    if (!report.changed() && !report.found && report.sprite_refusal.empty()) return;
    DeskChange change{DeskChange::Painted};
    change.painted = &report;
    notify(change);
}

void Desk::clear(const char* label) {
    change_picture(label, [this](Document::Edit& edit) {
        fill_block(edit.pixels(document_.whole()), document_.whole(), document_.back_color);
        return true;
    });
}

bool Desk::undo() {
    if (document_.take_floating()) return true;
    end_stroke();
    return document_.undo();
}

bool Desk::redo() {
    end_stroke();
    return document_.redo();
}

void Desk::replace_picture(const char* label, ConstPixelGrid pixels, std::uint8_t background,
                           std::uint8_t format, const SpriteSet* sprites) {
    change_picture(label, [&](Document::Edit& edit) {
        edit.set_mode(format);
        const PixelGrid picture = edit.pixels(document_.whole());
        std::copy_n(pixels.pixels, picture.width * picture.height, picture.pixels);
        edit.set_background(background);
        if (sprites) edit.sprites() = *sprites;
        return true;
    });
}

// Between modes of one shape the pixels stay as they are; the new mode may then be unable to
// show some areas exactly.
ModeSwitch Desk::set_mode(std::uint8_t format, const LabPalette& shown) {
    const Mode &from = document_.mode(), &to = mode_of(format);
    const bool reshaped = from.shape.width != to.shape.width;
    ModeSwitch done;
    change_picture((std::string(to.name) + " Mode").c_str(), [&](Document::Edit& edit) {
        edit.set_mode(format);
        if (reshaped)
            done.fix = change_shape(from, to, edit.pixels(document_.whole()).pixels,
                                    document_.back_color, shown)
                           .fix;
        return true;
    });
    if (!reshaped) done.unshown = to.areas_over_limit(document_.grid(), document_.back_color);
    return done;
}

// A selection of any shape keeps the pixels outside it as they are, in the cells it touches too.
ClashFix Desk::fix_clashes(const LabPalette& shown) {
    const Mode& mode = document_.mode();
    const PixelArea within = document_.selection().value_or(document_.whole());
    const PixelSelection& selected = document_.selected_pixels();
    std::function<bool(PixelPos)> changeable;
    if (!selected.empty() && !selected.rectangular())
        changeable = [&selected](PixelPos at) { return selected.contains(at); };
    ClashFix fix;
    change_picture("Fix Colour Clashes", [&](Document::Edit& edit) {
        fix =
            mode.fix_clashes(edit.pixels(within), document_.back_color, shown, within, changeable);
        return fix.pixels > 0;
    });
    return fix;
}

SpriteFix Desk::fix_clashes_with_sprites(const LabPalette& shown) {
    const PixelArea within = document_.selection().value_or(document_.whole());
    SpriteFix fix;
    change_picture("Fix Colour Clashes", [&](Document::Edit& edit) {
        fix = ::fix_clashes_with_sprites(edit, shown, within);
        return fix.to_sprites + fix.changed > 0;
    });
    return fix;
}

// No cell gains a colour, so it writes past the cell rules.
bool Desk::replace_colour(std::uint8_t from, std::uint8_t to) {
    bool replaced = false;
    change_picture("Replace Colour", [&](Document::Edit& edit) {
        replaced = ::replace_colour(edit.pixels(document_.whole()), from, to) > 0;
        return replaced;
    });
    return replaced;
}

// A flip moves pixels without asking the cell rules: flipping twice gives the same pixels back.
// A selection of any shape is mirrored with its pixels, and what it leaves takes the background.
void Desk::flip(const char* label, bool across) {
    const PixelSelection& selected = document_.selected_pixels();
    const PixelSelection within = selected.empty() ? PixelSelection(document_.whole()) : selected;
    PixelSelection mirrored;
    change_picture(label, [&](Document::Edit& edit) {
        mirrored =
            flip_selected(edit.pixels(within.bounds()), within, across, document_.back_color);
        return true;
    });
    if (!selected.rectangular() && !selected.empty()) document_.select(std::move(mirrored));
}

// The background is a colour every cell holds already.
void Desk::clear_selection(const char* label) {
    const PixelSelection& selected = document_.selected_pixels();
    if (selected.empty()) return;
    change_picture(label, [&](Document::Edit& edit) {
        fill_selected(edit.pixels(selected.bounds()), selected, document_.back_color);
        return true;
    });
}

void Desk::set_background(std::uint8_t color, bool recolour) {
    change_picture("Background Colour",
                   [=](Document::Edit& edit) { return ::set_background(edit, color, recolour); });
}

std::optional<FullArea> Desk::full_area(PixelPos at) const {
    return full_area_at(document_.mode(), document_.grid(), document_.back_color, at);
}

std::optional<PixelBlock> Desk::selected_block() const {
    if (!document_.selection()) return std::nullopt;
    return copy_selected(document_.grid(), document_.selected_pixels());
}

void Desk::paste(PixelBlock block, PixelPos otherwise) {
    const std::optional<PixelArea>& selected = document_.selection();
    document_.float_block(std::move(block),
                          selected ? PixelPos{selected->left, selected->top} : otherwise);
}

// The ants go, as the brush now follows the pointer.
bool Desk::brush_from_selection() {
    std::optional<PixelBlock> block = selected_block();
    if (!block) return false;
    document_.select(std::nullopt);
    take_brush(std::move(*block));
    return true;
}

Document::Page& Desk::spare() {
    if (!spare_page_) spare_page_ = document_.blank_page();
    return *spare_page_;
}

void Desk::set_spare_page(std::optional<Document::Page> page, int shown) {
    spare_page_ = std::move(page);
    page_shown_ = shown;
    notify({DeskChange::Pages});
}

// A stroke under way ends as a step of the page it was painted on. Those who show the page
// learn which it is before the document tells them what changed.
void Desk::swap_pages() {
    end_stroke();
    page_shown_ = 3 - page_shown_;
    notify({DeskChange::Pages});
    document_.swap_page(spare());
}

void Desk::copy_to_spare_page() {
    spare_page_ = document_.copy_page();
    notify({DeskChange::Pages});
}
