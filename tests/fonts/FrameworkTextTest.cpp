// Text as the framework draws it. The framework picks its default face once per process, from
// the font files it finds, so tests/CMakeLists.txt runs this program once per set of font
// folders (JUCE_FONT_PATH) and names the default face that set must give in
// QUORVEL_DEFAULT_SANS.
#include "app/MainComponent.h"
#include "editors/KbdSettingComponentQuill.h"
#include "pickers/EmbeddedTypeface.h"
#include "pickers/VLookAndFeel.h"
#include "support/EditorTestSupport.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
// The application's look drawing text as the framework does: every face is the one the
// framework picks, and labels are the framework's.
class FrameworkTextLook : public VLookAndFeel
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

// Words mixing printable ASCII with other characters, kerned across the two ("AÝ", "ÀY",
// "»T", "ЖA"), in labels of a style without compiled glyphs, plain and bold, and on a button;
// a label fitted into two lines.
juce::Image otherText (VLookAndFeel& look)
{
    // "AÝ ÀY »T Größe €5 ЖA Clé"
    const auto mixed = juce::String::fromUTF8 ("A\xc3\x9d \xc3\x80Y \xc2\xbbT Gr\xc3\xb6\xc3\x9f"
                                               "e \xe2\x82\xac"
                                               "5 \xd0\x96"
                                               "A Cl\xc3\xa9");
    juce::Image image (juce::Image::ARGB, 300, 130, true);
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

    juce::TextButton button (juce::String::fromUTF8 ("Send to Keyboard \xc3\xa9"));
    button.setBounds (0, 0, 160, 30);
    look.drawButtonText (g, button, false, false);
    g.setOrigin (0, 30);

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

TEST (FrameworkText, DrawnPixelForPixelAsTheFrameworkDrawsIt)
{
    const EditorTestSupport support;
    const auto defaultFace = juce::Font::getDefaultTypefaceForFont (juce::Font (15.0f))->getName();
    const auto expectedFace = juce::SystemStats::getEnvironmentVariable ("QUORVEL_DEFAULT_SANS", {});

    if (expectedFace.isNotEmpty())
    {
        ASSERT_EQ (defaultFace, expectedFace)
            << "in the font folders " << juce::SystemStats::getEnvironmentVariable ("JUCE_FONT_PATH", {})
            << " (scripts/setup.sh unpacks Liberation Sans)";

        // The folders of a DejaVu Sans run hold DejaVu's fonts only: there the program draws its
        // printable ASCII from the compiled glyphs, which start-up depends on.
        VLookAndFeel look;
        const auto face = look.getTypefaceForFont (juce::Font (15.0f));
        EXPECT_EQ (dynamic_cast<EmbeddedTypeface*> (face.get()) != nullptr, expectedFace == "DejaVu Sans");
    }

    const struct
    {
        const char* name;
        Drawing draw;
    } rows[] = {
        {"main window", &mainWindowContent},
        {"tooltip", &tooltip},
        {"mixed words, other styles, a button and a fitted label", &otherText},
    };

    for (const auto& row : rows)
    {
        FrameworkTextLook frameworkLook;
        VLookAndFeel look;
        const auto expected = drawWith (frameworkLook, row.draw);
        const auto drawn = drawWith (look, row.draw);
        EXPECT_EQ (differingPixels (expected, drawn), 0) << row.name << " in " << defaultFace;
    }
}

// A font installed while the program runs, after its first text: the framework took its faces
// from the font files there were then, and so must the program for what it draws in them.
// The framework's own default would be spoilt by the late font in this process, so the text
// it is compared with names DejaVu Sans.
TEST (FrameworkText, FacesChosenAtTheFirstTextStayChosen)
{
    const auto later = juce::SystemStats::getEnvironmentVariable ("QUORVEL_FONTS_INSTALLED_LATER", {});

    if (later.isEmpty())
        GTEST_SKIP() << "run by ctest as FrameworkText.FontInstalledLater";

    const EditorTestSupport support;
    const TempFolder installed;
    const auto path = juce::SystemStats::getEnvironmentVariable ("JUCE_FONT_PATH", {});
    setenv ("JUCE_FONT_PATH", (path + "," + installed.folder().getFullPathName()).toRawUTF8(), 1);

    VLookAndFeel look;
    drawWith (look, &tooltip);
    ASSERT_NE (dynamic_cast<EmbeddedTypeface*> (look.getTypefaceForFont (juce::Font (15.0f)).get()), nullptr);
    ASSERT_TRUE (juce::File (later).createSymbolicLink (installed.file ("late"), false));

    FrameworkTextLook frameworkLook;
    frameworkLook.setDefaultSansSerifTypefaceName ("DejaVu Sans");
    const auto expected = drawWith (frameworkLook, &otherText);
    EXPECT_EQ (differingPixels (expected, drawWith (look, &otherText)), 0);
}
