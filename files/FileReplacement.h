#pragma once

#include "files/FileDescriptor.h"
#include "files/SaveTarget.h"

#include <cstddef>

/** A new file that takes a save target's name only once it is written whole, in the folder
    of the file it replaces, or as the first file of a new name.

    Where the file system allows, it has no name while it is written, so that a save killed
    then leaves nothing behind. It takes the name of a new file at once; to replace a file, it
    first takes a short random name of its own, which a save killed between those two steps
    leaves behind. Elsewhere (FAT, exFAT and NTFS disks, for instance) it has that name from
    the start, and a save killed while it is written leaves it behind too.

    Allocates nothing and throws nothing.
*/
class FileReplacement
{
public:
    explicit FileReplacement (const SaveTarget& targetToReplace) noexcept
        : target (targetToReplace)
    {
    }

    /** Removes the new file unless it took the target's name. */
    ~FileReplacement();

    FileReplacement (const FileReplacement&) = delete;
    FileReplacement& operator= (const FileReplacement&) = delete;

    /** Makes the new file. One that replaces a file is made its owner's alone (mode 0600,
        whatever the umask), then given that file's owner, group, permission bits and extended
        attributes, its access ACL among them (none where it had none), judged by what the new
        file shows in the end, whichever steps the system refused on the way; permission bits
        it shows already are not set again. False when the new file cannot be made or cannot
        carry all of that: it cannot stand in for the old one. A file of a new name gets what
        any new file gets (the umask and the folder's default ACL apply), and so, underneath,
        does one that replaces a file on a disk that shows every file with a mode of its own.
    */
    bool prepare() noexcept;

    /** Writes `size` bytes at `data` into the prepared file and syncs them. */
    bool write (const char* data, size_t size) noexcept;

    /** Gives the written file the target's name, and syncs the folder. False, with the old
        file as it was, when the system refuses the renaming.
    */
    bool publish() noexcept;

private:
    bool create (mode_t mode) noexcept;
    bool createPrivate() noexcept;
    bool carryOver() noexcept;
    bool giveName() noexcept;
    void discard() noexcept;

    template <typename MakeAs>
    bool nameTemporary (MakeAs&& makeAs) noexcept;

    const SaveTarget& target;
    FileDescriptor file;
    SaveTarget::Name temporary{}; // the new file's name while it has one of its own; empty otherwise
};
