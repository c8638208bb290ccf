#pragma once

#include <juce_core/juce_core.h>

/** Reads a file only when it is a regular file, the only kind of file the program reads.

    The file is judged before it is opened, and the file opened is the one judged, whatever is
    swapped in at the path meanwhile: opening a FIFO for reading would wait until something
    writes into it, opening a device can act on it and its reading may never end, and a
    directory opens but cannot be read. A symbolic link to a regular file counts as one.
    Needs Linux's /proc.
*/
class RegularFileInputStream : public juce::InputStream
{
public:
    explicit RegularFileInputStream (const juce::File& file);
    ~RegularFileInputStream() override;

    /** True when the file was opened and is a regular file. */
    bool openedOk() const noexcept { return handle >= 0; }

    /** True once a read failed; reads then give nothing more. */
    bool failedToRead() const noexcept { return readFailed; }

    /** The size of the opened file when it was opened; 0 when nothing was opened. */
    juce::int64 getTotalLength() override { return totalLength; }

    /** True once a read found the end of the file, or the position is past the size the file
        had when it was opened (some files, like those under /proc, report a size of 0 and
        still hold text). */
    bool isExhausted() override { return reachedEnd || (totalLength > 0 && position >= totalLength); }

    /** Fills the buffer as far as the file goes, whatever size the system's reads come in;
        fewer bytes only at the end of the file or after a failed read. */
    int read (void* destBuffer, int maxBytesToRead) override;

    juce::int64 getPosition() override { return position; }
    bool setPosition (juce::int64 newPosition) override;

    /** Reads the whole of `file` into `contents` when it is a regular file of at most
        `maxSize` bytes. The size is judged on the opened file before anything is read, and a
        file that grows while it is read is read on only up to `maxSize`. Gives false and
        leaves `contents` alone otherwise, or when a read fails.
    */
    static bool readWhole (const juce::File& file, juce::int64 maxSize, juce::MemoryBlock& contents);

private:
    int handle = -1;
    juce::int64 totalLength = 0;
    juce::int64 position = 0;
    bool readFailed = false;
    bool reachedEnd = false;

    JUCE_DECLARE_NON_COPYABLE (RegularFileInputStream)
};
