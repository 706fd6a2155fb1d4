// Writes the formats fuzzer's first corpus into the folder named: a file of each format, one
// cut a byte short and one a byte long.
#include "formats/format_table.h"
#include "modes/mode.h"
#include <fstream>
#include <string>

int main(int, char** argv) {
    for (const FileFormat* format : c64_picture_formats()) {
        std::vector<std::uint8_t> file(format->length());
        file[0] = std::uint8_t(format->load_address());
        file[1] = std::uint8_t(format->load_address() >> 8);
        if (format->writes())
            file = format->write(
                {.encoded =
                     encode_picture(*format->kind(),
                                    mode_of(*format->kind()).grid_of(StoredPicture{}.data()), 0)
                         .image});
        const std::string name = std::string(argv[1]) + "/" + std::string(format->extensions()[0]);
        const auto put = [&](const std::string& path, std::size_t bytes) {
            file.resize(bytes);
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(file.data()), std::streamsize(bytes));
        };
        const std::size_t whole = file.size();
        put(name + "-whole", whole);
        put(name + "-long", whole + 1);
        put(name + "-short", whole - 1);
    }
}
