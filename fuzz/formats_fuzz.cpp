// Feeds arbitrary files to the table of C64 picture formats, unnamed and under every usual
// name. Whatever it accepts must decode to colour indices and, where Vexlor writes the format,
// come back from its own file as the same picture, recognised as the same format by that name.
#include "formats/format_table.h"
#include <cstdlib>
#include <string>

namespace {

std::vector<std::string> extensions() {
    std::vector<std::string> names = {""};
    for (const FileFormat* format : c64_picture_formats())
        for (std::string_view name : format->extensions()) names.emplace_back(name);
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> names = extensions();
    const std::span<const std::uint8_t> file(data, size);
    for (const std::string& extension : names) {
        const PictureFileRead read = read_picture_file(file, extension);
        if (read.image.has_value() == !read.error.empty()) std::abort();
        if (!read.image) continue;
        for (std::uint8_t index : decode_picture(*read.image).pixels)
            if (index > 15) std::abort();
        if (!read.format->writes()) continue;
        const std::vector<std::uint8_t> written = read.format->write({.encoded = *read.image});
        const PictureFileRead again = read_picture_file(written, read.format->extensions().front());
        if (again.format != read.format || !again.image || *again.image != *read.image)
            std::abort();
    }
    return 0;
}
