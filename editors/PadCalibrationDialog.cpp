#include "editors/PadCalibrationDialog.h"

#include "editors/PadCalibComponent.h"
#include "link/QexManager49.h"

PadCalibrationDialog::PadCalibrationDialog (QexManager49& m)
    : juce::DialogWindow ("Pad Gain Calibration", juce::Colours::lightgrey, true, true)
    , manager (&m)
{
    manager->openMidiIns (true);
    setContentOwned (new PadCalibComponent (m), false);
    centreWithSize (600, 320);
    setResizable (false, false);
}

PadCalibrationDialog::~PadCalibrationDialog()
{
    manager->closeMidiIns();
}

void PadCalibrationDialog::closeButtonPressed()
{
    // Hiding a modal window ends its modal loop; the caller then destroys the dialog.
    setVisible (false);
}
