#pragma once
#include "platform/common_dialogs.h"
#include <cstdint>

// Picture > Import: asks for a file (the dialog's filter is set here) and brings it in. A Koala
// picture (.koa, .kla, packed .gg, or any file whose content is one) is taken as it is; any
// other image goes through the conversion dialog. The 32000 picture bytes and the background
// (the Koala file's, or the one the conversion chose) are written only when the import
// succeeds: true then; false, with both untouched, when the user cancels or the file is
// refused (with a message naming the file and the reason).
bool import_picture(TOpenDialog& dialog, std::uint8_t* picture, std::uint8_t& background);
