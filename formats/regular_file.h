#pragma once
#include <string>

// Only a regular file is read. A named pipe would hold the open until somebody wrote to it, and
// a device might never end its reads; so what a path names is looked at before it is opened
// (a pipe or a device is never opened), opened without waiting, and looked at again once open,
// in case another took its place in between. Every file a user names is opened through here.

// "it is not a regular file": why a pipe, a device or a socket is neither read nor written.
inline constexpr char kNotARegularFile[] = "it is not a regular file";

struct OpenedFile {
    int fd = -1;     // open for reading (the caller closes it), or -1
    std::string why; // when not: the system's words ("No such file or directory", "Is a
                     // directory", "Permission denied") or kNotARegularFile
};
OpenedFile open_regular_file(const std::string& path);
