#pragma once

#include <juce_events/juce_events.h>

#include <vector>

/** The MIDI port names under which the maker's keyboards appear, with their number of keys
    and model code. A manager that does not open the inputs itself falls back on it when no
    keyboard answered the identity request. One instance, created on first use, deleted by
    the framework at shutdown.
*/
class KnownPortManager : public juce::DeletedAtShutdown
{
public:
    struct Item
    {
        Item (const juce::String& name, int numKeys, int model);

        juce::String name;
        int numKeys;
        int model;
    };

    ~KnownPortManager() override;

    /** Safe from any thread. */
    static KnownPortManager* getInstance();

    /** The row at `index`, or null when there is none. */
    const Item* get (int index) const;
    int count() const;

    void init();

private:
    KnownPortManager() = default;

    static KnownPortManager* mInstance;
    std::vector<Item> items;
};
