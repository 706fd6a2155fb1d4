#pragma once
#include "formats/file_format.h"
#include "storage/file_access.h"
#include <QString>
#include <cstdint>
#include <vector>

// Saving from the editor's windows: when a file cannot be written the user is told which file
// and why (see write_file_atomically), and an existing file keeps its content.

// The picture (in `mode`, on `background`) in the file Save writes for its mode: Vexlor's own,
// or a hires mode's own C64 file; with its sprites in Vexlor's file with sprites where the name
// is one of its own (.vxs). Any other keeps only the bitmap: a picture with sprites asks first.
// Where that file cannot hold every cell exactly the user is asked first, and a picture not
// saved gives false. The grid has the mode's shape.
bool save_picture_file(const QString& path, ConstPixelGrid picture,
                       PictureFormat mode = fmtMulticolor, std::uint8_t background = 0,
                       const SpriteSet& sprites = {});

// Whether a file of that name keeps a picture's sprites: Vexlor's file with sprites (.vxs).
bool keeps_sprites(const QString& path);

// Whether to write a picture some of whose parts a C64 file cannot show exactly: true at once
// when none; else the user is asked, the answer to go on being `go_on` ("Export anyway").
bool write_anyway(const EncodedPicture& encoded, PictureFormat kind, const QString& go_on);

// Any bytes: every file the editor writes goes through here.
bool save_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes);

// The name with the extension a file of `format` is written with: "logo.vxr" as "logo.art",
// "logo" as "logo.art".
QString named_for(const QString& path, const FileFormat& format);
