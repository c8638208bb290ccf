#include "pickers/Cairn49CtrlPickerComponent.h"
#include "pickers/Dune32CtrlPickerComponent.h"
#include "pickers/Tarn25CtrlPickerComponent.h"
#include "support/EditorTestSupport.h"
#include "support/PickerTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// A picture in a window, clicked with the real pointer: the widget with this text, and the
// message its owner gets.
struct Click
{
    const char* widget;
    const char* sends;
};

struct WindowCase
{
    const char* name;
    std::unique_ptr<CtrlPickerComponent> (*make)();
    std::vector<Click> clicks;
};

void PrintTo (const WindowCase& c, std::ostream* os)
{
    *os << c.name;
}

const WindowCase cases[] = {
    {"Cairn49",
     &pickerTest::makePicker<Cairn49CtrlPickerComponent>,
     {{"0x4F", "0x4F"}, {"0x1D", "0x1D"}, {"0x70", "0x70"}, {"0x52", "0x52"}, {"0x32", "0x32"}}},
    {"Dune32",
     &pickerTest::makePicker<Dune32CtrlPickerComponent>,
     {{"0x12-0x22", "0x12"}, {"Shift", "0x22"}, {"0x0C", "0x0C"}, {"0x40", "0x40"}}},
    {"Tarn25",
     &pickerTest::makePicker<Tarn25CtrlPickerComponent>,
     {{"0x40", "0x40"}, {"0x42", "0x42"}, {"Shift", "0x42"}, {"0x02-0x0C", "0x0C"}}},
};

// The owner's panel: the picture with a margin round it.
struct Panel : public juce::Component
{
    explicit Panel (CtrlPickerComponent& p)
    {
        addAndMakeVisible (p);
        p.setTopLeftPosition (8, 8);
        setSize (p.getWidth() + 16, p.getHeight() + 16);
    }

    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::azure); }
};

class FamilyPickerWindow : public ::testing::TestWithParam<WindowCase>
{
};
} // namespace

TEST_P (FamilyPickerWindow, RealClicksReachTheOwnerAsIdentifiers)
{
    XTestMouse mouse;
    if (!mouse.isAvailable())
        GTEST_SKIP() << "needs a display with the XTest extension";

    ActionRecorder recorder; // outlives the picture that sends to it
    const auto picker = GetParam().make();
    Panel panel (*picker);
    pickerTest::ScreenWindow window (panel);
    ASSERT_TRUE (window.isShowing());
    picker->addActionListener (&recorder);
    int count = 0;

    for (const auto& click : GetParam().clicks)
    {
        SCOPED_TRACE (click.widget);
        pickerTest::clickCentreOf (mouse, pickerTest::widgetWithText (*picker, click.widget));
        ASSERT_TRUE (recorder.waitForCount (++count, 3000));
        EXPECT_EQ (recorder.messages[count - 1], click.sends);
    }

    EditorTestSupport::saveScreenshot (panel,
                                       juce::String (GetParam().name).toLowerCase() + "-picker-window");
    EXPECT_EQ (recorder.messages.size(), count);
}

INSTANTIATE_TEST_SUITE_P (Models, FamilyPickerWindow, ::testing::ValuesIn (cases),
                          [] (const auto& p) { return std::string (p.param.name); });
