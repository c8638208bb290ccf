#include "pickers/Cairn49CtrlPickerComponent.h"
#include "pickers/Dune32CtrlPickerComponent.h"
#include "pickers/Tarn25CtrlPickerComponent.h"
#include "support/EditorTestSupport.h"
#include "support/PickerTestSupport.h"

#include <BinaryData.h>
#include <gtest/gtest.h>

namespace
{
using pickerTest::ExpectedWidget;
using pickerTest::widget;

// The three pictures' widgets, transcribed independently of the pickers' own tables.
// clang-format off
const ExpectedWidget cairn49Widgets[] = {
    { "0x40", "Modulation Wheel Setting",                63, 210, 20, 80 },
    { "0x30", "Level Setting",                           20,  25, 26, 24 },
    { "0x01", "Cutoff Knob Setting",                    572,  23, 26, 24 },
    { "0x02", "Reso Knob Setting",                      619,  23, 26, 24 },
    { "0x03", "LFO Rate Knob Setting",                  664,  23, 26, 24 },
    { "0x04", "LFO Amount Knob Setting",                710,  23, 26, 24 },
    { "0x05", "Key Parameter #1 Knob Setting",          571,  74, 26, 24 },
    { "0x06", "Key Parameter #2 Knob Setting",          618,  74, 26, 24 },
    { "0x07", "Key Parameter #3 Knob Setting",          665,  74, 26, 24 },
    { "0x08", "Key Parameter #4 Knob Setting",          710,  74, 26, 24 },
    { "0x09", "Chorus Mix Knob Setting",                757,  23, 26, 24 },
    { "0x0A", "Delay Mix Knob Setting",                 758,  73, 26, 24 },
    { "0x0B", "Attack Envelope Slider Setting",         813,  27, 16, 64 },
    { "0x0C", "Delay Envelope Slider Setting",          843,  27, 16, 64 },
    { "0x0D", "Sustain Envelope Slider Setting",        870,  27, 16, 64 },
    { "0x0E", "Release Envelope Slider Setting",        898,  27, 16, 64 },
    { "0x12", "Snapshot #1 Button Setting",             235,  28, 27, 14 },
    { "0x13", "Snapshot #2 Button Setting",             270,  28, 27, 14 },
    { "0x14", "Snapshot #3 Button Setting",             304,  28, 27, 14 },
    { "0x15", "Snapshot #4 Button Setting",             337,  28, 27, 14 },
    { "0x16", "Snapshot #5 Button Setting",             372,  27, 27, 14 },
    { "0x17", "Snapshot #6 Button Setting",             235,  79, 27, 14 },
    { "0x18", "Snapshot #7 Button Setting",             270,  79, 27, 14 },
    { "0x19", "Snapshot #8 Button Setting",             303,  79, 27, 14 },
    { "0x51", "Expression Pedal Setting",               283, 228, 19, 18 },
    { "0x50", "Sustain Pedal Setting",                  331, 228, 19, 18 },
    { "0x4B", "Attack Envelope #2 Slider Setting",      925,  26, 16, 64 },
    { "0x4C", "Delay Envelope #2 Slider Setting",       954,  26, 16, 64 },
    { "0x4D", "Sustain Envelope #2 Slider Setting",     982,  26, 16, 64 },
    { "0x4E", "Release Envelope #2 Slider Setting",    1009,  26, 16, 64 },
    { "0x4F", "Tempo Slider",                          1037,  26, 16, 64 },
    { "0x53", "Aux Pedal Setting",                      377, 228, 19, 18 },
    { "0x52", "Breath Control Setting",                 408, 240, 11, 10 },
    { "0x70", "Pad #1 Setting",                         750, 206, 48, 48 },
    { "0x71", "Pad #2 Setting",                         823, 206, 48, 48 },
    { "0x72", "Pad #3 Setting",                         897, 206, 48, 48 },
    { "0x73", "Pad #4 Setting",                         970, 205, 48, 48 },
    { "0x1A", "Snapshot #9 Button Setting",             336,  79, 27, 14 },
    { "0x1B", "Snapshot #10 Button Setting",            370,  79, 27, 14 },
    { "0x58", "Host Control #1 Button Setting",         412,  28, 27, 14 },
    { "0x59", "Host Control #2 Button Setting",         445,  28, 27, 14 },
    { "0x5A", "Host Control #3 Button Setting",         479,  28, 27, 14 },
    { "0x5B", "Host Control #4 Button Setting",         410,  79, 27, 14 },
    { "0x5C", "Host Control #5 Button Setting",         445,  79, 27, 14 },
    { "0x5D", "Host Control #6 Button Setting",         479,  79, 27, 14 },
    { "0x1D", "Upper Panel Button Setting",             520,  28, 27, 14 },
    { "0x1C", "Lower Panel Button Setting",             519,  79, 27, 14 },
    { "0x1E", "Sound Mode Button Setting",               18,  78, 27, 14 },
    { "0x1F", "Scene Mode Button Setting",               53,  78, 27, 14 },
    { "0x31", "Category Adjust Setting",                139,  75, 26, 12 },
    { "0x32", "Category Select Setting",                139,  88, 26, 12 },
    { "0x33", "Preset Adjust Setting",                  185,  75, 26, 12 },
    { "0x34", "Preset Select Setting",                  185,  88, 26, 12 },
};

const ExpectedWidget dune32Widgets[] = {
    { "0x40",      "Modulation Wheel Setting",           49,  16, 20, 72 },
    { "0x30",      "Level Setting",                     119,  21, 26, 24 },
    { "0x01",      "Cutoff Knob Setting",               184,  21, 26, 24 },
    { "0x02",      "Reso Knob Setting",                 218,  21, 26, 24 },
    { "0x03",      "LFO Rate Knob Setting",             258,  21, 26, 24 },
    { "0x04",      "LFO Amount Knob Setting",           292,  21, 26, 24 },
    { "0x05",      "Key Parameter #1 Knob Setting",     333,  21, 26, 24 },
    { "0x06",      "Key Parameter #2 Knob Setting",     367,  21, 26, 24 },
    { "0x07",      "Key Parameter #3 Knob Setting",     399,  21, 26, 24 },
    { "0x08",      "Key Parameter #4 Knob Setting",     433,  21, 26, 24 },
    { "0x09",      "Chorus Mix Knob Setting",           474,  21, 26, 24 },
    { "0x0A",      "Delay Mix Knob Setting",            508,  21, 26, 24 },
    { "0x0B",      "Attack Envelope Slider Setting",    549,  17, 24, 72 },
    { "0x0C",      "Delay Envelope Slider Setting",     572,  17, 24, 72 },
    { "0x0D",      "Sustain Envelope Slider Setting",   595,  17, 24, 72 },
    { "0x0E",      "Release Envelope Slider Setting",   618,  17, 24, 72 },
    { "0x10-0x20", "Preset - Button Setting",           104,  68, 27, 14 },
    { "0x11-0x21", "Preset + Button Setting",           132,  68, 27, 14 },
    { "0x12-0x22", "Snapshot #1 Button Setting",        241,  68, 27, 14 },
    { "0x13-0x23", "Snapshot #2 Button Setting",        268,  68, 27, 14 },
    { "0x14-0x24", "Snapshot #3 Button Setting",        295,  68, 27, 14 },
    { "0x15-0x25", "Snapshot #4 Button Setting",        323,  68, 27, 14 },
    { "0x16-0x26", "Snapshot #5 Button Setting",        350,  68, 27, 14 },
    { "0x17-0x27", "Snapshot #6 Button Setting",        378,  68, 27, 14 },
    { "0x18-0x28", "Snapshot #7 Button Setting",        404,  68, 27, 14 },
    { "0x19-0x29", "Snapshot #8 Button Setting",        432,  68, 27, 14 },
    { "Shift",     "Activate Shift Mode",               187,  68, 26, 14 },
    { "0x51",      "Expression Pedal Setting",          365, 111, 19, 18 },
    { "0x50",      "Sustain Pedal Setting",             403, 111, 19, 18 },
};

const ExpectedWidget tarn25Widgets[] = {
    { "0x40",      "Joystick Up - Modulation Wheel Setting",  64,   0, 24, 32 },
    { "0x30",      "Level Setting",                          222,  25, 26, 24 },
    { "0x01-0x0B", "Cutoff Knob Setting/Attack",             274,  25, 26, 24 },
    { "0x02-0x0C", "Reso Knob Setting/Decay",                312,  24, 26, 24 },
    { "0x09-0x0D", "Chorus Mix Knob Setting/Sustain",        353,  25, 26, 24 },
    { "0x0A-0x0E", "Delay Mix Knob Setting/Release",         392,  24, 26, 24 },
    { "0x10-0x20", "Preset - Button Setting",                136,  30, 27, 14 },
    { "0x11-0x21", "Preset + Button Setting",                170,  30, 27, 14 },
    { "0x12-0x22", "Snapshot #1 Button Setting",             441,  31, 27, 14 },
    { "0x13-0x23", "Snapshot #2 Button Setting",             475,  31, 27, 14 },
    { "0x14-0x24", "Snapshot #3 Button Setting",             508,  31, 27, 14 },
    { "0x15-0x25", "Snapshot #4 Button Setting",             542,  31, 27, 14 },
    { "Shift",     "Activate Shift Mode",                    581,  30, 26, 14 },
    { "0x50",      "Sustain Pedal Setting",                  358, 102, 19, 18 },
    { "0x42",      "Joystick Down - Extra Wheel Setting",     64,  32, 24, 32 },
};
// clang-format on

// A supported set written as runs of identifiers.
std::set<short> runs (std::initializer_list<std::pair<int, int>> firstAndLast)
{
    std::set<short> ids;
    for (const auto& [first, last] : firstAndLast)
        for (auto id = first; id <= last; ++id)
            ids.insert ((short) id);
    return ids;
}

// One click of a scenario: a widget's row number (from 1), what it sends (null: nothing)
// and which row is highlighted afterwards (0: none).
struct Step
{
    int row;
    const char* sends;
    int highlightedRow;
};

// A pixel and the row of the widget that takes a click there (0: the picture itself).
struct Hit
{
    int x, y, row;
};

struct Model
{
    const char* name;
    std::unique_ptr<CtrlPickerComponent> (*make)();
    int width, height;
    const ExpectedWidget* rows;
    int numRows;
    std::set<short> supported;
    size_t supportedCount;
    // The picker's statics, read when a test runs: they are set while the program starts,
    // in an order this table cannot rely on.
    const char* const* png;
    const int* pngSize;
    int pngColourType;
    std::vector<Step> steps;
    std::vector<Hit> hits;
};

// Names the model in test output instead of dumping its bytes.
void PrintTo (const Model& m, std::ostream* os)
{
    *os << m.name;
}

// clang-format off
const Model models[] = {
    {"Cairn49", &pickerTest::makePicker<Cairn49CtrlPickerComponent>, 1063, 317,
     cairn49Widgets, (int) std::size (cairn49Widgets),
     // Holds 0x20 and 0x21, which no widget sends; lacks the panel, mode and host buttons.
     runs ({{0x01, 0x0E}, {0x12, 0x1B}, {0x20, 0x21}, {0x30, 0x34}, {0x40, 0x40}, {0x4B, 0x53}, {0x70, 0x73}}), 45,
     &Cairn49CtrlPickerComponent::cairn49_picker_png, &Cairn49CtrlPickerComponent::cairn49_picker_pngSize, 6,
     {{5, "0x03", 5}, {40, "0x58", 40}, {40, "0x58", 40}, {31, "0x4F", 31}, {46, "0x1D", 46}},
     // The encoders' two halves lie a pixel apart; the gap is no widget's.
     {{413, 245, 33}, {1052, 60, 31}, {152, 86, 50}, {152, 87, 0}, {152, 88, 51}}},

    {"Dune32", &pickerTest::makePicker<Dune32CtrlPickerComponent>, 645, 134,
     dune32Widgets, (int) std::size (dune32Widgets),
     // Holds 0x31 and 0x32, which no widget sends; lacks 0x10 and 0x11, which widgets send.
     runs ({{0x01, 0x0E}, {0x12, 0x19}, {0x20, 0x29}, {0x30, 0x32}, {0x40, 0x40}, {0x50, 0x51}}), 38,
     &Dune32CtrlPickerComponent::dune32_picker_png, &Dune32CtrlPickerComponent::dune32_picker_pngSize, 2,
     {{27, nullptr, 0}, {27, nullptr, 0},
      {19, "0x12", 19}, {27, "0x22", 19}, {27, "0x12", 19},
      {17, "0x10", 17}, {27, "0x20", 17}, {18, "0x21", 18}, {27, "0x11", 18},
      {1, "0x40", 1}, {27, "0x40", 1}, {27, "0x40", 1}},
     // Neighbours sharing a pixel column: the later widget lies on top.
     {{571, 50, 13}, {572, 50, 14}, {595, 50, 15}, {618, 50, 16}, {641, 50, 16}, {403, 75, 24}, {404, 75, 25}}},

    {"Tarn25", &pickerTest::makePicker<Tarn25CtrlPickerComponent>, 645, 134,
     tarn25Widgets, (int) std::size (tarn25Widgets),
     runs ({{0x01, 0x02}, {0x09, 0x0E}, {0x12, 0x15}, {0x20, 0x25}, {0x30, 0x32}, {0x40, 0x40}, {0x42, 0x42},
            {0x50, 0x50}}), 24,
     &Tarn25CtrlPickerComponent::tarn25_picker_png, &Tarn25CtrlPickerComponent::tarn25_picker_pngSize, 2,
     {{13, nullptr, 0}, {13, nullptr, 0},
      {4, "0x02", 4}, {13, "0x0C", 4}, {13, "0x02", 4}, {13, "0x0C", 4},
      {8, "0x21", 8}, {13, "0x11", 8},
      {1, "0x40", 1}, {15, "0x42", 15}, {13, "0x42", 15}, {1, "0x40", 1}},
     // The joystick's two halves meet between y 31 and 32.
     {{76, 31, 1}, {76, 32, 15}}},
};
// clang-format on

class FamilyPicker : public ::testing::TestWithParam<Model>
{
protected:
    void SetUp() override { picker = GetParam().make(); }

