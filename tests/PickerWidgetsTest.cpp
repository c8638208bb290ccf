#include "pickers/OrvoCtrlPickerButton.h"
#include "pickers/OrvoCtrlPickerKnob.h"

#include <gtest/gtest.h>

namespace
{
template <typename Widget>
juce::Image paintLook (Widget& widget, bool selected, bool over, bool down)
{
    widget.setToggleState (selected, juce::dontSendNotification);
    juce::Image image (juce::Image::ARGB, widget.getWidth(), widget.getHeight(), true);
    juce::Graphics g (image);
    widget.paintButton (g, over, down);
    return image;
}

// Colours come back from the premultiplied image rounded: allow a little slack.
bool near (juce::Colour actual, juce::uint32 argb)
{
    const juce::Colour want (argb);
    const auto close = [] (int a, int b) { return std::abs (a - b) <= 4; };
    return close (actual.getAlpha(), want.getAlpha()) &&
           (want.getAlpha() == 0 ||
            (close (actual.getRed(), want.getRed()) && close (actual.getGreen(), want.getGreen()) &&
             close (actual.getBlue(), want.getBlue())));
}

// A mark's dark stroke.
bool dark (juce::Colour c)
{
    return c.getAlpha() > 0xa0 && c.getBrightness() < 0.3f;
}

struct Look
{
    bool selected, over, down;
    juce::uint32 centre, corner; // the corner pixel (1, 1) when no mark covers it
    bool marked;
};
} // namespace

TEST (PickerWidgets, ButtonPaintsEachOfItsSixLooksAndNeverItsText)
{
    OrvoCtrlPickerButton button ("ignored");
    EXPECT_TRUE (button.getName().isEmpty());
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (0, 0, 60, 40));
    button.setButtonText ("0x40");
    button.setColour (juce::TextButton::textColourOnId, juce::Colours::red);

    const Look looks[] = {
        {false, false, false, 0x00000000, 0x00000000, false}, // idle: the picture shows through
        {false, false, true, 0x40ffffff, 0x40ffffff, false},
        {false, true, false, 0x20ffffff, 0, true},
        {true, false, false, 0x60ff8080, 0x60ff8080, false},
        {true, false, true, 0x40ff8080, 0x40ff8080, false}, // pressed: no marks
        {true, true, false, 0x40ff8080, 0, true},
    };

    for (const auto& l : looks)
    {
        SCOPED_TRACE (testing::Message() << l.selected << l.over << l.down);
        const auto image = paintLook (button, l.selected, l.over, l.down);
        EXPECT_TRUE (near (image.getPixelAt (30, 20), l.centre));
        EXPECT_TRUE (near (image.getPixelAt (30, 1), l.centre)); // between the top marks
        EXPECT_TRUE (l.marked ? dark (image.getPixelAt (1, 1)) : near (image.getPixelAt (1, 1), l.corner));
    }
}

TEST (PickerWidgets, KnobFillsAnEllipseWhenSelectedAndTheWholeSquareOtherwise)
{
    OrvoCtrlPickerKnob knob ("ignored");
    knob.setSize (32, 32);

    const Look looks[] = {
        {false, false, false, 0x00000000, 0x00000000, false},
        {false, false, true, 0x40ffffff, 0x40ffffff, false},
        {false, true, false, 0x20ffffff, 0, true},
        {true, false, false, 0x80ff8080, 0x00000000, false}, // corner lies outside the ellipse
        {true, false, true, 0x40ff8080, 0x00000000, false},
        {true, true, false, 0x40ff8080, 0, true},
    };

    for (const auto& l : looks)
    {
        SCOPED_TRACE (testing::Message() << l.selected << l.over << l.down);
        const auto image = paintLook (knob, l.selected, l.over, l.down);
        EXPECT_TRUE (near (image.getPixelAt (16, 16), l.centre));
        // The curved mark passes (4, 3) on its way from (10, 0) to (0, 10).
        EXPECT_TRUE (l.marked ? dark (image.getPixelAt (4, 3)) : near (image.getPixelAt (1, 1), l.corner));
    }
}

TEST (PickerWidgets, MarksFollowTheSizeAfterAResize)
{
    OrvoCtrlPickerButton button ("");
    button.setSize (100, 50);
    const auto image = paintLook (button, false, true, false);

    // Marks reach 0.3 of each side from every corner: 30 px along, 15 px down.
    EXPECT_TRUE (dark (image.getPixelAt (0, 13)));
    EXPECT_TRUE (dark (image.getPixelAt (28, 0)));
    EXPECT_TRUE (dark (image.getPixelAt (99, 48)));
    EXPECT_TRUE (near (image.getPixelAt (1, 25), 0x20ffffff));
    EXPECT_TRUE (near (image.getPixelAt (50, 1), 0x20ffffff));
}
