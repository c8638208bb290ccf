#include "pickers/FrameworkFontFiles.h"

#include <fcntl.h>
#include <unistd.h>

// The framework's own steps, read with its own XML reader, so that both find the same folders.
namespace
{
std::unique_ptr<juce::XmlElement> findFontsConfFile()
{
    for (const auto* path : {"/etc/fonts/fonts.conf", "/usr/share/fonts/fonts.conf",
                             "/usr/local/etc/fonts/fonts.conf", "/usr/share/defaults/fonts/fonts.conf"})
        if (auto xml = juce::parseXML (juce::File (path)))
            return xml;

    return {};
}

juce::StringArray getFolders()
{
    juce::StringArray folders;
    folders.addTokens (juce::SystemStats::getEnvironmentVariable ("JUCE_FONT_PATH", {}), ";,", "");
    folders.removeEmptyStrings (true);

    if (folders.isEmpty())
    {
        if (const auto config = findFontsConfFile())
        {
            for (const auto* dir : config->getChildWithTagNameIterator ("dir"))
            {
                auto path = dir->getAllSubText().trim();

                if (path.isEmpty())
                    continue;

                if (dir->getStringAttribute ("prefix") == "xdg")
                {
                    auto dataHome = juce::SystemStats::getEnvironmentVariable ("XDG_DATA_HOME", {});

                    if (dataHome.trimStart().isEmpty())
                        dataHome = "~/.local/share";

                    path = juce::File (dataHome).getChildFile (path).getFullPathName();
                }

                folders.add (path);
            }
        }
    }

    if (folders.isEmpty())
        folders.add ("/usr/X11R6/lib/X11/fonts");

    folders.removeDuplicates (false);
    return folders;
}

// FreeType opens a file with the process's effective ids, which juce::File::hasReadAccess's
// access() does not check by; asked without opening the file.
bool isReadable (const juce::File& file)
{
    return faccessat (AT_FDCWD, file.getFullPathName().toRawUTF8(), R_OK, AT_EACCESS) == 0;
}
} // namespace

bool FrameworkFontFiles::holdRelease (const juce::Array<juce::File>& files, const char* fileName,
                                      juce::int64 size)
{
    auto found = false;

    for (const auto& file : files)
    {
        if (file.getFileName() != fileName)
            continue;

        if (file.getSize() != size)
            return false;

        found = true;
    }

    return found;
}

juce::Array<juce::File> FrameworkFontFiles::find()
{
    juce::Array<juce::File> files;

    for (const auto& folder : getFolders())
        for (const auto& entry : juce::RangedDirectoryIterator (
                 juce::File::getCurrentWorkingDirectory().getChildFile (folder), true))
            if (entry.getFile().hasFileExtension ("ttf;pfb;pcf;otf") && isReadable (entry.getFile()))
                files.add (entry.getFile());

    return files;
}
