#include "pickers/VLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
struct Drawn
{
    juce::Image image;
    juce::Colour at (int x, int y) const { return image.getPixelAt (x, y); }
};

Drawn background (VLookAndFeel& lf, juce::TextButton& b, bool over = false, bool down = false)
{
    Drawn d{juce::Image (juce::Image::ARGB, b.getWidth(), b.getHeight(), true)};
    juce::Graphics g (d.image);
    lf.drawButtonBackground (g, b, juce::Colours::green, over, down);
    return d;
}

std::unique_ptr<juce::TextButton> makeButton (int w, int h, juce::uint32 colour,
                                              juce::uint32 onColour = 0xff0000ff)
{
    auto b = std::make_unique<juce::TextButton> ("b");
    b->setSize (w, h);
    b->setColour (juce::TextButton::buttonColourId, juce::Colour (colour));
    b->setColour (juce::TextButton::buttonOnColourId, juce::Colour (onColour));
    return b;
}
} // namespace

TEST (VLookAndFeel, SetsTheThreeComboBoxColoursAndKeepsTheOlderLookElsewhere)
{
    VLookAndFeel lf;
    EXPECT_EQ (lf.findColour (juce::ComboBox::outlineColourId), juce::Colour (0xff959595));
    EXPECT_EQ (lf.findColour (juce::ComboBox::buttonColourId), juce::Colour (0xffd7d7d7));
    EXPECT_EQ (lf.findColour (juce::ComboBox::arrowColourId), juce::Colour (0xff595959));
    EXPECT_EQ (lf.findColour (juce::TooltipWindow::backgroundColourId),
               juce::LookAndFeel_V2().findColour (juce::TooltipWindow::backgroundColourId));
    EXPECT_FLOAT_EQ (VLookAndFeel::kCornerRatio, 0.3f);
}

TEST (VLookAndFeel, CornersAreRoundUnlessAnEdgeJoinsANeighbour)
{
    VLookAndFeel lf;
    auto b = makeButton (100, 20, 0xffc0c0c0);

    // Radius 6 on a 100 x 20 button: the pixel in each corner lies outside the shape.
    auto d = background (lf, *b);
    EXPECT_EQ (d.at (0, 0).getAlpha(), 0);
    EXPECT_EQ (d.at (99, 0).getAlpha(), 0);
    EXPECT_EQ (d.at (99, 19).getAlpha(), 0);
    EXPECT_EQ (d.at (0, 19).getAlpha(), 0);
    EXPECT_EQ (d.at (50, 10).getAlpha(), 255);

    // Joined left and right: four square corners.
    b->setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
    d = background (lf, *b);
    EXPECT_GT (d.at (0, 1).getAlpha(), 200);
    EXPECT_GT (d.at (99, 18).getAlpha(), 200);

    // Joined on top only: square top, round bottom.
    b->setConnectedEdges (juce::Button::ConnectedOnTop);
    d = background (lf, *b);
    EXPECT_GT (d.at (1, 0).getAlpha(), 100);
    EXPECT_GT (d.at (98, 0).getAlpha(), 100);
    EXPECT_EQ (d.at (0, 19).getAlpha(), 0);
    EXPECT_EQ (d.at (99, 19).getAlpha(), 0);
}

TEST (VLookAndFeel, FillsAGradientFromTheButtonsColourToDarkGreyFourPixelsAboveTheBottom)
{
    VLookAndFeel lf;
    auto b = makeButton (100, 30, 0xffff0000);

    auto d = background (lf, *b, false, false);
    EXPECT_GT (d.at (50, 1).getRed(), 230);
    EXPECT_LT (d.at (50, 1).getGreen(), 30);
    for (int y = 26; y < 29; ++y)
        EXPECT_EQ (d.at (50, y), juce::Colour (0xff323232)) << y;
    EXPECT_EQ (d.at (50, 29).getAlpha() > 0, true); // outline row
    EXPECT_EQ (d.at (0, 15), juce::Colour (0xff787878));

    // Pressed, or toggled on, takes the on-colour.
    d = background (lf, *b, false, true);
    EXPECT_GT (d.at (50, 1).getBlue(), 230);
    b->setToggleState (true, juce::dontSendNotification);
    d = background (lf, *b, false, false);
    EXPECT_GT (d.at (50, 1).getBlue(), 230);
}

TEST (VLookAndFeel, HoverDarkensLightButtonsAndMakesThemTranslucent)
{
    // Tall buttons, so that the top row is still almost exactly the starting colour.
    VLookAndFeel lf;

    auto light = makeButton (100, 300, 0xffe0e0e0);
    auto d = background (lf, *light, true);
    const auto want = juce::Colour (0xffe0e0e0).darker (0.1f);
    EXPECT_NEAR (d.at (50, 1).getAlpha(), 204, 3); // 0.8 opaque
    EXPECT_NEAR (d.at (50, 1).getRed(), want.getRed(), 6);

    auto dark = makeButton (100, 300, 0xff202020);
    d = background (lf, *dark, true);
    EXPECT_GT (d.at (50, 1).getRed(), 0x20); // brightened

    auto translucent = makeButton (100, 300, 0x80ffffff);
    d = background (lf, *translucent, true);
    EXPECT_NEAR (d.at (50, 1).getAlpha(), 51, 3); // 0.2 opaque
}

