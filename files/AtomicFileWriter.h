#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>

/** Replaces a file's contents as one step while keeping what the user set on the file.

    The bytes go into a new file in the target's folder, which takes the target's name only
    once every byte is on disk, and the folder is synced after it: a save that is interrupted,
    even by a power cut, leaves either the old file or the new one, whole. The new file has no
    name while it is written, so a save that is killed leaves nothing behind, and the name of
    any file the system allows can be saved.

    The path is resolved by the system itself, so a symbolic link (or a chain of them) is
    followed exactly where the system would follow one, and the file it names is replaced:
    the link stays a link. A link that names nothing creates the file it names, as opening it
    would. A replaced file keeps its permission bits, and its owner and group where the system
    allows it, and nobody gains access by the save: where the group cannot be kept, the group
    gets no access that others lacked, and no ACL is kept, neither the old file's (its owning
    group keeps its own permissions, not the ACL's mask) nor one the folder would give.
*/
class AtomicFileWriter
{
public:
    /** Makes `size` bytes at `data` the whole contents of `file`. Gives false, with the
        target as it was and nothing left beside it, when the system refuses to follow a link
        on the way, when the target is anything but a regular file, when the user may not
        write it, when the bytes exceed the process's file-size limit, or when any step of
        writing fails. Allocates nothing, never throws and never raises a signal.
    */
    static bool write (const juce::File& file, const void* data, size_t size);
};
