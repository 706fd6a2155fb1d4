#include "formats/format_table.h"
#include "formats/rows.h"
#include <algorithm>
#include <array>

namespace {

#define VEXLOR_TABLE_ENTRY(name) &name##_format(),

const auto& table() {
    static const std::array formats = {VEXLOR_FORMAT_ROWS(VEXLOR_TABLE_ENTRY)};
    return formats;
}

#undef VEXLOR_TABLE_ENTRY

const std::vector<const C64PictureFormat*>& readers() {
    static const std::vector<const C64PictureFormat*> formats = [] {
        std::vector<const C64PictureFormat*> found;
        for (const FileFormat* format : table())
            if (const auto* picture_file = dynamic_cast<const C64PictureFormat*>(format))
                found.push_back(picture_file);
        return found;
    }();
    return formats;
}

bool some_format_loads_at(unsigned address) {
    return std::any_of(readers().begin(), readers().end(), [&](const C64PictureFormat* format) {
        return format->load_address() == address;
    });
}

// Whether a format that loads where the file does takes more bytes: the file could be one of
// its pictures cut short.
bool longer_format_loads_there(std::span<const std::uint8_t> file) {
    return std::any_of(readers().begin(), readers().end(), [&](const C64PictureFormat* format) {
        return format->load_address() == load_address_of(file) && format->length() > file.size();
    });
}

// A copy of the format's layout at the layout's own length, a border byte after it at most: no
// padding or leftovers that a picture of another format cut or padded would explain.
bool at_its_own_length(const C64PictureFormat& format, std::span<const std::uint8_t> file) {
    return file.size() == format.length() || file.size() == format.length() + 1;
}

// A copy at another load address stands where no format loads there, or where it is a whole
// layout that no picture of the formats loading there could be, cut short (Koala's 10003 bytes
// at Doodle's $5C00, which takes 9218).
bool variant_stands(const C64PictureFormat& format, std::span<const std::uint8_t> file) {
    if (!some_format_loads_at(load_address_of(file))) return true;
    return at_its_own_length(format, file) && !longer_format_loads_there(file);
}

// The format whose whole layout a refused file has at another load address, which a picture
// of a format loading there cut short could also be: the refusal names both.
const C64PictureFormat* layout_also_fitting(std::span<const std::uint8_t> file) {
    for (const C64PictureFormat* format : readers())
        if (format->fit(file) == Fit::Variant && at_its_own_length(*format, file) &&
            format->read(file).image)
            return format;
    return nullptr;
}

// The first C64 picture format whose usual names hold `extension`.
const C64PictureFormat* reader_named(std::string_view extension) {
    for (const C64PictureFormat* format : readers())
        if (format->has_extension(extension)) return format;
    return nullptr;
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

// How strongly a format that reads the file claims it; 0: not at all. A mark in the bytes
// outweighs a name: packed files come to the lengths of plain layouts, and the same bytes are
// the same picture whatever they are called.
int claim(const C64PictureFormat& format, std::span<const std::uint8_t> file, bool named) {
    switch (format.fit(file)) {
    case Fit::Marked:
        return 6;
    case Fit::Own:
        return 4 + named;
    case Fit::ByNameOnly:
        if (!named) return 0;
        // At another format's load address, that format reading it outweighs the name.
        return format.load_address() == load_address_of(file) ? 5 : 3;
    case Fit::Variant:
        return variant_stands(format, file) ? 2 + named : 0;
    }
    return 0;
}

// What a file that no format takes was most likely meant to be: the format whose signature it
// carries, else the one its name says, else the one of its load address nearest its length.
const C64PictureFormat* meant_for(std::span<const std::uint8_t> file, std::string_view extension) {
    for (const C64PictureFormat* format : readers())
        if (format->signed_as_it(file)) return format;
    // Koala's layout at a load address another format uses reads, but is not taken there.
    const auto refuses = [&](const C64PictureFormat* format) { return !format->read(file).image; };
    if (const C64PictureFormat* named = reader_named(extension); named && refuses(named))
        return named;
    const C64PictureFormat* nearest = nullptr;
    const auto distance = [&](const C64PictureFormat* format) {
        return std::max(format->length(), file.size()) - std::min(format->length(), file.size());
    };
    for (const C64PictureFormat* format : readers())
        if (file.size() >= 2 && format->load_address() == load_address_of(file) &&
            refuses(format) && (!nearest || distance(format) < distance(nearest)))
            nearest = format;
    return nearest;
}

// "*.koa", "*.kla", ...: the patterns of the formats' usual names, each once.
std::vector<std::string> patterns_of(const std::vector<const FileFormat*>& formats) {
    std::vector<std::string> patterns;
    for (const FileFormat* format : formats)
        for (std::string_view name : format->extensions())
            if (std::string pattern = "*." + std::string(name);
                std::find(patterns.begin(), patterns.end(), pattern) == patterns.end())
                patterns.push_back(std::move(pattern));
    return patterns;
}

std::string joined(const std::vector<std::string>& parts, char separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) text += separator;
        text += part;
    }
    return text;
}

// An entry that shows its name only: "Koala pictures|*.koa;*.kla".
std::string plain_entry(const std::string& name, const std::vector<std::string>& patterns) {
    return name + '|' + joined(patterns, ';');
}

// An entry whose name carries its patterns: "Artist 64 (*.a64)|*.a64".
std::string named_entry(const std::string& name, const std::vector<std::string>& patterns) {
    return name + " (" + joined(patterns, ' ') + ")|" + joined(patterns, ';');
}