TEST (VLookAndFeel, AButtonTooShortForTheGradientIsFilledPlainly)
{
    VLookAndFeel lf;
    for (int h : {1, 3, 4})
    {
        auto b = makeButton (40, h, 0xff00ff00);
        b->setConnectedEdges (15);
        const auto d = background (lf, *b);
        EXPECT_GT (d.at (20, h / 2).getGreen(), 100) << h;
    }
}

TEST (VLookAndFeel, ButtonTextIsDrawnInTheStateColourAndDimmedWhenDisabled)
{
    VLookAndFeel lf;
    auto b = makeButton (120, 30, 0xff000000);
    b->setButtonText ("Send to Keyboard");
    b->setColour (juce::TextButton::textColourOffId, juce::Colour (0xff00ff00));
    b->setColour (juce::TextButton::textColourOnId, juce::Colour (0xffff0000));

    const auto maxAlphaOf = [&] (juce::uint32 channelMask)
    {
        juce::Image image (juce::Image::ARGB, 120, 30, true);
        juce::Graphics g (image);
        lf.drawButtonText (g, *b, false, false);
        int best = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x)
                if ((image.getPixelAt (x, y).getARGB() & channelMask) != 0)
                    best = juce::jmax (best, (int) image.getPixelAt (x, y).getAlpha());
        return best;
    };

    EXPECT_GT (maxAlphaOf (0x0000ff00), 240);
    b->setEnabled (false);
    EXPECT_NEAR (maxAlphaOf (0x0000ff00), 128, 3);
    b->setEnabled (true);
    b->setToggleState (true, juce::dontSendNotification);
    EXPECT_GT (maxAlphaOf (0x00ff0000), 240);
    EXPECT_EQ (maxAlphaOf (0x0000ff00), 0);
}

TEST (VLookAndFeel, TooltipIsTheLaidOutTextPlusMarginsAndWrapsPast400Pixels)
{
    VLookAndFeel lf;

    int w = 0, h = 0;
    lf.getTooltipSize ("Pad #1 Setting", w, h);
    EXPECT_GT (w, 14 + 40);
    EXPECT_LT (w, 14 + 150);
    EXPECT_GE (h, 10 + 12);
    EXPECT_LT (h, 10 + 20);
    const auto oneLine = h;

    lf.getTooltipSize (juce::String::repeatedString ("Activate Pad Shift Mode (1-8 / 9-16) ", 6), w, h);
    EXPECT_LE (w, 414);
    EXPECT_GT (h, oneLine + 10);

    // Placed below and right of a pointer in the top-left quarter, above and left otherwise.
    const juce::Rectangle<int> screen (0, 0, 1000, 800);
    int tw = 0, th = 0;
    lf.getTooltipSize ("Knob #1 - Volume", tw, th);
    EXPECT_EQ (lf.getTooltipBounds ("Knob #1 - Volume", {100, 100}, screen),
               juce::Rectangle<int> (124, 106, tw, th));
    EXPECT_EQ (lf.getTooltipBounds ("Knob #1 - Volume", {900, 700}, screen),
               juce::Rectangle<int> (900 - tw - 12, 700 - th - 6, tw, th));
}

TEST (VLookAndFeel, TooltipDrawsItsTextCentredWithinAnOutline)
{
    VLookAndFeel lf;
    lf.setColour (juce::TooltipWindow::backgroundColourId, juce::Colour (0xffffffff));
    lf.setColour (juce::TooltipWindow::outlineColourId, juce::Colour (0xff0000ff));
    lf.setColour (juce::TooltipWindow::textColourId, juce::Colour (0xff000000));

    const juce::String tip ("Sustain Pedal Setting");
    int w = 0, h = 0;
    lf.getTooltipSize (tip, w, h);
    juce::Image image (juce::Image::ARGB, w, h, true);
    {
        juce::Graphics g (image);
        lf.drawTooltip (g, tip, w, h);
    }

    EXPECT_EQ (image.getPixelAt (0, h / 2), juce::Colour (0xff0000ff));
    EXPECT_EQ (image.getPixelAt (w - 1, 0), juce::Colour (0xff0000ff));

    // Ink lies inside the margins: 7 px left and right, 5 above and below, and reaches near both.
    int left = w, right = -1;
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x)
            if (image.getPixelAt (x, y).getBrightness() < 0.5f)
            {
                left = juce::jmin (left, x);
                right = juce::jmax (right, x);
            }

    EXPECT_GE (left, 6);
    EXPECT_LE (left, 10);
    EXPECT_LE (right, w - 7);
    EXPECT_GE (right, w - 11);
}
