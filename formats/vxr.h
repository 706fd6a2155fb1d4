#pragma once
#include "geometry/geometry.h"
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The .vxr picture file: the picture bytes in order, row by row, each 0x0A stored as 0x0D 0x0A.

std::vector<std::uint8_t> encode_vxr(ConstPixelGrid picture);

// Reads file bytes into a picture: a 0x0D directly before 0x0A is dropped, 0x1A ends the data,
// and at most the picture's pixels are taken; at the end, the rest of the picture becomes 0, so
// that a short file never leaves part of another picture behind.
// Bytes above 15 keep their low four bits, so the picture only ever holds colour indices.
class VxrReader {
public:
    explicit VxrReader(PixelGrid picture)
        : out_(picture.pixels),
          capacity_(std::size_t(picture.width) * std::size_t(picture.height)) {}

    // Takes the next bytes; false once nothing more will be taken.
    bool feed(const std::uint8_t* data, std::size_t size);
    // The end of the file: a 0x0D held back for its successor is taken after all, and what the
    // file did not reach is cleared.
    void finish();
    std::size_t taken() const { return taken_; }
    bool done() const { return done_; }

private:
    void take(std::uint8_t byte);

    std::uint8_t* out_;
    std::size_t capacity_;
    std::size_t taken_ = 0;
    bool pending_cr_ = false;
    bool done_ = false;
};

// Loads a file into the picture; false, with the picture untouched, when it cannot be opened
// (or is no regular file: see open_regular_file).
// It reads no more of the file than the picture can take. `taken`, if given, receives how many
// pixels of the picture the file held.
bool load_vxr_file(const std::string& path, PixelGrid picture, std::size_t* taken = nullptr);
