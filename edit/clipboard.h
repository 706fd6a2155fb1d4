#pragma once
#include "selection/block.h"
#include <QImage>
#include <optional>

class QMimeData;

// Vexlor's own lossless form of a block on the clipboard (see selection/block_exchange.h).
inline constexpr char kPixelsMimeType[] = "application/x-vexlor-pixels";

// The block as it is shown: each picture pixel as wide as the pixels of `picture` show, in the
// displayed palette.
QImage shown_image(const PixelBlock& block, const PictureShape& picture);

// An image as a block for `picture`, matched to the displayed colours as Import matches one:
// pixels shown two wide make one picture pixel, a transparent part lies over black, and what
// lies past the picture's size is left out.
PixelBlock block_from_qimage(const QImage& image, const PictureShape& picture);

// Both forms of the block: the image for other programs and Vexlor's own.
QMimeData* block_mime_data(const PixelBlock& block, const PictureShape& picture);

// The block in `data`, for `picture`: Vexlor's own form where it is there, else an image
// matched to the displayed colours; nothing where neither is usable, as an image offered as a
// GIF or a JPEG that is cut short is not.
std::optional<PixelBlock> block_from_mime(const QMimeData& data, const PictureShape& picture);

// The system clipboard.
void copy_to_clipboard(const PixelBlock& block, const PictureShape& picture);
std::optional<PixelBlock> block_from_clipboard(const PictureShape& picture);
