#pragma once
#include "formats/picture_codec.h"

// Each format Vexlor reads, one codec a file (see format_table.h for all of them together).
const PictureCodec& koala_codec();
const PictureCodec& packed_koala_codec();
const PictureCodec& fli_graph_codec();
const PictureCodec& fli_designer_codec();
const PictureCodec& advanced_art_studio_codec();
const PictureCodec& artist64_codec();
const PictureCodec& blazing_paddles_codec();
const PictureCodec& image_system_codec();
const PictureCodec& interpaint_lores_codec();
const PictureCodec& vidcom64_codec();
const PictureCodec& twilight_codec();
const PictureCodec& drazpaint_codec();
const PictureCodec& drazpaint_packed_codec();
const PictureCodec& saracen_paint_codec();
const PictureCodec& amica_paint_codec();
const PictureCodec& paint_magic_codec();
