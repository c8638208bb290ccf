#include "files/AtomicFileWriter.h"

#include "files/FileDescriptor.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

// Nothing here allocates memory: a save refused for want of it would otherwise have to undo
// what it made, and a path or name too long for these buffers is one the system refuses too.
namespace
{
using Name = std::array<char, NAME_MAX + 1>;

// Opens the folder in which `path` names a file, reading the path as the system does, and
// copies that file's name into `name`.
FileDescriptor openFolderOf (const char* path, Name& name) noexcept
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

// Writing beyond the process's file-size limit raises SIGXFSZ, whose default action ends the
// program with every unsaved edit; a document that does not fit is refused before anything
// is made.
bool fitsFileSizeLimit (size_t size) noexcept
{
    struct rlimit limit;
    return ::getrlimit (RLIMIT_FSIZE, &limit) == 0 &&
           (limit.rlim_cur == RLIM_INFINITY || static_cast<rlim_t> (size) <= limit.rlim_cur);
}

bool writeAll (int fd, const char* data, size_t size) noexcept
{
    while (size > 0)
    {
        const auto written = ::write (fd, data, size);

        if (written < 0 && errno == EINTR)
            continue;

        if (written <= 0)
            return false;

        data += written;
        size -= static_cast<size_t> (written);
    }

    return true;
}

constexpr const char* kAccessAcl = "system.posix_acl_access";

// What the file's owning group may do (three bits). With an access ACL the mode's group bits
// are the ACL's mask, the most that any named user or group may get; the owning group's own
// permissions are those of its entry, within the mask. ACLs are not kept, so those are what
// the group keeps. An ACL that cannot be read gives the group no more than others.
mode_t owningGroupPermissions (const FileDescriptor& file, mode_t mode) noexcept
{
    constexpr unsigned kGroupEntry = 0x04; // ACL_GROUP_OBJ, in the little-endian entries
    constexpr ssize_t kHeaderBytes = 4, kEntryBytes = 8;
    const mode_t bits = (mode >> 3) & 7;
    unsigned char acl[4096];
    const auto size = ::getxattr (file.procPath().text, kAccessAcl, acl, sizeof (acl));

    if (size < 0)
        return errno == ENODATA || errno == ENOTSUP ? bits : bits & mode & 7;

    for (auto at = kHeaderBytes; at + kEntryBytes <= size; at += kEntryBytes)
        if (static_cast<unsigned> (acl[at] | acl[at + 1] << 8) == kGroupEntry)
            return bits & acl[at + 2] & 7;

    return bits;
}

// Gives the new file the old one's owner and group where the system allows, then the old
// permission bits, and no ACL it may have inherited from its folder. Keeping the owner takes
// privileges the user may not have; the group alone may still be kept. Where it cannot be,
// the file is in the user's own group, whose members must gain nothing by the save: the group
// gets no access that others did not have. Changing the owner clears set-ID bits, so the mode
// comes after.
bool keepOwnerAndMode (const FileDescriptor& file, const struct stat& old, mode_t oldGroup) noexcept
{
    if (::fchown (file.get(), old.st_uid, old.st_gid) != 0)
        (void) ::fchown (file.get(), static_cast<uid_t> (-1), old.st_gid);

    struct stat made;

    if (::fstat (file.get(), &made) != 0 ||
        (::fremovexattr (file.get(), kAccessAcl) != 0 && errno != ENODATA && errno != ENOTSUP))
        return false;

    auto mode = (old.st_mode & static_cast<mode_t> (S_IRWXU | S_IRWXO)) | oldGroup << 3;

    if (made.st_gid != old.st_gid)
        mode &= static_cast<mode_t> (~S_IRWXG) | ((mode & S_IRWXO) << 3);

    return ::fchmod (file.get(), mode) == 0;
}

// A short name of the save's own for the new file beside the target, whatever the target's
// name, so that every name the system allows can be saved. Random, so that nobody sharing the
// folder can take every name a save would try beforehand.
void makeTemporaryName (Name& name) noexcept
{
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t value = counter++ ^ static_cast<std::uint64_t> (::getpid()) << 40;
    (void) ::getrandom (&value, sizeof (value), GRND_NONBLOCK);
    std::snprintf (name.data(), name.size(), ".quorvel-%016llx.tmp", static_cast<unsigned long long> (value));
}

// Names tried for the new file before the save gives up.
constexpr int kNameTries = 100;

// Renames a new file to `to` without replacing what may have appeared there meanwhile, where
// the file system can.
bool renameNew (const FileDescriptor& folder, const char* from, const char* to) noexcept
{
    if (::renameat2 (folder.get(), from, folder.get(), to, RENAME_NOREPLACE) == 0)
        return true;

    return errno == EINVAL && ::renameat (folder.get(), from, folder.get(), to) == 0;
}

// The renaming makes the new file the target, but reaches the disk with the folder, not the
// file: synced, a save reported as done survives a power cut. A folder the user may not read
// cannot be opened to be synced; its whole file system is then. The file itself is whole
// either way, so a failure here does not fail the save.
void syncFolder (const FileDescriptor& folder, const FileDescriptor& file) noexcept
{
    const FileDescriptor readable (::openat (folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    (void) (readable.isOpen() ? ::fsync (readable.get()) : ::syncfs (file.get()));
}

// One save. A file with a name of its own that it made is removed again unless it completes.
class Save
{
public:
    Save() = default;
    ~Save()
    {
        if (temporary[0] != 0)
            (void) ::unlinkat (folder.get(), temporary.data(), 0);
    }

    Save (const Save&) = delete;
    Save& operator= (const Save&) = delete;

    bool run (const char* path, const char* data, size_t size) noexcept
    {
        if (!fitsFileSizeLimit (size) || !resolve (path) || !createNewFile())
            return false;

        if (exists && !keepOwnerAndMode (newFile, old, oldGroup))
            return false;

        if (!writeAll (newFile.get(), data, size) || ::fsync (newFile.get()) != 0 || !publish())
            return false;

        syncFolder (folder, newFile);
        return true;
    }

private:
    // Finds the file to replace by opening the path, so that links are followed exactly where
    // and as the system follows them: a link it refuses to follow (say, one another user put
    // in a shared sticky folder) refuses the save. Nothing is opened for reading or writing.
    bool resolve (const char* path) noexcept
    {
        const FileDescriptor target (::open (path, O_PATH | O_CLOEXEC));

        if (!target.isOpen())
            return errno == ENOENT && resolveNew (path);

        exists = locate (target) && S_ISREG (old.st_mode);

        if (!exists)
            return false;

        oldGroup = owningGroupPermissions (target, old.st_mode);

        // Renaming over a file needs only the folder's permission; the file's own is asked
        // here, so that a file the user protected against writing stays as it is.
        return ::faccessat (AT_FDCWD, target.procPath().text, W_OK, AT_EACCESS) == 0;
    }

    // For a path that names nothing: its folder and name when nothing is there. When a link
    // that names nothing is, opening it to create what it names lets the system decide
    // whether the link may be followed and which file it makes. That file, found and removed
    // again at once, is saved as a new one, so that a failed or killed save leaves nothing.
    bool resolveNew (const char* path) noexcept
    {
        folder = openFolderOf (path, name);
        struct stat named;

        if (!folder.isOpen())
            return false;

        if (::fstatat (folder.get(), name.data(), &named, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT;

        if (!S_ISLNK (named.st_mode))
            return false; // something appeared meanwhile

        const FileDescriptor made (::openat (folder.get(), name.data(),
                                             O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));

        // Anything but an empty regular file of the user's own, named nowhere else, appeared
        // there meanwhile: it stays.
        return made.isOpen() && locate (made) && S_ISREG (old.st_mode) && old.st_size == 0 &&
               old.st_nlink == 1 && old.st_uid == ::geteuid() &&
               ::unlinkat (folder.get(), name.data(), 0) == 0;
    }

    // Finds the folder and name of the opened file `target` by the path the system keeps
    // for it, and makes sure that name still leads to that very file.
    bool locate (const FileDescriptor& target) noexcept
    {
        char where[PATH_MAX];
        const auto length = ::readlink (target.procPath().text, where, sizeof (where));

        if (::fstat (target.get(), &old) != 0 || length <= 0 ||
            static_cast<size_t> (length) >= sizeof (where) || where[0] != '/')
            return false;

        where[length] = 0;
        folder = openFolderOf (where, name);
        struct stat named;
        return folder.isOpen() && ::fstatat (folder.get(), name.data(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
               sameFile (named, old);
    }

    // A new file without a name, which a killed save cannot leave behind; where the file
    // system has no such files, one with a name of its own. A file replacing another is
    // given that file's owner and mode before any byte goes in; a new one gets what any new
    // file gets (the umask and the folder's default ACL apply).
    bool createNewFile() noexcept
    {
        const mode_t mode = exists ? S_IRUSR | S_IWUSR : 0666;
        newFile = FileDescriptor (::openat (folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));

        if (!newFile.isOpen())
            nameTemporary (
                [this, mode] (const char* candidate)
                {
                    newFile = FileDescriptor (::openat (
                        folder.get(), candidate, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
                    return newFile.isOpen();
                });

        return newFile.isOpen();
    }

    // Gives the written file the target's name. A file without a name is linked to it
    // directly when nothing was there (failing should something have appeared meanwhile),
    // else to a name of its own first, for the one rename that replaces the old file.
    bool publish() noexcept
    {
        if (temporary[0] == 0)
        {
            const auto unnamed = newFile.procPath();
            const auto linkAs = [this, &unnamed] (const char* linkName)
            { return ::linkat (AT_FDCWD, unnamed.text, folder.get(), linkName, AT_SYMLINK_FOLLOW) == 0; };

            if (!exists)
                return linkAs (name.data());

            if (!nameTemporary (linkAs))
                return false;
        }

        if (exists ? ::renameat (folder.get(), temporary.data(), folder.get(), name.data()) != 0
                   : !renameNew (folder, temporary.data(), name.data()))
            return false;

        temporary[0] = 0;
        return true;
    }

    // Tries names until `makeAs` makes something under one that nobody uses, which is then
    // the temporary name.
    template <typename MakeAs>
    bool nameTemporary (MakeAs&& makeAs) noexcept
    {
        Name candidate;

        for (int attempt = 0; attempt < kNameTries; ++attempt)
        {
            makeTemporaryName (candidate);

            if (makeAs (candidate.data()))
            {
                temporary = candidate;
                return true;
            }

            if (errno != EEXIST)
                break;
        }

        return false;
    }

    FileDescriptor folder;
    Name name{};
    bool exists = false;
    struct stat old = {};
    mode_t oldGroup = 0;

    FileDescriptor newFile;
    Name temporary{}; // the new file's name while it has one of its own; empty otherwise
};
} // namespace

bool AtomicFileWriter::write (const juce::File& file, const void* data, size_t size)
{
    Save save;
    return save.run (file.getFullPathName().toRawUTF8(), static_cast<const char*> (data), size);
}
