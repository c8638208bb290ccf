#include "interposed/Interposer.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

Interposer interposer;

Interposer::Scope::Scope()
{
    interposer = Interposer();
}

Interposer::Scope::~Scope()
{
    interposer = Interposer();
}

namespace
{
template <typename Function>
Function* next (const char* name)
{
    return reinterpret_cast<Function*> (::dlsym (RTLD_NEXT, name));
}

// Runs the hook once, keeping errno as the call it follows left it.
void fire (std::function<void()>& hook)
{
    if (auto once = std::exchange (hook, nullptr); once)
    {
        const int error = errno;
        once();
        errno = error;
    }
}

int fail (int error)
{
    errno = error;
    return -1;
}

std::string contentsOf (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool unnamed (int flags)
{
    return (flags & O_TMPFILE) == O_TMPFILE;
}

// Opened with O_PATH: the file a save found, not one it made.
bool foundByPath (const char* path)
{
    int fd = -1;
    return std::sscanf (path, "/proc/self/fd/%d", &fd) == 1 && (::fcntl (fd, F_GETFL) & O_PATH) != 0;
}

// The errors that setting attributes, and reading those of a file found by O_PATH, fail with.
int attributeWriteError()
{
    return interposer.attributesUnsupported != 0 ? interposer.attributesUnsupported
                                                 : interposer.attributeError;
}

int attributeReadError (const char* path)
{
    if (interposer.attributesUnsupported != 0)
        return interposer.attributesUnsupported;
    return foundByPath (path) ? interposer.attributeReadError : 0;
}

int showMode (int result, struct stat& info)
{
    if (result == 0 && interposer.shownMode != 0 && S_ISREG (info.st_mode))
        info.st_mode = S_IFREG | interposer.shownMode;
    return result;
}

// Opened for writing without O_NONBLOCK, a FIFO that nobody reads waits for a reader.
bool waitsForReader (int folder, const char* path, int flags)
{
    struct stat info;
    return (flags & O_ACCMODE) != O_RDONLY && (flags & (O_NONBLOCK | O_PATH)) == 0 &&
           ::fstatat (folder, path, &info, 0) == 0 && S_ISFIFO (info.st_mode);
}

mode_t modeArgument (int flags, va_list& arguments)
{
    return __OPEN_NEEDS_MODE (flags) ? static_cast<mode_t> (va_arg (arguments, unsigned)) : 0;
}
} // namespace

// Opening by a path alone is opening it from the working folder.
extern "C" int open (const char* path, int flags, ...)
{
    va_list arguments;
    va_start (arguments, flags);
    const auto mode = modeArgument (flags, arguments);
    va_end (arguments);
    return openat (AT_FDCWD, path, flags, mode);
}

extern "C" int openat (int folder, const char* path, int flags, ...)
{
    static const auto real = next<int (int, const char*, int, ...)> ("openat");
    va_list arguments;
    va_start (arguments, flags);
    const auto mode = modeArgument (flags, arguments);
    va_end (arguments);

    if (unnamed (flags) && interposer.refuseUnnamedFiles)
        return fail (EOPNOTSUPP);

    if (interposer.folderReadError != 0 && !unnamed (flags) &&
        (flags & (O_DIRECTORY | O_PATH)) == O_DIRECTORY)
        return fail (interposer.folderReadError);

    const bool temporary = (flags & O_EXCL) != 0 && std::strncmp (path, ".quorvel-", 9) == 0;

    if (temporary && (++interposer.temporaryNamesTried, interposer.temporaryError != 0))
        return fail (interposer.temporaryError);

    if ((flags & (O_CREAT | O_EXCL)) == O_CREAT)
        fire (interposer.beforeCreatingOpen);

    if (waitsForReader (folder, path, flags))
        return ++interposer.opensThatWouldHang, fail (EINTR);

    const int fd = real (folder, path, flags, mode);
    interposer.temporaryFilesMade += temporary && fd >= 0 ? 1 : 0;

    if (fd < 0 && errno == ENOENT && (flags & O_PATH) != 0)
        fire (interposer.afterPathOpenFailed);

    return fd;
}

extern "C" int fchown (int fd, uid_t owner, gid_t group) noexcept
{
    static const auto real = next<decltype (::fchown)> ("fchown");
    struct stat info;
    if (::fstat (fd, &info) == 0)
        interposer.modeGivenAnOwner = info.st_mode & 07777;
    return interposer.ownerError != 0 ? fail (interposer.ownerError) : real (fd, owner, group);
}

extern "C" int fchmod (int fd, mode_t mode) noexcept
{
    static const auto real = next<decltype (::fchmod)> ("fchmod");
    return interposer.modeError != 0 ? fail (interposer.modeError) : real (fd, mode);
}

extern "C" int fstat (int fd, struct stat* info) noexcept
{
    static const auto real = next<decltype (::fstat)> ("fstat");
    return showMode (real (fd, info), *info);
}

extern "C" int fstatat (int folder, const char* path, struct stat* info, int flags) noexcept
{
    static const auto real = next<decltype (::fstatat)> ("fstatat");
    return showMode (real (folder, path, info, flags), *info);
}

extern "C" int fsetxattr (int fd, const char* name, const void* value, size_t size, int flags) noexcept
{
    static const auto real = next<decltype (::fsetxattr)> ("fsetxattr");
    return attributeWriteError() != 0 ? fail (attributeWriteError()) : real (fd, name, value, size, flags);
}

extern "C" int fremovexattr (int fd, const char* name) noexcept
{
    static const auto real = next<decltype (::fremovexattr)> ("fremovexattr");
    return attributeWriteError() != 0 ? fail (attributeWriteError()) : real (fd, name);
}

extern "C" ssize_t getxattr (const char* path, const char* name, void* value, size_t size) noexcept
{
    static const auto real = next<decltype (::getxattr)> ("getxattr");
    return attributeReadError (path) != 0 ? fail (attributeReadError (path)) : real (path, name, value, size);
}

extern "C" ssize_t listxattr (const char* path, char* names, size_t size) noexcept
{
    static const auto real = next<decltype (::listxattr)> ("listxattr");
    return attributeReadError (path) != 0 ? fail (attributeReadError (path)) : real (path, names, size);
}

extern "C" ssize_t fgetxattr (int fd, const char* name, void* value, size_t size) noexcept
{
    static const auto real = next<decltype (::fgetxattr)> ("fgetxattr");
    return interposer.attributesUnsupported != 0 ? fail (interposer.attributesUnsupported)
                                                 : real (fd, name, value, size);
}

extern "C" ssize_t flistxattr (int fd, char* names, size_t size) noexcept
{
    static const auto real = next<decltype (::flistxattr)> ("flistxattr");
    return interposer.attributesUnsupported != 0 ? fail (interposer.attributesUnsupported)
                                                 : real (fd, names, size);
}

extern "C" int renameat (int fromFolder, const char* from, int toFolder, const char* to) noexcept
{
    static const auto real = next<decltype (::renameat)> ("renameat");
    return interposer.renameError != 0 ? fail (interposer.renameError)
                                       : real (fromFolder, from, toFolder, to);
}

extern "C" int renameat2 (int fromFolder, const char* from, int toFolder, const char* to,
                          unsigned flags) noexcept
{
    static const auto real = next<decltype (::renameat2)> ("renameat2");
    return flags != 0 && interposer.noReplaceUnsupported ? fail (EINVAL)
                                                         : real (fromFolder, from, toFolder, to, flags);
}

extern "C" ssize_t pwrite (int fd, const void* data, size_t size, off_t offset)
{
    static const auto real = next<decltype (::pwrite)> ("pwrite");

    if (interposer.interruptedWrites > 0)
        return --interposer.interruptedWrites, fail (EINTR);

    if (interposer.writesStoringNothing > 0)
        return --interposer.writesStoringNothing, 0;

    if (offset == 0 && interposer.headWriteError != 0)
        return fail (interposer.headWriteError);

    if (interposer.diskRoom >= 0)
    {
        if (offset >= interposer.diskRoom)
            return fail (ENOSPC);

        size = std::min (size, static_cast<size_t> (interposer.diskRoom - offset));
    }

    return real (fd, data, size, offset);
}

extern "C" int fsync (int fd)
{
    static const auto real = next<decltype (::fsync)> ("fsync");
    struct stat synced;

    if (interposer.watched.empty() || ::fstat (fd, &synced) != 0)
        return real (fd);

    if (S_ISREG (synced.st_mode))
    {
        fire (interposer.beforeFileSync);

        if (interposer.fileSyncError != 0)
            return fail (interposer.fileSyncError);

        interposer.syncs.push_back ("file:" + contentsOf ("/proc/self/fd/" + std::to_string (fd)));
    }
    else if (S_ISDIR (synced.st_mode))
    {
        interposer.syncs.push_back ("folder:" + contentsOf (interposer.watched));
    }

    return real (fd);
}

extern "C" int syncfs (int fd) noexcept
{
    static const auto real = next<decltype (::syncfs)> ("syncfs");

    if (!interposer.watched.empty())
        interposer.syncs.push_back ("folder:" + contentsOf (interposer.watched));

    return real (fd);
}

extern "C" int fdatasync (int fd)
{
    static const auto real = next<decltype (::fdatasync)> ("fdatasync");
    struct stat synced;
    const bool regular = ::fstat (fd, &synced) == 0 && S_ISREG (synced.st_mode);
    return regular && interposer.fileSyncError != 0 ? fail (interposer.fileSyncError) : real (fd);
}

extern "C" ssize_t readlink (const char* path, char* buffer, size_t size) noexcept
{
    static const auto real = next<decltype (::readlink)> ("readlink");
    const auto length = real (path, buffer, size);

    if (std::strncmp (path, "/proc/self/fd/", 14) == 0)
        fire (interposer.afterProcLinkRead);

    return length;
}

extern "C" ssize_t getrandom (void* buffer, size_t size, unsigned flags)
{
    static const auto real = next<decltype (::getrandom)> ("getrandom");

    if (!interposer.countedRandom || size != sizeof (interposer.nextRandom))
        return real (buffer, size, flags);

    std::memcpy (buffer, &interposer.nextRandom, size);
    ++interposer.nextRandom;
    return static_cast<ssize_t> (size);
}
