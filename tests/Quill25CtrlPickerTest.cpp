#include "pickers/CtrlPickerLayouts.h"
#include "pickers/Quill25CtrlPickerComponent.h"
#include "support/PickerTestSupport.h"

#include <gtest/gtest.h>

namespace
{
using pickerTest::ExpectedWidget;
using pickerTest::widget;

// Transcribed independently of the picker's own table, so a slip in either shows up.
// clang-format off
const ExpectedWidget expected[] = {
    { "0x40", "Modulation Strip Setting", 140, 215, 32, 115 },
    { "0x30", "Knob #1 - Volume", 208, 23, 32, 32, true },
    { "0x20", "Shift Octave - Button Setting", 105, 152, 25, 25 },
    { "0x21", "Shift Octave + Button Setting", 147, 151, 25, 25 },
    { "0x70-0x78", "Pad #1 Setting", 200, 139, 48, 38 },
    { "Shift", "Activate Pad Shift Mode (1-8 / 9-16)", 147, 108, 25, 25 },
    { "0x50", "Sustain Pedal Setting", 13, 47, 24, 24 },
    { "0x41", "Pitch Strip Setting", 93, 216, 32, 115 },
    { "0x71-0x79", "Pad #2 Setting", 273, 139, 48, 38 },
    { "0x72-0x7A", "Pad #3 Setting", 345, 139, 48, 38 },
    { "0x73-0x7B", "Pad #4 Setting", 418, 139, 48, 38 },
    { "0x74-0x7C", "Pad #5 Setting", 490, 139, 48, 38 },
    { "0x75-0x7D", "Pad #6 Setting", 562, 139, 48, 38 },
    { "0x76-0x7E", "Pad #7 Setting", 636, 139, 48, 38 },
    { "0x77-0x7F", "Pad #8 Setting", 709, 139, 48, 38 },
    { "0x01", "Knob #2 - Cutoff", 280, 23, 32, 32, true },
    { "0x02", "Knob #3 - Resonance", 352, 23, 32, 32, true },
    { "0x09", "Knob #4 - LFO Rate", 425, 23, 32, 32, true },
    { "0x0B", "Knob #5 - LFO Amt", 498, 23, 32, 32, true },
    { "0x0C", "Knob #6 - Chorus Amt", 571, 23, 32, 32, true },
    { "0x0D", "Knob #7 - Attack", 644, 23, 32, 32, true },
    { "0x0E", "Knob #8 - Decay", 717, 23, 32, 32, true },
    { "0x33", "Knob #9 - Preset", 207, 87, 32, 32, true },
    { "0x03", "Knob #10 - Param 1", 280, 87, 32, 32, true },
    { "0x04", "Knob #11 - Param 2", 353, 87, 32, 32, true },
    { "0x0A", "Knob #12 - Param 3", 425, 87, 32, 32, true },
    { "0x05", "Knob #13 - Param 4", 499, 87, 32, 32, true },
    { "0x06", "Knob #14 - Delay Amt", 571, 87, 32, 32, true },
    { "0x07", "Knob #15 - Sustain", 643, 87, 32, 32, true },
    { "0x08", "Knob #16 - Release", 717, 87, 32, 32, true },
};
// clang-format on

int indexOf (const juce::String& text)
{
    for (int i = 0; i < (int) std::size (expected); ++i)
        if (text == expected[i].text)
            return i;
    return -1;
}

class Quill25Picker : public ::testing::Test
{
protected:
    juce::Button& w (const juce::String& text) { return widget (picker, indexOf (text)); }
    juce::String click (juce::Button& b) { return clicks.click (b); }

    Quill25CtrlPickerComponent picker;
    pickerTest::PickerClicks clicks{picker};
};
} // namespace

TEST_F (Quill25Picker, HasItsFixedSizeAndTheThirtyWidgetsOfItsTableWhateverItsBounds)
{
    EXPECT_EQ (picker.getBounds(), juce::Rectangle<int> (0, 0, 800, 378));
    picker.setSize (400, 200); // the rectangles are the picture's, not the component's
    pickerTest::expectWidgets (picker, expected, (int) std::size (expected));
}

TEST_F (Quill25Picker, SupportedControlsAreTheModelsThirtyFiveWithoutTheOctaveButtons)
{
    std::set<short> want;
    for (int id = 0x01; id <= 0x7F; ++id)
        if (id <= 0x0E || id == 0x30 || id == 0x33 || id == 0x40 || id == 0x41 || id == 0x50 || id >= 0x70)
            want.insert ((short) id);

    EXPECT_EQ (want.size(), 35u);
    EXPECT_EQ (picker.getSupportedControls(), want);
}

