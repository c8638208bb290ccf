#include "link/IQexMidiMessage.h"

namespace
{
// The maker's three-byte manufacturer identifier, as both protocol generations and the
// identity reply carry it.
constexpr juce::uint8 kManufacturerId[] = {0x00, 0x3E, 0x5A};

bool hasManufacturerIdAt (const juce::uint8* d, int offset)
{
    return d[offset] == kManufacturerId[0] && d[offset + 1] == kManufacturerId[1] &&
           d[offset + 2] == kManufacturerId[2];
}

// Variant bytes the link accepts for each model byte of an identity reply.
bool isAcceptedModel (int model, int variant)
{
    if (model >= 1 && model <= 4)
        return variant == 0 || variant == 1;

    if (model == 5)
        return variant == 0 || variant == 2 || variant == 4;

    return false;
}
} // namespace

IQexMidiMessage::IQexMidiMessage (const juce::MidiMessage& message)
    : juce::MidiMessage (message)
{
}

bool IQexMidiMessage::isQexSysex() const
{
    const auto* d = sysexBytes();
    return sysexSize() >= 6 && hasManufacturerIdAt (d, 0) && (d[3] == 0x02 || d[4] == 0x42);
}

juce::String IQexMidiMessage::toString()
{
    return toString (*this);
}

juce::String IQexMidiMessage::toLitteralString() const
{
    const auto rawSize = getRawDataSize();
    const auto channel = juce::String (getChannel());

    // A channel message cut short by its sender is not named after its status byte: its
    // missing bytes would be read as values.
    if (rawSize >= 3 && isNoteOn (false))
        return "Note On  " + juce::String (getNoteNumber()) + " velocity " + juce::String (getVelocity()) +
               " channel " + channel + "\n";

    if (rawSize >= 3 && isNoteOff (true))
        return "Note Off " + juce::String (getNoteNumber()) + " velocity " + juce::String (getVelocity()) +
               " channel " + channel + "\n";

    if (rawSize >= 3 && isController())
        return "CC " + juce::String (juce::MidiMessage::getControllerNumber()) + " value " +
               juce::String (getControllerValue()) + " channel " + channel + "\n";

    if (rawSize >= 2 && isChannelPressure())
        return "Aftertouch " + juce::String (getChannelPressureValue()) + " channel " + channel + "\n";

    if (rawSize >= 3 && isPitchWheel())
        return "Pitch Wheel value " + juce::String (getPitchWheelValue()) + "\n";

    if (isQexSysexId (*this))
        return "Dune32 SYSEX : Identification sysex\n";

    if (isSysEx() && isQexSysex())
    {
        if (isControllerNumberResponse())
            return "Dune32 SYSEX : Item Config Response\n";

        if (isItemValueResponse())
            return "Dune32 SYSEX : Item value response (" + juce::String (getItemValueItem()) + " , " +
                   juce::String (getItemValueValue()) + ")\n";

        if (isMidiChannelResponse())
            return "Dune32 SYSEX : Midi channel response " + juce::String (getMidiChannel()) + "\n";

        if (isOctaveShiftResponse())
            return "Dune32 SYSEX : Octave shift response " + juce::String (getOctaveShift()) + "\n";

        if (isLedStateResponse())
            return "Dune32 SYSEX : Led State response (" + juce::String (getLedItem()) + " , " +
                   juce::String (getLedState()) + ")\n";

        return "Dune32 SYSEX \n";
    }

    if (isSysEx())
        return "SYSEX \n";

    return "- \n";
}

juce::MidiMessage IQexMidiMessage::IdentityRequest()
{
    const juce::uint8 bytes[] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
    return juce::MidiMessage (bytes, (int) sizeof (bytes), 0.0);
}

bool IQexMidiMessage::isQexSysexId (const juce::MidiMessage& m)
{
    if (m.getSysExDataSize() < 12)
        return false;

    // Universal non-real-time identity reply; the device number d1 is whatever the
    // keyboard is set to, so it is not tested.
    const auto* d = m.getSysExData();
    return d[0] == 0x7E && d[2] == 0x06 && d[3] == 0x02 && hasManufacturerIdAt (d, 4) && d[7] == 0x02 &&
           d[8] == 0x00 && isAcceptedModel (d[9], d[10]);
}

int IQexMidiMessage::getKeyboardModel (const juce::MidiMessage& m)
{
    if (m.getSysExDataSize() < 15)
        return 0;

    const auto* d = m.getSysExData();
    const int model = d[9];
    const int code = model * 256;

    switch (model)
    {
        case 1:
            return d[11] >= 3 ? code + 1 : code;
        case 3:
            return d[14] == 1 ? 0x1300 : 0x300;
        case 4:
        case 5:
            return code | d[10];
        default:
            return code;
    }
}

void IQexMidiMessage::getFirmwareRevision (const juce::MidiMessage& m, char* out)
{
    if (m.getSysExDataSize() < 15)
        return;

    const auto* d = m.getSysExData();

    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char> (d[11 + i]);
}

juce::String IQexMidiMessage::toString (const juce::MidiMessage& m)
{
    juce::String text;
    const auto* raw = m.getRawData();

    for (int i = 0; i < m.getRawDataSize(); ++i)
        text << juce::String::toHexString (raw[i]).paddedLeft ('0', 2).toUpperCase() << " ";

    return text + "\n";
}
