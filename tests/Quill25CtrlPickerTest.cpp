#include "pickers/CtrlPickerLayouts.h"
#include "pickers/OrvoCtrlPickerButton.h"
#include "pickers/OrvoCtrlPickerKnob.h"
#include "pickers/Quill25CtrlPickerComponent.h"
#include "support/ActionRecorder.h"

#include <gtest/gtest.h>

namespace
{
struct ExpectedWidget
{
    bool knob;
    const char* text;
    const char* tooltip;
    int x, y, w, h;
};

// Transcribed independently of the picker's own table, so a slip in either shows up.
// clang-format off
const ExpectedWidget expected[] = {
    { false, "0x40", "Modulation Strip Setting", 140, 215, 32, 115 },
    { true,  "0x30", "Knob #1 - Volume", 208, 23, 32, 32 },
    { false, "0x20", "Shift Octave - Button Setting", 105, 152, 25, 25 },
    { false, "0x21", "Shift Octave + Button Setting", 147, 151, 25, 25 },
    { false, "0x70-0x78", "Pad #1 Setting", 200, 139, 48, 38 },
    { false, "Shift", "Activate Pad Shift Mode (1-8 / 9-16)", 147, 108, 25, 25 },
    { false, "0x50", "Sustain Pedal Setting", 13, 47, 24, 24 },
    { false, "0x41", "Pitch Strip Setting", 93, 216, 32, 115 },
    { false, "0x71-0x79", "Pad #2 Setting", 273, 139, 48, 38 },
    { false, "0x72-0x7A", "Pad #3 Setting", 345, 139, 48, 38 },
    { false, "0x73-0x7B", "Pad #4 Setting", 418, 139, 48, 38 },
    { false, "0x74-0x7C", "Pad #5 Setting", 490, 139, 48, 38 },
    { false, "0x75-0x7D", "Pad #6 Setting", 562, 139, 48, 38 },
    { false, "0x76-0x7E", "Pad #7 Setting", 636, 139, 48, 38 },
    { false, "0x77-0x7F", "Pad #8 Setting", 709, 139, 48, 38 },
    { true,  "0x01", "Knob #2 - Cutoff", 280, 23, 32, 32 },
    { true,  "0x02", "Knob #3 - Resonance", 352, 23, 32, 32 },
    { true,  "0x09", "Knob #4 - LFO Rate", 425, 23, 32, 32 },
    { true,  "0x0B", "Knob #5 - LFO Amt", 498, 23, 32, 32 },
    { true,  "0x0C", "Knob #6 - Chorus Amt", 571, 23, 32, 32 },
    { true,  "0x0D", "Knob #7 - Attack", 644, 23, 32, 32 },
    { true,  "0x0E", "Knob #8 - Decay", 717, 23, 32, 32 },
    { true,  "0x33", "Knob #9 - Preset", 207, 87, 32, 32 },
    { true,  "0x03", "Knob #10 - Param 1", 280, 87, 32, 32 },
    { true,  "0x04", "Knob #11 - Param 2", 353, 87, 32, 32 },
    { true,  "0x0A", "Knob #12 - Param 3", 425, 87, 32, 32 },
    { true,  "0x05", "Knob #13 - Param 4", 499, 87, 32, 32 },
    { true,  "0x06", "Knob #14 - Delay Amt", 571, 87, 32, 32 },
    { true,  "0x07", "Knob #15 - Sustain", 643, 87, 32, 32 },
    { true,  "0x08", "Knob #16 - Release", 717, 87, 32, 32 },
};
// clang-format on

constexpr int shiftIndex = 5;

juce::Button& widget (juce::Component& picker, int index)
{
    auto* b = dynamic_cast<juce::Button*> (picker.getChildComponent (index));
    EXPECT_NE (b, nullptr);
    return *b;
}

juce::Button& widgetWithText (juce::Component& picker, const juce::String& text)
{
    for (auto* child : picker.getChildren())
        if (auto* b = dynamic_cast<juce::Button*> (child); b != nullptr && b->getButtonText() == text)
            return *b;

    ADD_FAILURE() << "no widget " << text;
    return widget (picker, 0);
}

class Quill25Picker : public ::testing::Test
{
protected:
    Quill25Picker() { picker.addActionListener (&recorder); }
    ~Quill25Picker() override { picker.removeActionListener (&recorder); }

    // A click through the button's own API, delivered later on the message loop as a user's
    // click is; waits for the message it should cause.
    juce::String click (juce::Button& b)
    {
        const auto before = recorder.messages.size();
        b.triggerClick();
        if (!recorder.waitForCount (before + 1))
            return "<nothing>";
        return recorder.messages[before];
    }

