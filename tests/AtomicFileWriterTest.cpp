#include "files/AtomicFileWriter.h"
#include "link/MidiChart.h"
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"
#include "support/AclBytes.h"
#include "support/ActingAsNobody.h"
#include "support/BoundedCommand.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sched.h>
#include <set>
#include <sstream>
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

// What a save must keep of a file, as text, and which file it is.
struct Ownership
{
    std::string text;
    ino_t inode = 0;
};

Ownership ownershipOf (const juce::File& file)
{
    struct stat info = {};
    ::stat (pathOf (file), &info);
    std::ostringstream text;
    text << "owner " << info.st_uid << ", group " << info.st_gid << ", mode " << std::oct
         << (info.st_mode & 07777);

    // Every extended attribute, the access ACL among them.
    char names[4096], value[4096];
    const auto namesSize = ::listxattr (pathOf (file), names, sizeof (names));
    for (ssize_t at = 0; at < namesSize; at += (ssize_t) std::strlen (names + at) + 1)
    {
        const auto size = ::getxattr (pathOf (file), names + at, value, sizeof (value));
        text << ", " << names + at << " " << std::string (value, (size_t) std::max<ssize_t> (size, 0));
    }
    return {text.str(), info.st_ino};
}
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

TEST (AtomicFileWriter, ASaveKeepsOwnerGroupModeAttributesAndEveryName)
{
    // Where root runs the tests, nobody saves, in folders of theirs, and files of others are
    // made for them.
    const bool root = ::geteuid() == 0;
    const uid_t saver = root ? ActingAsNobody::kUser : ::geteuid();
    const gid_t saverGroup = root ? ActingAsNobody::kGroup : ::getegid();
    using namespace AclBytes;
    const auto denyingAUser = of ({{kOwner, 6, kNoId},
                                   {kUser, 0, kOtherUser},
                                   {kOwningGroup, 4, kNoId},
                                   {kMask, 4, kNoId},
                                   {kOthers, 4, kNoId}});
    const auto sharedWithTheSaver = of ({{kOwner, 6, kNoId},
                                         {kUser, 6, saver},
                                         {kOwningGroup, 0, kNoId},
                                         {kMask, 6, kNoId},
                                         {kOthers, 0, kNoId}});
    const auto folderGivingAUser = of ({{kOwner, 7, kNoId},
                                        {kUser, 7, kOtherUser},
                                        {kOwningGroup, 5, kNoId},
                                        {kMask, 7, kNoId},
                                        {kOthers, 5, kNoId}});

    const struct
    {
        const char* what;
        bool byRoot; // else by the saver
        uid_t owner;
        gid_t group;
        mode_t mode;
        const char* attribute;        // one of the file's extended attributes, with its value
        std::string value, folderAcl; // the folder's default ACL
        mode_t folderMode;
        bool twoNames, inPlace;
    } rows[] = {
        {"the user's own file", false, saver, saverGroup, 0640, "", "", "", 0755, false, false},
        {"another user's file, saved by root", true, kOtherUser, kOtherUser, 0604, "", "", "", 0755, false,
         false},
        {"another user's set-ID program, saved by root", true, kOtherUser, kOtherUser, 06750, "", "", "",
         0755, false, false},
        {"an ACL that denies a user", false, saver, saverGroup, 0644, kAccess, denyingAUser, "", 0755, false,
         false},
        {"an attribute of the user's", false, saver, saverGroup, 0644, "user.xdg.tags", "keyboard", "", 0755,
         false, false},
        {"a folder whose default ACL gives a user access", false, saver, saverGroup, 0600, "", "",
         folderGivingAUser, 0755, false, false},
        {"a group that may do less than others", false, saver, 0, 0604, "", "", "", 0755, false, true},
        {"a colleague's file shared through an ACL", false, kOtherUser, saverGroup, 0600, kAccess,
         sharedWithTheSaver, "", 0755, false, true},
        {"a file with two names", false, saver, saverGroup, 0640, "", "", "", 0755, true, true},
        {"a folder the user may not write", false, saver, saverGroup, 0640, "", "", "", 0555, false, true},
    };

    for (const auto& row : rows)
    {
        if (!root && (row.byRoot || row.owner != saver || row.group != saverGroup))
        {
            std::cout << "[ SKIPPED  ] " << row.what << ": files of others take root to make\n";
            continue;
        }

        TempFolder temp;
        const auto folder = temp.file ("folder");
        const auto file = folder.getChildFile ("settings"), second = temp.file ("second");
        ASSERT_TRUE (
            folder.createDirectory().wasOk() && folder.getChildFile ("settings").replaceWithText ("old") &&
            ::chown (pathOf (file), row.owner, row.group) == 0 && ::chmod (pathOf (file), row.mode) == 0 &&
            (!row.twoNames || ::link (pathOf (file), pathOf (second)) == 0) &&
            ::chown (pathOf (folder), saver, saverGroup) == 0);
        if ((*row.attribute != 0 &&
             ::setxattr (pathOf (file), row.attribute, row.value.data(), row.value.size(), 0) != 0) ||
            (!row.folderAcl.empty() &&
             ::setxattr (pathOf (folder), kDefault, row.folderAcl.data(), row.folderAcl.size(), 0) != 0))
        {
            std::cout << "[ SKIPPED  ] " << row.what << ": the file system keeps no such attributes\n";
            continue;
        }
        ASSERT_EQ (::chmod (pathOf (folder), row.folderMode), 0);

        const auto before = ownershipOf (file);
        {
            const std::optional<ActingAsNobody> user =
                row.byRoot ? std::nullopt : std::make_optional<ActingAsNobody>();
            EXPECT_TRUE (write (file, "new")) << row.what;
        }

        EXPECT_EQ (file.loadFileAsString(), "new") << row.what;
        EXPECT_TRUE (!row.twoNames || second.loadFileAsString() == "new") << row.what;
        const auto after = ownershipOf (file);
        EXPECT_EQ (after.text, before.text) << row.what;
        EXPECT_EQ (after.inode == before.inode, row.inPlace) << row.what;
        EXPECT_EQ (namesUnder (folder), std::set<juce::String>{"settings"}) << row.what;
        ::chmod (pathOf (folder), 0755);
    }
}

