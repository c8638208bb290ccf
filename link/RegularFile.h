#pragma once

#include <juce_core/juce_core.h>

/** Whether a path names a regular file, the only kind of file the program reads.

    Checked before a file is opened: opening a FIFO waits until something writes into it, a
    device may never end, and a directory opens but cannot be read.
*/
struct RegularFile
{
    /** True when `file` exists and is a regular file (a link to one counts). */
    static bool exists (const juce::File& file);
};
