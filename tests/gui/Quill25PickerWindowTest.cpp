#include "pickers/Quill25CtrlPickerComponent.h"
#include "pickers/VLookAndFeel.h"
#include "support/ActionRecorder.h"
#include "support/XTestMouse.h"

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

juce::Button& widgetWithText (juce::Component& picker, const juce::String& text)
{
    for (auto* child : picker.getChildren())
        if (auto* b = dynamic_cast<juce::Button*> (child); b != nullptr && b->getButtonText() == text)
            return *b;
    throw std::runtime_error ("no widget " + text.toStdString());
}

void writeSnapshot (juce::Component& c, const juce::String& name)
{
    const auto dir = juce::SystemStats::getEnvironmentVariable ("QUORVEL_TEST_OUTPUT", {});
    if (dir.isEmpty())
        return;

    const auto file = juce::File (dir).getChildFile (name);
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream out (file);
    ASSERT_TRUE (out.openedOk());
    juce::PNGImageFormat().writeImageToStream (c.createComponentSnapshot (c.getLocalBounds()), out);
}

class Quill25PickerWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!mouse.isAvailable())
            GTEST_SKIP() << "needs a display with the XTest extension";

        juce::LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
        window = std::make_unique<juce::DocumentWindow> ("Picker", juce::Colours::azure,
                                                         juce::DocumentWindow::closeButton);
        window->setUsingNativeTitleBar (true);
        window->setContentNonOwned (&panel, true);
        window->setTopLeftPosition (40, 40);
        // Other tests' windows open on the same display: stay above them so that the real
        // clicks land here.
        window->setAlwaysOnTop (true);
        window->setVisible (true);
        window->toFront (true);
        panel.picker.addActionListener (&recorder);

        // Let the window be mapped before the pointer moves onto it.
        const auto end = juce::Time::getMillisecondCounter() + 3000;
        while (!panel.isShowing() && juce::Time::getMillisecondCounter() < end)
            ActionRecorder::pump (20);
        ActionRecorder::pump (300);
    }

    void TearDown() override
    {
        panel.picker.removeActionListener (&recorder);
        window = nullptr;
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

    void clickCentreOf (juce::Component& c)
    {
        mouse.moveTo (c.getScreenBounds().getCentre());
        ActionRecorder::pump (100);
        mouse.press();
        ActionRecorder::pump (100);
        mouse.release();
    }

    XTestMouse mouse;
    VLookAndFeel lookAndFeel;
    Panel panel;
    std::unique_ptr<juce::DocumentWindow> window;
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

    writeSnapshot (panel, "quill25-picker.png");
    writeSnapshot (tips, "quill25-tooltip.png");
    EXPECT_EQ (recorder.messages.size(), 3);
}