// In the user namespace of a sandbox that maps only the user's own ids, every other group
// shows as the same overflow group, so that a new file may show the old file's group and yet
// be in another.
TEST (AtomicFileWriter, InAUserNamespaceAGroupItCannotTellIsKept)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "files of groups the user is not in take root to make";

    TempFolder temp;
    const auto folder = temp.file ("shared"), file = folder.getChildFile ("settings");
    constexpr gid_t kFolderGroup = 1500, kFileGroup = 1600;
    // New files in the folder take its group.
    ASSERT_TRUE (folder.createDirectory().wasOk() && ::chown (pathOf (folder), 0, kFolderGroup) == 0 &&
                 ::chmod (pathOf (folder), 02775) == 0 && file.replaceWithText ("old") &&
                 ::chown (pathOf (file), 0, kFileGroup) == 0 && ::chmod (pathOf (file), 0640) == 0);

    const pid_t child = ::fork();
    if (child == 0)
    {
        // Root in a namespace that maps root alone.
        if (::unshare (CLONE_NEWUSER) != 0)
            ::_exit (2);
        std::ofstream ("/proc/self/setgroups") << "deny";
        std::ofstream ("/proc/self/uid_map") << "0 0 1";
        std::ofstream ("/proc/self/gid_map") << "0 0 1";
        ::_exit (write (file, "new") ? 0 : 1);
    }

    int status = -1;
    ::waitpid (child, &status, 0);
    if (WIFEXITED (status) && WEXITSTATUS (status) == 2)
        GTEST_SKIP() << "no user namespace can be made here";

    struct stat info;
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0) << "wait status " << status;
    EXPECT_EQ (file.loadFileAsString(), "new");
    ASSERT_EQ (::stat (pathOf (file), &info), 0);
    EXPECT_EQ (info.st_gid, kFileGroup);
    EXPECT_EQ (info.st_mode & 07777, 0640u);
}

