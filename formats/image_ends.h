#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

// Whether a GIF or a JPEG file holds the whole of its (first) image. Qt's readers show what a
// file cut short holds and leave the rest black, so the file's own structure is walked: a GIF's
// blocks up to the end of its first image's data, a JPEG's segments and scans up to its end
// marker. What follows that is not looked at. Other formats are not judged here.
enum class ImageKind : std::uint8_t { Gif, Jpeg };

// Fills the buffer with the file's next bytes; 0 at its end.
using ReadBytes = std::function<std::size_t(std::uint8_t* buffer, std::size_t size)>;

bool holds_whole_image(ImageKind kind, const ReadBytes& read);
