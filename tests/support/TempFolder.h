#pragma once

#include <juce_core/juce_core.h>

#include <sys/types.h>

// A fresh empty folder for one test, deleted with everything in it afterwards.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();

    TempFolder (const TempFolder&) = delete;
    TempFolder& operator= (const TempFolder&) = delete;

    const juce::File& folder() const { return root; }
    juce::File file (const juce::String& name) const { return root.getChildFile (name); }

    // Writes `text` as the whole content of the child `name` and returns that file.
    juce::File write (const juce::String& name, const juce::String& text) const;

    // Makes the child `name` a FIFO that nothing writes into and returns it.
    juce::File fifo (const juce::String& name) const;

    // The permission bits any new file gets: what the umask leaves of 0666.
    static mode_t newFileMode();

private:
    juce::File root;
};
