#pragma once

#include "files/FileDescriptor.h"

#include <array>
#include <climits>
#include <sys/stat.h>

/** The file a path to be saved names, found as the system finds it.

    The path is opened, never read by hand, so that symbolic links are followed exactly where
    and as the system follows them: a link it refuses to follow (say, one another user put in
    a shared sticky folder) refuses the save. The file found is then known by the folder that
    holds it and its name there.

    A link that names nothing is opened to create the file it names, as saving through it
    would: the system decides whether the link may be followed and which file it makes. That
    file is removed again when the save fails, but only while its name still leads to it; a
    save killed before it writes leaves it there, empty.

    Allocates nothing and throws nothing.
*/
class SaveTarget
{
public:
    using Name = std::array<char, NAME_MAX + 1>;

    SaveTarget() = default;

    /** Removes the file that resolving made, unless the save was kept. */
    ~SaveTarget();

    SaveTarget (const SaveTarget&) = delete;
    SaveTarget& operator= (const SaveTarget&) = delete;

    /** Finds what `path` names. False when the system refuses to follow a link on the way,
        when anything but a regular file is there, or when the user may not write it.
    */
    bool resolve (const char* path) noexcept;

    /** The save is done: a file that resolving made stays. */
    void keep() noexcept { made = false; }

    /** True when a file is there, if only one that resolving made; false for a new name. */
    bool exists() const noexcept { return file.isOpen(); }

    /** The folder that holds the file, or is to hold the new one, and its name there. */
    const FileDescriptor& getFolder() const noexcept { return folder; }
    const char* getName() const noexcept { return name.data(); }

    /** The file itself, while it exists: opened for no reading or writing as it was found,
        or for writing where resolving made it.
    */
    const FileDescriptor& getFile() const noexcept { return file; }
    const struct stat& getInfo() const noexcept { return info; }

    /** True while the file's name leads to it: false once its folder is removed, or the name
        taken away or given to another file.
    */
    bool isStillNamed() const noexcept;

private:
    bool resolveNew (const char* path) noexcept;
    bool locate() noexcept;

    FileDescriptor folder;
    Name name{};
    FileDescriptor file;
    struct stat info = {};
    bool made = false;
};
