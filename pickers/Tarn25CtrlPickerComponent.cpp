#include "pickers/Tarn25CtrlPickerComponent.h"

#include "pickers/CtrlPickerLayouts.h"

#include <BinaryData.h>

const char* const Tarn25CtrlPickerComponent::tarn25_picker_png = BinaryData::tarn25_picker_png;
const int Tarn25CtrlPickerComponent::tarn25_picker_pngSize = BinaryData::tarn25_picker_pngSize;

Tarn25CtrlPickerComponent::Tarn25CtrlPickerComponent()
    : CtrlPickerComponent (ctrlPickerLayouts::tarn25, tarn25_picker_png, tarn25_picker_pngSize)
{
}

Tarn25CtrlPickerComponent::~Tarn25CtrlPickerComponent() = default;
