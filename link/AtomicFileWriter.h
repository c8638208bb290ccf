#pragma once

#include <juce_core/juce_core.h>

#include <cstddef>

/** Replaces a file's contents as one step while keeping what the user set on the file.

    The bytes go into a new file beside the target, which is renamed over it only once every
    byte is on disk: a save that is interrupted leaves either the old file or the new one,
    whole. A symbolic link (or a chain of them) is followed and the file it names is
    replaced, so the link stays a link; a link naming nothing creates the file it names.
    A replaced file keeps its permission bits, and its owner and group where the system
    allows it.
*/
class AtomicFileWriter
{
public:
    /** Makes `size` bytes at `data` the whole contents of `file`. Gives false, with the
        target as it was and nothing left beside it, when the target (once links are
        followed) is anything but a regular file, when the user may not write it, when the
        links loop, or when any step of writing fails.
    */
    static bool write (const juce::File& file, const void* data, size_t size);
};
