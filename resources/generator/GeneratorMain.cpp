// Writes the program's pictures into a folder, or with --check compares the files in that
// folder with freshly drawn ones (drawing each twice, so that anything not deterministic
// shows up here rather than as a changed file on another machine).

#include "Picture.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>

namespace
{
int usage()
{
    std::cerr << "usage: quorvel_picture_generator [--check] <resources folder>\n";
    return 2;
}

int write (const juce::File& folder)
{
    for (auto* p = Picture::begin(); p != Picture::end(); ++p)
    {
        const auto file = folder.getChildFile (p->fileName);
        const auto bytes = p->encode();

        if (!file.replaceWithData (bytes.getData(), bytes.getSize()))
        {
            std::cerr << "cannot write " << file.getFullPathName() << "\n";
            return 1;
        }

        std::cout << file.getFullPathName() << " (" << bytes.getSize() << " bytes)\n";
    }

    return 0;
}

int check (const juce::File& folder)
{
    int failures = 0;

    for (auto* p = Picture::begin(); p != Picture::end(); ++p)
    {
        const auto first = p->encode();
        const auto second = p->encode();

        if (first != second)
        {
            std::cerr << p->fileName << ": two drawings differ\n";
            ++failures;
            continue;
        }

        juce::MemoryBlock committed;
        const auto file = folder.getChildFile (p->fileName);

        if (!file.loadFileAsData (committed) || committed != first)
        {
            std::cerr << file.getFullPathName()
                      << " is not what the generator draws now: run quorvel_picture_generator on the "
                         "resources folder and commit the result\n";
            ++failures;
        }
    }

    std::cout << (failures == 0 ? "pictures are current\n" : "pictures are stale\n");
    return failures == 0 ? 0 : 1;
}
} // namespace

int main (int argc, char** argv)
{
    // Drawing touches the framework's shared font and image caches, which it tears down here.
    const juce::ScopedJuceInitialiser_GUI juceInit;

    if (argc == 2)
        return write (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));

    if (argc == 3 && juce::String (argv[1]) == "--check")
        return check (juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]));

    return usage();
}
