// Feeds arbitrary files to the FLI reader, as FLI Graph and as FLI Designer files. Whatever it
// accepts must decode to colour indices and, written as FLI Graph and read again, come back
// byte for byte and pixel for pixel.
#include "formats/fli_file.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    for (FliFormat format : {FliFormat::Graph, FliFormat::Designer}) {
        const FliRead read = read_fli(file, format);
        if (read.image.has_value() == !read.error.empty()) std::abort();
        if (!read.image) continue;
        PictureBytes picture;
        decode_fli(*read.image, multicolor_grid(picture));
        for (std::uint8_t index : picture)
            if (index > 15) std::abort();
        const std::vector<std::uint8_t> written = write_fli_graph(*read.image);
        const FliRead again = read_fli(written, FliFormat::Graph);
        if (!again.image || write_fli_graph(*again.image) != written) std::abort();
        PictureBytes decoded;
        decode_fli(*again.image, multicolor_grid(decoded));
        if (decoded != picture) std::abort();
    }
    return 0;
}
