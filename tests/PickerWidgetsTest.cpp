#include "pickers/OrvoCtrlPickerButton.h"
#include "pickers/OrvoCtrlPickerKnob.h"

#include <gtest/gtest.h>

namespace
{
// Paints one look of a widget onto a transparent image of its size.
template <typename Widget>
juce::Image paintLook (Widget& widget, bool selected, bool over, bool down)
{
    widget.setToggleState (selected, juce::dontSendNotification);
    juce::Image image (juce::Image::ARGB, widget.getWidth(), widget.getHeight(), true);
    juce::Graphics g (image);
    widget.paintButton (g, over, down);
    return image;
}

bool isClear (const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 0)
                return false;
    return true;
}

// Colours come back from the premultiplied image rounded, so allow a little slack.
void expectNear (juce::Colour actual, juce::uint32 argb)
{
    const juce::Colour want (argb);
    EXPECT_NEAR (actual.getAlpha(), want.getAlpha(), 2) << actual.toDisplayString (true).toStdString();
    if (want.getAlpha() != 0)
    {
        EXPECT_NEAR (actual.getRed(), want.getRed(), 4) << actual.toDisplayString (true).toStdString();
        EXPECT_NEAR (actual.getGreen(), want.getGreen(), 4) << actual.toDisplayString (true).toStdString();
        EXPECT_NEAR (actual.getBlue(), want.getBlue(), 4) << actual.toDisplayString (true).toStdString();
    }
}

// A corner mark's dark stroke covers the pixel just inside the corner.
bool cornerMarked (const juce::Image& image)
{
    const auto c = image.getPixelAt (1, 1);
    return c.getAlpha() > 0xa0 && c.getBrightness() < 0.3f;
}

template <typename Widget>
std::unique_ptr<Widget> makeWidget (int w, int h)
{
    auto widget = std::make_unique<Widget> ("ignored");
    widget->setButtonText ("0x40");
    widget->setColour (juce::TextButton::textColourOnId, juce::Colours::red);
    widget->setSize (w, h);
    return widget;
}
} // namespace

TEST (PickerWidgets, StartAt60By40AndIgnoreTheirName)
{
    OrvoCtrlPickerButton button ("named");
    OrvoCtrlPickerKnob knob ("named");
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (0, 0, 60, 40));
    EXPECT_EQ (knob.getBounds(), juce::Rectangle<int> (0, 0, 60, 40));
    EXPECT_TRUE (button.getName().isEmpty());
    EXPECT_TRUE (knob.getName().isEmpty());

    // A widget never resized still has usable marks of its initial size.
    EXPECT_TRUE (cornerMarked (paintLook (button, false, true, false)));
    const auto knobLook = paintLook (knob, false, true, false);
    EXPECT_LT (knobLook.getPixelAt (7, 4).getBrightness(), 0.3f); // middle of the curved mark
    EXPECT_GT (knobLook.getPixelAt (7, 4).getAlpha(), 0xa0);
}

TEST (PickerWidgets, ButtonPaintsEachOfItsSixLooks)
{
    auto button = makeWidget<OrvoCtrlPickerButton> (48, 38);

    // Idle and unselected: nothing at all, text included, so the picture shows through.
    EXPECT_TRUE (isClear (paintLook (*button, false, false, false)));

    auto look = paintLook (*button, false, false, true); // pressed
    expectNear (look.getPixelAt (24, 19), 0x40ffffff);
    expectNear (look.getPixelAt (1, 1), 0x40ffffff);

    look = paintLook (*button, false, true, false); // hovered
    expectNear (look.getPixelAt (24, 19), 0x20ffffff);
    EXPECT_TRUE (cornerMarked (look));
    expectNear (look.getPixelAt (24, 1), 0x20ffffff); // between the top marks

    look = paintLook (*button, true, false, false); // selected
    expectNear (look.getPixelAt (24, 19), 0x60ff8080);
    expectNear (look.getPixelAt (1, 1), 0x60ff8080);

    look = paintLook (*button, true, false, true); // selected and pressed: no marks
    expectNear (look.getPixelAt (24, 19), 0x40ff8080);
    expectNear (look.getPixelAt (1, 1), 0x40ff8080);

    look = paintLook (*button, true, true, false); // selected and hovered
    expectNear (look.getPixelAt (24, 19), 0x40ff8080);
    EXPECT_TRUE (cornerMarked (look));
}

TEST (PickerWidgets, KnobFillsAnEllipseWhenSelectedAndTheRectangleOtherwise)
{
    auto knob = makeWidget<OrvoCtrlPickerKnob> (32, 32);

    EXPECT_TRUE (isClear (paintLook (*knob, false, false, false)));

    auto look = paintLook (*knob, true, false, false);
    expectNear (look.getPixelAt (16, 16), 0x80ff8080);
    EXPECT_EQ (look.getPixelAt (0, 0).getAlpha(), 0); // outside the ellipse

    look = paintLook (*knob, true, false, true);
    expectNear (look.getPixelAt (16, 16), 0x40ff8080);
    EXPECT_EQ (look.getPixelAt (1, 1).getAlpha(), 0);

    look = paintLook (*knob, true, true, false);
    expectNear (look.getPixelAt (16, 16), 0x40ff8080);
    EXPECT_GT (look.getPixelAt (3, 3).getAlpha(), 0x80); // the curved mark crosses the corner

    // Unselected veils cover the whole square, corners too.
    look = paintLook (*knob, false, false, true);
    expectNear (look.getPixelAt (16, 16), 0x40ffffff);
    expectNear (look.getPixelAt (0, 0), 0x40ffffff);

    look = paintLook (*knob, false, true, false);
    expectNear (look.getPixelAt (16, 16), 0x20ffffff);
    expectNear (look.getPixelAt (31, 16), 0x20ffffff); // mid-edge, between the marks
}

TEST (PickerWidgets, MarksFollowTheSizeAfterAResize)
{
    auto button = makeWidget<OrvoCtrlPickerButton> (60, 40);
    button->setSize (100, 50);
    const auto look = paintLook (*button, false, true, false);

    // Marks reach 0.3 of each side from every corner: 30 px along, 15 px down.
    EXPECT_LT (look.getPixelAt (1, 13).getBrightness(), 0.3f);
    EXPECT_LT (look.getPixelAt (28, 1).getBrightness(), 0.3f);
    EXPECT_LT (look.getPixelAt (98, 48).getBrightness(), 0.3f);
    expectNear (look.getPixelAt (1, 25), 0x20ffffff);
    expectNear (look.getPixelAt (50, 1), 0x20ffffff);
}
