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

namespace {

std::vector<std::uint8_t> program_for(const MulticolorImage& image, std::uint8_t control2) {
    std::vector<std::uint8_t> file(file_offset(viewer::bitmap) + kBitmapBytes);
    std::copy(std::begin(viewer::program), std::end(viewer::program), file.begin());
    file[file_offset(viewer::background)] = image.background & 0x0F;
    file[file_offset(viewer::control2)] = control2;
    std::copy(image.screen.begin(), image.screen.end(),
              file.begin() + file_offset(viewer::screen_data));
    std::copy(image.color.begin(), image.color.end(),
              file.begin() + file_offset(viewer::colour_data));
    std::copy(image.bitmap.begin(), image.bitmap.end(), file.begin() + file_offset(viewer::bitmap));
    return file;
}

} // namespace

std::vector<std::uint8_t> write_prg(const MulticolorImage& image) {
    return program_for(image, kMulticolourControl2);
}

// Colour RAM and the background play no part in hires: the border is black.
std::vector<std::uint8_t> write_hires_prg(const HiresImage& image) {
    return program_for({.bitmap = image.bitmap, .screen = image.screen}, kHiresControl2);
}
