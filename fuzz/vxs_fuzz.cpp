// Feeds arbitrary files to the reader of pictures with sprites: it takes a file or refuses it,
// never reading past it (the sanitizer watches), and what it takes writes back byte for byte.
#include "formats/vxs.h"
#include "modes/mode.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const VxsRead read = decode_vxs({data, size});
    if (read.picture.has_value() == !read.error.empty()) std::abort();
    if (!read.picture) return 0;
    const PictureWithSprites& picture = *read.picture;
    const std::vector<std::uint8_t> again =
        encode_vxs(mode_of(picture.format).grid_of(picture.pixels.data()), picture.format,
                   picture.background, picture.sprites);
    if (again != std::vector<std::uint8_t>(data, data + size)) std::abort();
    return 0;
}
