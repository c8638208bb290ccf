#pragma once

/** What the link manager tells its listeners: one numbered notification per event (0 keyboard
    connected, 1 controller numbers, 2 control moved, 3 item value, 4 MIDI channel, 5 octave
    shift, 7 detection ended without a keyboard, 8 modulation, 9 pitch wheel, 10 to 13 pedals
    and breath, 14 knob mode, 15 channel pressure, 16 item parameter stored, 17 global setting,
    18 curve; 6 is reserved). `data` is always null.

    Every notification but 7 arrives on the MIDI input thread, from inside the delivery of the
    message; 7 arrives on the message thread. The manager never owns or deletes a listener.
*/
class QexManagerListener
{
public:
    virtual void QexInfoReceived (int code, int a, int b, void* data) = 0;

protected:
    // Never deleted through this interface.
    ~QexManagerListener() = default;
};
