#pragma once

#include <juce_core/juce_core.h>

// The font files the framework builds its list of faces from on this system, found as it finds
// them (in the folders named by JUCE_FONT_PATH, else in those of the fontconfig configuration
// file) but without opening any: the framework opens every one of them with FreeType to learn
// its family before it can say which face it draws text in. A file the user may not read is
// left out, as FreeType cannot open it.
class FrameworkFontFiles
{
public:
    static juce::Array<juce::File> find();

    // Whether `files` hold a file named `fileName` and every file of that name has `size`
    // bytes: the release a font file is, told without opening it.
    static bool holdRelease (const juce::Array<juce::File>& files, const char* fileName, juce::int64 size);
};
