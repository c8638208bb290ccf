#pragma once

#include "pickers/CtrlPickerRow.h"

// Everything that tells one keyboard picture from another: its fixed size, its widgets in
// construction order, which of them is the Shift toggle, and the controls its model has.
struct CtrlPickerLayout
{
    int width;
    int height;
    bool fillsWhite; // the family pictures paint white under their picture
    const CtrlPickerRow* rows;
    int numRows;
    int shiftRow;           // index into rows, or -1 when the picture has no Shift toggle
    const short* supported; // ascending
    int numSupported;
};
