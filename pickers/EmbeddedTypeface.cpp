#include "pickers/EmbeddedTypeface.h"

EmbeddedTypeface::EmbeddedTypeface (const juce::Font& font)
    : systemFont (font)
    , holdsEmbedded (false)
{
    auto& system = getSystemFace();
    setCharacteristics (system.getName(), system.getAscent(), font.isBold(), font.isItalic(), ' ');
}

EmbeddedTypeface::EmbeddedTypeface (juce::InputStream& serialised, const juce::Font& font)
    : juce::CustomTypeface (serialised)
    , systemFont (font)
    , holdsEmbedded (true)
{
}

EmbeddedTypeface::~EmbeddedTypeface() = default;

float EmbeddedTypeface::getStringWidth (const juce::String& text)
{
    loadMissing (text);
    return juce::CustomTypeface::getStringWidth (text);
}

void EmbeddedTypeface::getGlyphPositions (const juce::String& text, juce::Array<int>& glyphNumbers,
                                          juce::Array<float>& xOffsets)
{
    loadMissing (text);
    juce::CustomTypeface::getGlyphPositions (text, glyphNumbers, xOffsets);
}

float EmbeddedTypeface::advance (juce::Typeface& face, juce::juce_wchar first, juce::juce_wchar second)
{
    auto text = juce::String::charToString (first);
    if (second != 0)
        text += juce::String::charToString (second);

    juce::Array<int> glyphNumbers;
    juce::Array<float> offsets;
    face.getGlyphPositions (text, glyphNumbers, offsets);
    return offsets[1];
}

bool EmbeddedTypeface::loadGlyphIfPossible (juce::juce_wchar c)
{
    auto& system = getSystemFace();
    juce::Path outline;

    if (holds (c) || !system.getOutlineForGlyph ((int) c, outline))
        return false;

    const auto width = advance (system, c, 0);
    addGlyph (c, outline, width);
    loaded.add (c);

    // The kerning is what the system face adds to a glyph's advance before the other one,
    // both ways round.
    for (const auto other : heldCharacters())
    {
        addKerningPair (c, other, advance (system, c, other) - width);

        if (other != c)
            addKerningPair (other, c, advance (system, other, c) - advance (system, other, 0));
    }

    return true;
}

juce::Typeface& EmbeddedTypeface::getSystemFace()
{
    if (systemFace == nullptr)
        systemFace = juce::Font::getDefaultTypefaceForFont (systemFont);

    return *systemFace;
}

bool EmbeddedTypeface::holds (juce::juce_wchar c) const
{
    return (holdsEmbedded && c >= firstEmbedded && c <= lastEmbedded) || loaded.contains (c);
}

juce::Array<juce::juce_wchar> EmbeddedTypeface::heldCharacters() const
{
    juce::Array<juce::juce_wchar> held;

    if (holdsEmbedded)
        for (auto c = firstEmbedded; c <= lastEmbedded; ++c)
            held.add (c);

    held.addArray (loaded);
    return held;
}

void EmbeddedTypeface::loadMissing (const juce::String& text)
{
    for (auto t = text.getCharPointer(); !t.isEmpty();)
    {
        const auto c = t.getAndAdvance();

        if (!holds (c))
            loadGlyphIfPossible (c);
    }
}
