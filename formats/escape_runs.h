#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The run-length code of Amica Paint and packed Drazpaint: `escape count value` stands for
// `count` copies of `value`, any other byte for itself. With an end mark, `escape 0` ends the
// data; without one a count of 0 stands for 256 and the data end with the picture. Packed
// Doodle puts the value first: `escape value count`.
struct EscapeCode {
    std::uint8_t escape = 0;
    bool end_mark = false;
    bool value_first = false;
};

// Data unpacked to exactly `length` bytes, or in `error` why not. A run never writes past
// `length`, and at most `trailing` bytes may follow the packed data (padding).
struct Unpacked {
    std::vector<std::uint8_t> data;
    std::string error;
};
Unpacked unpack_escape_runs(std::span<const std::uint8_t> packed, EscapeCode code,
                            std::size_t length, std::size_t trailing);

// Appends `data` to `file` packed as the programs pack it: runs of four or more, and every
// escape byte, as runs; with the end mark last where the code has one.
void append_escape_runs(std::vector<std::uint8_t>& file, std::span<const std::uint8_t> data,
                        EscapeCode code);

// The byte value that `data` holds least often: the escape that packs it shortest.
std::uint8_t rarest_byte(std::span<const std::uint8_t> data);
