#include "app/MainComponent.h"
#include "editors/KbdSettingComponentQuill.h"
#include "pickers/VLookAndFeel.h"
#include "support/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// The application's look as it was before it carried its own outlines and laid its labels out
// itself: every face is the system font's and labels are the framework's.
class EarlierLook : public VLookAndFeel
{
public:
    juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override
    {
        return juce::LookAndFeel_V2::getTypefaceForFont (font);
    }

    void drawLabel (juce::Graphics& g, juce::Label& label) override
    {
        juce::LookAndFeel_V2::drawLabel (g, label);
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

// A style that is not embedded; characters outside the embedded ones, read from the system
// face and kerned against their neighbours both ways round; labels fitted into two lines.
juce::Image otherText (VLookAndFeel& look)
{
    // "AÝ ÀY »T Größe €5 ЖA"
    const auto mixed = juce::String::fromUTF8 ("A\xc3\x9d \xc3\x80Y \xc2\xbbT Gr\xc3\xb6\xc3\x9f"
                                               "e \xe2\x82\xac"
                                               "5 \xd0\x96"
                                               "A");
    juce::Image image (juce::Image::ARGB, 300, 100, true);
    juce::Graphics g (image);

    const juce::Font fonts[] = {juce::Font (15.0f, juce::Font::italic), juce::Font (15.0f),
                                juce::Font (15.0f, juce::Font::bold)};

    for (const auto& font : fonts)
    {
        juce::Label label ({}, mixed);
        label.setFont (font);
        label.setBounds (0, 0, 300, 20);
        look.drawLabel (g, label);
        g.setOrigin (0, 20);
    }

    juce::Label squeezed ({}, "A text far too long for one line of its box, fitted into two");
    squeezed.setBounds (0, 0, 120, 40);
    squeezed.setJustificationType (juce::Justification::topRight);
    look.drawLabel (g, squeezed);
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

TEST (MainWindowLook, DrawnExactlyAsBefore)
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
        {"other styles, characters and labels", &otherText},
    };

    for (const auto& row : rows)
    {
        EarlierLook earlierLook;
        VLookAndFeel look;
        const auto before = drawWith (earlierLook, row.draw);
        const auto after = drawWith (look, row.draw);
        EXPECT_EQ (differingPixels (before, after), 0) << row.name;
    }
}

// The content is marked opaque, so the window paints nothing beneath it: that holds only while
// the editor covers the content and leaves no pixel of it transparent.
TEST (MainWindowLook, TheEditorPaintsEveryPixelOfTheOpaqueContent)
{
    const EditorTestSupport support;
    VLookAndFeel look;
    juce::LookAndFeel::setDefaultLookAndFeel (&look);
    {
        MainComponent content;
        content.setSize (816, 545);
        auto& editor = *content.getEditor();
        ASSERT_TRUE (content.isOpaque());
        EXPECT_EQ (editor.getBounds(), content.getLocalBounds());

        const auto image = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);
        ASSERT_TRUE (image.hasAlphaChannel());
        EXPECT_EQ (differingPixels (image, juce::Image (image)
                                               .convertedToFormat (juce::Image::RGB)
                                               .convertedToFormat (juce::Image::ARGB)),
                   0);
    }
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
}
