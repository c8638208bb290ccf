#include "pickers/VLookAndFeel.h"

#include "pickers/EmbeddedTypeface.h"
#include "pickers/FrameworkFontFiles.h"
#include "resources/typefaces/TypefaceSource.h"

#include <TypefaceData.h>

namespace
{
// Whether the framework's default sans-serif face is DejaVu Sans of the release the compiled
// glyphs were read from, told from the font files' names and sizes alone. The framework prefers
// four other families to DejaVu Sans, so it takes DejaVu Sans when every font file it reads is
// one of DejaVu's. Anywhere else only the framework can tell, by opening every font file with
// FreeType, which costs the start-up time and the megabyte of memory the compiled glyphs save;
// its faces are then used as they are.
bool frameworkDefaultSansIsCompiled()
{
    const auto files = FrameworkFontFiles::find();

    for (const auto& file : files)
        if (!file.getFileName().startsWith ("DejaVu"))
            return false;

    for (const auto& source : kTypefaceSources)
        if (!FrameworkFontFiles::holdRelease (files, source.fontFile, source.fontFileSize))
            return false;

    return true;
}

// The source of the compiled glyphs the framework draws a default sans-serif font of this
// style in when its default is DejaVu Sans; the plain styles are DejaVu Sans's first, Book.
const TypefaceSource* findSource (const juce::Font& font)
{
    auto style = font.getTypefaceStyle();

    if (style == juce::Font::getDefaultStyle() || style == "Regular")
        style = "Book";

    for (const auto& source : kTypefaceSources)
        if (style == source.style)
            return &source;

    return nullptr;
}

// Draws text as juce::Graphics::drawFittedText does, without keeping its layout: the framework
// keeps the layout of every text it fits, each with room for 128 glyphs (about 4.6 kB), so the
// panel's few dozen fixed labels and buttons held some 140 kB there, for layouts that take
// microseconds to make again.
void fitAndDrawText (juce::Graphics& g, const juce::String& text, juce::Rectangle<int> area,
                     juce::Justification justification, int maximumLines, float minimumHorizontalScale)
{
    if (text.isEmpty() || area.isEmpty() || !g.clipRegionIntersects (area))
        return;

    juce::GlyphArrangement arrangement;
    arrangement.addFittedText (g.getCurrentFont(), text, (float) area.getX(), (float) area.getY(),
                               (float) area.getWidth(), (float) area.getHeight(), justification, maximumLines,
                               minimumHorizontalScale);
    arrangement.draw (g);
}

// Plain 12 px text, lines left-aligned and balanced in length, at most 400 px wide.
juce::TextLayout layoutTooltipText (const juce::String& text, juce::Colour colour)
{
    juce::AttributedString s;
    s.setJustification (juce::Justification::left);
    s.append (text, juce::Font (12.0f), colour);

    juce::TextLayout layout;
    layout.createLayoutWithBalancedLineLengths (s, 400.0f);
    return layout;
}
} // namespace

const float VLookAndFeel::kCornerRatio = 0.3f;

VLookAndFeel::VLookAndFeel()
    : compiledFaces (std::size (kTypefaceSources))
{
    setColour (juce::ComboBox::outlineColourId, juce::Colour (0xff959595u));
    setColour (juce::ComboBox::buttonColourId, juce::Colour (0xffd7d7d7u));
    setColour (juce::ComboBox::arrowColourId, juce::Colour (0xff595959u));
}

VLookAndFeel::~VLookAndFeel() = default;

juce::Typeface::Ptr VLookAndFeel::getTypefaceForFont (const juce::Font& font)
{
    // The framework settles its default faces from the font files there are at the first face
    // asked of it, and keeps them whatever is installed later; so is this settled then.
    if (!defaultSansIsCompiled.has_value())
        defaultSansIsCompiled = frameworkDefaultSansIsCompiled();

    if (*defaultSansIsCompiled && font.getTypefaceName() == juce::Font::getDefaultSansSerifFontName())
    {
        if (const auto* source = findSource (font))
        {
            auto& compiled = compiledFaces[(size_t) (source - kTypefaceSources)];

            if (compiled == nullptr)
            {
                int size = 0;
                const auto* data = TypefaceData::getNamedResource (source->resourceName, size);
                juce::MemoryInputStream in (data, (size_t) size, false);
                compiled = new juce::CustomTypeface (in);
            }

            return new EmbeddedTypeface (compiled, font, source->family, source->style);
        }

        // Another style of DejaVu Sans, asked for by name: the framework may not have looked at
        // the font files yet, and would then take for its default a family installed since. By
        // name it resolves the style as it does for its default.
        juce::Font named (font);
        named.setTypefaceName (kTypefaceSources[0].family);
        return juce::Font::getDefaultTypefaceForFont (named);
    }

    return juce::LookAndFeel_V2::getTypefaceForFont (font);
}

void VLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                         bool isMouseOverButton, bool isButtonDown)
{
    // The colour passed in is ignored: the button's own colours decide.
    const auto w = (float) button.getWidth();
    const auto h = (float) button.getHeight();

    const auto onLeft = button.isConnectedOnLeft(), onRight = button.isConnectedOnRight();
    const auto onTop = button.isConnectedOnTop(), onBottom = button.isConnectedOnBottom();

    const auto x = onLeft ? 0.1f : 0.5f;
    const auto y = onTop ? 0.1f : 0.5f;
    const auto x2 = w - (onRight ? 0.1f : 0.5f);
    const auto y2 = h - (onBottom ? 0.1f : 0.5f);

    const auto cs = juce::jmin (kCornerRatio * w, kCornerRatio * h);
    const auto d = cs * 2.0f;
    const auto pi = juce::MathConstants<float>::pi;

    // Clockwise from the top-left; a corner is square as soon as either of its edges joins
    // a neighbour.
    juce::Path path;

    if (onLeft || onTop)
    {
        path.startNewSubPath (x, y);
    }
    else
    {
        path.startNewSubPath (x, y + cs);
        path.addArc (x, y, d, d, pi * 1.5f, pi * 2.0f);
    }

    if (onRight || onTop)
    {
        path.lineTo (x2, y);
    }
    else
    {
        path.lineTo (x2 - cs, y);
        path.addArc (x2 - d, y, d, d, 0.0f, pi * 0.5f);
    }

    if (onRight || onBottom)
    {
        path.lineTo (x2, y2);
    }
    else
    {
        path.lineTo (x2, y2 - cs);
        path.addArc (x2 - d, y2 - d, d, d, pi * 0.5f, pi);
    }

    if (onBottom || onLeft)
    {
        path.lineTo (x, y2);
    }
    else
    {
        path.lineTo (x + cs, y2);
        path.addArc (x, y2 - d, d, d, pi, pi * 1.5f);
    }

    path.closeSubPath();

    auto c = button.findColour (isButtonDown || button.getToggleState() ? juce::TextButton::buttonOnColourId
                                                                        : juce::TextButton::buttonColourId);

    if (isMouseOverButton)
    {
        c = c.getBrightness() > 0.5f ? c.darker (0.1f) : c.brighter (0.3f);
        c = c.withAlpha (c.isOpaque() ? 0.8f : 0.2f);
    }

    // The gradient reaches its dark end 4 px above the bottom; a button too short for that
    // would get an empty or reversed gradient, so it is filled plainly instead.
    const auto gradientEnd = button.getHeight() - 4;

    if (gradientEnd > 0)
        g.setGradientFill (juce::ColourGradient (c, 0.0f, 0.0f, juce::Colour (0xff323232u), 0.0f,
                                                 (float) gradientEnd, false));
    else
        g.setColour (c);

    g.fillPath (path);

    g.setColour (juce::Colour (0xff787878u));
    g.strokePath (path,
                  juce::PathStrokeType (1.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt));
}

void VLookAndFeel::drawButtonText (juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    const auto font = getTextButtonFont (button, button.getHeight()).boldened();
    g.setFont (font);

    const auto colourId =
        button.getToggleState() ? juce::TextButton::textColourOnId : juce::TextButton::textColourOffId;
    g.setColour (button.findColour (colourId).withMultipliedAlpha (button.isEnabled() ? 1.0f : 0.5f));

    const auto yIndent = juce::jmin (4, button.proportionOfHeight (0.3f));
    const auto fontHeight = juce::roundToInt (font.getHeight() * 0.6f);
    const auto leftIndent = fontHeight / 2;

    fitAndDrawText (
        g, button.getButtonText(),
        {leftIndent, yIndent, button.getWidth() - leftIndent * 2, button.getHeight() - yIndent * 2},
        juce::Justification::centred, 2, 0.7f);
}

void VLookAndFeel::drawLabel (juce::Graphics& g, juce::Label& label)
{
    g.fillAll (label.findColour (juce::Label::backgroundColourId));

    if (!label.isBeingEdited())
    {
        const auto alpha = label.isEnabled() ? 1.0f : 0.5f;
        const auto font = getLabelFont (label);

        g.setColour (label.findColour (juce::Label::textColourId).withMultipliedAlpha (alpha));
        g.setFont (font);

        const auto textArea = getLabelBorderSize (label).subtractedFrom (label.getLocalBounds());
        fitAndDrawText (g, label.getText(), textArea, label.getJustificationType(),
                        juce::jmax (1, (int) ((float) textArea.getHeight() / font.getHeight())),
                        label.getMinimumHorizontalScale());

        g.setColour (label.findColour (juce::Label::outlineColourId).withMultipliedAlpha (alpha));
    }
    else if (label.isEnabled())
    {
        g.setColour (label.findColour (juce::Label::outlineColourId));
    }

    g.drawRect (label.getLocalBounds());
}

void VLookAndFeel::getTooltipSize (const juce::String& tipText, int& width, int& height)
{
    const auto layout = layoutTooltipText (tipText, juce::Colours::black);
    width = (int) (layout.getWidth() + 14.0f);
    height = (int) (layout.getHeight() + 10.0f);
}

juce::Rectangle<int> VLookAndFeel::getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                                     juce::Rectangle<int> parentArea)
{
    int w = 0, h = 0;
    getTooltipSize (tipText, w, h);

    // Placed beside the pointer, away from the nearer screen edge, as the older look did.
    return juce::Rectangle<int> (
               screenPos.x > parentArea.getCentreX() ? screenPos.x - (w + 12) : screenPos.x + 24,
               screenPos.y > parentArea.getCentreY() ? screenPos.y - (h + 6) : screenPos.y + 6, w, h)
        .constrainedWithin (parentArea);
}

void VLookAndFeel::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    g.fillAll (findColour (juce::TooltipWindow::backgroundColourId));

    g.setColour (findColour (juce::TooltipWindow::outlineColourId));
    g.drawRect (0, 0, width, height, 1);

    // The block of left-aligned lines sits centred in the tooltip.
    const auto layout = layoutTooltipText (text, findColour (juce::TooltipWindow::textColourId));
    const auto area = juce::Rectangle<float> ((float) width, (float) height);
    layout.draw (g, area.withSizeKeepingCentre (layout.getWidth(), layout.getHeight()));
}
