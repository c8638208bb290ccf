#include "support/TempFolder.h"

#include <random>
#include <sys/stat.h>

namespace
{
// Test processes run side by side: each folder gets a random name of its own.
juce::File makeUniqueFolder()
{
    std::random_device source;
    const auto base = juce::File::getSpecialLocation (juce::File::tempDirectory);

    for (;;)
    {
        const auto name = juce::String::toHexString (static_cast<juce::int64> (source()) << 32 | source());
        const auto folder = base.getChildFile ("quorvel-test-" + name);

        if (!folder.exists() && folder.createDirectory().wasOk())
            return folder;
    }
}
} // namespace

TempFolder::TempFolder()
    : root (makeUniqueFolder())
{
}

TempFolder::~TempFolder()
{
    root.deleteRecursively();
}

juce::File TempFolder::write (const juce::String& name, const juce::String& text) const
{
    // Written in place: a name too long for a temporary sibling must still be writable.
    auto result = file (name);
    result.deleteFile();
    juce::FileOutputStream out (result);
    out.writeText (text, false, false, nullptr);
    return result;
}

juce::File TempFolder::fifo (const juce::String& name) const
{
    auto result = file (name);
    return ::mkfifo (result.getFullPathName().toRawUTF8(), 0600) == 0 ? result : juce::File();
}

mode_t TempFolder::newFileMode()
{
    const auto mask = ::umask (0);
    ::umask (mask);
    return 0666 & ~mask;
}
