// What a save syncs: the replaced fsync notes what is on the path of the saved file at the
// moment its folder is synced.
#include "interposed/Interposer.h"
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST (FolderSync, ASaveSyncsTheFolderOnceTheFileHasItsNewContents)
{
    const Interposer::Scope scope;
    TempFolder temp;
    QexParameterStore store;
    store.resetMappingToDefault();
    const auto file = temp.file ("settings.quill25");
    interposer.watched = file.getFullPathName().toStdString();

    // A new file, then one replacing an old one.
    for (const bool replacing : {false, true})
    {
        ASSERT_TRUE (!replacing || file.replaceWithText ("old"));
        interposer.syncs.clear();
        ASSERT_TRUE (SettingsFile::save (store, file));
        const auto text = file.loadFileAsString().toStdString();
        EXPECT_EQ (interposer.syncs, (std::vector<std::string>{"file:" + text, "folder:" + text}))
            << replacing;
    }
}
