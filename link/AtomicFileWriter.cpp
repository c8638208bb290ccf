#include "link/AtomicFileWriter.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
// As many links as the system follows in one path before it reports a loop (ELOOP).
constexpr int kMaxLinks = 40;

std::string folderOf (const std::string& path)
{
    const auto slash = path.rfind ('/');

    if (slash == std::string::npos)
        return ".";

    return slash == 0 ? "/" : path.substr (0, slash);
}

// Follows the links from `path` until it names something that is no link, or nothing.
// Gives false for a loop, a chain too long, or a path that cannot be looked at.
bool followLinks (std::string& path, struct stat& info, bool& exists)
{
    for (int links = 0; links <= kMaxLinks; ++links)
    {
        if (::lstat (path.c_str(), &info) != 0)
        {
            exists = false;
            return errno == ENOENT;
        }

        if (!S_ISLNK (info.st_mode))
        {
            exists = true;
            return true;
        }

        std::vector<char> target (PATH_MAX);
        const auto length = ::readlink (path.c_str(), target.data(), target.size());

        if (length <= 0 || static_cast<size_t> (length) >= target.size())
            return false;

        const std::string next (target.data(), static_cast<size_t> (length));
        // A relative link names a file from the folder the link is in.
        path = next.front() == '/' ? next : folderOf (path) + "/" + next;
    }

    return false;
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

// Creates a file of a name nobody uses beside `path`. Names already taken (say, left by a
// process that was killed while saving) are skipped.
int createSibling (const std::string& path, mode_t mode, std::string& name)
{
    static std::atomic<unsigned> counter{0};
    const auto slash = path.rfind ('/');
    const auto prefix = path.substr (0, slash + 1) + "." + path.substr (slash + 1) + ".temp-" +
                        std::to_string (::getpid()) + "-";

    for (int attempt = 0; attempt < 100; ++attempt)
    {
        name = prefix + std::to_string (counter++);
        const int fd = ::open (name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);

        if (fd >= 0 || errno != EEXIST)
            return fd;
    }

    return -1;
}
} // namespace

bool AtomicFileWriter::write (const juce::File& file, const void* data, size_t size)
{
    std::string path = file.getFullPathName().toStdString();
    struct stat info;
    bool exists = false;

    if (!followLinks (path, info, exists))
        return false;

    // Renaming over a file needs only the folder's permission; the file's own is asked
    // here, so that a file the user protected against writing stays as it is.
    if (exists && (!S_ISREG (info.st_mode) || ::faccessat (AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0))
        return false;

    // A new file gets the permissions any new file gets (the umask applies); a replacing one
    // is given the old file's below, before any byte is written into it.
    std::string temporary;
    const int fd = createSibling (path, exists ? S_IRUSR | S_IWUSR : 0666, temporary);

    if (fd < 0)
        return false;

    bool ok = true;

    if (exists)
    {
        // Keeping the owner takes privileges the user may not have; the group alone may
        // still be kept. Changing the owner clears set-ID bits, so the mode comes after.
        if (::fchown (fd, info.st_uid, info.st_gid) != 0 &&
            ::fchown (fd, static_cast<uid_t> (-1), info.st_gid) != 0)
        {
            // The new file then belongs to the user, as any file they make.
        }

        ok = ::fchmod (fd, info.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO)) == 0;
    }

    ok = ok && writeAll (fd, static_cast<const char*> (data), size) && ::fsync (fd) == 0;
    ok = ::close (fd) == 0 && ok;
    ok = ok && ::rename (temporary.c_str(), path.c_str()) == 0;

    if (!ok)
        ::unlink (temporary.c_str());

    return ok;
}
