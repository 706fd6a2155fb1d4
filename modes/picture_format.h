#pragma once
#include <cstdint>

// The modes' picture_format values, as the frame keeps them (modes/mode.h has their rows).
enum PictureFormat : std::uint8_t { fmtMulticolor = 1, fmtFli = 2, fmtHires = 3, fmtAfli = 4 };
