#include "files/FileDescriptor.h"

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
