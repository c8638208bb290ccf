#pragma once

#include <juce_graphics/juce_graphics.h>

// A face whose printable ASCII glyphs, with their kerning, come from outlines compiled into the
// program (written by resources/typefaces' generator from the same system face), so that text
// can be drawn without loading the system font. Any other character is read from the system
// face on first use, with its kerning against every glyph already held, so text looks exactly
// as it does with the system face alone.
class EmbeddedTypeface : public juce::CustomTypeface
{
public:
    // The characters the compiled-in outlines hold.
    static constexpr juce::juce_wchar firstEmbedded = 0x20, lastEmbedded = 0x7e;

    // A face holding no glyph yet, named and measured as `systemFont`'s face.
    explicit EmbeddedTypeface (const juce::Font& systemFont);

    // A face read from a stream written by writeToStream, backed by `systemFont`'s face.
    EmbeddedTypeface (juce::InputStream& serialised, const juce::Font& systemFont);

    ~EmbeddedTypeface() override;

    float getStringWidth (const juce::String& text) override;
    void getGlyphPositions (const juce::String& text, juce::Array<int>& glyphNumbers,
                            juce::Array<float>& xOffsets) override;

    // How far the first of two characters moves the pen when the second follows it (0 for
    // none): its advance with kerning, as `face` lays the pair out.
    static float advance (juce::Typeface& face, juce::juce_wchar first, juce::juce_wchar second);

protected:
    bool loadGlyphIfPossible (juce::juce_wchar c) override;

private:
    juce::Typeface& getSystemFace();
    bool holds (juce::juce_wchar c) const;
    juce::Array<juce::juce_wchar> heldCharacters() const;

    // A glyph's kerning is applied while laying out the glyph before it; every character of a
    // text is loaded first, so that the first text to use it is kerned as later ones are.
    void loadMissing (const juce::String& text);

    const juce::Font systemFont;
    juce::Typeface::Ptr systemFace; // loaded when a glyph is first missing
    const bool holdsEmbedded;
    juce::Array<juce::juce_wchar> loaded; // glyphs read from the system face, in order

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EmbeddedTypeface)
};
