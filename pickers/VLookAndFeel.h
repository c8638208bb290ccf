#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>
#include <vector>

// The application's look: dark rounded text buttons with square corners where a button
// joins a neighbour, bold fitted button text, small plain tooltips, and greyer combo boxes.
// Everything else is the older framework look it builds on.
class VLookAndFeel : public juce::LookAndFeel_V2
{
public:
    VLookAndFeel();
    ~VLookAndFeel() override;

    // Corner radius of a text button as a fraction of its smaller side.
    static const float kCornerRatio;

    void drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour,
                               bool isMouseOverButton, bool isButtonDown) override;
    void drawButtonText (juce::Graphics& g, juce::TextButton& button, bool isMouseOverButton,
                         bool isButtonDown) override;

    // The tooltip's size for a text: the laid-out text plus 7 px either side and 5 above and below.
    void getTooltipSize (const juce::String& tipText, int& width, int& height);
    juce::Rectangle<int> getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                           juce::Rectangle<int> parentArea) override;
    void drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height) override;

    // The face the framework draws the font in. Where that is a face whose printable ASCII
    // glyphs are compiled into the program (DejaVu Sans and DejaVu Sans Bold, when the framework
    // takes DejaVu Sans for its default sans-serif face), those glyphs stand in for loading the
    // same ones from the font file, so that the first text drawn need not wait for it. The
    // choice is made at the first face asked for, as the framework makes its own.
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override;

    // The framework's label, except that its text is laid out each time it is drawn instead of
    // being kept in the framework's layout cache; button texts are drawn the same way.
    void drawLabel (juce::Graphics& g, juce::Label& label) override;

private:
    // The compiled-in glyphs, in the order of their sources, each decoded when first drawn.
    std::vector<juce::Typeface::Ptr> compiledFaces;
    // Whether the framework's default sans-serif face is the compiled one; found when first asked.
    std::optional<bool> defaultSansIsCompiled;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VLookAndFeel)
};