    int rowOf (juce::Button* b) const
    {
        const auto index = picker->getIndexOfChildComponent (b);
        return b == nullptr ? 0 : index + 1;
    }

    std::unique_ptr<CtrlPickerComponent> picker;
};
} // namespace

TEST_P (FamilyPicker, HasItsSizeWidgetsAndSupportedSetWhateverItsBounds)
{
    const auto& m = GetParam();
    EXPECT_EQ (picker->getBounds(), juce::Rectangle<int> (m.width, m.height));

    picker->setSize (200, 100); // the rectangles are the picture's, not the component's
    pickerTest::expectWidgets (*picker, m.rows, m.numRows);

    EXPECT_EQ (m.supported.size(), m.supportedCount);
    EXPECT_EQ (picker->getSupportedControls(), m.supported);
}

TEST_P (FamilyPicker, EachControlSendsItsIdentifierWithShiftOffAndOnAndTakesTheHighlight)
{
    const auto& m = GetParam();
    pickerTest::PickerClicks clicks (*picker);
    juce::Button* shift = nullptr;
    juce::Button* last = nullptr;

    for (int i = 0; i < m.numRows; ++i)
        if (juce::String (m.rows[i].text) == "Shift")
            shift = &widget (*picker, i);

    for (const auto shiftOn : {false, true})
    {
        if (shiftOn)
        {
            if (shift == nullptr)
                break;

            // Shift re-clicks the selected control, which now sends its second identifier.
            EXPECT_EQ (clicks.click (*shift), pickerTest::sentBy (last->getButtonText(), true));
            EXPECT_EQ (clicks.highlighted(), last);
        }

        for (int i = 0; i < m.numRows; ++i)
        {
            auto& b = widget (*picker, i);
            if (&b == shift)
                continue;

            SCOPED_TRACE (juce::String (i + 1) + (shiftOn ? " with Shift" : ""));
            EXPECT_EQ (clicks.click (b), pickerTest::sentBy (m.rows[i].text, shiftOn));
            EXPECT_EQ (clicks.highlighted(), &b);
            last = &b;
        }
    }
}

