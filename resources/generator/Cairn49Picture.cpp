#include "ControlArt.h"
#include "FamilyControls.h"
#include "PanelArt.h"
#include "Pictures.h"

#include "pickers/CtrlPickerLayouts.h"

// The 49-key model from above, with two details below it: the modulation wheel on the left,
// then the back panel's sockets and the four drum pads. The picker letters the captions
// "Back Panel" and "Drum Pads" under the last two at run time, so the band they take
// (y 278 to 308) stays clear, and outside the drawn parts the picture is transparent.
void Pictures::drawCairn49 (juce::Graphics& g)
{
    using juce::Rectangle;
    using Sign = PanelArt::Sign;

    PanelArt::drawBody (g, {2.0f, 2.0f, 1059.0f, 190.0f}, 12.0f);

    PanelArt::drawPlate (g, {10.0f, 12.0f, 80.0f, 90.0f});   // level, sound and scene modes
    PanelArt::drawPlate (g, {124.0f, 12.0f, 100.0f, 92.0f}); // display, category and preset
    PanelArt::drawPlate (g, {228.0f, 16.0f, 176.0f, 84.0f}); // snapshots
    PanelArt::drawPlate (g, {406.0f, 16.0f, 106.0f, 84.0f}); // host controls
    PanelArt::drawPlate (g, {514.0f, 16.0f, 40.0f, 84.0f});  // upper and lower panel
    PanelArt::drawPlate (g, {562.0f, 12.0f, 230.0f, 92.0f}); // knobs
    PanelArt::drawPlate (g, {804.0f, 12.0f, 253.0f, 92.0f}); // envelopes and tempo
    g.setColour (juce::Colour (0xff45484eu));
    g.fillRect (919.0f, 20.0f, 1.0f, 76.0f);

    PanelArt::drawDisplay (g, {132.0f, 20.0f, 84.0f, 44.0f});
    PanelArt::drawMark (g, {30.0f, 136.0f, 50.0f, 22.0f});

    // The details below the body.
    PanelArt::drawPlate (g, {42.0f, 200.0f, 62.0f, 100.0f});      // modulation wheel
    PanelArt::drawBackPanel (g, {170.0f, 208.0f, 420.0f, 54.0f}); // sockets
    PanelArt::drawPlate (g, {740.0f, 198.0f, 288.0f, 64.0f});     // drum pads

    const auto signColour = juce::Colour (0xffc4c7ccu);
    PanelArt::drawSign (g, {286.0f, 212.0f, 13.0f, 11.0f}, Sign::treadle, signColour);
    PanelArt::drawSign (g, {334.0f, 212.0f, 13.0f, 11.0f}, Sign::footswitch, signColour);
    PanelArt::drawSign (g, {380.0f, 212.0f, 13.0f, 11.0f}, Sign::footswitch, signColour);
    PanelArt::drawSign (g, {407.0f, 222.0f, 13.0f, 11.0f}, Sign::breath, signColour);

    // USB port and power switch: the back panel's other parts, not controls.
    PanelArt::drawSign (g, {474.0f, 214.0f, 12.0f, 13.0f}, Sign::usb, signColour);
    g.setColour (juce::Colour (0xff08090au));
    g.fillRoundedRectangle (470.0f, 232.0f, 20.0f, 10.0f, 1.5f);
    g.setColour (juce::Colour (0xff8a8e95u));
    g.drawRoundedRectangle (470.5f, 232.5f, 19.0f, 9.0f, 1.5f, 1.0f);
    PanelArt::drawSign (g, {530.0f, 213.0f, 12.0f, 12.0f}, Sign::power, signColour);
    g.setColour (juce::Colour (0xff08090au));
    g.fillRoundedRectangle (526.0f, 230.0f, 20.0f, 16.0f, 2.0f);
    g.setColour (juce::Colour (0xff5d6167u));
    g.fillRoundedRectangle (529.0f, 232.0f, 8.0f, 12.0f, 1.5f);

    FamilyControls::drawAll (g, ctrlPickerLayouts::cairn49);

    // 49 keys from C to C: 29 white keys.
    ControlArt::drawKeys (g, {108.0f, 110.0f, 942.0f, 76.0f}, 29);
}
