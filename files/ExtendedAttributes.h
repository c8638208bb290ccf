#pragma once

#include "files/FileDescriptor.h"

/** The extended attributes of files (their access ACLs among them), as a save carries them
    from an old file to the new one that replaces it.

    Names and values are read into fixed buffers of a few kilobytes: a file whose attributes
    take more room counts as one whose attributes cannot be known. Allocates nothing and throws
    nothing.
*/
class ExtendedAttributes
{
public:
    /** Gives `to` every attribute of `from` that the system lets the user set, after taking
        from it the access ACL it may have been given by its folder. Refusals are not reported:
        same() tells what came of it.
    */
    static void copy (const FileDescriptor& from, const FileDescriptor& to) noexcept;

    /** True when both files are known to have the same attributes with the same values, apart
        from those the system computes from a file's contents.
    */
    static bool same (const FileDescriptor& a, const FileDescriptor& b) noexcept;
};