// The C64 picture files Import reads, which Open reads too.
std::vector<const FileFormat*> c64_pictures_read() {
    std::vector<const FileFormat*> pictures;
    for (const FileFormat* format : formats_offered(Command::Import))
        if (format->holds() == Holds::C64Picture) pictures.push_back(format);
    return pictures;
}

// A dialog that opens files: an entry that shows every file it reads (chosen at first), then
// one for each group of formats, then one for all files.
struct Group {
    std::string name;
    std::vector<const FileFormat*> formats;
};
std::string opening_filter(const std::string& everything, const std::vector<Group>& groups) {
    std::vector<const FileFormat*> all;
    for (const Group& group : groups)
        all.insert(all.end(), group.formats.begin(), group.formats.end());
    std::vector<std::string> entries = {named_entry(everything, patterns_of(all))};
    for (const Group& group : groups)
        entries.push_back(named_entry(group.name, patterns_of(group.formats)));
    entries.push_back("All Files (*.*)|*.*");
    return joined(entries, '|');
}

} // namespace

std::span<const FileFormat* const> file_formats() { return table(); }

std::span<const C64PictureFormat* const> c64_picture_formats() { return readers(); }

std::vector<const FileFormat*> formats_offered(Command command, std::optional<PictureFormat> kind) {
    std::vector<const FileFormat*> formats;
    for (const FileFormat* format : table())
        if (format->offered_in(command) && (!kind || !format->kind() || format->kind() == kind))
            formats.push_back(format);
    return formats;
}

std::string dialog_filter(Command command, std::optional<PictureFormat> kind) {
    const std::vector<const FileFormat*> formats = formats_offered(command, kind);
    std::vector<std::string> entries;
    switch (command) {
    case Command::Save:
        return dialog_filter(saved_format(kind.value_or(fmtMulticolor)));
    case Command::Open: {
        std::vector<Group> groups;
        for (const FileFormat* format : formats)
            groups.push_back({format->filter_name(), {format}});
        groups.push_back({"C64 pictures", c64_pictures_read()});
        return opening_filter("Vexlor and C64 pictures", groups);
    }
    case Command::Import: {
        std::vector<Group> groups = {{"C64 pictures", c64_pictures_read()}};
        for (const FileFormat* format : formats)
            if (format->holds() != Holds::C64Picture)
                groups.push_back({format->filter_name(), {format}});
        return opening_filter("C64 pictures and images", groups);
    }
    case Command::ExportOther:
        // The chosen entry says the format, so there is no entry for all files.
        for (const FileFormat* format : formats)
            entries.push_back(named_entry(format->filter_name(), patterns_of({format})));
        break;
    default:
        entries.push_back(plain_entry(formats.front()->filter_name(), patterns_of(formats)));
        entries.push_back("All Files|*.*");
        break;
    }
    return joined(entries, '|');
}

const FileFormat& saved_format(PictureFormat mode, bool with_sprites) {
    const std::vector<const FileFormat*> formats = formats_offered(Command::Save, mode);
    const auto own = std::find_if(formats.begin(), formats.end(), [&](const FileFormat* format) {
        return with_sprites ? format->keeps_sprites() : format->kind() == mode;
    });
    return own != formats.end() ? **own : *formats.front();
}

std::string dialog_filter(const FileFormat& format) {
    return plain_entry(format.filter_name(), patterns_of({&format})) + "|All Files|*.*";
}

std::string save_filter(PictureFormat mode, bool with_sprites) {
    const FileFormat& bitmap = saved_format(mode);
    if (!with_sprites) return dialog_filter(bitmap);
    const FileFormat& kept = saved_format(mode, true);
    return plain_entry(kept.filter_name(), patterns_of({&kept})) + '|' + dialog_filter(bitmap);
}

const FileFormat* format_opened(std::string_view extension) {
    for (const FileFormat* format : formats_offered(Command::Open))
        if (format->has_extension(extension)) return format;
    return nullptr;
}

const FileFormat* writer_for(std::string_view extension, PictureFormat mode) {
    const FileFormat* first = nullptr;
    for (const FileFormat* format : table()) {
        if (!format->writes() || !format->has_extension(extension)) continue;
        if (!format->kind() || format->kind() == mode) return format;
        if (!first) first = format;
    }
    return first;
}

std::vector<std::string_view> written_extensions() {
    std::vector<std::string_view> extensions;
    for (const FileFormat* format : table())
        if (format->writes())
            for (std::string_view name : format->extensions())
                if (std::find(extensions.begin(), extensions.end(), name) == extensions.end())
                    extensions.push_back(name);
    return extensions;
}

std::size_t longest_picture_file() {
    std::size_t longest = 0;
    for (const C64PictureFormat* format : readers()) longest = std::max(longest, format->longest());
    return longest;
}

PictureFileRead read_picture_file(std::span<const std::uint8_t> file, std::string_view extension) {
    PictureFileRead best;
    int best_claim = 0;
    for (const C64PictureFormat* format : readers()) {
        FormatRead read = format->read(file);
        if (!read.image) continue;
        const int strength = claim(*format, file, format->has_extension(extension));
        if (strength > best_claim) {
            best_claim = strength;
            best = {format, std::move(read.image), {}};
        }
    }
    if (best.format) return best;
    const C64PictureFormat* meant = meant_for(file, extension);
    if (!meant) return {nullptr, {}, file_facts(file) + ": no C64 picture format loads there"};
    std::string why = file_facts(file) + ": " + meant->read(file).error;
    if (const C64PictureFormat* layout = layout_also_fitting(file))
        why += format_text(", or it is %s, which loads at $%04X", layout->a_picture().c_str(),
                           unsigned(layout->load_address()));
    return {meant, {}, std::move(why)};
}
