#pragma once

#include <juce_events/juce_events.h>

#include <atomic>
#include <cstddef>
#include <limits>

class QexManager49;

// How a settings editor reads the keyboard's settings back once it was found: one request
// per reply, each reply's notification sending the next request. The first request (every
// item's controller number) and the last step (eight LEDs off) are the same for every
// editor; what lies between is the editor's own table of steps.
//
// Runs on the thread that posts the notification, usually the MIDI input thread: it sends
// straight from there and reaches the widgets only through the editor's asynchronous refresh.
class ReadBackChain
{
public:
    enum class Next
    {
        itemSetting, // parameter `number` of every item
        midiChannel,
        relativeMode,
        globalSetting,          // global setting `number`
        curveSetting,           // curve `number`
        refreshThenOctaveShift, // the global boxes can be shown; one question is left
        ledsOffThenEnd,
        end
    };

    // What the reply with notification `code` and first argument `a` leads to.
    struct Step
    {
        int code;
        int a; // or kAnyA
        Next next;
        int number;
    };

    static constexpr int kAnyA = std::numeric_limits<int>::min();

    // The steps are looked through in order and the first that matches a reply decides, so a
    // step for any `a` must follow the ones for particular values.
    template <size_t N>
    explicit ReadBackChain (const Step (&s)[N])
        : steps (s)
        , numSteps (N)
    {
    }

    // Acts on one notification of the editor's link. Code 0 (keyboard found) starts the chain
    // again, even while it runs; code 7 (none found) asks for a refresh, which tells the user;
    // every other code counts only while `active`.
    void handle (int code, int a, QexManager49& manager, std::atomic<bool>& active,
                 juce::AsyncUpdater& refresh) const;

private:
    const Step* steps;
    size_t numSteps;
};
