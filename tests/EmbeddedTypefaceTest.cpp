#include "app/MainComponent.h"
#include "editors/KbdSettingComponentQuill.h"
#include "pickers/VLookAndFeel.h"
#include "support/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// The application's look as it was before it carried its own outlines: every face is the
// system font's.
class SystemFontLook : public VLookAndFeel
{
public:
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override
    {
        return juce::LookAndFeel_V2::getTypefaceForFont (font);
    }
};

using Drawing = juce::Image (*) (VLookAndFeel&);

// The framework keeps the last 128 layouts of each of its four text-drawing calls, keyed by
// the font's name and style rather than its face, and draws them again with the face they were
// made with. Drawing many other texts pushes out the layouts made with the other look.
void forgetTextLayouts()
{
    juce::Image scratch (juce::Image::ARGB, 8, 8, true);
    juce::Graphics g (scratch);

    for (int i = 0; i < 256; ++i)
    {
        const juce::String text (i);
        g.drawSingleLineText (text, 0, 4);
        g.drawMultiLineText (text, 0, 4, 8);
        g.drawText (text, 0, 0, 8, 8, juce::Justification::left);
        g.drawFittedText (text, 0, 0, 8, 8, juce::Justification::left, 1);
    }
}

juce::Image drawWith (VLookAndFeel& look, Drawing draw)
{
    // Faces are cached by name and style, and fonts keep the face they found: both looks
    // start from an empty cache and build their components afresh.
    juce::LookAndFeel::setDefaultLookAndFeel (&look);
    juce::Typeface::clearTypefaceCache();
    forgetTextLayouts();
    auto image = draw (look);
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache();
    return image;
}

juce::Image mainWindowContent (VLookAndFeel&)
{
    MainComponent content;
    content.setSize (816, 545);
    content.getEditor()->actionListenerCallback ("0x30"); // a control's texts in every box
    return content.createComponentSnapshot (content.getLocalBounds(), true, 1.0f);
}

juce::Image tooltip (VLookAndFeel& look)
{
    const juce::String text ("States if the auto-returns to 0 (standard) or else holds the value (hold)");
    int w = 0, h = 0;
    look.getTooltipSize (text, w, h);
    juce::Image image (juce::Image::ARGB, w, h, true);
    juce::Graphics g (image);
    look.drawTooltip (g, text, w, h);
    return image;
}

// A style that is not embedded, and characters outside the embedded ones, read from the
// system face and kerned against their neighbours.
juce::Image otherText (VLookAndFeel&)
{
    // "AÝ ÀY »T Größe €5 ЖA": kerned pairs of an embedded and a loaded glyph both ways round.
    const auto mixed = juce::String::fromUTF8 ("A\xc3\x9d \xc3\x80Y \xc2\xbbT Gr\xc3\xb6\xc3\x9f"
                                               "e \xe2\x82\xac"
                                               "5 \xd0\x96"
                                               "A");
    juce::Image image (juce::Image::ARGB, 300, 60, true);
    juce::Graphics g (image);
    g.setColour (juce::Colours::black);

    const juce::Font fonts[] = {juce::Font (15.0f, juce::Font::italic), juce::Font (15.0f),
                                juce::Font (15.0f, juce::Font::bold)};

    for (int i = 0; i < 3; ++i)
    {
        g.setFont (fonts[i]);
        g.drawText (mixed, 0, i * 20, 300, 20, juce::Justification::left);
    }

    return image;
}

int differingPixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return a.getWidth() * a.getHeight();

    const juce::Image::BitmapData da (a, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData db (b, juce::Image::BitmapData::readOnly);
    int count = 0;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            count += da.getPixelColour (x, y) != db.getPixelColour (x, y) ? 1 : 0;

    return count;
}
} // namespace

TEST (EmbeddedTypeface, TextLooksExactlyAsWithTheSystemFont)
{
    if (juce::Font::getDefaultTypefaceForFont (juce::Font (15.0f))->getName() != "DejaVu Sans")
        GTEST_SKIP() << "the system's default sans-serif face is not the one embedded";

    const EditorTestSupport support;
    const struct
    {
        const char* name;
        Drawing draw;
    } rows[] = {
        {"main window", &mainWindowContent},
        {"tooltip", &tooltip},
        {"other styles and characters", &otherText},
    };

    for (const auto& row : rows)
    {
        SystemFontLook systemLook;
        VLookAndFeel embeddedLook;
        const auto before = drawWith (systemLook, row.draw);
        const auto after = drawWith (embeddedLook, row.draw);
        EXPECT_EQ (differingPixels (before, after), 0) << row.name;
    }
}
