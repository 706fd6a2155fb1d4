#include "formats/format_table.h"
#include "colour/palettes.h"
#include "formats/codecs.h"
#include <algorithm>
#include <array>

namespace {

const std::array<const PictureCodec*, 16>& table() {
    // Vidcom 64 comes before Twilight: a file of their shared layout without either name
    // keeps its byte 1023 out of the picture.
    static const std::array<const PictureCodec*, 16> codecs = {
        &koala_codec(),
        &packed_koala_codec(),
        &fli_graph_codec(),
        &fli_designer_codec(),
        &advanced_art_studio_codec(),
        &artist64_codec(),
        &blazing_paddles_codec(),
        &image_system_codec(),
        &interpaint_lores_codec(),
        &vidcom64_codec(),
        &twilight_codec(),
        &drazpaint_codec(),
        &drazpaint_packed_codec(),
        &saracen_paint_codec(),
        &amica_paint_codec(),
        &paint_magic_codec(),
    };
    return codecs;
}

bool some_format_loads_at(unsigned address) {
    return std::any_of(table().begin(), table().end(),
                       [&](const PictureCodec* codec) { return codec->load_address() == address; });
}

// "10017 bytes loading at $2000"
std::string file_facts(std::span<const std::uint8_t> file) {
    if (file.size() < 2) return format_text("%zu byte%s", file.size(), file.size() == 1 ? "" : "s");
    // A reader takes a byte more than the longest format: a longer file was cut there.
    if (file.size() > longest_picture_file())
        return format_text("more than %zu bytes loading at $%04X", longest_picture_file(),
                           load_address_of(file));
    return format_text("%zu bytes loading at $%04X", file.size(), load_address_of(file));
}

// How strongly a codec that reads the file claims it; 0: not at all.
int claim(const PictureCodec& codec, std::span<const std::uint8_t> file, bool named) {
    switch (codec.fit(file)) {
    case Fit::Own:
        return 4 + named;
    case Fit::ByNameOnly:
        return named ? 5 : 0;
    case Fit::Variant:
        return some_format_loads_at(load_address_of(file)) ? 0 : 2 + named;
    }
    return 0;
}

// What a file that no format takes was most likely meant to be: the format whose signature it
// carries, else the one its name says, else the one of its load address nearest its length.
const PictureCodec* meant_for(std::span<const std::uint8_t> file, std::string_view extension) {
    for (const PictureCodec* codec : table())
        if (codec->signed_as_it(file)) return codec;
    // Koala's layout at a load address another format uses reads, but is not taken there.
    const auto refuses = [&](const PictureCodec* codec) { return !codec->read(file).image; };
    if (const PictureCodec* named = codec_for_extension(extension); named && refuses(named))
        return named;
    const PictureCodec* nearest = nullptr;
    const auto distance = [&](const PictureCodec* codec) {
        return std::max(codec->length(), file.size()) - std::min(codec->length(), file.size());
    };
    for (const PictureCodec* codec : table())
        if (file.size() >= 2 && codec->load_address() == load_address_of(file) && refuses(codec) &&
            (!nearest || distance(codec) < distance(nearest)))
            nearest = codec;
    return nearest;
}

} // namespace

std::span<const PictureCodec* const> picture_codecs() { return table(); }

std::size_t longest_picture_file() {
    std::size_t longest = 0;
    for (const PictureCodec* codec : table()) longest = std::max(longest, codec->longest());
    return longest;
}

const PictureCodec* codec_for_extension(std::string_view extension) {
    for (const PictureCodec* codec : table())
        if (codec->has_usual_name(extension)) return codec;
    return nullptr;
}

const PictureCodec* writer_for_extension(std::string_view extension) {
    for (const PictureCodec* codec : table())
        if (codec->writes() && codec->has_usual_name(extension)) return codec;
    return nullptr;
}

PictureFileRead read_picture_file(std::span<const std::uint8_t> file, std::string_view extension) {
    PictureFileRead best;
    int best_claim = 0;
    for (const PictureCodec* codec : table()) {
        FormatRead read = codec->read(file);
        if (!read.image) continue;
        const int strength = claim(*codec, file, codec->has_usual_name(extension));
        if (strength > best_claim) {
            best_claim = strength;
            best = {codec, std::move(read.image), {}};
        }
    }
    if (best.codec) return best;
    const PictureCodec* meant = meant_for(file, extension);
    if (!meant) return {nullptr, {}, file_facts(file) + ": no C64 picture format loads there"};
    return {meant, {}, file_facts(file) + ": " + meant->read(file).error};
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
