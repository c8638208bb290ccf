// What a save syncs. Every fsync of this program passes through the replacement below, which
// notes what is on the path of the saved file at the moment its folder is synced.
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"
#include "support/TempFolder.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{
const juce::File* watchedFile = nullptr;
juce::StringArray syncedFolderHeld; // the watched file's text at each sync of its folder

void noteSync (int fd)
{
    struct stat synced, folder;

    if (watchedFile != nullptr && ::fstat (fd, &synced) == 0 && S_ISDIR (synced.st_mode) &&
        ::stat (watchedFile->getParentDirectory().getFullPathName().toRawUTF8(), &folder) == 0 &&
        synced.st_ino == folder.st_ino && synced.st_dev == folder.st_dev)
        syncedFolderHeld.add (watchedFile->loadFileAsString());
}
} // namespace

extern "C" int fsync (int fd)
{
    static const auto next = reinterpret_cast<int (*) (int)> (::dlsym (RTLD_NEXT, "fsync"));
    noteSync (fd);
    return next (fd);
}

TEST (FolderSync, ASaveSyncsTheFolderOnceTheFileHasItsNewContents)
{
    TempFolder temp;
    QexParameterStore store;
    store.resetMappingToDefault();
    const auto file = temp.file ("settings.quill25");
    watchedFile = &file;

    // A new file, then one replacing an old one.
    for (const bool replacing : {false, true})
    {
        ASSERT_TRUE (!replacing || file.replaceWithText ("old"));
        syncedFolderHeld.clear();
        ASSERT_TRUE (SettingsFile::save (store, file));
        EXPECT_EQ (syncedFolderHeld.size(), 1) << replacing;
        EXPECT_EQ (syncedFolderHeld.joinIntoString ("|"), file.loadFileAsString()) << replacing;
    }

    watchedFile = nullptr;
}
