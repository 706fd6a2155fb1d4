// Feeds arbitrary files to the Koala reader, as plain and as packed files. Whatever it accepts
// must decode to colour indices and, since a Koala picture always fits the limit per cell,
// survive export and import unchanged.
#include "formats/koala.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    for (KoalaPacking packing : {KoalaPacking::Plain, KoalaPacking::RunLength}) {
        const KoalaRead read = read_koala(file, packing);
        if (read.image.has_value() == !read.error.empty()) std::abort();
        if (!read.image) continue;
        PictureBytes picture;
        decode_multicolor(*read.image, multicolor_grid(picture));
        for (std::uint8_t index : picture)
            if (index > 15) std::abort();
        const Encoding encoding = encode_multicolor(multicolor_grid(picture));
        if (encoding.inexact_cells != 0) std::abort();
        PictureBytes again;
        decode_multicolor(*read_koala(write_koala(encoding.image)).image, multicolor_grid(again));
        if (again != picture) std::abort();
    }
    if (looks_like_koala(file) && !read_koala(file).image) std::abort();
    return 0;
}
