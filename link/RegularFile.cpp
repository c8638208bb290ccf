#include "link/RegularFile.h"

#if !JUCE_WINDOWS
#include <sys/stat.h>
#endif

bool RegularFile::exists (const juce::File& file)
{
#if JUCE_WINDOWS
    return file.existsAsFile();
#else
    struct stat info;
    return ::stat (file.getFullPathName().toRawUTF8(), &info) == 0 && S_ISREG (info.st_mode);
#endif
}
