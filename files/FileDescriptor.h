#pragma once

#include <cstddef>
#include <sys/types.h>

/** A POSIX file descriptor, closed when it goes. Allocates nothing and throws nothing. */
class FileDescriptor
{
public:
    explicit FileDescriptor (int newFd = -1) noexcept
        : fd (newFd)
    {
    }
    ~FileDescriptor();

    FileDescriptor (const FileDescriptor&) = delete;
    FileDescriptor& operator= (const FileDescriptor&) = delete;

    /** Takes the other's descriptor; the one held before closes with the other. */
    FileDescriptor& operator= (FileDescriptor&& other) noexcept;

    int get() const noexcept { return fd; }
    bool isOpen() const noexcept { return fd >= 0; }

    /** "/proc/self/fd/N": the path through which the system reaches what the descriptor
        names, even one opened with O_PATH or a file that has no name yet. */
    struct ProcPath
    {
        char text[32];
    };
    ProcPath procPath() const noexcept;

    /** Writes all `size` bytes at `data` from `offset` on, however many writes that takes. */
    bool writeAll (const char* data, size_t size, off_t offset) const noexcept;

private:
    int fd;
};
