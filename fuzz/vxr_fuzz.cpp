// Feeds arbitrary files to the picture reader, in one piece and in two, and checks that the
// picture only ever holds colour indices, that what the file does not reach is colour 0, and
// that nothing past it is written.
#include "formats/vxr.h"
#include <array>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kPicture = 32000;
    std::array<std::uint8_t, kPicture + 16> whole{}, split{};
    whole.fill(0xEE);
    split.fill(0xEE);

    VxrReader once(PixelGrid{whole.data(), 160, 200});
    once.feed(data, size);
    once.finish();

    VxrReader twice(PixelGrid{split.data(), 160, 200});
    const std::size_t cut = size ? data[0] % (size + 1) : 0;
    twice.feed(data, cut);
    twice.feed(data + cut, size - cut);
    twice.finish();

    if (once.taken() != twice.taken() || whole != split) std::abort();
    for (std::size_t i = 0; i < kPicture; ++i)
        if (i < once.taken() ? whole[i] > 15 : whole[i] != 0) std::abort();
    for (std::size_t i = kPicture; i < whole.size(); ++i)
        if (whole[i] != 0xEE) std::abort();
    return 0;
}
