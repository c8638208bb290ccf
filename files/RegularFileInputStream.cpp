#include "files/RegularFileInputStream.h"

#include "files/FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileInputStream::RegularFileInputStream (const juce::File& file)
{
    // Opening a FIFO for reading waits for a writer, and opening a device can act on it (a
    // serial port's control lines change), so the file is judged before it is opened: an
    // O_PATH descriptor names it without opening it. Opened through /proc/self/fd, that
    // descriptor then gives the very file that was judged, whatever the path names by now.
    const FileDescriptor judged (::open (file.getFullPathName().toRawUTF8(), O_PATH | O_CLOEXEC));
    struct stat info;

    if (!judged.isOpen() || ::fstat (judged.get(), &info) != 0 || !S_ISREG (info.st_mode))
        return;

    handle = ::open (judged.procPath().text, O_RDONLY | O_NOCTTY | O_CLOEXEC);

    if (handle >= 0)
        totalLength = static_cast<juce::int64> (info.st_size);
}

RegularFileInputStream::~RegularFileInputStream()
{
    if (handle >= 0)
        ::close (handle);
}

int RegularFileInputStream::read (void* destBuffer, int maxBytesToRead)
{
    if (handle < 0 || readFailed || maxBytesToRead <= 0)
        return 0;

    auto* out = static_cast<char*> (destBuffer);
    int done = 0;

    while (done < maxBytesToRead)
    {
        const auto got = ::read (handle, out + done, static_cast<size_t> (maxBytesToRead - done));

        if (got == 0)
        {
            reachedEnd = true;
            break;
        }

        if (got < 0)
        {
            if (errno == EINTR)
                continue;

            readFailed = true;
            break;
        }

        done += static_cast<int> (got);
    }

    position += done;
    return done;
}

bool RegularFileInputStream::setPosition (juce::int64 newPosition)
{
    if (handle < 0 || readFailed || ::lseek (handle, static_cast<off_t> (newPosition), SEEK_SET) < 0)
        return false;

    position = newPosition;
    reachedEnd = false;
    return true;
}

bool RegularFileInputStream::readWhole (const juce::File& file, juce::int64 maxSize,
                                        juce::MemoryBlock& contents)
{
    RegularFileInputStream in (file);

    if (!in.openedOk() || in.getTotalLength() > maxSize)
        return false;

    // One byte more than the file held when it was opened, so that a file that grew
    // meanwhile is noticed and read on, never beyond the limit.
    juce::MemoryBlock bytes (static_cast<size_t> (in.getTotalLength()) + 1);
    size_t used = 0;

    for (;;)
    {
        if (used == bytes.getSize())
        {
            if (static_cast<juce::int64> (used) > maxSize)
                return false;

            bytes.setSize (
                static_cast<size_t> (juce::jmin (2 * static_cast<juce::int64> (used), maxSize + 1)));
        }

        const auto room = juce::jmin<size_t> (bytes.getSize() - used, 1 << 30);
        const int got = in.read (static_cast<char*> (bytes.getData()) + used, static_cast<int> (room));

        if (got <= 0)
            break;

        used += static_cast<size_t> (got);
    }

    if (in.failedToRead())
        return false;

    bytes.setSize (used);
    contents = std::move (bytes);
    return true;
}
