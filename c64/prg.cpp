#include "c64/prg.h"
#include "viewer_program.h"
#include <algorithm>
#include <iterator>

namespace {

// Where a C64 address lands in the file: the load address takes the first two bytes.
constexpr std::size_t file_offset(std::uint16_t address) { return address - kPrgLoadAddress + 2; }

static_assert(viewer::program[0] == (kPrgLoadAddress & 0xFF) &&
              viewer::program[1] == kPrgLoadAddress >> 8);
static_assert(file_offset(viewer::background) == std::size(viewer::program),
              "the picture follows the viewer's code");

} // namespace

std::vector<std::uint8_t> write_prg(const MulticolorImage& image) {
    std::vector<std::uint8_t> file(file_offset(viewer::bitmap) + kBitmapBytes);
    std::copy(std::begin(viewer::program), std::end(viewer::program), file.begin());
    file[file_offset(viewer::background)] = image.background & 0x0F;
    std::copy(image.screen.begin(), image.screen.end(),
              file.begin() + file_offset(viewer::screen_data));
    std::copy(image.color.begin(), image.color.end(),
              file.begin() + file_offset(viewer::colour_data));
    std::copy(image.bitmap.begin(), image.bitmap.end(), file.begin() + file_offset(viewer::bitmap));
    return file;
}
