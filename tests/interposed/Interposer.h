#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// The system calls a save makes pass, in this program, through replacements that can act as
// other file systems and other moments would: refuse a step, run out of room, or let
// something happen to the folder just then. Everything is off until a test sets it; the
// Scope puts it all back.
struct Interposer
{
    bool refuseUnnamedFiles = false;   // opening with O_TMPFILE fails, as on FAT, exFAT and NTFS
    int ownerError = 0;                // fchown fails with this error
    int modeError = 0;                 // fchmod
    int attributeError = 0;            // fsetxattr and fremovexattr
    int attributeReadError = 0;        // listxattr and getxattr of a file found by O_PATH
    int attributesUnsupported = 0;     // every attribute call fails, as on disks that keep none
    mode_t shownMode = 0;              // fstat and fstatat show every regular file with these
                                       // permission bits, as disks that set every file's do
    int renameError = 0;               // renameat
    int folderReadError = 0;           // opening a folder for reading
    int headWriteError = 0;            // pwrite at the start of a file
    int temporaryError = 0;            // making a temporary file by its name
    int fileSyncError = 0;             // fsync and fdatasync of a regular file
    bool noReplaceUnsupported = false; // renameat2 with flags fails with EINVAL, as on NFS
    off_t diskRoom = -1;               // pwrite stores nothing beyond this offset: ENOSPC
    int interruptedWrites = 0;         // so many pwrites fail with EINTR first
    int writesStoringNothing = 0;      // so many pwrites store nothing and return 0 first
    bool countedRandom = false;        // getrandom gives nextRandom, then one more each time
    std::uint64_t nextRandom = 0;

    // Called once, at the moment named, then disarmed.
    std::function<void()> beforeFileSync;      // a regular file is synced
    std::function<void()> afterProcLinkRead;   // a /proc/self/fd link was read
    std::function<void()> afterPathOpenFailed; // an O_PATH open found nothing
    std::function<void()> beforeCreatingOpen;  // an open with O_CREAT but not O_EXCL

    // What was seen: every fsync, as "file:" and the synced file's contents, or "folder:" and
    // the contents of the file at `watched` then (a whole file system synced counts as its
    // folder); the temporary names tried; the opens that would wait for ever, for a reader of
    // a FIFO, which fail here with EINTR instead; and the mode of a file given an owner.
    std::string watched;
    std::vector<std::string> syncs;
    int temporaryNamesTried = 0;
    int temporaryFilesMade = 0;
    int opensThatWouldHang = 0;
    std::optional<mode_t> modeGivenAnOwner; // what the last file given one showed as fchown began

    struct Scope
    {
        Scope();
        ~Scope();
        Scope (const Scope&) = delete;
        Scope& operator= (const Scope&) = delete;
    };
};

extern Interposer interposer;