TEST_P (FamilyPicker, ShiftAndRepeatedClicksWorkAsOnTheKeyboard)
{
    pickerTest::PickerClicks clicks (*picker);

    for (const auto& step : GetParam().steps)
    {
        SCOPED_TRACE (step.row);
        auto& b = widget (*picker, step.row - 1);

        if (step.sends == nullptr)
            EXPECT_TRUE (clicks.clickSendsNothing (b));
        else
            EXPECT_EQ (clicks.click (b), step.sends);

        EXPECT_EQ (rowOf (clicks.highlighted()), step.highlightedRow);
    }
}

TEST_P (FamilyPicker, AClickGoesToTheTopmostWidgetAtItsPixel)
{
    picker->setVisible (true); // hit-testing skips hidden components
    for (const auto& hit : GetParam().hits)
    {
        juce::Component* want = picker.get();
        if (hit.row != 0)
            want = &widget (*picker, hit.row - 1);
        EXPECT_EQ (picker->getComponentAt (hit.x, hit.y), want) << hit.x << ", " << hit.y;
    }
}

TEST_P (FamilyPicker, PictureDecodesAtItsSizeAndShowsAControlUnderEveryWidget)
{
    const auto& m = GetParam();
    EXPECT_EQ (pickerTest::pngColourType (*m.png, *m.pngSize), m.pngColourType);

    const auto image = juce::ImageFileFormat::loadFrom (*m.png, (size_t) *m.pngSize);
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getBounds(), juce::Rectangle<int> (m.width, m.height));

    // Under each widget lies a drawn control: opaque and shaded, not bare background.
    for (int i = 0; i < m.numRows; ++i)
    {
        const auto& e = m.rows[i];
        std::set<juce::uint32> colours;
        for (int y = e.y; y < e.y + e.h; ++y)
            for (int x = e.x; x < e.x + e.w; ++x)
                colours.insert (image.getPixelAt (x, y).getARGB());

        EXPECT_EQ (image.getPixelAt (e.x + e.w / 2, e.y + e.h / 2).getAlpha(), 255) << e.text;
        EXPECT_GT (colours.size(), 8u) << e.text;
    }

    EditorTestSupport::saveScreenshot (*picker, juce::String (m.name).toLowerCase() + "-picker");
}

