#include "pickers/EmbeddedTypeface.h"

EmbeddedTypeface::EmbeddedTypeface (juce::Typeface::Ptr compiledGlyphs, const juce::Font& systemFont,
                                    const juce::String& faceName, const juce::String& faceStyle)
    : juce::Typeface (faceName, faceStyle)
    , compiled (std::move (compiledGlyphs))
    , fontStyle (systemFont.getTypefaceStyle())
{
}

EmbeddedTypeface::~EmbeddedTypeface() = default;

// The framework's faces, like the compiled one, keep only the ascent as a fraction of the
// height and derive the rest from it.
float EmbeddedTypeface::getAscent() const
{
    return compiled->getAscent();
}

float EmbeddedTypeface::getDescent() const
{
    return compiled->getDescent();
}

float EmbeddedTypeface::getHeightToPointsFactor() const
{
    return compiled->getHeightToPointsFactor();
}

float EmbeddedTypeface::getStringWidth (const juce::String& text)
{
    return faceFor (text).getStringWidth (text);
}

void EmbeddedTypeface::getGlyphPositions (const juce::String& text, juce::Array<int>& glyphNumbers,
                                          juce::Array<float>& xOffsets)
{
    faceFor (text).getGlyphPositions (text, glyphNumbers, xOffsets);
}

bool EmbeddedTypeface::getOutlineForGlyph (int glyphNumber, juce::Path& path)
{
    return faceFor (glyphNumber).getOutlineForGlyph (glyphNumber, path);
}

juce::EdgeTable* EmbeddedTypeface::getEdgeTableForGlyph (int glyphNumber,
                                                         const juce::AffineTransform& transform,
                                                         float fontHeight)
{
    return faceFor (glyphNumber).getEdgeTableForGlyph (glyphNumber, transform, fontHeight);
}

juce::Typeface& EmbeddedTypeface::faceFor (const juce::String& text)
{
    for (auto t = text.getCharPointer(); !t.isEmpty();)
        if (!isEmbedded (t.getAndAdvance()))
            return getFrameworkFace();

    return *compiled;
}

juce::Typeface& EmbeddedTypeface::faceFor (int glyphNumber)
{
    return isEmbedded ((juce::juce_wchar) glyphNumber) ? *compiled : getFrameworkFace();
}

juce::Typeface& EmbeddedTypeface::getFrameworkFace()
{
    // Asked for by the face's name rather than the font's, which may be a placeholder the
    // framework resolves only now, from the font files installed by now.
    if (framework == nullptr)
        framework = juce::Font::getDefaultTypefaceForFont (juce::Font (getName(), fontStyle, 10.0f));

    return *framework;
}
