#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>

/** Saves a file's whole contents, keeping everything the user set on the file.

    Where a new file can stand in for the old one, the file is replaced as one step: the bytes
    go into a new file in the target's folder, which takes the target's name only once every
    byte is on disk, and the folder is synced after it. A save that is interrupted, even by a
    power cut, then leaves either the old file or the new one, whole. The new file carries the
    old one's owner, group, permission bits and extended attributes, its access ACL among them;
    attributes the saving user cannot read (`trusted.*`, which only root can) are not carried.
    Until it carries them, nobody but the saving user may open it, whatever the umask.
    Where the file system allows, the new file has no name while it is written, and takes a
    short random name of its own only in the moment before it replaces the old file; a save
    killed in that moment leaves it behind under that name. Elsewhere (FAT, exFAT and NTFS
    disks, for instance) it has that name from the start, and a save killed while it writes
    leaves it behind too. On a disk that shows every file with an owner and mode of its own
    (exFAT mounted for everyone, a bindfs mount that sets them), the new file is, underneath,
    as any new file made there. Any name the system allows can be saved.

    Where no new file can carry all that (another user's file, a group the user is not in, an
    attribute the user may not set, a folder the user may not write), the file has more than one
    name, or it cannot be renamed over (a file mounted over a name of its own), the bytes are
    written into the file itself, which keeps its owner, group, attributes, names and all else.
    A disk too full for a longer file refuses such a save before any old byte is overwritten
    (except where overwriting takes room of its own, as on copy-on-write file systems), but a
    save killed, or cut off by a power cut, while it writes in place can leave the file part
    old, part new.

    The path is resolved by the system itself, so a symbolic link (or a chain of them) is
    followed exactly where the system would follow one, and the file it names is saved: the
    link stays a link. A link that names nothing creates the file it names, as opening it
    would; a save killed before it writes leaves that file there, empty. A new file gets what
    any new file gets: the umask and the folder's default ACL apply.
*/
class AtomicFileWriter
{
public:
    /** Makes `size` bytes at `data` the whole contents of `file`. Gives false, with the
        target as it was and nothing left beside it, when the system refuses to follow a link
        on the way, when the target is anything but a regular file, when the user may not
        write it, when the bytes exceed the process's file-size limit or the room left on the
        disk, when any step of writing fails, or when no name leads to the bytes once they
        are written (the folder was removed meanwhile, say). Allocates nothing, never throws and never
        raises a signal.
    */
    static bool write (const juce::File& file, const void* data, size_t size);
};
