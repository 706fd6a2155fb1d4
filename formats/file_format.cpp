#include "formats/file_format.h"
#include "colour/palettes.h"
#include <algorithm>
#include <array>

PictureFormat kind_of(const C64Image& image) {
    return std::holds_alternative<FliImage>(image) ? fmtFli : fmtMulticolor;
}

EncodedPicture encode_picture(PictureFormat kind, const std::uint8_t* picture,
                              std::uint8_t background) {
    if (kind == fmtFli) {
        FliEncoding fli = encode_fli(picture, background);
        return {std::move(fli.image), int(fli.inexact.count()), kCellRowsOfPicture};
    }
    const Encoding multicolor = encode_multicolor(picture, background);
    return {multicolor.image, multicolor.inexact_cells, kCells};
}

DecodedPicture decode_picture(const C64Image& image) {
    DecodedPicture decoded;
    if (const auto* multicolor = std::get_if<MulticolorImage>(&image)) {
        decode_multicolor(*multicolor, decoded.pixels.data());
        decoded.background = vexlor_color_index(multicolor->background);
        return decoded;
    }
    const FliImage& fli = std::get<FliImage>(image);
    decode_fli(fli, decoded.pixels.data());
    std::array<int, 16> lines{};
    for (std::uint8_t color : fli.backgrounds) ++lines[color & 0x0F];
    decoded.background = vexlor_color_index(
        std::uint8_t(std::max_element(lines.begin(), lines.end()) - lines.begin()));
    decoded.format = fmtFli;
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
