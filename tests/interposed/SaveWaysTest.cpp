// Each way a save can go, and each moment at which it must stop, brought about by the
// system calls of this program: other file systems refuse steps that this one allows, and
// other users act on the folder right then.
#include "files/AtomicFileWriter.h"
#include "interposed/Interposer.h"
#include "support/AclBytes.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace
{
constexpr const char* kOld = "old settings";
constexpr const char* kSaved = "<saved>"; // stands for the text saved, in the expected files
constexpr const char* kTheirs = "someone else's";
constexpr const char* kFifo = "(a FIFO)";

enum class Way
{
    replacedUnnamed,
    replacedNamed,
    inPlace,
    none, // refused
};

const char* pathOf (const juce::File& file)
{
    return file.getFullPathName().toRawUTF8();
}

// Every file and link under the folder, hidden ones too: a file's contents, or "-> " and
// what a link says; a FIFO, which nothing writes into, is not read.
std::map<std::string, std::string> snapshot (const juce::File& folder)
{
    std::map<std::string, std::string> found;
    for (const auto& entry : juce::RangedDirectoryIterator (
             folder, true, "*", juce::File::findFilesAndDirectories, juce::File::FollowSymlinks::no))
    {
        const auto& file = entry.getFile();
        struct stat info = {};
        ::lstat (pathOf (file), &info);
        found[file.getRelativePathFrom (folder).toStdString()] =
            S_ISLNK (info.st_mode)    ? "-> " + file.getNativeLinkedTarget().toStdString()
            : S_ISFIFO (info.st_mode) ? kFifo
                                      : file.loadFileAsString().toStdString();
    }
    return found;
}

ino_t inodeOf (const juce::File& file)
{
    struct stat info = {};
    ::stat (pathOf (file), &info);
    return info.st_ino;
}

// What other programs do meanwhile, without syncing anything: write a file, or write one by
// another name first and rename it over `file`.
void put (const juce::File& file, const char* text)
{
    std::ofstream (pathOf (file)) << text;
}

void replaceBehind (const juce::File& file, const char* text)
{
    const auto other = file.getSiblingFile ("other program's");
    put (other, text);
    EXPECT_EQ (::rename (pathOf (other), pathOf (file)), 0);
}

struct Row
{
    const char* what;
    bool oldFile; // "settings" holds kOld, mode 0640
    bool saved;
    Way way;
    std::map<std::string, std::string> after;
    std::function<bool (const TempFolder&)> arrange; // false: cannot be arranged here
    std::optional<mode_t> umask{};                   // the one saved under; else the process's
};

// The row's umask while it lives, and the process's again afterwards.
struct RowUmask
{
    explicit RowUmask (std::optional<mode_t> mask)
        : old (::umask (0))
    {
        ::umask (mask.value_or (old));
    }
    ~RowUmask() { ::umask (old); }
    const mode_t old;
};

// Another program writes "settings" at the moment named.
std::function<bool (const TempFolder&)> theirsAt (std::function<void()> Interposer::*moment,
                                                  bool unnamedFilesRefused = false)
{
    return [moment, unnamedFilesRefused] (const TempFolder& temp)
    {
        interposer.*moment = [&temp] { put (temp.file ("settings"), kTheirs); };
        interposer.refuseUnnamedFiles = unnamedFilesRefused;
        return true;
    };
}

// Another program removes the folder, with everything in it, just before a file is synced.
bool removeFolderBeforeFileSync (const TempFolder& temp)
{
    interposer.beforeFileSync = [&temp] { temp.folder().deleteRecursively(); };
    return true;
}

bool linkSettingsToSecond (const TempFolder& temp)
{
    return ::link (pathOf (temp.file ("settings")), pathOf (temp.file ("second"))) == 0;
}

bool linkSettingsToMade (const TempFolder& temp)
{
    return juce::File::createSymbolicLink (temp.file ("settings"), "made", false);
}

// A FUSE disk that shows every file as everyone's to read and write (bindfs -p a+rwX, exFAT
// with umask=000); underneath, the old file is as any new file made there. Such a disk passes
// changes of owner, mode and attributes down, as bindfs does for the owner it shows.
bool diskShowingEveryMode (const TempFolder& temp)
{
    interposer.refuseUnnamedFiles = true;
    interposer.shownMode = 0666;
    const auto file = temp.file ("settings");
    return !file.exists() || ::chmod (pathOf (file), TempFolder::newFileMode()) == 0;
}

// One that refuses to change owners, modes and attributes.
bool diskSettingEveryMode (const TempFolder& temp)
{
    interposer.ownerError = interposer.modeError = EPERM;
    interposer.attributesUnsupported = EOPNOTSUPP;
    return diskShowingEveryMode (temp);
}

bool setUserAttribute (const TempFolder& temp)
{
    return ::setxattr (pathOf (temp.file ("settings")), "user.xdg.tags", "keyboard", 8, 0) == 0;
}
} // namespace

