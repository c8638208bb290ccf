#include "pickers/VLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
juce::Image background (VLookAndFeel& lf, juce::TextButton& b, bool over = false, bool down = false)
{
    juce::Image image (juce::Image::ARGB, b.getWidth(), b.getHeight(), true);
    juce::Graphics g (image);
    lf.drawButtonBackground (g, b, juce::Colours::green, over, down); // the passed colour is ignored
    return image;
}

std::unique_ptr<juce::TextButton> makeButton (int w, int h, juce::uint32 colour)
{
    auto b = std::make_unique<juce::TextButton> ("b");
    b->setSize (w, h);
    b->setColour (juce::TextButton::buttonColourId, juce::Colour (colour));
    b->setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xff0000ffu));
    return b;
}

int alphaAt (const juce::Image& i, int x, int y)
{
    return i.getPixelAt (x, y).getAlpha();
}
} // namespace

TEST (VLookAndFeel, CornersAreRoundUnlessAnEdgeJoinsANeighbour)
{
    VLookAndFeel lf;
    auto b = makeButton (100, 20, 0xffc0c0c0);

    // Radius 6 on a 100 x 20 button: each corner pixel lies outside the shape.
    auto image = background (lf, *b);
    for (auto [x, y] : {std::pair (0, 0), std::pair (99, 0), std::pair (99, 19), std::pair (0, 19)})
        EXPECT_EQ (alphaAt (image, x, y), 0) << x << "," << y;
    EXPECT_EQ (alphaAt (image, 50, 10), 255);

    b->setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
    image = background (lf, *b);
    EXPECT_GT (alphaAt (image, 0, 1), 200);
    EXPECT_GT (alphaAt (image, 99, 18), 200);

    b->setConnectedEdges (juce::Button::ConnectedOnTop); // square top, round bottom
    image = background (lf, *b);
    EXPECT_GT (alphaAt (image, 1, 0), 100);
    EXPECT_GT (alphaAt (image, 98, 0), 100);
    EXPECT_EQ (alphaAt (image, 0, 19), 0);
    EXPECT_EQ (alphaAt (image, 99, 19), 0);
}

TEST (VLookAndFeel, FillsAGradientToDarkGreyFourPixelsAboveTheBottomInTheStatesColour)
{
    VLookAndFeel lf;
    auto b = makeButton (100, 30, 0xffff0000);

    auto image = background (lf, *b);
    EXPECT_GT (image.getPixelAt (50, 1).getRed(), 230);
    for (int y = 26; y < 29; ++y)
        EXPECT_EQ (image.getPixelAt (50, y), juce::Colour (0xff323232u)) << y;
    EXPECT_EQ (image.getPixelAt (0, 15), juce::Colour (0xff787878u)); // outline

    // Pressed, or toggled on, takes the on-colour.
    EXPECT_GT (background (lf, *b, false, true).getPixelAt (50, 1).getBlue(), 230);
    b->setToggleState (true, juce::dontSendNotification);
    EXPECT_GT (background (lf, *b).getPixelAt (50, 1).getBlue(), 230);

    // A button too short for the gradient is filled plainly.
    for (int h : {1, 3, 4})
    {
        auto small = makeButton (40, h, 0xff00ff00);
        small->setConnectedEdges (15);
        EXPECT_GT (background (lf, *small).getPixelAt (20, h / 2).getGreen(), 100) << h;
    }
}

TEST (VLookAndFeel, HoverDarkensLightButtonsAndMakesThemTranslucent)
{
    // Tall buttons, so that the top row is still almost exactly the starting colour.
    VLookAndFeel lf;

    const auto top = background (lf, *makeButton (100, 300, 0xffe0e0e0), true).getPixelAt (50, 1);
    EXPECT_NEAR (top.getAlpha(), 204, 3); // 0.8
    EXPECT_NEAR (top.getRed(), juce::Colour (0xffe0e0e0u).darker (0.1f).getRed(), 6);

    EXPECT_GT (background (lf, *makeButton (100, 300, 0xff202020), true).getPixelAt (50, 1).getRed(), 0x20);
    EXPECT_NEAR (alphaAt (background (lf, *makeButton (100, 300, 0x80ffffff), true), 50, 1), 51, 3); // 0.2
}

TEST (VLookAndFeel, ButtonTextIsDrawnInTheStateColourAndDimmedWhenDisabled)
{
    VLookAndFeel lf;
    auto b = makeButton (120, 30, 0xff000000);
    b->setButtonText ("Send to Keyboard");
    b->setColour (juce::TextButton::textColourOffId, juce::Colour (0xff00ff00u));
    b->setColour (juce::TextButton::textColourOnId, juce::Colour (0xffff0000u));

    // The strongest ink of the given channel.
    const auto ink = [&] (juce::uint32 channelMask)
    {
        juce::Image image (juce::Image::ARGB, 120, 30, true);
        juce::Graphics g (image);
        lf.drawButtonText (g, *b, false, false);
        int best = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x)
                if ((image.getPixelAt (x, y).getARGB() & channelMask) != 0)
                    best = juce::jmax (best, alphaAt (image, x, y));
        return best;
    };

    EXPECT_GT (ink (0x0000ff00), 240);
    b->setEnabled (false);
    EXPECT_NEAR (ink (0x0000ff00), 128, 3);
    b->setEnabled (true);
    b->setToggleState (true, juce::dontSendNotification);
    EXPECT_GT (ink (0x00ff0000), 240);
    EXPECT_EQ (ink (0x0000ff00), 0);
}

TEST (VLookAndFeel, TooltipIsTheLaidOutTextPlusMarginsWrappedAt400Pixels)
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

    // Below and right of a pointer in the top-left quarter, above and left in the other.
    const juce::String tip ("Knob #1 - Volume");
    lf.getTooltipSize (tip, w, h);
    const juce::Rectangle<int> screen (0, 0, 1000, 800);
    EXPECT_EQ (lf.getTooltipBounds (tip, {100, 100}, screen), juce::Rectangle<int> (124, 106, w, h));
    EXPECT_EQ (lf.getTooltipBounds (tip, {900, 700}, screen), juce::Rectangle<int> (888 - w, 694 - h, w, h));

    // Drawn inside its outline with the text block centred: 7 px clear left and right.
    lf.setColour (juce::TooltipWindow::backgroundColourId, juce::Colours::white);
    lf.setColour (juce::TooltipWindow::outlineColourId, juce::Colours::blue);
    lf.setColour (juce::TooltipWindow::textColourId, juce::Colours::black);
    juce::Image image (juce::Image::ARGB, w, h, true);
    {
        juce::Graphics g (image);
        lf.drawTooltip (g, tip, w, h);
    }
    EXPECT_EQ (image.getPixelAt (0, h / 2), juce::Colours::blue);

    int left = w, right = -1;
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x)
            if (image.getPixelAt (x, y).getBrightness() < 0.5f)
                left = juce::jmin (left, x), right = juce::jmax (right, x);
    EXPECT_NEAR (left, 8, 2);
    EXPECT_NEAR (w - 1 - right, 8, 2);
}
