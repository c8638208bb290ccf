#pragma once

#include <juce_graphics/juce_graphics.h>

// The framework's own face for a font, drawing printable ASCII from glyphs compiled into the
// program that were read from that very face (resources/typefaces' streams). A text of those
// characters alone is laid out and drawn from them, so the framework need not open the font
// file and load its glyphs, which it does one glyph at a time with the glyph's kerning against
// every character of the face. A text holding any other character is laid out as a whole by
// the framework's face of the same name in the font's style, so its kerning, its fallback face
// and its cost are the framework's own; that face is made when such a text first comes.
// Used on one thread at a time, as the framework's faces are.
class EmbeddedTypeface : public juce::Typeface
{
public:
    // The characters the compiled-in glyphs hold.
    static constexpr juce::juce_wchar firstEmbedded = 0x20, lastEmbedded = 0x7e;

    // `compiledGlyphs` must hold the printable ASCII glyphs, advances and kerning, to the bit, of
    // the face the framework draws `systemFont` in, which it names `faceName` and `faceStyle`.
    EmbeddedTypeface (juce::Typeface::Ptr compiledGlyphs, const juce::Font& systemFont,
                      const juce::String& faceName, const juce::String& faceStyle);
    ~EmbeddedTypeface() override;

    float getAscent() const override;
    float getDescent() const override;
    float getHeightToPointsFactor() const override;
    float getStringWidth (const juce::String& text) override;
    void getGlyphPositions (const juce::String& text, juce::Array<int>& glyphNumbers,
                            juce::Array<float>& xOffsets) override;
    bool getOutlineForGlyph (int glyphNumber, juce::Path& path) override;
    juce::EdgeTable* getEdgeTableForGlyph (int glyphNumber, const juce::AffineTransform& transform,
                                           float fontHeight) override;

private:
    // Both faces number a glyph by its character.
    static bool isEmbedded (juce::juce_wchar c) { return c >= firstEmbedded && c <= lastEmbedded; }
    juce::Typeface& faceFor (const juce::String& text);
    juce::Typeface& faceFor (int glyphNumber);
    juce::Typeface& getFrameworkFace();

    const juce::Typeface::Ptr compiled;
    // The font's style only: a font holds the face it was given, which holds this.
    const juce::String fontStyle;
    juce::Typeface::Ptr framework;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EmbeddedTypeface)
};