    // Clicks the Shift toggle; the picker re-clicks the selected control afterwards, so a
    // message follows when a control was selected.
    juce::String clickShift()
    {
        const auto before = recorder.messages.size();
        widget (picker, shiftIndex).triggerClick();
        recorder.waitForCount (before + 1, 400);
        return recorder.messages.size() > before ? recorder.messages[before] : juce::String ("<nothing>");
    }

    int highlightedCount()
    {
        int n = 0;
        for (int i = 0; i < picker.getNumChildComponents(); ++i)
            if (i != shiftIndex && widget (picker, i).getToggleState())
                ++n;
        return n;
    }

    Quill25CtrlPickerComponent picker;
    ActionRecorder recorder;
};
} // namespace

TEST_F (Quill25Picker, HasItsFixedSizeAndTheThirtyWidgetsOfItsTable)
{
    EXPECT_EQ (picker.getWidth(), 800);
    EXPECT_EQ (picker.getHeight(), 378);
    ASSERT_EQ (picker.getNumChildComponents(), (int) std::size (expected));

    for (int i = 0; i < (int) std::size (expected); ++i)
    {
        SCOPED_TRACE (i + 1);
        const auto& e = expected[i];
        auto& b = widget (picker, i);

        EXPECT_EQ (b.getButtonText(), e.text);
        EXPECT_EQ (b.getTooltip(), e.tooltip);
        EXPECT_EQ (b.getBounds(), juce::Rectangle<int> (e.x, e.y, e.w, e.h));
        EXPECT_TRUE (b.isVisible());
        EXPECT_EQ (b.getRadioGroupId(), i == shiftIndex ? 0 : 1);
        EXPECT_EQ (dynamic_cast<OrvoCtrlPickerKnob*> (&b) != nullptr, e.knob);
        EXPECT_EQ (dynamic_cast<OrvoCtrlPickerButton*> (&b) != nullptr, !e.knob);
        EXPECT_FALSE (b.getToggleState());
    }
}

TEST_F (Quill25Picker, WidgetsKeepTheirRectanglesWhateverThePickerSize)
{
    picker.setSize (400, 200);
    EXPECT_EQ (widget (picker, 29).getBounds(), juce::Rectangle<int> (717, 87, 32, 32));
    EXPECT_EQ (widget (picker, 0).getBounds(), juce::Rectangle<int> (140, 215, 32, 115));
}

TEST_F (Quill25Picker, SupportedControlsAreTheModelsThirtyFive)
{
    const auto set = picker.getSupportedControls();
    std::set<short> want;
    for (int id = 0x01; id <= 0x0E; ++id)
        want.insert ((short) id);
    for (int id : {0x30, 0x33, 0x40, 0x41, 0x50})
        want.insert ((short) id);
    for (int id = 0x70; id <= 0x7F; ++id)
        want.insert ((short) id);

    EXPECT_EQ (set, want);
    EXPECT_EQ (set.size(), 35u);
    EXPECT_EQ (set.count (0x20), 0u); // the octave buttons send identifiers the set lacks
    EXPECT_EQ (set.count (0x21), 0u);
}

TEST_F (Quill25Picker, ClickingAControlSendsItsIdentifierAndMovesTheHighlight)
{
    auto& knob1 = widgetWithText (picker, "0x30");
    auto& octaveDown = widgetWithText (picker, "0x20");

    EXPECT_EQ (click (knob1), "0x30");
    EXPECT_TRUE (knob1.getToggleState());
    EXPECT_EQ (highlightedCount(), 1);

    EXPECT_EQ (click (octaveDown), "0x20"); // reported although the set lacks it
    EXPECT_FALSE (knob1.getToggleState());
    EXPECT_TRUE (octaveDown.getToggleState());
    EXPECT_EQ (highlightedCount(), 1);

    EXPECT_EQ (click (octaveDown), "0x20"); // the highlighted one again: sent again
    EXPECT_EQ (click (widgetWithText (picker, "0x0A")), "0x0A");
    EXPECT_EQ (click (widgetWithText (picker, "0x50")), "0x50");
    EXPECT_EQ (click (widgetWithText (picker, "0x41")), "0x41");
    EXPECT_EQ (click (widgetWithText (picker, "0x77-0x7F")), "0x77");
    EXPECT_EQ (highlightedCount(), 1);
    EXPECT_FALSE (widget (picker, shiftIndex).getToggleState());
}

