#include "link/AtomicFileWriter.h"
#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"
#include "support/ActingAsNobody.h"
#include "support/TempFolder.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
bool write (const juce::File& file, const std::string& text)
{
    return AtomicFileWriter::write (file, text.data(), text.size());
}

const char* pathOf (const juce::File& file)
{
    return file.getFullPathName().toRawUTF8();
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

// Runs `save` in a child process and gives its wait status. The child starts with the
// default action for every signal the program leaves alone, whatever the test runner set.
template <typename Save>
int statusOfSaveInChild (Save&& save)
{
    const pid_t child = ::fork();

    if (child == 0)
    {
        std::signal (SIGXFSZ, SIG_DFL);
        ::_exit (save() ? 0 : 1);
    }

    int status = -1;
    ::waitpid (child, &status, 0);
    return status;
}

// fs.protected_symlinks on for the scope, as most systems have it: the system then follows
// a link in a sticky folder that anyone may write only for the link's owner or the folder's.
class LinksProtected
{
public:
    LinksProtected()
    {
        wasOn = read() == "1";
        set ("1");
    }
    ~LinksProtected() { set (wasOn ? "1" : "0"); }

    bool on() const { return read() == "1"; }

private:
    static constexpr const char* kSetting = "/proc/sys/fs/protected_symlinks";

    static juce::String read() { return juce::File (kSetting).loadFileAsString().trim(); }

    static void set (const char* value)
    {
        const int fd = ::open (kSetting, O_WRONLY);
        (void) (fd >= 0 && ::write (fd, value, 1) == 1);
        ::close (fd);
    }

    bool wasOn = false;
};

// Someone who is neither the saver nor root.
constexpr uid_t kOtherUser = 4242;
} // namespace

TEST (AtomicFileWriter, WritesTheFileALinkNamesAndKeepsTheLink)
{
    TempFolder temp;
    const auto real = temp.file ("data/real");
    ASSERT_TRUE (real.create().wasOk() && temp.file ("nest/deep").createDirectory().wasOk());
    // Each link, what it says, and the file written through it (none when it is refused).
    // "through" reaches nest/deep, from where "up" climbs two folders: the system climbs
    // from the folder the link is in, not from the path that led there.
    const std::array<std::array<juce::String, 3>, 8> rows{{
        {"abs", real.getFullPathName(), "data/real"},
        {"links/rel", "../data/real", "data/real"},
        {"chain", "links/rel", "data/real"},
        {"through", "nest/deep", "data/real"},
        {"nest/deep/up", "../../data/real", "data/real"},
        {"dangling", "data/new", "data/new"},
        {"loop", "loop", ""},
        {"dir", "data", ""},
    }};
    for (const auto& [link, target, named] : rows)
        ASSERT_TRUE (temp.file (link).getParentDirectory().createDirectory().wasOk() &&
                     juce::File::createSymbolicLink (temp.file (link), target, false));

    for (auto [link, target, named] : rows)
    {
        if (link == "through")
            link = "through/up";

        ASSERT_TRUE (real.replaceWithText ("old"));
        auto expected = namesUnder (temp.folder());
        if (named.isNotEmpty())
            expected.insert (named);

        EXPECT_EQ (write (temp.file (link), "new"), named.isNotEmpty()) << link;
        EXPECT_TRUE (temp.file (link).isSymbolicLink()) << link;
        EXPECT_EQ (real.loadFileAsString(), juce::String (named == "data/real" ? "new" : "old")) << link;
        EXPECT_TRUE (named.isEmpty() || temp.file (named).loadFileAsString() == "new") << link;
        EXPECT_EQ (namesUnder (temp.folder()), expected) << link;
    }
}

TEST (AtomicFileWriter, LinksAreFollowedOnlyWhereTheSystemFollowsThem)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "planting another user's link takes root";

    const LinksProtected protection;
    ASSERT_TRUE (protection.on());
    TempFolder temp;
    const auto shared = temp.file ("shared");
    const auto notes = temp.write ("notes.txt", "notes");
    ASSERT_TRUE (shared.createDirectory().wasOk() && ::chmod (pathOf (shared), 01777) == 0 &&
                 ::chown (pathOf (temp.folder()), ActingAsNobody::kUser, ActingAsNobody::kGroup) == 0 &&
                 ::chown (pathOf (notes), ActingAsNobody::kUser, ActingAsNobody::kGroup) == 0);

    // Links in the shared folder: whose they are, what they name, and whether the save goes
    // through them. The user's own link is followed last, once the others have been tried.
    const struct
    {
        const char* link;
        uid_t owner;
        juce::File names;
        bool followed;
    } rows[] = {
        {"shared/theirs", kOtherUser, notes, false},
        {"shared/theirs-dangling", kOtherUser, temp.file ("made"), false},
        {"shared/own", ActingAsNobody::kUser, notes, true},
    };
    for (const auto& row : rows)
        ASSERT_TRUE (
            juce::File::createSymbolicLink (temp.file (row.link), row.names.getFullPathName(), false) &&
            ::lchown (pathOf (temp.file (row.link)), row.owner, row.owner) == 0);

    const ActingAsNobody user;

    for (const auto& row : rows)
    {
        const auto before = namesUnder (temp.folder());
        EXPECT_EQ (write (temp.file (row.link), "settings"), row.followed) << row.link;
        EXPECT_EQ (notes.loadFileAsString(), row.followed ? "settings" : "notes") << row.link;
        EXPECT_EQ (namesUnder (temp.folder()), before) << row.link;
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
                     ::link (pathOf (file), pathOf (old)) == 0 && ::chmod (pathOf (file), mode) == 0 &&
                     ::chown (pathOf (file), owner, group) == 0);

        ASSERT_TRUE (write (file, "new") && ::stat (pathOf (file), &info) == 0);
        EXPECT_EQ (info.st_mode & 07777, mode);
        EXPECT_TRUE (info.st_uid == owner && info.st_gid == group) << mode;
        // The old file was replaced, never written over in place.
        EXPECT_TRUE (file.loadFileAsString() == "new" && old.loadFileAsString() == "old") << mode;
        EXPECT_EQ (namesUnder (temp.folder()), (std::set<juce::String>{"settings", "old"}));
    }
}