INSTANTIATE_TEST_SUITE_P (Models, FamilyPicker, ::testing::ValuesIn (models),
                          [] (const auto& p) { return std::string (p.param.name); });

TEST (Cairn49PickerPainting, CaptionsAndTheBreathDotArePaintedOverThePicture)
{
    Cairn49CtrlPickerComponent picker;
    widget (picker, 32).setVisible (false); // the breath input's widget, over the dot

    const auto shot = picker.createComponentSnapshot (picker.getLocalBounds(), true, 1.0f);
    const auto plain = juce::ImageCache::getFromMemory (Cairn49CtrlPickerComponent::cairn49_picker_png,
                                                        Cairn49CtrlPickerComponent::cairn49_picker_pngSize);

    EXPECT_EQ (shot.getPixelAt (413, 245), juce::Colour (0xff1d1d1du));
    EXPECT_EQ (shot.getPixelAt (5, 312), juce::Colours::white); // white under the clear parts

    // The picture leaves the captions' bands clear, so their dark pixels are the captions.
    for (const auto caption :
         {juce::Rectangle<int> (151, 278, 454, 30), juce::Rectangle<int> (729, 278, 305, 30)})
    {
        int dark = 0, drawn = 0;
        for (int y = caption.getY(); y < caption.getBottom(); ++y)
            for (int x = caption.getX(); x < caption.getRight(); ++x)
            {
                dark += shot.getPixelAt (x, y).getBrightness() < 0.4f ? 1 : 0;
                drawn += plain.getPixelAt (x, y).getAlpha() > 0 ? 1 : 0;
            }

        EXPECT_EQ (drawn, 0) << caption.toString();
        EXPECT_GT (dark, 60) << caption.toString();
    }
}

