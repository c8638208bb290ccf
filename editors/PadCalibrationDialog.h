#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class QexManager49;

// The modal "Pad Gain Calibration" window around a PadCalibComponent. The keyboard's answers
// reach the link only while its MIDI inputs are open, so the dialog opens them for its whole
// life.
class PadCalibrationDialog : public juce::DialogWindow
{
public:
    explicit PadCalibrationDialog (QexManager49& manager);
    ~PadCalibrationDialog() override;

    void closeButtonPressed() override;

private:
    QexManager49* manager;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PadCalibrationDialog)
};
