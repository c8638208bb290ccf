#include "files/FileReplacement.h"

#include "files/ExtendedAttributes.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

namespace
{
// Reads a short text of the system's into `text`; false where it cannot.
bool readSystemText (const char* path, char* text, size_t size) noexcept
{
    const FileDescriptor in (::open (path, O_RDONLY | O_CLOEXEC));
    const auto got = in.isOpen() ? ::read (in.get(), text, size - 1) : -1;
    text[got > 0 ? got : 0] = 0;
    return got > 0;
}

// True where every id maps to itself, as in the system's first user namespace.
bool mapsEveryId (const char* mapPath) noexcept
{
    char map[256];
    unsigned inside = 1, outside = 1, count = 0;
    return readSystemText (mapPath, map, sizeof (map)) &&
           std::sscanf (map, "%u %u %u", &inside, &outside, &count) == 3 && inside == 0 && outside == 0 &&
           count == 4294967295u;
}

bool isOverflowId (const char* overflowPath, unsigned id) noexcept
{
    char text[32];
    return !readSystemText (overflowPath, text, sizeof (text)) || std::strtoul (text, nullptr, 10) == id;
}

// In a user namespace (a sandbox), a file's owner or group that the namespace does not map
// shows as the overflow id, whoever it is: a new file may show the same and belong to
// someone else.
bool ownerMayBeHidden (const struct stat& file) noexcept
{
    return !(mapsEveryId ("/proc/self/uid_map") && mapsEveryId ("/proc/self/gid_map")) &&
           (isOverflowId ("/proc/sys/kernel/overflowuid", file.st_uid) ||
            isOverflowId ("/proc/sys/kernel/overflowgid", file.st_gid));
}

// A short name of the save's own for the new file beside the target, whatever the target's
// name, so that every name the system allows can be saved. Random, so that nobody sharing the
// folder can take every name a save would try beforehand.
void makeTemporaryName (SaveTarget::Name& name) noexcept
{
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t value = counter++ ^ (static_cast<std::uint64_t> (::getpid()) << 40);
    (void) ::getrandom (&value, sizeof (value), GRND_NONBLOCK);
    std::snprintf (name.data(), name.size(), ".quorvel-%016llx.tmp", static_cast<unsigned long long> (value));
}

// The modes a new file is made with: the user's alone, or what the umask leaves of them all.
constexpr mode_t kPrivate = S_IRUSR | S_IWUSR;
constexpr mode_t kAnyNewFile = 0666;

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
} // namespace

FileReplacement::~FileReplacement()
{
    discard();
}

bool FileReplacement::prepare() noexcept
{
    if (!target.exists())
        return create (kAnyNewFile);

    // One that cannot carry what the old file had is given up at once, before the old file is
    // written in place.
    if (createPrivate() && carryOver())
        return true;

    discard();
    return false;
}

bool FileReplacement::write (const char* data, size_t size) noexcept
{
    return file.writeAll (data, size, 0) && ::fsync (file.get()) == 0;
}

bool FileReplacement::publish() noexcept
{
    if (!giveName())
        return false;

    syncFolder (target.getFolder(), file);
    return true;
}

// A new file without a name, which a killed save cannot leave behind; where the file system
// has no such files, one with a name of its own.
bool FileReplacement::create (mode_t mode) noexcept
{
    const auto& folder = target.getFolder();
    file = FileDescriptor (::openat (folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));

    return file.isOpen() ||
           nameTemporary (
               [this, &folder, mode] (const char* candidate)
               {
                   file = FileDescriptor (::openat (
                       folder.get(), candidate, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
                   return file.isOpen();
               });
}

// Nobody but the user may open the new file before it carries what the old one had, and the
// user must be able to set its attributes. The umask applies to the mode a file is made with
// and may take away the user's own permissions too, so the mode is set again once it is made.
// A file that then shows anything else is on a disk that shows every file with a mode of its
// own (exFAT mounted for everyone, a bindfs mount that sets modes), which keeps underneath
// whatever mode the file was made or set with: made private there, the file would stay
// unreadable to whoever reads that disk another way. There it is made again as any new file
// is made there.
bool FileReplacement::createPrivate() noexcept
{
    if (!create (kPrivate))
        return false;

    (void) ::fchmod (file.get(), kPrivate);
    struct stat made;

    if (::fstat (file.get(), &made) == 0 && (made.st_mode & 07777) == kPrivate)
        return true;

    discard();
    return create (kAnyNewFile);
}

// Only root may give a file away, a group only its members, and a disk that fixes every
// file's owner and mode refuses each step while the new file already shows what the old one
// has: what counts is what the new file shows in the end.
bool FileReplacement::carryOver() noexcept
{
    const auto& old = target.getInfo();

    const bool ownerGiven = ::fchown (file.get(), old.st_uid, old.st_gid) == 0;
    const ExtendedAttributes attributes (target.getFile());
    attributes.copyTo (file);

    // Last, as changing the owner clears set-ID bits and an ACL sets the permission bits too;
    // and only where the new file does not show that mode already: a disk that shows every
    // file with a mode of its own may pass the change down, where the file is to stay as any
    // new file made there.
    struct stat made;
    if (::fstat (file.get(), &made) == 0 && (made.st_mode & 07777) != (old.st_mode & 07777))
        (void) ::fchmod (file.get(), old.st_mode & 07777);

    return (ownerGiven || !ownerMayBeHidden (old)) && ::fstat (file.get(), &made) == 0 &&
           made.st_uid == old.st_uid && made.st_gid == old.st_gid &&
           (made.st_mode & 07777) == (old.st_mode & 07777) && attributes.areTheSameOn (file);
}

// Gives the written file the target's name. A file without a name is linked to it directly
// when nothing was there (failing should something have appeared meanwhile), else to a name
// of its own first, for the one rename that replaces the old file.
bool FileReplacement::giveName() noexcept
{
    const auto& folder = target.getFolder();

    if (temporary[0] == 0)
    {
        const auto unnamed = file.procPath();
        const auto linkAs = [&folder, &unnamed] (const char* linkName)
        { return ::linkat (AT_FDCWD, unnamed.text, folder.get(), linkName, AT_SYMLINK_FOLLOW) == 0; };

        if (!target.exists())
            return linkAs (target.getName());

        if (!nameTemporary (linkAs))
            return false;
    }

    if (target.exists() ? ::renameat (folder.get(), temporary.data(), folder.get(), target.getName()) != 0
                        : !renameNew (folder, temporary.data(), target.getName()))
        return false;

    temporary[0] = 0;
    return true;
}

void FileReplacement::discard() noexcept
{
    if (temporary[0] != 0)
        (void) ::unlinkat (target.getFolder().get(), temporary.data(), 0);

    temporary[0] = 0;
    file = FileDescriptor();
}

// Tries names until `makeAs` makes something under one that nobody uses, which is then the
// temporary name.
template <typename MakeAs>
bool FileReplacement::nameTemporary (MakeAs&& makeAs) noexcept
{
    SaveTarget::Name candidate;

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
