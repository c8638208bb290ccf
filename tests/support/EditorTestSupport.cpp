#include "support/EditorTestSupport.h"

#include "editors/KbdSettingComponent49.h"

EditorTestSupport::EditorTestSupport()
    : ports (InMemoryMidiPorts::install())
{
    ports.removeAllPorts();
}

bool EditorTestSupport::runUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (!condition())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return condition();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }
    return true;
}

void EditorTestSupport::runFor (int milliseconds)
{
    runUntil ([] { return false; }, milliseconds);
}

juce::File EditorTestSupport::saveScreenshot (juce::Component& component, const juce::String& name)
{
    const auto dirName = juce::SystemStats::getEnvironmentVariable ("QUORVEL_TEST_OUTPUT", {});
    const auto dir = dirName.isNotEmpty() ? juce::File (dirName)
                                          : juce::File::getSpecialLocation (juce::File::tempDirectory);
    dir.createDirectory();

    const auto file = dir.getChildFile (name + ".png");
    file.deleteFile();

    const auto image = component.createComponentSnapshot (component.getLocalBounds(), true, 1.0f);
    juce::FileOutputStream out (file);
    juce::PNGImageFormat().writeImageToStream (image, out);
    return file;
}

void EditorTestSupport::click (juce::Component& component)
{
    auto* peer = component.getPeer();
    jassert (peer != nullptr); // the component must be on the desktop, in a window

    const auto at =
        peer->getComponent().getLocalPoint (&component, component.getLocalBounds().getCentre()).toFloat();
    const auto send = [&] (juce::ModifierKeys mods)
    {
        peer->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, at, mods,
                                juce::MouseInputSource::defaultPressure,
                                juce::MouseInputSource::defaultOrientation, juce::Time::currentTimeMillis());
    };

    send ({});
    send (juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier));
    send ({});
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
}

juce::String EditorTestSupport::hex (const juce::MidiMessage& m)
{
    return juce::String::toHexString (m.getRawData(), m.getRawDataSize());
}

std::vector<juce::String> EditorTestSupport::hexAll (const std::vector<juce::MidiMessage>& messages)
{
    std::vector<juce::String> texts;
    for (const auto& m : messages)
        texts.push_back (hex (m));
    return texts;
}

namespace
{
// Gives each control six parameters that differ from control to control; `modeOf` picks its
// mode.
template <typename ModeOf>
void fillControls (SimulatedKeyboard::State& state, const std::vector<int>& items, ModeOf modeOf)
{
    for (const auto item : items)
    {
        const bool pad = item >= 0x70;
        state.params[1][item] = modeOf (item);
        state.params[2][item] = item % 16;
        state.params[3][item] = (item * 3) % 128;
        state.params[4][item] = item % 10;
        state.params[5][item] = 100 + item % 20;
        state.params[6][item] = pad ? 1 : (item % 4);
    }
}

void setCurves (SimulatedKeyboard::State& state)
{
    state.curves[4] = 1;
    state.curves[1] = 2;
    state.curves[3] = 3;
}
} // namespace

SimulatedKeyboard::State EditorTestSupport::makeKeyboardMapping()
{
    SimulatedKeyboard::State state;
    std::vector<int> items;
    for (int i = 0x01; i <= 0x0E; ++i)
        items.push_back (i);
    for (int i = 0x70; i <= 0x7F; ++i)
        items.push_back (i);
    for (int i : {0x30, 0x31, 0x32, 0x33, 0x34, 0x40, 0x41, 0x50})
        items.push_back (i);

    fillControls (state, items, [] (int item) { return item >= 0x70 ? 10 : (item == 0x41 ? 12 : 2); });
    state.globals[2] = 0x7F;
    state.globals[6] = 5;
    setCurves (state);
    return state;
}

SimulatedKeyboard::State EditorTestSupport::makeCairn49Mapping()
{
    SimulatedKeyboard::State state;
    std::vector<int> items;
    for (const auto& [id, descriptor] : KbdSettingComponent49::getAllDescriptors())
        items.push_back (id);

    fillControls (state, items, [] (int item) { return item == 0x41 ? 12 : item % 11; });
    state.globals[1] = 0x7F;
    state.globals[2] = 0x7F;
    state.globals[5] = 3;
    state.globals[6] = 5;
    state.globals[7] = 0x7F;
    state.globals[8] = 48;
    setCurves (state);
    return state;
}
