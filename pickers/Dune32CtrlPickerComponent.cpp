#include "pickers/Dune32CtrlPickerComponent.h"

#include "pickers/CtrlPickerLayouts.h"

#include <BinaryData.h>

const char* const Dune32CtrlPickerComponent::dune32_picker_png = BinaryData::dune32_picker_png;
const int Dune32CtrlPickerComponent::dune32_picker_pngSize = BinaryData::dune32_picker_pngSize;

Dune32CtrlPickerComponent::Dune32CtrlPickerComponent()
    : CtrlPickerComponent (ctrlPickerLayouts::dune32, dune32_picker_png, dune32_picker_pngSize)
{
}

Dune32CtrlPickerComponent::~Dune32CtrlPickerComponent() = default;
