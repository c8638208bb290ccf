#include "files/RegularFileInputStream.h"
#include "support/TempFolder.h"

#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

TEST (RegularFileInputStream, OnlyARegularFileOpensAndNothingElseBlocks)
{
    TempFolder temp;
    const auto regular = temp.write ("a.txt", "contents");
    const auto link = temp.file ("link.txt");
    ASSERT_TRUE (regular.createSymbolicLink (link, true));

    const std::pair<juce::File, bool> files[] = {
        {regular, true},
        {link, true},
        {temp.fifo ("fifo"), false}, // opened to read, it would wait for a writer
        {temp.folder(), false},
        {juce::File ("/dev/zero"), false},
        {temp.file ("missing"), false},
    };

    for (const auto& [file, isRegular] : files)
    {
        juce::MemoryBlock contents;
        EXPECT_EQ (RegularFileInputStream (file).openedOk(), isRegular) << file.getFullPathName();
        EXPECT_EQ (RegularFileInputStream::readWhole (file, 100, contents), isRegular);
        EXPECT_EQ (contents.toString(), isRegular ? "contents" : "");
    }
}

TEST (RegularFileInputStream, ReadsTheFileItOpenedUpToTheLimit)
{
    TempFolder temp;
    const auto file = temp.write ("a.txt", "0123456789");
    juce::MemoryBlock contents;

    EXPECT_TRUE (RegularFileInputStream::readWhole (file, 10, contents));
    EXPECT_FALSE (RegularFileInputStream::readWhole (file, 9, contents));
    EXPECT_EQ (contents.toString(), "0123456789");

    // A FIFO swapped in at the path once the file is open changes nothing for the reading.
    RegularFileInputStream in (file);
    ASSERT_TRUE (temp.fifo ("fifo").moveFileTo (file));
    char text[20] = {};
    EXPECT_EQ (in.read (text, static_cast<int> (sizeof (text))), 10);
    EXPECT_STREQ (text, "0123456789");
}

TEST (RegularFileInputStream, AFileReportingNoSizeIsReadToItsEnd)
{
    // Files under /proc say they are empty and still hold text.
    RegularFileInputStream in (juce::File ("/proc/self/status"));
    ASSERT_TRUE (in.openedOk());
    ASSERT_EQ (in.getTotalLength(), 0);
    EXPECT_FALSE (in.isExhausted());

    char text[64];
    while (in.read (text, static_cast<int> (sizeof (text))) > 0)
        ;

    EXPECT_TRUE (in.isExhausted());
    EXPECT_GT (in.getPosition(), 0);
}

TEST (RegularFileInputStream, NothingButARegularFileIsEverOpened)
{
    // A FIFO and a regular file trade places at the path as fast as they can, while the path
    // is opened again and again: the FIFO, watched for being opened, never is (opening a
    // serial device would change its control lines).
    TempFolder temp;
    const auto path = temp.write ("swapped.txt", "contents");
    const auto fifo = temp.fifo ("fifo");
    const int watch = ::inotify_init1 (IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE (watch, 0);
    ASSERT_GE (::inotify_add_watch (watch, fifo.getFullPathName().toRawUTF8(), IN_OPEN), 0);

    std::atomic<bool> done{false};
    std::thread swapper (
        [&]
        {
            while (!done)
                ::renameat2 (AT_FDCWD, path.getFullPathName().toRawUTF8(), AT_FDCWD,
                             fifo.getFullPathName().toRawUTF8(), RENAME_EXCHANGE);
        });

    int opened = 0;
    for (int i = 0; i < 100000; ++i)
    {
        RegularFileInputStream in (path);
        char text[16] = {};
        if (in.openedOk() && in.read (text, 15) == 8)
            ++opened;
    }

    done = true;
    swapper.join();

    char events[4096];
    EXPECT_LT (::read (watch, events, sizeof (events)), 0) << "the FIFO was opened";
    EXPECT_GT (opened, 0);
    ::close (watch);
}
