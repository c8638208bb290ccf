#include "link/AtomicFileWriter.h"
#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"
#include "support/ActingAsNobody.h"
#include "support/TempFolder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool write (const juce::File& file, const std::string& text)
{
    return AtomicFileWriter::write (file, text.data(), text.size());
}

// Every name under the folder, hidden ones too: what a save leaves behind shows here.
std::set<juce::String> namesUnder (const juce::File& folder)
{
    std::set<juce::String> names;
    for (const auto& entry : juce::RangedDirectoryIterator (
             folder, true, "*", juce::File::findFilesAndDirectories, juce::File::FollowSymlinks::no))
        names.insert (entry.getFile().getRelativePathFrom (folder));
    return names;
}

} // namespace

TEST (AtomicFileWriter, WritesTheFileALinkNamesAndKeepsTheLink)
{
    TempFolder temp;
    const auto real = temp.file ("data/real");
    ASSERT_TRUE (real.create().wasOk());
    // Each link, what it says, and the file written through it (none when it is refused).
    const std::array<std::array<juce::String, 3>, 6> rows{{
        {"abs", real.getFullPathName(), "data/real"},
        {"links/rel", "../data/real", "data/real"},
        {"chain", "links/rel", "data/real"},
        {"dangling", "data/new", "data/new"},
        {"loop", "loop", ""},
        {"dir", "data", ""},
    }};
    for (const auto& [link, target, named] : rows)
        ASSERT_TRUE (temp.file (link).getParentDirectory().createDirectory().wasOk() &&
                     juce::File::createSymbolicLink (temp.file (link), target, false));

    for (const auto& [link, target, named] : rows)
    {
        ASSERT_TRUE (real.replaceWithText ("old"));
        auto expected = namesUnder (temp.folder());
        if (named.isNotEmpty())
            expected.insert (named);

        EXPECT_EQ (write (temp.file (link), "new"), named.isNotEmpty()) << link;
        EXPECT_EQ (temp.file (link).getNativeLinkedTarget(), target) << link;
        EXPECT_EQ (real.loadFileAsString(), juce::String (named == "data/real" ? "new" : "old")) << link;
        EXPECT_TRUE (named.isEmpty() || temp.file (named).loadFileAsString() == "new") << link;
        EXPECT_EQ (namesUnder (temp.folder()), expected) << link;
    }
}

TEST (AtomicFileWriter, AReplacedFileKeepsModeAndOwnerWhileAHardLinkKeepsTheOldOne)
{
    TempFolder temp;
    const auto file = temp.file ("settings"), old = temp.file ("old");
    // Root replaces a file of someone else's, which must stay theirs.
    const uid_t owner = ::geteuid() == 0 ? ActingAsNobody::kUser : ::geteuid();
    const gid_t group = ::geteuid() == 0 ? ActingAsNobody::kGroup : ::getegid();
    struct stat info;

    for (const mode_t mode : {0600u, 0640u, 0660u, 0604u})
    {
        ASSERT_TRUE (temp.write ("settings", "old").existsAsFile() && old.deleteFile() &&
                     ::link (file.getFullPathName().toRawUTF8(), old.getFullPathName().toRawUTF8()) == 0 &&
                     ::chmod (file.getFullPathName().toRawUTF8(), mode) == 0 &&
                     ::chown (file.getFullPathName().toRawUTF8(), owner, group) == 0);

        ASSERT_TRUE (write (file, "new") && ::stat (file.getFullPathName().toRawUTF8(), &info) == 0);
        EXPECT_EQ (info.st_mode & 07777, mode);
        EXPECT_TRUE (info.st_uid == owner && info.st_gid == group) << mode;
        // The old file was replaced, never written over in place.
        EXPECT_TRUE (file.loadFileAsString() == "new" && old.loadFileAsString() == "old") << mode;
        EXPECT_EQ (namesUnder (temp.folder()), (std::set<juce::String>{"settings", "old"}));
    }
}

TEST (AtomicFileWriter, AFileTheUserMayNotWriteOrAFailedWriteLeavesAllAsItWas)
{
    TempFolder temp;
    // Nobody is given the folder, where it makes and removes files.
    ASSERT_TRUE (::geteuid() != 0 || ::chown (temp.folder().getFullPathName().toRawUTF8(),
                                              ActingAsNobody::kUser, ActingAsNobody::kGroup) == 0);
    const ActingAsNobody user;
    const auto file = temp.write ("settings.quill25", "old");
    const auto names = namesUnder (temp.folder());
    QexParameterStore store;

    ASSERT_EQ (::chmod (file.getFullPathName().toRawUTF8(), 0444), 0);
    EXPECT_FALSE (write (file, "new"));
    EXPECT_FALSE (SettingsFile::save (store, file));
    EXPECT_FALSE (MidiChart::generate (store, file));

    // The written file is begun, then may not grow beyond 4 bytes.
    ASSERT_EQ (::chmod (file.getFullPathName().toRawUTF8(), 0644), 0);
    struct rlimit limit, small;
    ASSERT_EQ (::getrlimit (RLIMIT_FSIZE, &limit), 0);
    small = {4, limit.rlim_max};
    const auto oldSignal = std::signal (SIGXFSZ, SIG_IGN);
    EXPECT_TRUE (::setrlimit (RLIMIT_FSIZE, &small) == 0 && !write (file, "longer text"));
    ::setrlimit (RLIMIT_FSIZE, &limit);
    std::signal (SIGXFSZ, oldSignal);

    EXPECT_EQ (file.loadFileAsString(), "old");
    EXPECT_EQ (namesUnder (temp.folder()), names);
}
