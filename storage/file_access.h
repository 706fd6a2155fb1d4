#pragma once
#include "formats/file_reading.h"
#include "formats/vxs.h"
#include "geometry/geometry.h"
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QSaveFile;

// Reading and writing the editor's files, with no window: the converter uses these as the
// editor does.

// Opening keeps quiet when a file cannot be read: nothing has been lost. The pixels a short
// file does not hold are colour 0; `pixels`, if given, receives how many it held. The file holds
// a multicolour picture, 160 x 200; a grid of another size is refused.
bool load_picture_file(const QString& path, PixelGrid picture, std::size_t* pixels = nullptr);

// A Vexlor file with sprites: the picture in its mode with its background and sprites, or why
// it cannot be opened ("it is not a regular file", "a Vexlor picture with sprites ends inside
// its pixels"). Nothing of a file refused is taken.
struct SpritesFileRead {
    std::optional<PictureWithSprites> picture;
    QString error;
};
SpritesFileRead load_sprites_file(const QString& path);

// Raw sprite data (formats/raw_sprites.h: sprites that name no colour take `colour`), or why it
// cannot be imported ("it is not a regular file", "it is not whole 64-byte blocks").
struct RawSpritesFileRead {
    std::optional<SpriteSet> sprites;
    QString error;
};
RawSpritesFileRead load_raw_sprites_file(const QString& path, std::uint8_t colour);

// Whether the name is that of a picture that Open reads (Vexlor's own, .vxr in any case); any
// other file opens as Import reads it.
bool is_vexlor_file_name(const QString& path);

// Writes the whole file beside the target and replaces the target only once it is complete:
// why it failed, or empty once the file is in place. A pipe, a device or a socket (or a link to
// one) is neither written nor replaced: "it is not a regular file".
QString write_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes);

// Runs just before a save's last step (flush, sync and rename), where a disk can still fail;
// tests make that step fail through it.
void SetBeforeCommitHook(std::function<void(QSaveFile&)> hook);
