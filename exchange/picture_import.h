#pragma once
#include "platform/common_dialogs.h"
#include <cstdint>

// Picture > Import: asks for a file (the dialog's filter is set here) and brings it in. A Koala
// picture (.koa, .kla, packed .gg, or any file whose content is one) is taken as it is and sets
// `format` to Multicolor; an FLI Graph (.bml, .fli) or FLI Designer (.fd2) picture likewise,
// setting it to FLI. Any other image goes through the conversion dialog, which converts it for
// the `format` in use. The 32000 picture bytes and `format` are written only when the import
// succeeds: true then; false, with both untouched, when the user cancels or the file is
// refused (with a message naming the file and the reason).
bool import_picture(TOpenDialog& dialog, std::uint8_t* picture, std::uint8_t& format);
