#include "FamilyControls.h"

#include "ControlArt.h"
#include "link/ItemIdText.h"

namespace
{
using Kind = FamilyControls::Kind;

// The push half of an encoder lies right under its turn half, in the same column.
const CtrlPickerRow* findRow (const CtrlPickerLayout& layout, Kind kind, int x, int y)
{
    for (int i = 0; i < layout.numRows; ++i)
    {
        const auto& row = layout.rows[i];
        if (FamilyControls::classify (row) == kind && row.x == x && row.y == y)
            return &row;
    }
    return nullptr;
}

const CtrlPickerRow* pushHalfOf (const CtrlPickerLayout& layout, const CtrlPickerRow& turn)
{
    return findRow (layout, Kind::encoderPush, turn.x, turn.y + turn.h + 1);
}

bool hasTurnHalf (const CtrlPickerLayout& layout, const CtrlPickerRow& push)
{
    for (int i = 0; i < layout.numRows; ++i)
        if (FamilyControls::classify (layout.rows[i]) == Kind::encoderTurn &&
            pushHalfOf (layout, layout.rows[i]) == &push)
            return true;
    return false;
}

// Varied but fixed settings, so that a row of knobs or faders does not look stamped out.
float spread (int index)
{
    return (float) ((index * 7) % 11) / 10.0f;
}
} // namespace

FamilyControls::Kind FamilyControls::classify (const CtrlPickerRow& row)
{
    const juce::String text (row.text), tooltip (row.tooltip);

    if (text == "Shift")
        return Kind::shift;
    if (tooltip.startsWith ("Joystick Up"))
        return Kind::joystickUp;
    if (tooltip.startsWith ("Joystick Down"))
        return Kind::joystickDown;

    const auto item = ItemIdText::toItem (text.upToFirstOccurrenceOf ("-", false, false));

    if ((item >= 0x01 && item <= 0x0A) || item == 0x30)
        return Kind::knob;
    if ((item >= 0x0B && item <= 0x0E) || (item >= 0x4B && item <= 0x4F))
        return Kind::slider;
    if (item >= 0x40 && item <= 0x42)
        return Kind::wheel;
    if (item == 0x52)
        return Kind::breath;
    if (item >= 0x50 && item <= 0x53)
        return Kind::jack;
    if (item >= 0x70 && item <= 0x7F)
        return Kind::pad;
    if (item == 0x31 || item == 0x33)
        return Kind::encoderTurn;
    if (item == 0x32 || item == 0x34)
        return Kind::encoderPush;
    if (item == 0x10)
        return Kind::minus;
    if (item == 0x11)
        return Kind::plus;

    return Kind::button;
}

juce::Rectangle<float> FamilyControls::outline (const CtrlPickerRow& row)
{
    const auto r = ControlArt::area (row);
    return classify (row) == Kind::breath ? r.withSizeKeepingCentre (16.0f, 16.0f) : r;
}

void FamilyControls::drawAll (juce::Graphics& g, const CtrlPickerLayout& layout)
{
    int knobs = 0, sliders = 0;

    for (int i = 0; i < layout.numRows; ++i)
    {
        const auto& row = layout.rows[i];
        const auto r = ControlArt::area (row);

        switch (classify (row))
        {
            case Kind::knob:
                ControlArt::drawKnob (g, r, spread (knobs++));
                break;
            case Kind::slider:
                ControlArt::drawSlider (g, r, 0.15f + 0.7f * spread (sliders++ + 3));
                break;
            case Kind::wheel:
                ControlArt::drawWheel (g, r, 0.3f);
                break;
            case Kind::joystickUp:
                ControlArt::drawJoystickHalf (g, r, true);
                break;
            case Kind::joystickDown:
                ControlArt::drawJoystickHalf (g, r, false);
                break;
            case Kind::jack:
            case Kind::breath:
                ControlArt::drawJack (g, outline (row));
                break;
            case Kind::pad:
                ControlArt::drawPad (g, r);
                break;
            case Kind::encoderTurn:
                if (const auto* push = pushHalfOf (layout, row))
                    ControlArt::drawEncoder (g, r, ControlArt::area (*push));
                else
                    ControlArt::drawKnob (g, r, 0.5f);
                break;
            case Kind::encoderPush:
                // Drawn with its upper half; a lone one is a plain button.
                if (!hasTurnHalf (layout, row))
                    ControlArt::drawSmallButton (g, r, ControlArt::Kind::button);
                break;
            case Kind::minus:
                ControlArt::drawSmallButton (g, r, ControlArt::Kind::octaveDown);
                break;
            case Kind::plus:
                ControlArt::drawSmallButton (g, r, ControlArt::Kind::octaveUp);
                break;
            case Kind::shift:
                ControlArt::drawSmallButton (g, r, ControlArt::Kind::shift);
                break;
            case Kind::button:
                ControlArt::drawSmallButton (g, r, ControlArt::Kind::button);
                break;
        }
    }

    // The joystick's stick stands where its two halves meet.
    const CtrlPickerRow* up = nullptr;
    for (int i = 0; i < layout.numRows; ++i)
        if (classify (layout.rows[i]) == Kind::joystickUp)
            up = &layout.rows[i];
    if (up != nullptr)
        ControlArt::drawJoystickStick (g, {ControlArt::area (*up).getCentreX(), (float) (up->y + up->h)});
}
