#include "files/SaveTarget.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{
// Opens the folder in which `path` names a file, reading the path as the system does, and
// copies that file's name into `name`. A path or name too long for the buffers is one the
// system refuses too.
FileDescriptor openFolderOf (const char* path, SaveTarget::Name& name) noexcept
{
    const char* slash = std::strrchr (path, '/');
    const char* last = slash == nullptr ? path : slash + 1;
    char folder[PATH_MAX] = ".";

    if (*last == 0 || std::strlen (last) >= name.size())
        return FileDescriptor();

    if (slash != nullptr)
    {
        // The folder of "/name" is "/" itself.
        const auto length = std::max<size_t> (1, static_cast<size_t> (slash - path));

        if (length >= sizeof (folder))
            return FileDescriptor();

        std::memcpy (folder, path, length);
        folder[length] = 0;
    }

    std::strcpy (name.data(), last);
    return FileDescriptor (::open (folder, O_PATH | O_DIRECTORY | O_CLOEXEC));
}

bool sameFile (const struct stat& a, const struct stat& b) noexcept
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool nameLeadsTo (const FileDescriptor& folder, const char* name, const struct stat& file) noexcept
{
    struct stat named;
    return ::fstatat (folder.get(), name, &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile (named, file);
}
} // namespace

SaveTarget::~SaveTarget()
{
    // Whatever took the name meanwhile is no file of this save's.
    if (made && isStillNamed())
        (void) ::unlinkat (folder.get(), name.data(), 0);
}

bool SaveTarget::resolve (const char* path) noexcept
{
    file = FileDescriptor (::open (path, O_PATH | O_CLOEXEC));

    if (!file.isOpen())
        return errno == ENOENT && resolveNew (path);

    // Replacing a file needs only its folder's permission; the file's own is asked here, so
    // that a file the user protected against writing stays as it is.
    return locate() && S_ISREG (info.st_mode) &&
           ::faccessat (AT_FDCWD, file.procPath().text, W_OK, AT_EACCESS) == 0;
}

bool SaveTarget::isStillNamed() const noexcept
{
    return nameLeadsTo (folder, name.data(), info);
}

// For a path that names nothing: its folder and name when nothing is there, or the file that
// opening a link that names nothing makes.
bool SaveTarget::resolveNew (const char* path) noexcept
{
    folder = openFolderOf (path, name);
    struct stat named;

    if (!folder.isOpen())
        return false;

    if (::fstatat (folder.get(), name.data(), &named, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;

    if (!S_ISLNK (named.st_mode))
        return false; // something appeared meanwhile

    file = FileDescriptor (
        ::openat (folder.get(), name.data(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));

    if (!file.isOpen() || !locate())
        return false;

    // Anything but an empty file with no other name appeared there meanwhile, and stays.
    made = S_ISREG (info.st_mode) && info.st_size == 0 && info.st_nlink == 1;
    return S_ISREG (info.st_mode);
}

// Finds the folder and name of the opened file by the path the system keeps for it, and
// makes sure that name still leads to that very file.
bool SaveTarget::locate() noexcept
{
    char where[PATH_MAX];
    const auto length = ::readlink (file.procPath().text, where, sizeof (where));

    if (::fstat (file.get(), &info) != 0 || length <= 0 || static_cast<size_t> (length) >= sizeof (where) ||
        where[0] != '/')
        return false;

    where[length] = 0;
    folder = openFolderOf (where, name);
    return folder.isOpen() && nameLeadsTo (folder, name.data(), info);
}
