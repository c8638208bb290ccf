#pragma once

/** The System V shared memory through which the framework hands window images to the X server.

    The framework makes a segment for each window image itself, readable and writable by every
    user, and removes it only when it frees the image, so that a program ended any other way
    leaves it behind until the machine restarts. And it takes shared memory for working once the
    server attached a segment under the id it made, which a server in another IPC namespace (the
    program in a container that shares the X socket but not IPC) may do with a segment of its
    own namespace: the window then stays black.

    So every program that links the system's library has its calls to shmget and shmat wrapped
    by the linker (--wrap): each segment is made private to its user (0600) and marked for
    removal as soon as it is attached, so that none outlives the process, however it ends; and
    the framework can attach none unless a round trip showed that the X server sees this
    process's memory: refused its first, it draws as it does without shared memory.
*/
class SharedImageMemory
{
public:
    /** Whether the X server that the framework opens (DISPLAY, or ":0.0" when that is empty)
        reads what this process writes in a private segment: a small image of random bits is put
        from one into a pixmap and read back without shared memory. The server only ever reads
        that segment. Found out once, on a connection of its own, when first asked.
    */
    static bool isSeenByServer();
};
