#include "link/MidiPorts.h"

#include "link/JuceMidiPorts.h"

#include <mutex>

namespace
{
std::mutex gLayerLock;

std::unique_ptr<MidiPorts>& layerSlot()
{
    // Never destroyed: simulated devices or late MIDI threads may still reach the layer
    // while static objects are torn down.
    static auto* slot = new std::unique_ptr<MidiPorts>();
    return *slot;
}
} // namespace

MidiPorts& MidiPorts::getInstance()
{
    const std::lock_guard<std::mutex> lock (gLayerLock);
    auto& slot = layerSlot();

    if (slot == nullptr)
        slot = std::make_unique<JuceMidiPorts>();

    return *slot;
}

bool MidiPorts::setInstance (std::unique_ptr<MidiPorts> layer)
{
    const std::lock_guard<std::mutex> lock (gLayerLock);
    auto& slot = layerSlot();

    if (slot != nullptr || layer == nullptr)
        return false;

    slot = std::move (layer);
    return true;
}
