#include "support/PickerTestSupport.h"

#include "pickers/OrvoCtrlPickerButton.h"
#include "pickers/OrvoCtrlPickerKnob.h"

#include <gtest/gtest.h>

namespace pickerTest
{
juce::Button& widget (juce::Component& picker, int index)
{
    return *dynamic_cast<juce::Button*> (picker.getChildComponent (index));
}

juce::Button& widgetWithText (juce::Component& picker, const juce::String& text)
{
    for (auto* child : picker.getChildren())
        if (auto* b = dynamic_cast<juce::Button*> (child); b != nullptr && b->getButtonText() == text)
            return *b;
    throw std::runtime_error ("no widget " + text.toStdString());
}

void expectWidgets (juce::Component& picker, const ExpectedWidget* rows, int numRows)
{
    ASSERT_EQ (picker.getNumChildComponents(), numRows);

    for (int i = 0; i < numRows; ++i)
    {
        const auto& e = rows[i];
        SCOPED_TRACE (juce::String (i + 1) + ": " + e.text);
        auto& b = widget (picker, i);

        EXPECT_EQ (b.getButtonText(), e.text);
        EXPECT_EQ (b.getTooltip(), e.tooltip);
        EXPECT_EQ (b.getBounds(), juce::Rectangle<int> (e.x, e.y, e.w, e.h));
        EXPECT_EQ (dynamic_cast<OrvoCtrlPickerKnob*> (&b) != nullptr, e.knob);
        EXPECT_EQ (dynamic_cast<OrvoCtrlPickerButton*> (&b) != nullptr, !e.knob);
        EXPECT_EQ (b.getRadioGroupId(), juce::String (e.text) == "Shift" ? 0 : 1);
        EXPECT_TRUE (b.isVisible());
        EXPECT_FALSE (b.getToggleState());
    }
}

juce::String sentBy (const juce::String& text, bool shiftOn)
{
    if (!text.containsChar ('-'))
        return text;
    return shiftOn ? text.fromFirstOccurrenceOf ("-", false, false)
                   : text.upToFirstOccurrenceOf ("-", false, false);
}

int pngColourType (const void* data, int size)
{
    // Signature (8 bytes), the IHDR chunk's length and type, width, height, bit depth, then
    // the colour type at byte 25.
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    const auto* bytes = static_cast<const unsigned char*> (data);

    if (size < 26 || std::memcmp (bytes, signature, sizeof (signature)) != 0 ||
        std::memcmp (bytes + 12, "IHDR", 4) != 0)
        return -1;
    return bytes[25];
}

PickerClicks::PickerClicks (CtrlPickerComponent& p)
    : picker (p)
{
    picker.addActionListener (&recorder);
}

PickerClicks::~PickerClicks()
{
    picker.removeActionListener (&recorder);
}

juce::String PickerClicks::click (juce::Button& b)
{
    const auto before = recorder.messages.size();
    b.triggerClick();
    recorder.waitForCount (before + 1, 5000);
    return recorder.messages.size() > before ? recorder.messages[before] : juce::String ("<nothing>");
}

bool PickerClicks::clickSendsNothing (juce::Button& b)
{
    const auto before = recorder.messages.size();
    b.triggerClick();
    recorder.waitForCount (before + 1, 400);
    return recorder.messages.size() == before;
}

juce::Button* PickerClicks::highlighted() const
{
    juce::Button* found = nullptr;

    for (auto* child : picker.getChildren())
        if (auto* b = dynamic_cast<juce::Button*> (child);
            b != nullptr && b->getRadioGroupId() != 0 && b->getToggleState())
        {
            if (found != nullptr)
                return nullptr;
            found = b;
        }

    return found;
}

ScreenWindow::ScreenWindow (juce::Component& c)
    : content (c)
{
    window = std::make_unique<juce::DocumentWindow> ("Picker", juce::Colours::azure,
                                                     juce::DocumentWindow::closeButton);
    window->setUsingNativeTitleBar (true);
    window->setContentNonOwned (&content, true);
    window->setTopLeftPosition (40, 40);
    // Other tests' windows open on the same display: stay above them so that the real
    // clicks land here.
    window->setAlwaysOnTop (true);
    window->setVisible (true);
    window->toFront (true);

    // Let the window be mapped before the pointer moves onto it.
    const auto end = juce::Time::getMillisecondCounter() + 3000;
    while (!content.isShowing() && juce::Time::getMillisecondCounter() < end)
        ActionRecorder::pump (20);
    ActionRecorder::pump (300);
}

ScreenWindow::~ScreenWindow()
{
    window->clearContentComponent();
}

bool ScreenWindow::isShowing() const
{
    return content.isShowing();
}

void clickCentreOf (XTestMouse& mouse, juce::Component& c)
{
    mouse.moveTo (c.getScreenBounds().getCentre());
    ActionRecorder::pump (100);
    mouse.press();
    ActionRecorder::pump (100);
    mouse.release();
}
} // namespace pickerTest