TEST_F (Quill25Picker, ClickingAControlSendsItsIdentifierAndMovesTheHighlight)
{
    EXPECT_EQ (click (w ("0x30")), "0x30");
    EXPECT_TRUE (w ("0x30").getToggleState());

    EXPECT_EQ (click (w ("0x20")), "0x20"); // reported although the supported set lacks it
    EXPECT_FALSE (w ("0x30").getToggleState());
    EXPECT_TRUE (w ("0x20").getToggleState());

    EXPECT_EQ (click (w ("0x20")), "0x20"); // the highlighted one again: sent again
    EXPECT_EQ (click (w ("0x0A")), "0x0A");
    EXPECT_EQ (click (w ("0x77-0x7F")), "0x77");
    EXPECT_EQ (clicks.highlighted(), &w ("0x77-0x7F"));
    EXPECT_FALSE (w ("Shift").getToggleState());
}

TEST_F (Quill25Picker, ShiftChoosesTheSecondIdentifierOfAPadAndResendsTheSelection)
{
    auto& shift = w ("Shift");
    auto& pad3 = w ("0x72-0x7A");

    // Nothing selected yet: Shift only toggles.
    EXPECT_TRUE (clicks.clickSendsNothing (shift));
    EXPECT_TRUE (shift.getToggleState());
    EXPECT_TRUE (clicks.clickSendsNothing (shift));
    EXPECT_FALSE (shift.getToggleState());
    EXPECT_EQ (clicks.highlighted(), nullptr);

    EXPECT_EQ (click (pad3), "0x72");
    EXPECT_EQ (click (shift), "0x7A");
    EXPECT_TRUE (pad3.getToggleState());
    EXPECT_EQ (click (shift), "0x72");
    EXPECT_FALSE (shift.getToggleState());
    EXPECT_TRUE (pad3.getToggleState());

    // With Shift on, pads send their second identifier and single controls stay as they are.
    EXPECT_EQ (click (shift), "0x7A");
    EXPECT_EQ (click (w ("0x70-0x78")), "0x78");
    EXPECT_EQ (click (w ("0x30")), "0x30");
    EXPECT_TRUE (shift.getToggleState()); // selecting keeps Shift
    EXPECT_EQ (click (shift), "0x30");    // a single control is resent unchanged
    EXPECT_EQ (clicks.highlighted(), &w ("0x30"));
    EXPECT_EQ (clicks.recorder.messages.size(), 7);
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
} // namespace

TEST (Quill25PickerPicture, EmbeddedPictureDecodesAt800By378WithTransparencyOutsideTheBody)
{
    const auto image =
        juce::ImageFileFormat::loadFrom (Quill25CtrlPickerComponent::quilletMidiCc_png,
                                         (size_t) Quill25CtrlPickerComponent::quilletMidiCc_pngSize);
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getBounds(), juce::Rectangle<int> (0, 0, 800, 378));
    EXPECT_TRUE (image.hasAlphaChannel());

    // Corners lie outside the rounded body; every control lies on the opaque body.
    EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (799, 377).getAlpha(), 0);
    for (const auto& e : expected)
        EXPECT_EQ (image.getPixelAt (e.x + e.w / 2, e.y + e.h / 2).getAlpha(), 255) << e.text;
}

TEST (Quill25PickerPicture, PaintsThePictureWithoutABackgroundAndWidgetsOnTop)
{
    Quill25CtrlPickerComponent picker;
    auto& pad1 = widget (picker, 4);
    pad1.setToggleState (true, juce::dontSendNotification);

    const auto shot = picker.createComponentSnapshot (picker.getLocalBounds(), true, 1.0f);
    const auto plain = juce::ImageCache::getFromMemory (Quill25CtrlPickerComponent::quilletMidiCc_png,
                                                        Quill25CtrlPickerComponent::quilletMidiCc_pngSize);

    EXPECT_EQ (shot.getPixelAt (0, 0).getAlpha(), 0); // the owner's background shows through
    EXPECT_EQ (shot.getPixelAt (400, 300), plain.getPixelAt (400, 300));

    // The selected pad is tinted red over the picture; an idle knob leaves it untouched.
    const auto pad = pad1.getBounds().getCentre(), knob = widget (picker, 1).getBounds().getCentre();
    EXPECT_GT (shot.getPixelAt (pad.x, pad.y).getRed(), plain.getPixelAt (pad.x, pad.y).getRed());
    EXPECT_EQ (shot.getPixelAt (knob.x, knob.y), plain.getPixelAt (knob.x, knob.y));
}

TEST (Quill25PickerPicture, UndecodablePictureLeavesTheWidgetsWorking)
{
    UndecodablePicker picker;
    pickerTest::PickerClicks clicks (picker);

    EXPECT_FALSE (picker.hasPicture());
    EXPECT_EQ (picker.getWidth(), 800);
    EXPECT_EQ (
        picker.createComponentSnapshot (picker.getLocalBounds(), true, 1.0f).getPixelAt (400, 300).getAlpha(),
        0);

    EXPECT_EQ (clicks.click (widget (picker, 9)), "0x72");
}
