#include "formats/escape_runs.h"
#include "formats/file_format.h"
#include <algorithm>
#include <array>

Unpacked unpack_escape_runs(std::span<const std::uint8_t> packed, EscapeCode code,
                            std::size_t length, std::size_t trailing) {
    Unpacked result;
    std::vector<std::uint8_t>& data = result.data;
    data.reserve(length);
    std::size_t at = 0;
    bool ended = false;
    while (at < packed.size() && !ended && (code.end_mark || data.size() < length)) {
        if (packed[at] != code.escape) {
            if (data.size() == length) break; // a byte past the picture: the data end early
            data.push_back(packed[at++]);
            continue;
        }
        if (code.end_mark && at + 1 < packed.size() && packed[at + 1] == 0) {
            ended = true;
            at += 2;
            break;
        }
        if (at + 2 >= packed.size()) {
            result.error = "the packed data end inside a run";
            return result;
        }
        const std::uint8_t count_byte = packed[at + (code.value_first ? 2 : 1)];
        const std::uint8_t value = packed[at + (code.value_first ? 1 : 2)];
        const std::size_t count = count_byte == 0 ? 256 : count_byte;
        if (data.size() + count > length) {
            result.error =
                format_text("a run of %zu bytes goes past the picture's %zu bytes", count, length);
            return result;
        }
        data.insert(data.end(), count, value);
        at += 3;
    }
    if (code.end_mark && !ended && data.size() == length && at < packed.size())
        result.error = format_text("the packed data go on past the picture's %zu bytes", length);
    else if (data.size() < length)
        result.error = format_text("the packed data end after %zu of the picture's %zu bytes",
                                   data.size(), length);
    else if (code.end_mark && !ended)
        result.error = "the packed data have no end mark";
    else if (packed.size() - at > trailing)
        result.error = format_text("%zu bytes follow the packed picture", packed.size() - at);
    return result;
}

void append_escape_runs(std::vector<std::uint8_t>& packed, std::span<const std::uint8_t> data,
                        EscapeCode code) {
    const std::size_t longest_run = code.end_mark ? 255 : 256;
    packed.reserve(packed.size() + data.size() + data.size() / 16);
    for (std::size_t i = 0; i < data.size();) {
        std::size_t run = 1;
        while (i + run < data.size() && data[i + run] == data[i] && run < longest_run) ++run;
        if (run >= 4 || data[i] == code.escape) {
            const std::uint8_t count = std::uint8_t(run); // 256 is written as 0
            if (code.value_first)
                packed.insert(packed.end(), {code.escape, data[i], count});
            else
                packed.insert(packed.end(), {code.escape, count, data[i]});
        } else
            packed.insert(packed.end(), data.begin() + std::ptrdiff_t(i),
                          data.begin() + std::ptrdiff_t(i + run));
        i += run;
    }
    if (code.end_mark) packed.insert(packed.end(), {code.escape, 0});
}

std::uint8_t rarest_byte(std::span<const std::uint8_t> data) {
    std::array<std::size_t, 256> counts{};
    for (std::uint8_t byte : data) ++counts[byte];
    return std::uint8_t(std::min_element(counts.begin(), counts.end()) - counts.begin());
}
