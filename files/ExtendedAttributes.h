#pragma once

#include "files/FileDescriptor.h"

#include <array>
#include <cstddef>

/** The extended attributes of a file (its access ACL among them), as a save carries them from
    the old file to the new one that replaces it.

    Names and values are read into fixed buffers of a few kilobytes: a file whose attributes
    take more room counts as one whose attributes cannot be known. Allocates nothing and throws
    nothing.
*/
class ExtendedAttributes
{
public:
    /** The names of the attributes of `file`, read by the path through which the system
        reaches it, as a descriptor that only names a file (O_PATH) reads none itself.
    */
    explicit ExtendedAttributes (const FileDescriptor& file) noexcept;

    /** Gives `newFile` every attribute that the system lets the user set, after taking from it
        the access ACL it may have been given by its folder. Refusals are not reported:
        areTheSameOn() tells what came of it.
    */
    void copyTo (const FileDescriptor& newFile) const noexcept;

    /** True when the attributes are known and `newFile` has the same ones with the same
        values, apart from those the system computes from a file's contents.
    */
    bool areTheSameOn (const FileDescriptor& newFile) const noexcept;

private:
    static constexpr size_t kBufferBytes = 4096;

    const FileDescriptor& file;
    std::array<char, kBufferBytes> names; // each ended by a zero
    size_t namesSize = 0;
    bool known = false;
};
