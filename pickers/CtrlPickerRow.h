#pragma once

// One widget of a keyboard picture: its kind, the button text that says what it sends
// ("0x30", a Shift pair "0x70-0x78", or "Shift"), its tooltip and its rectangle in the
// picture's pixels. The picture generator draws each control under the same rectangle.
struct CtrlPickerRow
{
    enum class Kind
    {
        button,
        knob
    };

    Kind kind;
    const char* text;
    const char* tooltip;
    int x, y, w, h;
    int radioGroup; // 0 for the Shift toggle, which belongs to no group
};
