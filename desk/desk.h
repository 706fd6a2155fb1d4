#pragma once
#include "clashes/clash_fix.h"
#include "colour/lab.h"
#include "document/document.h"
#include "full_cell/refused_plot.h"
#include "sprites/sprite_fix.h"
#include "sprites/sprite_limit.h"
#include "tools/painter.h"
#include "tools/tool.h"
#include "tools/tool_table.h"
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the views are set to show besides the picture.
struct ViewChoices {
    bool pixel_grid = true; // the zoom view's pixel grid
    bool char_grid = true;  // the zoom view's cell grid
    bool clashes = false;   // marks over what a C64 cannot show exactly
    bool reference_shown = true;
    int reference_opacity = 50; // percent
    bool operator==(const ViewChoices&) const = default;
};

// What changed on the desk, as it tells those who show it.
struct DeskChange {
    enum What : unsigned {
        Colours = 1, // the draw colour or the PAL blend
        Tool = 2,
        Pen = 4,
        Ink = 8,
        Symmetry = 16,
        FullCell = 32,
        View = 64,       // what the zoom view shows over the picture: grids, clash marks
        Reference = 128, // whether and how the reference image shows, in every view
        Pages = 256,     // which page shows, or the spare page
        Painted = 512,   // what the tools painted during a pointer event
        Target = 1024,   // what the tools paint into: the bitmap or the sprites
        Sprite = 2048,   // which sprite is chosen
    };
    unsigned what = 0;
    const PaintReport* painted = nullptr; // with Painted
    bool has(What kind) const { return (what & kind) != 0; }
};

class DeskObserver {
public:
    virtual ~DeskObserver() = default;
    virtual void desk_changed(const DeskChange& change) = 0;
};

// What taking the picture to another mode did: the areas fixed where the new mode is of another
// shape, else how many areas the new mode cannot show exactly.
struct ModeSwitch {
    ClashFix fix;
    int unshown = 0;
};

// The editor's state in one place: the document shown and the spare page, and what the editor
// is set to (the tool, the pen or brush, the ink, the symmetry, the full-cell choice, what the
// views show). The windows show it and ask it for changes: its operations are the editor's
// commands, each one step of the history or one change of a setting, told to its observers
// (and the document's). No Qt.
class Desk : public SpriteCommands {
public:
    explicit Desk(PictureHistory::Limits limits = {});
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    Document& document() { return document_; }
    const Document& document() const { return document_; }
    Painter& painter() { return painter_; }
    const Painter& painter() const { return painter_; }
    // What a tool works with, over `view`.
    ToolContext tools(ToolView& view) {
        return {document_, view, painter_, stroke_, select_shape_, *this};
    }

    // Set at start and never cleared: the change question is asked before the picture is
    // replaced.
    std::uint8_t image_changed = 1;
    // The row of the tool table chosen.
    std::uint8_t tool_mode = toolFreePaint;
    // 1 single size, 2 double size.
    std::uint8_t preview_size = 2;
    const ViewChoices& view() const { return view_; }
    // The symmetry as chosen: painting takes its `in(whole)`, the painter's.
    const SymmetryChoice& symmetry() const { return symmetry_; }
    // The reference image as the views blend it over the picture; none while it is hidden.
    ReferenceLayer reference_layer() const;

    void watch(DeskObserver& observer);
    void unwatch(DeskObserver& observer);

    // Settings, each told once it is made.
    void choose_colour(std::uint8_t index); // the draw colour, without a PAL blend
    void choose_blend(const PalBlend& blend);
    void choose_tool(std::uint8_t tool_mode);
    // What the selection tool's drag takes, told as a change of tool.
    SelectShape select_shape() const { return select_shape_; }
    void choose_select_shape(SelectShape shape);
    void change_pen(const std::function<void(Pen&)>& change);
    void change_ink(const std::function<void(Ink&)>& change);
    void change_symmetry(const std::function<void(SymmetryChoice&)>& change);
    void choose_full_cell(FullCell choice);
    void change_view(const std::function<void(ViewChoices&)>& change);
    void set_preview_size(std::uint8_t size);
    // The brush the pen tool takes up, leaving out the transparent colour chosen; the tool is
    // chosen where the tool bar is.
    void take_brush(PixelBlock block);
    // The colour brushes leave out, this one and those taken up later; none: the background.
    void choose_brush_transparent(std::optional<std::uint8_t> color);
    // The brush turned or scaled from its own pixels; false, and no change, without a brush or
    // where it would grow too large.
    bool rotate_brush(double degrees);
    bool scale_brush(double across, double down);
    // Dots a second, kept within the spray's least and most.
    void set_spray_flow(int flow);