namespace
{
struct ButtonImage
{
    const char* name;
    const char* const* data; // read when a test runs, as the pickers' statics are
    const int* size;
    int width;
    int rank; // by shade: pressed 0, idle 1, under the pointer 2
};

const ButtonImage buttonImages[] = {
    {"defaultBtn_push", &BinaryData::defaultBtn_push_png, &BinaryData::defaultBtn_push_pngSize, 101, 0},
    {"defaultBtn_hover", &BinaryData::defaultBtn_hover_png, &BinaryData::defaultBtn_hover_pngSize, 101, 1},
    {"sendBtn_push", &BinaryData::sendBtn_push_png, &BinaryData::sendBtn_push_pngSize, 117, 0},
    {"sendBtn_inactive", &BinaryData::sendBtn_inactive_png, &BinaryData::sendBtn_inactive_pngSize, 117, 1},
    {"sendBtn_hover", &BinaryData::sendBtn_hover_png, &BinaryData::sendBtn_hover_pngSize, 117, 2},
};

// The images as the 49-key editor shows them: scaled into 88 x 24 and 102 x 24 with their
// proportions kept, beside their own size, for a person to read.
struct ButtonSheet : public juce::Component
{
    ButtonSheet() { setSize (260, 36 * (int) std::size (buttonImages)); }

    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colour (0xffebebebu));
        int y = 4;
        for (const auto& b : buttonImages)
        {
            const auto image = juce::ImageCache::getFromMemory (*b.data, *b.size);
            g.drawImageAt (image, 4, y);
            g.drawImageWithin (image, 130, y, b.width == 101 ? 88 : 102, 24,
                               juce::RectanglePlacement::centred);
            y += 36;
        }
    }
};