TEST_F (Quill25Picker, ShiftChoosesTheSecondIdentifierOfAPadAndResendsTheSelection)
{
    auto& shift = widget (picker, shiftIndex);
    auto& pad3 = widgetWithText (picker, "0x72-0x7A");

    // Nothing selected yet: Shift only toggles.
    EXPECT_EQ (clickShift(), "<nothing>");
    EXPECT_TRUE (shift.getToggleState());
    EXPECT_EQ (clickShift(), "<nothing>");
    EXPECT_FALSE (shift.getToggleState());
    EXPECT_EQ (highlightedCount(), 0);

    EXPECT_EQ (click (pad3), "0x72");
    EXPECT_EQ (clickShift(), "0x7A");
    EXPECT_TRUE (shift.getToggleState());
    EXPECT_TRUE (pad3.getToggleState());
    EXPECT_EQ (clickShift(), "0x72");
    EXPECT_FALSE (shift.getToggleState());
    EXPECT_TRUE (pad3.getToggleState());

    // With Shift on, pads send their second identifier and single controls stay as they are.
    EXPECT_EQ (clickShift(), "0x7A");
    EXPECT_EQ (click (widgetWithText (picker, "0x70-0x78")), "0x78");
    EXPECT_EQ (click (widgetWithText (picker, "0x30")), "0x30");
    EXPECT_TRUE (shift.getToggleState()); // selecting keeps Shift
    EXPECT_EQ (clickShift(), "0x30");     // a single control resends the same identifier
    EXPECT_EQ (highlightedCount(), 1);
    EXPECT_EQ (recorder.messages.size(), 7);
}

namespace
{
// A picker over bytes that are no picture: it must still size itself and work.
class UndecodablePicker : public CtrlPickerComponent
{
public:
    UndecodablePicker()
        : CtrlPickerComponent (ctrlPickerLayouts::quill25, garbage, (int) sizeof (garbage))
    {
    }

    bool hasPicture() const { return picture.isValid(); }

private:
    // Not a PNG at all. (Bytes that start like a PNG and then break are not tried: the
    // framework's PNG reader mishandles libpng's error exit with the system libpng.)
    static constexpr char garbage[] = "not a picture of any kind";
};

juce::Colour pixel (const juce::Image& image, int x, int y)
{
    return image.getPixelAt (x, y);
}
} // namespace

TEST (Quill25PickerPicture, EmbeddedPictureDecodesAt800By378WithTransparencyOutsideTheBody)
{
    const auto image =
        juce::ImageFileFormat::loadFrom (Quill25CtrlPickerComponent::quilletMidiCc_png,
                                         (size_t) Quill25CtrlPickerComponent::quilletMidiCc_pngSize);
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), 800);
    EXPECT_EQ (image.getHeight(), 378);
    EXPECT_TRUE (image.hasAlphaChannel());

    // Corners lie outside the rounded body; every control lies on the opaque body.
    EXPECT_EQ (pixel (image, 0, 0).getAlpha(), 0);
    EXPECT_EQ (pixel (image, 799, 377).getAlpha(), 0);

    for (const auto& e : expected)
        EXPECT_EQ (pixel (image, e.x + e.w / 2, e.y + e.h / 2).getAlpha(), 255) << e.text;
}

TEST (Quill25PickerPicture, PaintsThePictureWithoutABackgroundAndWidgetsOnTop)
{
    Quill25CtrlPickerComponent picker;
    auto& pad1 = widget (picker, 4);
    pad1.setToggleState (true, juce::dontSendNotification);

    const auto snapshot = picker.createComponentSnapshot (picker.getLocalBounds(), true, 1.0f);
    const auto plain = juce::ImageCache::getFromMemory (Quill25CtrlPickerComponent::quilletMidiCc_png,
                                                        Quill25CtrlPickerComponent::quilletMidiCc_pngSize);

    EXPECT_EQ (pixel (snapshot, 0, 0).getAlpha(), 0);                // the owner's background shows through
    EXPECT_EQ (pixel (snapshot, 400, 300), pixel (plain, 400, 300)); // under no widget: the picture itself

    // The selected pad is tinted red over the picture, an idle knob leaves it untouched.
    const auto padCentre = pad1.getBounds().getCentre();
    EXPECT_GT (pixel (snapshot, padCentre.x, padCentre.y).getRed(),
               pixel (plain, padCentre.x, padCentre.y).getRed());
    const auto knobCentre = widget (picker, 1).getBounds().getCentre();
    EXPECT_EQ (pixel (snapshot, knobCentre.x, knobCentre.y), pixel (plain, knobCentre.x, knobCentre.y));
}

TEST (Quill25PickerPicture, UndecodablePictureLeavesTheWidgetsWorking)
{
    UndecodablePicker picker;
    ActionRecorder recorder;
    picker.addActionListener (&recorder);

    EXPECT_FALSE (picker.hasPicture());
    EXPECT_EQ (picker.getWidth(), 800);

    const auto snapshot = picker.createComponentSnapshot (picker.getLocalBounds(), true, 1.0f);
    EXPECT_EQ (pixel (snapshot, 400, 300).getAlpha(), 0);

    widget (picker, 9).triggerClick();
    ASSERT_TRUE (recorder.waitForCount (1));
    EXPECT_EQ (recorder.messages[0], "0x72");
    picker.removeActionListener (&recorder);
}
