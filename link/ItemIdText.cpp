#include "link/ItemIdText.h"

juce::String ItemIdText::fromItem (int item)
{
    return "0x" + juce::String::toHexString (item & 0xFF).paddedLeft ('0', 2).toUpperCase();
}

int ItemIdText::toItem (const juce::String& text)
{
    return text.getHexValue32();
}
