#include "link/RegularFileInputStream.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

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
