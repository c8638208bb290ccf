#include "pickers/FrameworkFontFiles.h"
#include "resources/typefaces/TypefaceSource.h"
#include "support/ActingAsNobody.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

// FreeType cannot open a font file the user may not read, so the framework leaves it out.
TEST (FrameworkFontFiles, TellsTheReleaseFromReadableFilesOnly)
{
    const auto& book = kTypefaceSources[0];
    const TempFolder fonts;
    const auto file = fonts.file (book.fontFile);
    // Of the release's size: the judgement never opens the file.
    ASSERT_TRUE (file.create().wasOk() &&
                 truncate (file.getFullPathName().toRawUTF8(), book.fontFileSize) == 0);
    chmod (fonts.folder().getFullPathName().toRawUTF8(), 0755);
    setenv ("JUCE_FONT_PATH", fonts.folder().getFullPathName().toRawUTF8(), 1);

    for (const auto& [mode, counted] : {std::pair (0644, true), std::pair (0000, false)})
    {
        chmod (file.getFullPathName().toRawUTF8(), (mode_t) mode);
        const ActingAsNobody nobody;
        EXPECT_EQ (
            FrameworkFontFiles::holdRelease (FrameworkFontFiles::find(), book.fontFile, book.fontFileSize),
            counted)
            << "mode " << mode;
    }

    unsetenv ("JUCE_FONT_PATH");
}
