#include "files/AtomicFileWriter.h"
#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"
#include "support/ActingAsNobody.h"
#include "support/TempFolder.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
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

// fs.protected_symlinks on for the scope, as most systems have it: the system then follows
// a link in a sticky folder that anyone may write only for the link's owner or the folder's.
struct LinksProtected
{
    static constexpr const char* kSetting = "/proc/sys/fs/protected_symlinks";
    static int read()
    {
        int on = -1;
        std::ifstream (kSetting) >> on;
        return on;
    }

    LinksProtected() { std::ofstream (kSetting) << 1; }
    ~LinksProtected() { std::ofstream (kSetting) << wasOn; }
    const int wasOn = read();
};

// Someone who is neither the saver nor root.
constexpr uid_t kOtherUser = 4242;

// An ACL as the system keeps it in an extended attribute: a header, then each entry's tag,
// permissions and the user or group it names, in the order the system sorts them.
std::string aclOf (std::initializer_list<std::array<std::uint32_t, 3>> entries)
{
    std::string bytes ("\x02\0\0\0", 4);
    for (const auto& [tag, permissions, id] : entries)
        for (const auto& [value, width] : {std::pair (tag, 2), std::pair (permissions, 2), std::pair (id, 4)})
            for (int byte = 0; byte < width; ++byte)
                bytes += static_cast<char> (value >> (8 * byte));
    return bytes;
}

enum AclTag : std::uint32_t
{
    kOwner = 1,
    kUser = 2,
    kOwningGroup = 4,
    kMask = 0x10,
    kOthers = 0x20
};
constexpr std::uint32_t kNoId = 0xFFFFFFFF;
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
    ASSERT_EQ (LinksProtected::read(), 1);
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
    // The user's file in a group of theirs, or in root's, which they are not in: its mode
    // before and after the save, after which it is in the user's group.
    const struct
    {
        gid_t group;
        mode_t before, after;
    } rows[] = {{ActingAsNobody::kGroup, 0640, 0640}, {0, 0640, 0600}, {0, 0664, 0644}, {0, 0676, 0666}};

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
        EXPECT_EQ (info.st_gid, ActingAsNobody::kGroup) << std::oct << row.before;
    }
}

TEST (AtomicFileWriter, NoAclGivesAnyoneAccessThroughASave)
{
    TempFolder temp;
    const auto shared = temp.file ("shared");
    // The folder gives another user read access to every new file in it.
    const auto folderAcl = aclOf ({{kOwner, 6, kNoId},
                                   {kUser, 4, kOtherUser},
                                   {kOwningGroup, 0, kNoId},
                                   {kMask, 4, kNoId},
                                   {kOthers, 0, kNoId}});
    ASSERT_TRUE (shared.createDirectory().wasOk());
    if (::setxattr (pathOf (shared), "system.posix_acl_default", folderAcl.data(), folderAcl.size(), 0) != 0)
        GTEST_SKIP() << "the file system has no ACLs";

    // A file whose ACL lets another user write it, which its mode shows as the group's right;
    // a file of the folder without an ACL. Neither keeps an ACL, and the group gets its own.
    const auto fileAcl = aclOf ({{kOwner, 6, kNoId},
                                 {kUser, 6, kOtherUser},
                                 {kOwningGroup, 4, kNoId},
                                 {kMask, 6, kNoId},
                                 {kOthers, 0, kNoId}});
    const struct
    {
        const char* name;
        std::string acl;
        mode_t mode;
    } rows[] = {{"settings", fileAcl, 0640}, {"shared/settings", "", 0600}};

    for (const auto& row : rows)
    {
        const auto file = temp.write (row.name, "old");
        ::removexattr (pathOf (file), "system.posix_acl_access");
        ASSERT_TRUE (::chmod (pathOf (file), row.mode) == 0 &&
                     (row.acl.empty() || ::setxattr (pathOf (file), "system.posix_acl_access", row.acl.data(),
                                                     row.acl.size(), 0) == 0));

        struct stat info;
        ASSERT_TRUE (write (file, "new") && ::stat (pathOf (file), &info) == 0);
        EXPECT_EQ (info.st_mode & 0777, row.mode) << row.name;
        EXPECT_LT (::getxattr (pathOf (file), "system.posix_acl_access", nullptr, 0), 0) << row.name;
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
    // In a process of its own, where the signal has its default action.
    const pid_t child = ::fork();
    if (child == 0)
    {
        std::signal (SIGXFSZ, SIG_DFL);
        struct rlimit limit;
        ::getrlimit (RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 4;
        ::_exit (::setrlimit (RLIMIT_FSIZE, &limit) == 0 && !write (file, "longer text") ? 1 : 0);
    }
    int status = -1;
    ::waitpid (child, &status, 0);
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
