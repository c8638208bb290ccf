#include "link/AtomicFileWriter.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace
{
// A file descriptor, closed when it goes.
class Descriptor
{
public:
    explicit Descriptor (int newFd = -1) noexcept
        : fd (newFd)
    {
    }
    ~Descriptor() { close(); }

    Descriptor (const Descriptor&) = delete;
    Descriptor& operator= (const Descriptor&) = delete;
    Descriptor& operator= (Descriptor&& other) noexcept
    {
        if (this != &other)
        {
            close();
            fd = std::exchange (other.fd, -1);
        }

        return *this;
    }

    int get() const noexcept { return fd; }
    bool isOpen() const noexcept { return fd >= 0; }

    // False when closing reports that written data was lost.
    bool close() noexcept { return fd < 0 || ::close (std::exchange (fd, -1)) == 0; }

private:
    int fd;
};

// The name through which the system reaches what a descriptor names, even one opened with
// O_PATH or a file that has no name yet.
std::string procPathOf (const Descriptor& d)
{
    return "/proc/self/fd/" + std::to_string (d.get());
}

// "a/b/c" as the system reads it: the folder "a/b" and the name "c" in it.
std::pair<std::string, std::string> splitPath (const std::string& path)
{
    const auto slash = path.rfind ('/');

    if (slash == std::string::npos)
        return {".", path};

    return {slash == 0 ? "/" : path.substr (0, slash), path.substr (slash + 1)};
}

bool sameFile (const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Writing beyond the process's file-size limit raises SIGXFSZ, whose default action ends the
// program with every unsaved edit; a document that does not fit is refused before anything
// is made.
bool fitsFileSizeLimit (size_t size)
{
    struct rlimit limit;
    return ::getrlimit (RLIMIT_FSIZE, &limit) == 0 &&
           (limit.rlim_cur == RLIM_INFINITY || static_cast<rlim_t> (size) <= limit.rlim_cur);
}

bool writeAll (int fd, const char* data, size_t size)
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

// Gives the new file the old one's owner and group where the system allows, then the old
// permission bits. Keeping the owner takes privileges the user may not have; the group alone
// may still be kept. Where it cannot be, the file is in the user's own group, whose members
// must gain nothing by the save: the group gets no access that others did not have. Changing
// the owner clears set-ID bits, so the mode comes after.
bool keepOwnerAndMode (const Descriptor& file, const struct stat& old)
{
    if (::fchown (file.get(), old.st_uid, old.st_gid) != 0)
        (void) ::fchown (file.get(), static_cast<uid_t> (-1), old.st_gid);

    struct stat made;

    if (::fstat (file.get(), &made) != 0)
        return false;

    auto mode = old.st_mode & static_cast<mode_t> (S_IRWXU | S_IRWXG | S_IRWXO);

    if (made.st_gid != old.st_gid)
        mode &= static_cast<mode_t> (~S_IRWXG) | ((mode & S_IRWXO) << 3);

    return ::fchmod (file.get(), mode) == 0;
}

// Names tried for the new file before the save gives up.
constexpr int kNameTries = 100;

// The renaming makes the new file the target, but reaches the disk with the folder, not the
// file: synced, a save reported as done survives a power cut. The file itself is whole either
// way, so a folder that cannot be synced does not fail the save.
void syncFolder (const Descriptor& folder)
{
    const Descriptor readable (::openat (folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));

    if (readable.isOpen())
        (void) ::fsync (readable.get());
}

// One save. What it made is removed again unless it completes.
class Save
{
public:
    Save() = default;
    ~Save() { removeWhatWasMade(); }

    Save (const Save&) = delete;
    Save& operator= (const Save&) = delete;

    bool run (const std::string& path, const char* data, size_t size)
    {
        if (!fitsFileSizeLimit (size) || !resolve (path) || !createNewFile())
            return false;

        if (exists && !keepOwnerAndMode (newFile, old))
            return false;

        if (!writeAll (newFile.get(), data, size) || ::fsync (newFile.get()) != 0 || !publish())
            return false;

        syncFolder (folder);
        done = true;
        return true;
    }

private:
    // Finds the file to replace by opening the path, so that links are followed exactly where
    // and as the system follows them: a link it refuses to follow (say, one another user put
    // in a shared sticky folder) refuses the save. Nothing is opened for reading or writing.
    bool resolve (const std::string& path)
    {
        Descriptor target (::open (path.c_str(), O_PATH | O_CLOEXEC));
        bool created = false;

        if (!target.isOpen())
        {
            bool link = false;

            if (errno != ENOENT || !findFolder (path, link))
                return false;

            if (!link)
                return true; // a new file

            // Opening the link to create what it names lets the system decide whether it may
            // be followed and which file it makes, which the save then replaces.
            target = Descriptor (::openat (folder.get(), name.c_str(),
                                           O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));

            if (!target.isOpen())
                return false;

            created = true;
        }

        exists = locate (target);

        if (!exists || !S_ISREG (old.st_mode))
            return false;

        // An empty file that was not there a moment ago: the save's own, removed should it fail.
        madeThroughLink = created && old.st_size == 0;

        // Renaming over a file needs only the folder's permission; the file's own is asked
        // here, so that a file the user protected against writing stays as it is.
        return ::faccessat (AT_FDCWD, procPathOf (target).c_str(), W_OK, AT_EACCESS) == 0;
    }

    // For a path that names nothing: the folder it would be in, and whether a link that names
    // nothing stands at its name. False when anything else appeared there meanwhile.
    bool findFolder (const std::string& path, bool& link)
    {
        auto [folderPath, last] = splitPath (path);
        folder = Descriptor (::open (folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        name = std::move (last);
        struct stat named;

        if (!folder.isOpen() || name.empty())
            return false;

        if (::fstatat (folder.get(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT;

        link = S_ISLNK (named.st_mode);
        return link;
    }

    // Finds the folder and name of the opened file `target` by the path the system keeps
    // for it, and makes sure that name still leads to that very file.
    bool locate (const Descriptor& target)
    {
        if (::fstat (target.get(), &old) != 0)
            return false;

        std::string where (PATH_MAX, '\0');
        const auto length = ::readlink (procPathOf (target).c_str(), where.data(), where.size());

        if (length <= 0 || static_cast<size_t> (length) >= where.size() || where.front() != '/')
            return false;

        where.resize (static_cast<size_t> (length));
        auto [folderPath, last] = splitPath (where);
        folder = Descriptor (::open (folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        name = std::move (last);

        struct stat named;
        return folder.isOpen() && ::fstatat (folder.get(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
               sameFile (named, old);
    }

    // A new file without a name, which a killed save cannot leave behind; where the file
    // system has no such files, one with a name of its own. A file replacing another is
    // given that file's owner and mode before any byte goes in; a new one gets what any new
    // file gets (the umask applies).
    bool createNewFile()
    {
        const mode_t mode = exists ? S_IRUSR | S_IWUSR : 0666;
        newFile = Descriptor (::openat (folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));

        if (!newFile.isOpen())
            temporary = firstFreeName (
                [this, mode] (const char* candidate)
                {
                    newFile = Descriptor (::openat (
                        folder.get(), candidate, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
                    return newFile.isOpen();
                });

        return newFile.isOpen();
    }

    // Gives the written file the target's name. A file without a name is linked to it
    // directly when nothing was there (failing should something have appeared meanwhile),
    // else to a name of its own first, for the one rename that replaces the old file.
    bool publish()
    {
        if (temporary.empty())
        {
            const auto unnamed = procPathOf (newFile);
            const auto linkAs = [this, &unnamed] (const char* linkName)
            { return ::linkat (AT_FDCWD, unnamed.c_str(), folder.get(), linkName, AT_SYMLINK_FOLLOW) == 0; };

            if (!exists)
                return linkAs (name.c_str());

            temporary = firstFreeName (linkAs);

            if (temporary.empty())
                return false;
        }

        if (!newFile.close() || ::renameat (folder.get(), temporary.c_str(), folder.get(), name.c_str()) != 0)
            return false;

        temporary.clear();
        return true;
    }

    // Tries short names of the save's own until `makeAs` makes something under one that
    // nobody uses (one may be left by a killed save); gives that name, or none.
    template <typename MakeAs>
    static std::string firstFreeName (MakeAs&& makeAs)
    {
        static std::atomic<unsigned> counter{0};

        for (int attempt = 0; attempt < kNameTries; ++attempt)
        {
            auto candidate =
                ".quorvel-" + std::to_string (::getpid()) + "-" + std::to_string (counter++) + ".tmp";

            if (makeAs (candidate.c_str()))
                return candidate;

            if (errno != EEXIST)
                break;
        }

        return {};
    }

    void removeWhatWasMade() noexcept
    {
        if (!temporary.empty())
            (void) ::unlinkat (folder.get(), temporary.c_str(), 0);

        struct stat named;

        if (!done && madeThroughLink &&
            ::fstatat (folder.get(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile (named, old))
            (void) ::unlinkat (folder.get(), name.c_str(), 0);
    }

    Descriptor folder;
    std::string name;
    bool exists = false;
    struct stat old = {};
    bool madeThroughLink = false;

    Descriptor newFile;
    std::string temporary; // the new file's name while it has one of its own
    bool done = false;
};
} // namespace

bool AtomicFileWriter::write (const juce::File& file, const void* data, size_t size)
{
    try
    {
        Save save;
        return save.run (file.getFullPathName().toStdString(), static_cast<const char*> (data), size);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
}
