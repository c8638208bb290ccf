#include "ControlArt.h"
#include "FamilyControls.h"
#include "PanelArt.h"
#include "Pictures.h"

#include "pickers/CtrlPickerLayouts.h"

// The 32-key model from above: the modulation wheel at the left end, a row of ten knobs
// with the preset, Shift and snapshot buttons below it, four envelope faders at the right
// end and the keys along the front; below the body its back panel with the two pedal
// sockets.
void Pictures::drawDune32 (juce::Graphics& g)
{
    using Sign = PanelArt::Sign;

    g.fillAll (juce::Colours::white);

    // The back panel shows below the body's front edge, which overlaps its top.
    PanelArt::drawBackPanel (g, {300.0f, 104.0f, 190.0f, 27.0f});
    PanelArt::drawBody (g, {1.0f, 1.0f, 643.0f, 109.0f}, 9.0f);

    PanelArt::drawPlate (g, {38.0f, 6.0f, 42.0f, 90.0f});   // wheel
    PanelArt::drawPlate (g, {96.0f, 10.0f, 446.0f, 42.0f}); // knobs
    PanelArt::drawPlate (g, {96.0f, 60.0f, 370.0f, 28.0f}); // preset, Shift, snapshots
    PanelArt::drawPlate (g, {545.0f, 8.0f, 96.0f, 84.0f});  // envelope faders
    PanelArt::drawMark (g, {478.0f, 66.0f, 40.0f, 18.0f});

    const auto signColour = juce::Colour (0xffc4c7ccu);
    PanelArt::drawSign (g, {348.0f, 115.0f, 13.0f, 11.0f}, Sign::treadle, signColour);
    PanelArt::drawSign (g, {425.0f, 115.0f, 13.0f, 11.0f}, Sign::footswitch, signColour);

    FamilyControls::drawAll (g, ctrlPickerLayouts::dune32);

    // 32 keys from F to C: 19 white keys.
    ControlArt::drawKeys (g, {86.0f, 91.0f, 552.0f, 17.0f}, 19, 3);
}
