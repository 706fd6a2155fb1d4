#include "formats/picture_codec.h"
#include <algorithm>

Fit PictureCodec::fit(std::span<const std::uint8_t>) const { return Fit::Own; }

bool PictureCodec::signed_as_it(std::span<const std::uint8_t>) const { return false; }

std::vector<std::uint8_t> PictureCodec::write(const C64Image&) const { return {}; }

std::string PictureCodec::a_picture() const {
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

bool PictureCodec::has_usual_name(std::string_view extension) const {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::any_of(usual_names().begin(), usual_names().end(), [&](std::string_view name) {
        return std::equal(name.begin(), name.end(), extension.begin(), extension.end(),
                          [&](char a, char b) { return a == lower(b); });
    });
}
