# Turns an assembled viewer (a .prg) and acme's symbol list into a C++ header.
# cmake -DPROGRAM=viewer.prg -DSYMBOLS=viewer.sym -DOUTPUT=viewer_program.h -DNAMES=a,b
#       -DNAMESPACE=viewer -DSOURCE=viewer.asm -P ...
file(READ "${PROGRAM}" bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
file(STRINGS "${SYMBOLS}" symbol_lines)
string(REPLACE "," ";" NAMES "${NAMES}")
set(constants "")
foreach(name IN LISTS NAMES)
    set(value "")
    foreach(line IN LISTS symbol_lines)
        if(line MATCHES "^[ \t]*${name}[ \t]*=[ \t]*\\$([0-9a-fA-F]+)")
            set(value "${CMAKE_MATCH_1}")
        endif()
    endforeach()
    if(value STREQUAL "")
        message(FATAL_ERROR "${SYMBOLS} has no symbol ${name}")
    endif()
    string(APPEND constants "inline constexpr std::uint16_t ${name} = 0x${value};\n")
endforeach()
file(WRITE "${OUTPUT}" "// Made at build time from c64/${SOURCE}; edit that file instead.
#pragma once
#include <cstdint>

namespace ${NAMESPACE} {
// The program as acme assembled it, load address first.
inline constexpr std::uint8_t program[] = {${bytes}};
// Addresses the program reads the picture from.
${constants}} // namespace ${NAMESPACE}
")
