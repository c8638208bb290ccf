#include "ControlArt.h"
#include "FamilyControls.h"
#include "PanelArt.h"
#include "Pictures.h"

#include "pickers/CtrlPickerLayouts.h"

// The 25-key model from above: the joystick at the left end (pushed up it is the modulation
// wheel, pulled down the extra wheel), the preset buttons, five knobs, the snapshot buttons
// with Shift, and two octaves of keys; below the body its back panel with the sustain
// socket.
void Pictures::drawTarn25 (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);

    // The back panel shows below the body's front edge, which overlaps its top.
    PanelArt::drawBackPanel (g, {312.0f, 94.0f, 112.0f, 30.0f});
    PanelArt::drawBody (g, {1.0f, 0.0f, 643.0f, 98.0f}, 9.0f);

    PanelArt::drawPlate (g, {128.0f, 22.0f, 78.0f, 30.0f});  // preset
    PanelArt::drawPlate (g, {214.0f, 12.0f, 212.0f, 44.0f}); // knobs
    PanelArt::drawPlate (g, {434.0f, 22.0f, 182.0f, 30.0f}); // snapshots and Shift
    PanelArt::drawMark (g, {26.0f, 72.0f, 40.0f, 18.0f});

    PanelArt::drawSign (g, {338.0f, 106.0f, 13.0f, 11.0f}, PanelArt::Sign::footswitch,
                        juce::Colour (0xffc4c7ccu));

    FamilyControls::drawAll (g, ctrlPickerLayouts::tarn25);

    // 25 keys from C to C: 15 white keys.
    ControlArt::drawKeys (g, {104.0f, 60.0f, 528.0f, 34.0f}, 15);
}
