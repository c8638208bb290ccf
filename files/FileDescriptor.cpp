#include "files/FileDescriptor.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>
#include <utility>

FileDescriptor::~FileDescriptor()
{
    if (fd >= 0)
        ::close (fd);
}

FileDescriptor& FileDescriptor::operator= (FileDescriptor&& other) noexcept
{
    std::swap (fd, other.fd);
    return *this;
}

FileDescriptor::ProcPath FileDescriptor::procPath() const noexcept
{
    ProcPath path;
    std::snprintf (path.text, sizeof (path.text), "/proc/self/fd/%d", fd);
    return path;
}

bool FileDescriptor::writeAll (const char* data, size_t size, off_t offset) const noexcept
{
    while (size > 0)
    {
        const auto written = ::pwrite (fd, data, size, offset);

        if (written < 0 && errno == EINTR)
            continue;

        if (written <= 0)
            return false;

        data += written;
        size -= static_cast<size_t> (written);
        offset += written;
    }

    return true;
}
