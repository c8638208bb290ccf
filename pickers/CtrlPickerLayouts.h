#pragma once

#include "pickers/CtrlPickerLayout.h"

// The widget tables of the keyboard pictures, kept as data in one place so that the
// pickers and the picture generator cannot disagree about where a control lies.
namespace ctrlPickerLayouts
{
extern const CtrlPickerLayout quill25;
extern const CtrlPickerLayout cairn49;
extern const CtrlPickerLayout dune32;
extern const CtrlPickerLayout tarn25;
} // namespace ctrlPickerLayouts
