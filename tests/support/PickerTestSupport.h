#pragma once

#include "pickers/CtrlPickerComponent.h"
#include "support/ActionRecorder.h"
#include "support/XTestMouse.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// What the keyboard-picture tests share: the widgets as the tests expect them, clicks that
// wait for the picture's message, and a window on the shared X screen for real pointer
// clicks.
namespace pickerTest
{
// A picture's widget, written down in the tests independently of the pickers' own tables,
// so that a slip in either shows up.
struct ExpectedWidget
{
    const char* text;
    const char* tooltip;
    int x, y, w, h;
    bool knob = false;
};

template <typename Picker>
std::unique_ptr<CtrlPickerComponent> makePicker()
{
    return std::make_unique<Picker>();
}

juce::Button& widget (juce::Component& picker, int index);
juce::Button& widgetWithText (juce::Component& picker, const juce::String& text);

// Checks each widget against its row, in table order: text, tooltip, rectangle, widget
// class, radio group (1, or none for the Shift toggle), visible and not highlighted.
void expectWidgets (juce::Component& picker, const ExpectedWidget* rows, int numRows);

// The identifier a widget with this text sends: the part before the first '-' with Shift
// off, the part after it with Shift on.
juce::String sentBy (const juce::String& text, bool shiftOn);

// The PNG colour type in a file's header (2 RGB, 6 RGBA), or -1 for bytes that are no PNG.
int pngColourType (const void* data, int size);

// Clicks a picture's widgets through the button's own API and waits for what they send.
class PickerClicks
{
public:
    explicit PickerClicks (CtrlPickerComponent& picker);
    ~PickerClicks();

    // The message the click caused, or "<nothing>" when none came in time. Clicks are
    // delivered later on the message loop as a user's click is; after a Shift click the
    // picture re-clicks the selected control, so a message follows then too.
    juce::String click (juce::Button& b);

    // Clicks and lets the message loop run a while: true when no message came.
    bool clickSendsNothing (juce::Button& b);

    // The one highlighted control widget (Shift is no control), or null when there is none
    // or more than one.
    juce::Button* highlighted() const;

    CtrlPickerComponent& picker;
    ActionRecorder recorder;
};

// A window on the shared X screen around a component, kept above other tests' windows so
// that real pointer clicks land on it. Shown once the constructor returns.
class ScreenWindow
{
public:
    explicit ScreenWindow (juce::Component& content);
    ~ScreenWindow();

    bool isShowing() const;

private:
    std::unique_ptr<juce::DocumentWindow> window;
    juce::Component& content;
};

// Moves the real pointer onto the centre of a showing component and clicks there.
void clickCentreOf (XTestMouse& mouse, juce::Component& c);
} // namespace pickerTest