// The folder of "/name" is "/" itself.
TEST (AtomicFileWriter, FilesInTheRootFolderAreSaved)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may write in /";

    const juce::File old ("/quorvel-test-" + juce::Uuid().toString()), made (old.getFullPathName() + "-new");
    const struct Removed
    {
        const juce::File &old, &made;
        ~Removed() { EXPECT_TRUE (old.deleteFile() && made.deleteFile()); }
    } removed{old, made};
    if (!(std::ofstream (pathOf (old)) << "old"))
        GTEST_SKIP() << "/ cannot be written here";

    for (const auto& file : {old, made})
    {
        EXPECT_TRUE (write (file, "new")) << file.getFullPathName();
        EXPECT_EQ (file.loadFileAsString(), juce::String ("new"));
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

    // Only a regular file is saved over: not a FIFO, whose reader would take the bytes.
    const auto fifo = temp.fifo ("fifo");
    struct stat info;
    EXPECT_FALSE (write (fifo, "new"));
    EXPECT_TRUE (::stat (pathOf (fifo), &info) == 0 && S_ISFIFO (info.st_mode));
    ASSERT_TRUE (fifo.deleteFile());

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

namespace
{
// Runs a command to its end, for at most a minute: empty when it succeeded, else what went
// wrong. What it printed goes to `output`.
juce::String problemRunning (const juce::StringArray& command, juce::String* output = nullptr)
{
    const auto ended = BoundedCommand::run (command, 60);
    if (output != nullptr)
        *output = ended.output;
    return ended.status == 0 ? juce::String() : command.joinIntoString (" ") + ": " + ended.output;
}

// A disk of a FUSE file system, mounted for the test and unmounted with it. Mounting takes
// root, /dev/fuse and the file system's package; without them `problem` says what is missing.
struct FuseDisk
{
    FuseDisk (const TempFolder& temp, const juce::String& kind)
        : mountPoint (temp.file ("disk"))
    {
        if (::geteuid() != 0 || !juce::File ("/dev/fuse").exists() || !mountPoint.createDirectory().wasOk())
            problem = "mounting takes root and /dev/fuse";
        else
            problem = kind == "exfat" ? mountExfat (temp) : mountBindfs (temp);

        mounted = problem.isEmpty();
    }

    ~FuseDisk()
    {
        const auto unmounted = mounted ? problemRunning ({"umount", mountPoint.getFullPathName()}) : "";
        const auto detached = loopDevice.isNotEmpty() ? problemRunning ({"losetup", "-d", loopDevice}) : "";
        EXPECT_EQ (unmounted + detached, "");
    }

    // As shared data disks are mounted: for everyone, with every file the mount's own.
    juce::String mountExfat (const TempFolder& temp)
    {
        const auto image = temp.file ("image").getFullPathName();
        juce::String found;
        for (const auto& step : {juce::StringArray{"truncate", "-s", "16M", image},
                                 {"mkfs.exfat", image},
                                 {"losetup", "-f", "--show", image}})
            if (const auto failed = problemRunning (step, &found); failed.isNotEmpty())
                return failed;

        loopDevice = found.trim();
        return problemRunning (
            {"mount.exfat-fuse", "-o", "umask=000", loopDevice, mountPoint.getFullPathName()});
    }

    // Every file another user's, and everyone's to read and write.
    juce::String mountBindfs (const TempFolder& temp)
    {
        const auto underneath = temp.file ("underneath");
        const auto other = juce::String (kOtherUser);
        if (!underneath.createDirectory().wasOk() || ::chmod (pathOf (underneath), 0777) != 0)
            return "no folder to bind";
        return problemRunning ({"bindfs", "-u", other, "-g", other, "-p", "a+rwX",
                                underneath.getFullPathName(), mountPoint.getFullPathName()});
    }

    juce::File mountPoint;
    juce::String problem, loopDevice;
    bool mounted = false;
};
} // namespace

TEST (AtomicFileWriter, DisksThatFixEveryFilesOwnerAndModeAreSavedOn)
{
    for (const juce::String kind : {"exfat", "bindfs"})
    {
        TempFolder temp;
        const FuseDisk disk (temp, kind);
        if (disk.problem.isNotEmpty())
        {
            std::cout << "[ SKIPPED  ] " << kind << ": " << disk.problem << "\n";
            continue;
        }

        const auto file = disk.mountPoint.getChildFile ("settings"), link = temp.file ("link");
        ASSERT_TRUE (juce::File::createSymbolicLink (
            link, disk.mountPoint.getChildFile ("linked").getFullPathName(), false));
        {
            const ActingAsNobody user;

            // A new file, then a save over it, and one through a link that names nothing there.
            for (const auto& [saved, text] :
                 {std::pair (file, "first"), std::pair (file, "second"), std::pair (link, "third")})
            {
                EXPECT_TRUE (write (saved, text)) << kind << ", " << text;
                EXPECT_EQ (saved.loadFileAsString(), text) << kind;
            }
        }
        if (kind == "bindfs")
        {
            // The owner the mount shows, whose changes of mode it passes down.
            const ActingAsNobody owner (kOtherUser, kOtherUser);
            EXPECT_TRUE (write (file, "fourth"));
            EXPECT_EQ (file.loadFileAsString(), "fourth");
        }
        EXPECT_EQ (namesUnder (disk.mountPoint), (std::set<juce::String>{"settings", "linked"})) << kind;

        if (kind != "bindfs")
            continue; // exFAT keeps its files in an image, with no folder underneath to look into

        // Underneath, where the mount keeps the modes files were made with and refuses to change
        // them, each saved file is as any new file made there, for whoever reads it there.
        for (const auto* name : {"settings", "linked"})
        {
            struct stat info = {};
            ::stat (pathOf (temp.file ("underneath").getChildFile (name)), &info);
            EXPECT_EQ (info.st_mode & 07777, TempFolder::newFileMode()) << name;
        }
    }
}
