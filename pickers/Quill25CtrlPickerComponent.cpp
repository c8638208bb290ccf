#include "pickers/Quill25CtrlPickerComponent.h"

#include "pickers/CtrlPickerLayouts.h"

#include <BinaryData.h>

const char* const Quill25CtrlPickerComponent::quilletMidiCc_png = BinaryData::quilletMidiCc_png;
const int Quill25CtrlPickerComponent::quilletMidiCc_pngSize = BinaryData::quilletMidiCc_pngSize;

Quill25CtrlPickerComponent::Quill25CtrlPickerComponent()
    : CtrlPickerComponent (ctrlPickerLayouts::quill25, quilletMidiCc_png, quilletMidiCc_pngSize)
{
}

Quill25CtrlPickerComponent::~Quill25CtrlPickerComponent() = default;