float faceBrightness (const juce::Image& image)
{
    // A patch of the face left of the word.
    float sum = 0.0f;
    for (int y = 8; y < 20; ++y)
        for (int x = 6; x < 12; ++x)
            sum += image.getPixelAt (x, y).getBrightness();
    return sum / 72.0f;
}
} // namespace

TEST (ButtonImages, DecodeWithAlphaAndCarryTheirWordInAShadePerState)
{
    float shade[2][3] = {}; // [Default, Send][rank]

    for (const auto& b : buttonImages)
    {
        SCOPED_TRACE (b.name);
        EXPECT_EQ (pickerTest::pngColourType (*b.data, *b.size), 6);
        const auto image = juce::ImageFileFormat::loadFrom (*b.data, (size_t) *b.size);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getBounds(), juce::Rectangle<int> (b.width, 29));
        EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0); // rounded corners

        // The word: light strokes across the middle of the button.
        int light = 0;
        for (int x = 0; x < b.width; ++x)
            for (int y = 9; y < 20; ++y)
                light += image.getPixelAt (x, y).getBrightness() > 0.85f ? 1 : 0;
        EXPECT_GT (light, 60);

        shade[b.width == 101 ? 0 : 1][b.rank] = faceBrightness (image);
    }

    EXPECT_LT (shade[0][0] + 0.1f, shade[0][1]);
    EXPECT_LT (shade[1][0] + 0.1f, shade[1][1]);
    EXPECT_LT (shade[1][1] + 0.1f, shade[1][2]);

    ButtonSheet sheet;
    EditorTestSupport::saveScreenshot (sheet, "button-images");
}
