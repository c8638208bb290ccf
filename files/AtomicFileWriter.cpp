#include "files/AtomicFileWriter.h"

#include "files/FileReplacement.h"
#include "files/SaveTarget.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

// Nothing here allocates memory: a save refused for want of it would otherwise have to undo
// what it made.
namespace
{
// Writing beyond the process's file-size limit raises SIGXFSZ, whose default action ends the
// program with every unsaved edit; a document that does not fit is refused before anything
// is made.
bool fitsFileSizeLimit (size_t size) noexcept
{
    struct rlimit limit;
    return ::getrlimit (RLIMIT_FSIZE, &limit) == 0 &&
           (limit.rlim_cur == RLIM_INFINITY || static_cast<rlim_t> (size) <= limit.rlim_cur);
}

// Writes the bytes into the file itself.
bool writeInPlace (const SaveTarget& target, const char* data, size_t size) noexcept
{
    // Reopened through the descriptor that was judged: the very file found, whatever the path
    // names by now.
    const FileDescriptor out (::open (target.getFile().procPath().text, O_WRONLY | O_NOCTTY | O_CLOEXEC));
    struct stat info;

    if (!out.isOpen() || ::fstat (out.get(), &info) != 0)
        return false;

    const auto oldSize = static_cast<size_t> (info.st_size);

    if (size > oldSize)
    {
        // What lies beyond the old end goes in first, and on to the disk (a network disk
        // tells of a full disk only then), so that a disk too full for it refuses the save
        // before any old byte is overwritten. Whatever fails, the file gets its old length
        // back.
        if (!out.writeAll (data + oldSize, size - oldSize, info.st_size) || ::fdatasync (out.get()) != 0 ||
            !out.writeAll (data, oldSize, 0))
        {
            (void) ::ftruncate (out.get(), info.st_size);
            return false;
        }
    }
    else if (!out.writeAll (data, size, 0) || ::ftruncate (out.get(), static_cast<off_t> (size)) != 0)
    {
        return false;
    }

    // Bytes that no name leads to any more (the folder was removed meanwhile, say) are lost
    // once the editor closes: that is no save.
    return ::fsync (out.get()) == 0 && target.isStillNamed();
}

bool saveTo (const SaveTarget& target, const char* data, size_t size) noexcept
{
    FileReplacement replacement (target);

    if (!target.exists())
        return replacement.prepare() && replacement.write (data, size) && replacement.publish();

    // A file with more names than one is written in place, so that they all still name one
    // file; so is one that no new file can stand in for.
    if (target.getInfo().st_nlink == 1 && replacement.prepare())
    {
        // Where the new file cannot be written, the save fails with the old one as it was.
        if (!replacement.write (data, size))
            return false;

        // A file mounted over a name of its own cannot be renamed over, nor can one in use on
        // some network disks; both can be written.
        if (replacement.publish())
            return true;
    }

    return writeInPlace (target, data, size);
}
} // namespace

bool AtomicFileWriter::write (const juce::File& file, const void* data, size_t size)
{
    SaveTarget target;

    if (!fitsFileSizeLimit (size) || !target.resolve (file.getFullPathName().toRawUTF8()) ||
        !saveTo (target, static_cast<const char*> (data), size))
        return false;

    target.keep();
    return true;
}
