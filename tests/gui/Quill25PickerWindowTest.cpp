#include "pickers/Quill25CtrlPickerComponent.h"
#include "pickers/VLookAndFeel.h"
#include "support/EditorTestSupport.h"
#include "support/PickerTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// The picker as the compact editor holds it: at (9, 165) on an 816 x 545 panel.
struct Panel : public juce::Component
{
    Panel()
    {
        addAndMakeVisible (picker);
        picker.setBounds (9, 165, 800, 378);
        setSize (816, 545);
    }

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::azure); }

    Quill25CtrlPickerComponent picker;
};

using pickerTest::widgetWithText;

class Quill25PickerWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!mouse.isAvailable())
            GTEST_SKIP() << "needs a display with the XTest extension";

        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
        window = std::make_unique<pickerTest::ScreenWindow> (panel);
        panel.picker.addActionListener (&recorder);
    }

    void TearDown() override
    {
        panel.picker.removeActionListener (&recorder);
        window = nullptr;
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

    void clickCentreOf (juce::Component& c) { pickerTest::clickCentreOf (mouse, c); }

    XTestMouse mouse;
    VLookAndFeel lookAndFeel;
    Panel panel;
    std::unique_ptr<pickerTest::ScreenWindow> window;
    ActionRecorder recorder;
};
} // namespace

TEST_F (Quill25PickerWindow, RealClicksReachTheOwnerAsIdentifiers)
{
    auto& pad3 = widgetWithText (panel.picker, "0x72-0x7A");
    auto& shift = widgetWithText (panel.picker, "Shift");
    auto& knob1 = widgetWithText (panel.picker, "0x30");

    clickCentreOf (pad3);
    ASSERT_TRUE (recorder.waitForCount (1, 3000));
    EXPECT_EQ (recorder.messages[0], "0x72");
    EXPECT_TRUE (pad3.getToggleState());

    // Shift re-reports the selected pad as its second identifier.
    clickCentreOf (shift);
    ASSERT_TRUE (recorder.waitForCount (2, 3000));
    EXPECT_EQ (recorder.messages[1], "0x7A");
    EXPECT_TRUE (shift.getToggleState());

    clickCentreOf (knob1);
    ASSERT_TRUE (recorder.waitForCount (3, 3000));
    EXPECT_EQ (recorder.messages[2], "0x30");
    EXPECT_FALSE (pad3.getToggleState());

    // Resting over a knob shows the hover mark and, through the look-and-feel, its tooltip
    // sized as the look lays it out. The tooltips start once the pointer rests there, so that
    // none can show for the knob clicked before.
    mouse.moveTo (widgetWithText (panel.picker, "0x0C").getScreenBounds().getCentre());
    juce::TooltipWindow tips (nullptr, 200);
    const auto end = juce::Time::getMillisecondCounter() + 3000;
    while (!tips.isVisible() && juce::Time::getMillisecondCounter() < end)
        ActionRecorder::pump (50);

    ASSERT_TRUE (tips.isVisible());
    int w = 0, h = 0;
    lookAndFeel.getTooltipSize ("Knob #6 - Chorus Amt", w, h);
    EXPECT_EQ (tips.getWidth(), w);
    EXPECT_EQ (tips.getHeight(), h);

    EditorTestSupport::saveScreenshot (panel, "quill25-picker");
    EditorTestSupport::saveScreenshot (tips, "quill25-tooltip");
    EXPECT_EQ (recorder.messages.size(), 3);
}