TEST (AtomicFileWriter, AGroupThatCannotBeKeptGainsNothing)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a file of a group the user is not in takes root to make";

    TempFolder temp;
    const auto file = temp.file ("settings");
    ASSERT_EQ (::chown (pathOf (temp.folder()), ActingAsNobody::kUser, ActingAsNobody::kGroup), 0);
    // The user's file in a group of theirs, or in root's, which they are not in: the mode
    // before and after the save, and the group after it.
    const struct
    {
        gid_t group;
        mode_t before, after;
        gid_t groupAfter;
    } rows[] = {
        {ActingAsNobody::kGroup, 0640, 0640, ActingAsNobody::kGroup},
        {0, 0640, 0600, ActingAsNobody::kGroup},
        {0, 0664, 0644, ActingAsNobody::kGroup},
        {0, 0676, 0666, ActingAsNobody::kGroup},
    };

    for (const auto& row : rows)
    {
        ASSERT_TRUE (temp.write ("settings", "old").existsAsFile() &&
                     ::chmod (pathOf (file), row.before) == 0 &&
                     ::chown (pathOf (file), ActingAsNobody::kUser, row.group) == 0);
        struct stat info;
        {
            const ActingAsNobody user;
            EXPECT_TRUE (write (file, "new"));
        }
        ASSERT_EQ (::stat (pathOf (file), &info), 0);
        EXPECT_EQ (info.st_mode & 0777, row.after) << std::oct << row.before;
        EXPECT_EQ (info.st_gid, row.groupAfter) << std::oct << row.before;
    }
}

TEST (AtomicFileWriter, AFileTheUserMayNotWriteOrAFailedWriteLeavesAllAsItWas)
{
    TempFolder temp;
    // Nobody is given the folder, where it makes and removes files.
    ASSERT_TRUE (::geteuid() != 0 ||
                 ::chown (pathOf (temp.folder()), ActingAsNobody::kUser, ActingAsNobody::kGroup) == 0);
    const ActingAsNobody user;
    const auto file = temp.write ("settings.quill25", "old");
    const auto names = namesUnder (temp.folder());
    QexParameterStore store;

    ASSERT_EQ (::chmod (pathOf (file), 0444), 0);
    EXPECT_FALSE (write (file, "new"));
    EXPECT_FALSE (SettingsFile::save (store, file));
    EXPECT_FALSE (MidiChart::generate (store, file));

    // A file-size limit smaller than the text: the signal it would raise ends the program
    // by default, so the save must not write beyond the limit at all.
    ASSERT_EQ (::chmod (pathOf (file), 0644), 0);
    const int status = statusOfSaveInChild (
        [&]
        {
            struct rlimit limit;
            ::getrlimit (RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 4;
            return ::setrlimit (RLIMIT_FSIZE, &limit) == 0 && write (file, "longer text");
        });
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 1) << "wait status " << status;

    EXPECT_EQ (file.loadFileAsString(), "old");
    EXPECT_EQ (namesUnder (temp.folder()), names);
}

TEST (AtomicFileWriter, SavesKilledAtAnyMomentLeaveTheFileWholeAndHardlyAnythingBeside)
{
    TempFolder temp;
    const auto file = temp.write ("settings", "old");
    // Large enough that a save spends its time writing, where the kill mostly lands.
    const std::string text (1 << 20, 'x');
    constexpr int kKills = 40;

    for (int kill = 0; kill < kKills; ++kill)
    {
        int saved[2];
        ASSERT_EQ (::pipe (saved), 0);
        const pid_t child = ::fork();

        if (child == 0)
        {
            while (write (file, text) && ::write (saved[1], "s", 1) == 1)
                continue;
            ::_exit (1);
        }

        // Killed right after one save, while the next one is under way.
        ::close (saved[1]);
        char done = 0;
        EXPECT_EQ (::read (saved[0], &done, 1), 1);
        ::kill (child, SIGKILL);
        ::waitpid (child, nullptr, 0);
        ::close (saved[0]);
    }

    EXPECT_EQ (file.getSize(), (juce::int64) text.size());
    // Only a kill between the new file's naming and its renaming, a moment, leaves a file.
    EXPECT_LE (namesUnder (temp.folder()).size(), 1u + kKills / 10);
}