TEST (SaveWays, EachWaySavesWholeKeepsWhatTheFileHadAndStopsWhereItMust)
{
    const auto aclWithUser = AclBytes::of ({{AclBytes::kOwner, 6, AclBytes::kNoId},
                                            {AclBytes::kUser, 0, 4242},
                                            {AclBytes::kOwningGroup, 4, AclBytes::kNoId},
                                            {AclBytes::kMask, 4, AclBytes::kNoId},
                                            {AclBytes::kOthers, 0, AclBytes::kNoId}});
    const auto folderAcl = AclBytes::of ({{AclBytes::kOwner, 6, AclBytes::kNoId},
                                          {AclBytes::kUser, 6, 4242},
                                          {AclBytes::kOwningGroup, 4, AclBytes::kNoId},
                                          {AclBytes::kMask, 6, AclBytes::kNoId},
                                          {AclBytes::kOthers, 0, AclBytes::kNoId}});
    using Files = std::map<std::string, std::string>;
    const Files saved{{"settings", kSaved}}, old{{"settings", kOld}}, theirs{{"settings", kTheirs}};
    const Files savedThroughLink{{"settings", "-> made"}, {"made", kSaved}}, nothing;
    const Files linkLeft{{"settings", "-> made"}},
        theirsThroughLink{{"settings", "-> made"}, {"made", kTheirs}};

    const std::vector<Row> rows{
        // The ways a save succeeds.
        {"the user's own file", true, true, Way::replacedUnnamed, saved, nullptr},
        {"no unnamed files", true, true, Way::replacedNamed, saved,
         [] (auto&) { return interposer.refuseUnnamedFiles = true; }},
        {"a disk that sets every file's owner and mode", true, true, Way::replacedNamed, saved,
         diskSettingEveryMode},
        {"a disk that sets every file's mode and passes changes down", true, true, Way::replacedNamed, saved,
         diskShowingEveryMode},
        // Under these umasks a new file made private shows less than that.
        {"a umask that lets nobody write, no unnamed files", true, true, Way::replacedNamed, saved,
         [] (auto&) { return interposer.refuseUnnamedFiles = true; }, 0222},
        {"a umask that takes the owner's write permission", true, true, Way::replacedUnnamed, saved, nullptr,
         0200},
        {"a umask that leaves the owner only reading, an attribute of the user's", true, true,
         Way::replacedUnnamed, saved, setUserAttribute, 0277},
        {"a disk that keeps no attributes", true, true, Way::replacedUnnamed, saved,
         [] (auto&) { return interposer.attributesUnsupported = ENOSYS; }},
        {"a folder that cannot be opened to be synced", true, true, Way::replacedUnnamed, saved,
         [] (auto&) { return interposer.folderReadError = EACCES; }},
        {"writes interrupted by a signal", true, true, Way::replacedUnnamed, saved,
         [] (auto&) { return interposer.interruptedWrites = 1; }},
        {"a mode that cannot be given", true, true, Way::inPlace, saved,
         [] (auto&) { return interposer.modeError = EPERM; }},
        {"an ACL that cannot be given", true, true, Way::inPlace, saved,
         [&aclWithUser] (const TempFolder& temp)
         {
             interposer.attributeError = EPERM;
             return ::setxattr (pathOf (temp.file ("settings")), AclBytes::kAccess, aclWithUser.data(),
                                aclWithUser.size(), 0) == 0;
         }},
        // The folder gives new files an ACL of its own, which they cannot be rid of.
        {"an ACL the folder gives, where the file has none", true, true, Way::inPlace, saved,
         [&folderAcl] (const TempFolder& temp)
         {
             interposer.attributeError = EPERM;
             return ::setxattr (pathOf (temp.folder()), AclBytes::kDefault, folderAcl.data(),
                                folderAcl.size(), 0) == 0;
         }},
        {"an ACL the folder gives, where the file has another", true, true, Way::inPlace, saved,
         [&folderAcl, &aclWithUser] (const TempFolder& temp)
         {
             interposer.attributeError = EPERM;
             return ::setxattr (pathOf (temp.file ("settings")), AclBytes::kAccess, aclWithUser.data(),
                                aclWithUser.size(), 0) == 0 &&
                    ::setxattr (pathOf (temp.folder()), AclBytes::kDefault, folderAcl.data(),
                                folderAcl.size(), 0) == 0;
         }},
        {"attributes that cannot be read", true, true, Way::inPlace, saved,
         [] (auto&) { return interposer.attributeReadError = EIO; }},
        {"a file that cannot be renamed over", true, true, Way::inPlace, saved,
         [] (auto&) { return interposer.renameError = EBUSY; }},
        {"a file with two names",
         true,
         true,
         Way::inPlace,
         {{"settings", kSaved}, {"second", kSaved}},
         linkSettingsToSecond},
        {"a new name", false, true, Way::replacedUnnamed, saved, nullptr},
        {"a new name, no unnamed files, no renaming without replacing", false, true, Way::replacedNamed,
         saved,
         [] (auto&) { return interposer.refuseUnnamedFiles = interposer.noReplaceUnsupported = true; }},
        {"a link that names nothing", false, true, Way::replacedUnnamed, savedThroughLink,
         linkSettingsToMade},
        {"a link that names nothing, on a disk that sets every file's owner and mode", false, true,
         Way::replacedNamed, savedThroughLink,
         [] (const TempFolder& temp) { return diskSettingEveryMode (temp) && linkSettingsToMade (temp); }},
        {"a link that names nothing, where modes cannot be given", false, true, Way::inPlace,
         savedThroughLink,
         [] (const TempFolder& temp) { return (interposer.modeError = EPERM) && linkSettingsToMade (temp); }},

        // Where a save stops, leaving every file as it was.
        {"a full disk, writing in place", true, false, Way::none, old,
         [] (auto&) { return (interposer.modeError = EPERM) && (interposer.diskRoom = 14); }},
        {"old bytes that cannot be written over", true, false, Way::none, old,
         [] (auto&) { return (interposer.modeError = EPERM) && (interposer.headWriteError = EIO); }},
        {"a disk that takes no bytes and says nothing", true, false, Way::none, old,
         [] (auto&) { return interposer.writesStoringNothing = 1; }},
        {"a full disk, a named new file", true, false, Way::none, old,
         [] (auto&) { return (interposer.refuseUnnamedFiles = true) && (interposer.diskRoom = 3); }},
        {"a network disk that tells of a full disk once the data is synced, writing in place", true, false,
         Way::none, old,
         [] (auto&) { return (interposer.modeError = EPERM) && (interposer.fileSyncError = ENOSPC); }},
        {"a failed sync, a named new file", true, false, Way::none, old,
         [] (auto&) { return (interposer.refuseUnnamedFiles = true) && (interposer.fileSyncError = EIO); }},
        // The bytes are where no name leads to them.
        {"the folder removed while a file is replaced", true, false, Way::none, nothing,
         removeFolderBeforeFileSync},
        {"the folder removed while a file with two names is written in place", true, false, Way::none,
         nothing,
         [] (const TempFolder& temp)
         { return linkSettingsToSecond (temp) && removeFolderBeforeFileSync (temp); }},
        {"a file appears at the new name", false, false, Way::none, theirs,
         theirsAt (&Interposer::beforeFileSync)},
        {"a file appears at the new name, no unnamed files", false, false, Way::none, theirs,
         theirsAt (&Interposer::beforeFileSync, true)},
        {"a file appears where nothing was found", false, false, Way::none, theirs,
         theirsAt (&Interposer::afterPathOpenFailed)},
        {"another file takes the name once it was found", true, false, Way::none, theirs,
         [] (const TempFolder& temp)
         {
             interposer.afterProcLinkRead = [&temp] { replaceBehind (temp.file ("settings"), kTheirs); };
             return true;
         }},
        {"the file found renamed away, another put in its place",
         true,
         false,
         Way::none,
         {{"settings", kTheirs}, {"moved", kOld}},
         [] (const TempFolder& temp)
         {
             interposer.afterProcLinkRead = [&temp]
             {
                 EXPECT_TRUE (temp.file ("settings").moveFileTo (temp.file ("moved")));
                 put (temp.file ("settings"), kTheirs);
             };
             return true;
         }},
        {"a link planted at the first temporary name",
         false,
         true,
         Way::replacedNamed,
         {{"settings", kSaved}, {"theirs", kTheirs}, {".quorvel-0000000000000000.tmp", "-> theirs"}},
         [] (const TempFolder& temp)
         {
             interposer.refuseUnnamedFiles = interposer.countedRandom = true;
             put (temp.file ("theirs"), kTheirs);
             return juce::File::createSymbolicLink (temp.file (".quorvel-0000000000000000.tmp"), "theirs",
                                                    false);
         }},
        {"a temporary name refused for want of permission",
         false,
         false,
         Way::none,
         {},
         [] (auto&)
         { return (interposer.refuseUnnamedFiles = true) && (interposer.temporaryError = EACCES); }},
        {"a link that names nothing, a failed save", false, false, Way::none, linkLeft,
         [] (const TempFolder& temp)
         { return (interposer.fileSyncError = EIO) && linkSettingsToMade (temp); }},
        {"a link that names nothing, its file replaced meanwhile, a failed save", false, false, Way::none,
         theirsThroughLink,
         [] (const TempFolder& temp)
         {
             interposer.beforeFileSync = [&temp] { replaceBehind (temp.file ("made"), kTheirs); };
             return (interposer.fileSyncError = EIO) && linkSettingsToMade (temp);
         }},
        {"a link that names nothing, a file there by the time it is opened, a failed save", false, false,
         Way::none, theirsThroughLink,
         [] (const TempFolder& temp)
         {
             interposer.beforeCreatingOpen = [&temp] { put (temp.file ("made"), kTheirs); };
             return (interposer.fileSyncError = EIO) && linkSettingsToMade (temp);
         }},
        {"a link that names nothing, a FIFO there by the time it is opened",
         false,
         false,
         Way::none,
         {{"settings", "-> made"}, {"made", kFifo}},
         [] (const TempFolder& temp)
         {
             interposer.beforeCreatingOpen = [&temp] { temp.fifo ("made"); };
             return linkSettingsToMade (temp);
         }},
        {"a link that names nothing, a device there by the time it is opened",
         false,
         false,
         Way::none,
         {{"settings", "-> made"}, {"made", ""}},
         [] (const TempFolder& temp)
         {
             // The null device, which takes anything written to it.
             interposer.beforeCreatingOpen = [&temp]
             { ::mknod (pathOf (temp.file ("made")), S_IFCHR | 0666, ::makedev (1, 3)); };
             return ::geteuid() == 0 && linkSettingsToMade (temp);
         }},
    };

    for (const auto& row : rows)
    {
        const Interposer::Scope scope;
        TempFolder temp;
        const auto file = temp.file ("settings");
        struct stat before = {};
        ASSERT_TRUE (!row.oldFile ||
                     (temp.write ("settings", kOld).existsAsFile() && ::chmod (pathOf (file), 0640) == 0));
        if (row.arrange && !row.arrange (temp))
        {
            std::cout << "[ SKIPPED  ] " << row.what << ": cannot be arranged here\n";
            continue;
        }
        ::stat (pathOf (file), &before);
        interposer.watched = file.getFullPathName().toStdString();
        const RowUmask umask (row.umask);

        // Longer than the old text, then shorter, so that each way grows and cuts the file.
        for (const std::string text : {"new settings, longer than the old", "new"})
        {
            interposer.syncs.clear();
            interposer.temporaryFilesMade = interposer.temporaryNamesTried = 0;
            interposer.modeGivenAnOwner.reset();
            const auto oldInode = inodeOf (file);

            EXPECT_EQ (AtomicFileWriter::write (file, text.data(), text.size()), row.saved) << row.what;
            EXPECT_EQ (interposer.opensThatWouldHang, 0) << row.what;
            // Until it carries the old file's owner, mode and attributes, the new file is its
            // owner's alone, whatever the umask, unless the disk shows modes of its own.
            const auto mode = interposer.modeGivenAnOwner.value_or (0600);
            EXPECT_TRUE (interposer.shownMode != 0 || mode == 0600) << row.what << std::oct << ": " << mode;

            auto expected = row.after;
            for (auto& entry : expected)
                if (entry.second == kSaved)
                    entry.second = text;
            EXPECT_EQ (snapshot (temp.folder()), expected) << row.what;

            if (row.way == Way::none)
            {
                EXPECT_LE (interposer.temporaryNamesTried, 1) << row.what;
                break;
            }

            const bool replaced = row.way != Way::inPlace;
            EXPECT_EQ (inodeOf (file) != oldInode, replaced || oldInode == 0) << row.what;
            // Where the disk shows modes of its own, the first new file, made private, is made
            // again as any new file.
            EXPECT_EQ (interposer.temporaryFilesMade,
                       row.way == Way::replacedNamed ? 1 + (interposer.shownMode != 0 ? 1 : 0) : 0)
                << row.what;
            // The bytes are on the disk before the file takes the name, and the name with the
            // folder; written in place, only the file (a new one, given up, may come first).
            const auto fileSynced = "file:" + text;
            if (replaced)
                EXPECT_EQ (interposer.syncs, (std::vector<std::string>{fileSynced, "folder:" + text}))
                    << row.what;
            else
                EXPECT_TRUE (!interposer.syncs.empty() &&
                             std::count (interposer.syncs.begin(), interposer.syncs.end(), fileSynced) ==
                                 (std::ptrdiff_t) interposer.syncs.size())
                    << row.what;

            // As the file is underneath: it keeps what it had, or gets what any new file gets.
            struct stat after;
            ASSERT_EQ (::stat (pathOf (file), &after), 0);
            EXPECT_EQ (after.st_mode & 07777,
                       row.oldFile ? before.st_mode & 07777 : TempFolder::newFileMode())
                << row.what;
            EXPECT_TRUE (!row.oldFile || (after.st_uid == before.st_uid && after.st_gid == before.st_gid))
                << row.what;
        }
    }
}
