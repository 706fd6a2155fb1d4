#include "formats/file_format.h"
#include "colour/palettes.h"
#include "modes/mode.h"
#include <algorithm>
#include <array>
#include <type_traits>

namespace {

// The mode that shows each alternative of C64Image, in the variant's order.
constexpr std::array<PictureFormat, std::variant_size_v<C64Image>> kKinds = {fmtMulticolor, fmtFli,
                                                                             fmtHires, fmtAfli};

// The background most of the raster lines show.
std::uint8_t most_shown(const std::array<std::uint8_t, kPictureRows>& backgrounds) {
    std::array<int, 16> lines{};
    for (std::uint8_t color : backgrounds) ++lines[color & 0x0F];
    return std::uint8_t(std::max_element(lines.begin(), lines.end()) - lines.begin());
}

} // namespace

PictureFormat kind_of(const C64Image& image) { return kKinds[image.index()]; }

EncodedPicture encode_picture(PictureFormat kind, ConstPixelGrid picture, std::uint8_t background) {
    const Mode* mode = find_mode(kind);
    return (mode ? *mode : mode_of(fmtMulticolor)).encode(picture, background);
}

SpriteSet for_c64(SpriteSet sprites) {
    for (Sprite& sprite : sprites.sprites) sprite.colour = c64_color_number(sprite.colour);
    sprites.shared_colour0 = c64_color_number(sprites.shared_colour0);
    sprites.shared_colour1 = c64_color_number(sprites.shared_colour1);
    return sprites;
}

DecodedPicture decode_picture(const C64Image& image) {
    DecodedPicture decoded;
    decoded.format = kind_of(image);
    std::uint8_t c64_background = 0;
    std::visit(
        [&](const auto& parts) {
            using Parts = std::decay_t<decltype(parts)>;
            if constexpr (std::is_same_v<Parts, MulticolorImage>) {
                decode_multicolor(parts, multicolor_grid(decoded.pixels));
                c64_background = parts.background;
            } else if constexpr (std::is_same_v<Parts, FliImage>) {
                decode_fli(parts, multicolor_grid(decoded.pixels));
                c64_background = most_shown(parts.backgrounds);
            } else if constexpr (std::is_same_v<Parts, HiresImage>) {
                decode_hires(parts, hires_grid(decoded.pixels));
            } else {
                decode_afli(parts, hires_grid(decoded.pixels));
            }
        },
        image);
    decoded.background = vexlor_color_index(c64_background);
    return decoded;
}

FormatFacts paint_program(std::string_view name, std::vector<std::string_view> extensions,
                          Written written, C64File file) {
    Commands offered{Command::Import};
    if (written == Written::Yes) offered = {Command::Import, Command::ExportOther};
    return {.name = name, .extensions = std::move(extensions), .offered = offered, .file = file};
}

bool FileFormat::has_extension(std::string_view extension) const {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::any_of(extensions().begin(), extensions().end(), [&](std::string_view name) {
        return std::equal(name.begin(), name.end(), extension.begin(), extension.end(),
                          [&](char a, char b) { return a == lower(b); });
    });
}

std::string FileFormat::filter_name() const {
    std::string name(facts_.filter_name.empty() ? facts_.name : facts_.filter_name);
    if (name[0] >= 'a' && name[0] <= 'z') name[0] = char(name[0] - 'a' + 'A');
    return name;
}

std::optional<PictureFormat> FileFormat::kind() const {
    if (holds() != Holds::C64Picture) return std::nullopt;
    return facts_.kind;
}

Fit C64PictureFormat::fit(std::span<const std::uint8_t>) const { return Fit::Own; }

bool C64PictureFormat::signed_as_it(std::span<const std::uint8_t>) const { return false; }

bool FileFormat::writes() const {
    for (Command command : {Command::Save, Command::ExportKoala, Command::ExportFli,
                            Command::ExportOther, Command::ExportPrg, Command::ExportPng})
        if (offered_in(command)) return true;
    return false;
}

std::vector<std::uint8_t> FileFormat::write(const PictureToWrite&) const { return {}; }

std::string FileFormat::a_picture() const {
    // "FLI" is read letter by letter: an FLI Graph picture.
    const bool vowel_sound =
        std::string_view("AEIOU").find(name().front()) != std::string_view::npos ||
        name().starts_with("FLI");
    return format_text("%s %.*s picture", vowel_sound ? "an" : "a", int(name().size()),
                       name().data());
}

unsigned load_address_of(std::span<const std::uint8_t> file) {
    return file.size() < 2 ? 0 : unsigned(file[0] | file[1] << 8);
}
