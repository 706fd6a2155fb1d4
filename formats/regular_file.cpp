#include "formats/regular_file.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

OpenedFile refused(int error) { return {-1, std::strerror(error)}; }

// A folder is named as the system names it; anything else but a regular file is not read.
OpenedFile refused_for(const struct stat& info) {
    return S_ISDIR(info.st_mode) ? refused(EISDIR) : OpenedFile{-1, kNotARegularFile};
}

} // namespace

OpenedFile open_regular_file(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return refused(errno);
    if (!S_ISREG(info.st_mode)) return refused_for(info);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return refused(errno);
    OpenedFile opened{fd, {}};
    if (::fstat(fd, &info) != 0)
        opened = refused(errno);
    else if (!S_ISREG(info.st_mode))
        opened = refused_for(info);
    if (opened.fd < 0) ::close(fd);
    return opened;
}