    // An edit for a command: a stroke still under way becomes a step of its own first.
    Document::Edit open_edit(std::string label);
    // The stroke under way, if any, becomes a step.
    void end_stroke();
    // Runs `change` on an edit called `label`, and keeps it as one step when it says it changed
    // the picture.
    template <class Change> void change_picture(const char* label, Change change) {
        Document::Edit edit = open_edit(label);
        if (change(edit)) edit.commit();
    }
    // What the tools painted since this was last asked, told to the observers once.
    void show_painting();

    // The picture's commands, each one step.
    void clear(const char* label); // every pixel takes the background
    // A floating block is no step: Undo drops it first.
    bool undo();
    bool redo();
    // The picture's pixels, background and mode; its sprites too when given (Open), else they
    // stay (Import lays a new bitmap under them).
    void replace_picture(const char* label, ConstPixelGrid pixels, std::uint8_t background,
                         std::uint8_t format, const SpriteSet* sprites = nullptr);
    // The pixels take the new mode's shape, and what it cannot show is fixed (colours judged in
    // `shown`).
    ModeSwitch set_mode(std::uint8_t format, const LabPalette& shown);
    // Within the selection, or the whole picture.
    ClashFix fix_clashes(const LabPalette& shown);
    // The same, the pixels it changes shown by new sprites where the rows leave room.
    SpriteFix fix_clashes_with_sprites(const LabPalette& shown);
    // One colour for another all over; false when no pixel held it.
    bool replace_colour(std::uint8_t from, std::uint8_t to);
    // The selection, or the whole picture, mirrored left to right (`across`) or top to bottom.
    void flip(const char* label, bool across);
    // The selected pixels take the background colour.
    void clear_selection(const char* label);
    void set_background(std::uint8_t color, bool recolour);

    // The full area that holds `at`, as the status bar names it when a plot there is refused;
    // none outside the picture.
    std::optional<FullArea> full_area(PixelPos at) const;

    // The selected pixels; none without a selection.
    std::optional<PixelBlock> selected_block() const;
    // `block` floats at the selection's corner, else at `otherwise`.
    void paste(PixelBlock block, PixelPos otherwise);
    // The selection becomes the brush; false without one.
    bool brush_from_selection();

    // What the tools paint into.
    PaintTarget paint_target() const { return painter_.target; }
    void choose_paint_target(PaintTarget target);

    // The sprite the sprite tool and the Sprites menu work on; none when it is gone (an undo or
    // another page may take it away).
    std::optional<std::size_t> chosen_sprite() const;
    void choose_sprite(std::optional<std::size_t> index) override;
    // The sprite commands, each one step. One that would put more than eight sprites on a
    // picture row than there were is refused, unless the full-cell choice paints freely (the
    // views mark the crowded rows then). Adding chooses the new sprite, which lies under the
    // others; removing keeps the same sprite chosen where one is left.
    SpriteOutcome add_sprite(const Sprite& sprite) override;
    // Sprites brought in from a file, under the others, as one step "Import Sprites".
    SpriteOutcome add_sprites(const std::vector<Sprite>& sprites);
    SpriteOutcome move_sprite(std::size_t index, PixelPos to);
    SpriteOutcome remove_sprite(std::size_t index);
    SpriteOutcome change_sprite(std::size_t index, const std::function<void(Sprite&)>& change,
                                const char* label = "Change Sprite");
    SpriteOutcome set_sprite_shared_colours(std::uint8_t colour0, std::uint8_t colour1);

    // The spare page: a second whole picture, shown in place of the other by swap_pages. The
    // selection, the floating block and the brush stay on the desk.
    int page_shown() const { return page_shown_; } // 1 for the page at start, 2 for the other
    const std::optional<Document::Page>& spare_page() const { return spare_page_; }
    // `page` aside as the spare page (none: a blank one when needed), the page shown being
    // number `shown`.
    void set_spare_page(std::optional<Document::Page> page, int shown);
    void swap_pages();
    bool spare_page_changed() const { return spare_page_ && spare_page_->changed; }
    void copy_to_spare_page();

private:
    void notify(const DeskChange& change);
    Document::Page& spare();
    SpriteOutcome change_sprites(const char* label, const std::function<void(SpriteSet&)>& change);

    Document document_;
    Painter painter_{document_};
    Stroke stroke_{document_};
    ViewChoices view_;
    SelectShape select_shape_ = SelectShape::Rectangle;
    SymmetryChoice symmetry_;
    std::optional<Document::Page> spare_page_;
    int page_shown_ = 1;
    std::optional<std::size_t> chosen_sprite_;
    std::vector<DeskObserver*> observers_;
};
