#include "link/QexManager49.h"

#include "link/KnownPortManager.h"
#include "link/MidiChart.h"
#include "link/Pacer.h"
#include "link/QexMidiMessage49.h"
#include "link/SettingsFile.h"

#include <chrono>

bool QexManager49::sStandaloneMode = false;

namespace
{
// A SysEx data byte has its top bit clear; nothing the link builds may carry another one.
bool isDataByte (int value) noexcept
{
    return value >= 0 && value <= 0x7F;
}

template <typename... Values>
bool areDataBytes (Values... values) noexcept
{
    return (isDataByte (values) && ...);
}

// Paces the keyboard: it needs this long to digest one message.
void pauseAfterMessage()
{
    Pacer::pause (std::chrono::microseconds (2000));
}

constexpr int kDetectionPeriodMs = 2000;
constexpr int kMinTickSpacingMs = 201;
constexpr int kQueryPolls = 20;
constexpr int kQueryPollMs = 50;
} // namespace

// Closing the inputs that was asked for from inside one of their deliveries, done later on
// the message thread.
class QexManager49::DeferredClose : public juce::AsyncUpdater
{
public:
    explicit DeferredClose (QexManager49& m)
        : manager (m)
    {
    }
    ~DeferredClose() override { cancelPendingUpdate(); }
    void handleAsyncUpdate() override { manager.closeMidiIns(); }

private:
    QexManager49& manager;
};

//==============================================================================
QexManager49::QexManager49 (juce::AudioDeviceManager* dm)
    : deviceManager (dm)
    , deferredClose (std::make_unique<DeferredClose> (*this))
{
    if (deviceManager != nullptr)
        deviceManager->addChangeListener (this);
}

QexManager49::~QexManager49()
{
    // Inputs first, waiting for a delivery in flight; only then the timer and the outputs.
    // The store and the listener list go last, with the members and the bases.
    deleteInputs();
    deferredClose->cancelPendingUpdate();
    preDestruct();
}

void QexManager49::preDestruct()
{
    if (deviceManager != nullptr)
        deviceManager->removeChangeListener (this);

    stopTimer();
    probeOutput.reset();
    swapOutput (nullptr);
}

std::unique_ptr<MidiPorts::Output> QexManager49::swapOutput (std::unique_ptr<MidiPorts::Output> replacement)
{
    // Only the exchange happens under the lock: the old output goes back to the caller and
    // is deleted there, once the lock is free and no send can still be using it.
    const juce::ScopedLock sl (portLock);
    std::swap (replacement, output);
    return replacement;
}

void QexManager49::postConstruct()
{
    if (deviceManager != nullptr)
        deviceManager->addChangeListener (this);
}

juce::String QexManager49::getInputName() const
{
    const juce::ScopedLock sl (portLock);
    return inputName;
}

juce::String QexManager49::getOutputName() const
{
    const juce::ScopedLock sl (portLock);
    return outputName;
}

//==============================================================================
void QexManager49::openMidiIns (bool enableInputs)
{
    if (!sStandaloneMode)
        return;

    if (deviceManager != nullptr)
    {
        const auto devices = juce::MidiInput::getAvailableDevices();

        for (int i = 0; i < devices.size(); ++i)
        {
            const auto& id = devices.getReference (i).identifier;
            inputWasEnabled.insert (i, deviceManager->isMidiInputDeviceEnabled (id));

            if (enableInputs)
                deviceManager->setMidiInputDeviceEnabled (id, true);
        }

        return;
    }

    auto& ports = MidiPorts::getInstance();
    const auto numInputs = ports.getInputNames().size();
    const auto base = openInputs.size();

    // Inputs opened again while already open (the pad page opened during detection) sit
    // after the earlier ones: each message is then handled once per opening.
    for (int i = 0; i < numInputs; ++i)
    {
        auto input = ports.openInput (i, *this);

        if (input != nullptr)
            input->start();

        openInputs.insert (openInputs.begin() + (std::ptrdiff_t) (base + (size_t) i), std::move (input));
    }
}

void QexManager49::closeMidiIns()
{
    if (!sStandaloneMode)
        return;

    if (deviceManager != nullptr)
    {
        const auto devices = juce::MidiInput::getAvailableDevices();
        const auto keep = getInputName();

        for (int i = 0; i < devices.size(); ++i)
            if (devices.getReference (i).name != keep)
                deviceManager->setMidiInputDeviceEnabled (devices.getReference (i).identifier,
                                                          i < inputWasEnabled.size() && inputWasEnabled[i]);
    }

    deleteInputs();
}

void QexManager49::deleteInputs()
{
    for (auto& input : openInputs)
        if (input != nullptr)
            input->stop();

    // Each deletion waits until a delivery in flight on that input has returned.
    openInputs.clear();
}

void QexManager49::sendIdRequest (int outputIndex)
{
    probeOutput.reset();
    probeOutput = MidiPorts::getInstance().openOutput (outputIndex);

    if (probeOutput != nullptr)
    {
        probeOutput->sendMessageNow (IQexMidiMessage::IdentityRequest());
        Pacer::pause (std::chrono::microseconds (5000));
    }
}

void QexManager49::startDetection (bool enableInputs)
{
    if (isTimerRunning())
        return;

    openMidiIns (enableInputs);

    numOutputs = MidiPorts::getInstance().getOutputNames().size();
    connected = false;
    probeIndex = 0;
    idRoundsLeft = 2;

    if (numOutputs > 0)
    {
        sendIdRequest (0);
        lastTickMs = juce::Time::getMillisecondCounter() + 500;
        startTimer (kDetectionPeriodMs);
    }
}

void QexManager49::timerCallback()
{
    const auto now = juce::Time::getMillisecondCounter();

    if ((juce::int32) (now - lastTickMs) < kMinTickSpacingMs)
        return;

    lastTickMs = now;

    if (connected)
    {
        --idRoundsLeft;
    }
    else
    {
        const int next = probeIndex + 1;
        probeIndex = next;

        if (next < numOutputs)
        {
            sendIdRequest (next);
            return;
        }

        if (--idRoundsLeft > 0)
        {
            probeIndex = 0;
            sendIdRequest (0);
            return;
        }
    }

    stopTimer();
    probeOutput.reset();
    closeMidiIns();

    if (connected)
        return;

    if (!sStandaloneMode)
    {
        const auto outputNames = MidiPorts::getInstance().getOutputNames();
        auto* known = KnownPortManager::getInstance();
        bool matched = false;

        for (int i = 0; i < known->count(); ++i)
        {
            const auto* row = known->get (i);

            if (row == nullptr || !outputNames.contains (row->name))
                continue;

            setDevices (row->name, row->name, row->model);
            keyboardModel = row->model;
            connected = true;
            postQexInfo (0, 0, 0, nullptr);
            matched = true;
        }

        if (matched)
            return;
    }

    postQexInfo (7, 0, 0, nullptr);
}

bool QexManager49::setDevices (const juce::String& newInputName, const juce::String& newOutputName, int)
{
    {
        const juce::ScopedLock sl (portLock);
        inputName = newInputName;
        outputName = newOutputName;
    }

    auto& ports = MidiPorts::getInstance();
    bool found = false;

    for (int i = 0;; ++i)
    {
        const auto names = ports.getOutputNames();

        if (i >= names.size())
            break;

        if (names[i] == newOutputName)
        {
            swapOutput (ports.openOutput (i));
            found = true;
            break;
        }
    }

    if (deviceManager != nullptr)
        for (const auto& info : juce::MidiInput::getAvailableDevices())
            if (info.name == newInputName)
                deviceManager->setMidiInputDeviceEnabled (info.identifier, true);

    return found;
}

void QexManager49::setDevicesEx (const juce::String& newInputName, const juce::String& newOutputName,
                                 int model)
{
    setDevices (newInputName, newOutputName, model);
    keyboardModel = model;
    connected = true;
    postQexInfo (0, 0, 0, nullptr);
}

void QexManager49::SendMidiMessage (const juce::MidiMessage& message)
{
    send (message);
}

bool QexManager49::send (const juce::MidiMessage& message)
{
    {
        const juce::ScopedLock sl (portLock);

        if (output == nullptr)
            return false;

        output->sendMessageNow (message);
    }

    pauseAfterMessage();
    return true;
}

bool QexManager49::SetBurnMode (juce::MidiInputCallback* callback, juce::String portName)
{
    if (juce::SystemStats::getOperatingSystemType() == juce::SystemStats::WinXP)
        portName = "USB Audio Device";

    if (callback == nullptr)
    {
        {
            // Waits for a forward in flight, so the caller may delete the old callback next.
            const std::lock_guard<std::mutex> l (burnLock);
            burnCallback = nullptr;
        }

        closeMidiIns();
        return false;
    }

    closeMidiIns();
    swapOutput (nullptr);

    if (!setDevices (portName, portName, 0x100))
        return false;

    openMidiIns (true);

    const std::lock_guard<std::mutex> l (burnLock);
    burnCallback = callback;
    return true;
}

void QexManager49::changeListenerCallback (void* source)
{
    changeListenerCallback (static_cast<juce::ChangeBroadcaster*> (source));
}

void QexManager49::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (deviceManager != nullptr && source == deviceManager && redetectOnDeviceChange && !connected)
        startDetection (false);
}

//==============================================================================
void QexManager49::postQexInfo (int code, int a, int b, void* data)
{
    // The list is read afresh before each call, and no lock is held during one.
    for (int i = 0; i < listeners.size(); ++i)
        if (auto* listener = listeners[i])
            listener->QexInfoReceived (code, a, b, data);
}

void QexManager49::handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message)
{
    handleMidiMessage (source, message);
}

void QexManager49::midiPortMessage (juce::MidiInput* source, const juce::String& sourceName,
                                    const juce::MidiMessage& message)
{
    handleMidiMessage (source, sourceName, message);
}

void QexManager49::handleMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message)
{
    handleMidiMessage (source, source != nullptr ? source->getName() : juce::String ("unknown"), message);
}

void QexManager49::handleMidiMessage (juce::MidiInput* source, const juce::String& sourceName,
                                      const juce::MidiMessage& message)
{
    if (burnCallback.load() != nullptr)
    {
        const std::lock_guard<std::mutex> l (burnLock);

        if (auto* callback = burnCallback.load())
            callback->handleIncomingMidiMessage (source, message);
    }

    // Only a SysEx message answers or ends a pending query: a knob turned meanwhile must not
    // pass for the keyboard's answer.
    if (message.isSysEx())
        answerQuery (message);

    if (connected)
    {
        if (sourceName == getInputName())
            handleQexMidiMessage (source, message);

        return;
    }

    if (message.isSysEx() && IQexMidiMessage::isQexSysexId (message))
        connectStep (sourceName, message);
}

void QexManager49::answerQuery (const juce::MidiMessage& message)
{
    const std::lock_guard<std::mutex> l (queryLock);

    if (!queryPending)
        return;

    const QexMidiMessage49 reply (message);
    query[3] = reply.isSpecificMessage (0x02, query[0], query[1], query[2]) ? reply.getItemValueValue() : -1;
    queryPending = false;
}

void QexManager49::connectStep (const juce::String& sourceName, const juce::MidiMessage& message)
{
    const int model = IQexMidiMessage::getKeyboardModel (message);

    // A reply too short to carry the revision leaves it as it was.
    char revision[4];

    for (int i = 0; i < 4; ++i)
        revision[i] = (char) getFirmwareRevisionByte (i);

    IQexMidiMessage::getFirmwareRevision (message, revision);
    setFirmwareRevision (revision);

    // The output being probed when the answer came; a list that has shrunk meanwhile gives
    // an empty name, which no port carries.
    const auto names = MidiPorts::getInstance().getOutputNames();
    const auto probed = names[probeIndex.load()];

    setDevices (sourceName, probed, model);
    keyboardModel = model;
    connected = true;
    postQexInfo (0, 0, 0, nullptr);
}

void QexManager49::handleQexMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    if (message.isSysEx())
    {
        const QexMidiMessage49 qex (message);

        if (qex.isQexSysex())
        {
            handleQexSysex (qex);
        }
        else if (IQexMidiMessage::isQexSysexId (message))
        {
            connectStep (getInputName(), message);

            // We are inside a delivery of one of the inputs about to close.
            deferredClose->triggerAsyncUpdate();
        }

        return;
    }

    if (message.isController())
    {
        handleController (message);
    }
    else if (message.isPitchWheel())
    {
        postQexInfo (9, 0x41, message.getPitchWheelValue(), nullptr);
    }
    else if (message.isNoteOn (false))
    {
        switch (message.getNoteNumber())
        {
            case 48:
                pressureSource = 128;
                break;
            case 68:
                pressureSource = 129;
                break;
            case 72:
                pressureSource = 130;
                break;
            default:
                break;
        }
    }
    else if (message.isChannelPressure())
    {
        const auto sourceItem = pressureSource.load();

        if (sourceItem >= 1)
            postQexInfo (15, sourceItem, message.getChannelPressureValue(), nullptr);
    }
}

void QexManager49::handleQexSysex (const QexMidiMessage49& qex)
{
    if (qex.isControllerNumberResponse())
    {
        const auto pairs = qex.getControllerNumber();

        // Stored and reversed under one lock, so the message thread never sees half a reply.
        withMapsLocked (
            [&] (Maps& locked)
            {
                for (int i = 0; i + 1 < pairs.size(); i += 2)
                    if (validItems.count (pairs[i]) != 0)
                        locked.setParamForItem (3, pairs[i], pairs[i + 1]);

                locked.reverseItemArray();
            });

        if (pairs.size() == 2)
            postQexInfo (1, pairs[0], pairs[1], nullptr);
        else if (pairs.size() > 2)
            postQexInfo (1, 0, 0, nullptr);
    }
    else if (qex.isControllerParamSet())
    {
        const int param = qex.getControllerParamId();
        const auto pairs = qex.getControllerNumber();

        withMapsLocked (
            [&] (Maps& locked)
            {
                for (int i = 0; i + 1 < pairs.size(); i += 2)
                    if (validItems.count (pairs[i]) != 0)
                        locked.setParamForItem (param, pairs[i], pairs[i + 1]);
            });

        postQexInfo (16, param, 0, nullptr);
    }
    else if (qex.isItemValueResponse())
    {
        const int value = qex.getItemValueValue();

        if (value <= 127)
            postQexInfo (3, qex.getItemValueItem(), value, nullptr);
    }
    else if (qex.isMidiChannelResponse())
    {
        const int channel = qex.getMidiChannel();
        setGlobal (6, channel);
        postQexInfo (4, channel, 0, nullptr);
    }
    else if (qex.isRelativeModeResponse())
    {
        const int mode = qex.getRelativeMode() ? 127 : 1;
        setGlobal (2, mode);
        postQexInfo (14, mode, 0, nullptr);
    }
    else if (qex.isOctaveShiftResponse())
    {
        const int raw = qex.getOctaveShift() & 0x7F;
        postQexInfo (5, raw >= 64 ? raw - 128 : raw, 0, nullptr);
    }
    else if (qex.isGlobalParamSet())
    {
        const int number = qex.getGlobalParamNumber();
        const int value = qex.getGlobalParamValue();

        setGlobal (number, value); // nothing for a number outside the globals

        postQexInfo (17, number, value, nullptr);
    }
    else if (qex.isCurveParamSet())
    {
        const int number = qex.getGlobalParamNumber();
        const int value = qex.getGlobalParamValue();

        setCurve (number, value); // nothing for a number outside the curves

        postQexInfo (18, number, value, nullptr);
    }
}

void QexManager49::handleController (const juce::MidiMessage& message)
{
    const int item = itemForController (message.getControllerNumber());

    if (item < 0)
        return;

    const int value = message.getControllerValue();

    switch (item)
    {
        case 0x40:
            postQexInfo (8, item, value, nullptr);
            return;
        case 0x50:
            postQexInfo (10, item, value, nullptr);
            return;
        case 0x51:
            postQexInfo (11, item, value, nullptr);
            return;
        case 0x52:
            postQexInfo (13, item, value, nullptr);
            return;
        case 0x53:
            postQexInfo (12, item, value, nullptr);
            return;
        case 0x31:
        case 0x33:
        {
            // Relative knobs send a step: bits 0-5 its size, bit 6 its sign.
            const int step = (value & 0x40) != 0 ? -(value & 0x3F) : (value & 0x3F);
            postQexInfo (2, item, step, nullptr);
            return;
        }
        default:
            postQexInfo (2, item, value, nullptr);
            return;
    }
}

//==============================================================================
bool QexManager49::postItemConfigRequest (int item)
{
    return isDataByte (item) && send (QexMidiMessage49::ControllerNumberRequest (item));
}

bool QexManager49::postItemSettingRequest (int param, int item, int scope)
{
    return areDataBytes (param, item, scope) &&
           send (QexMidiMessage49::ItemParamRequest (param, item, scope));
}

bool QexManager49::postItemSetting (int param, int item, int value, int scope)
{
    return areDataBytes (param, item, value, scope) &&
           send (QexMidiMessage49::ItemParamSet (param, item, value, scope));
}

bool QexManager49::postItemParamSet (int param, int item, int value)
{
    return areDataBytes (param, item, value) && send (QexMidiMessage49::ItemParamSet (param, item, value, 0));
}

bool QexManager49::postItemValue (int item, int value)
{
    // Only the knobs and sliders below 11 and the level knob take a value from the editor.
    if (!((item >= 0 && item < 11) || item == 0x30))
        return false;

    return isDataByte (value) && send (QexMidiMessage49::ItemValueSet (item, value));
}

bool QexManager49::postItemValueRequest (int item)
{
    return isDataByte (item) && send (QexMidiMessage49::ItemValueRequest (item));
}

bool QexManager49::postGlobalSetting (int number, int value)
{
    return areDataBytes (number, value) && send (QexMidiMessage49::GlobalParamSet (number, value));
}

bool QexManager49::postGlobalSettingRequest (int number)
{
    return isDataByte (number) && send (QexMidiMessage49::GlobalParamRequest (number));
}

bool QexManager49::postCurveSetting (int number, int value)
{
    return areDataBytes (number, value) && send (QexMidiMessage49::CurveParamSet (number, value));
}

bool QexManager49::postCurveSettingRequest (int number)
{
    return isDataByte (number) && send (QexMidiMessage49::CurveParamRequest (number));
}

bool QexManager49::postMidiChannelRequest()
{
    return send (QexMidiMessage49::MidiChannelRequest());
}

bool QexManager49::postRelativeMode (bool on)
{
    return send (QexMidiMessage49::RelativeModeSet (on));
}

bool QexManager49::postRelativeModeRequest()
{
    return send (QexMidiMessage49::RelativeModeRequest());
}

bool QexManager49::postOctaveShift (int value)
{
    return send (QexMidiMessage49::OctaveShiftSet (value));
}

bool QexManager49::postOctaveShiftRequest()
{
    return send (QexMidiMessage49::OctaveShiftRequest());
}

bool QexManager49::postLedState (int item, int state)
{
    return isDataByte (item) && send (QexMidiMessage49::LedStateSet (item, state));
}

bool QexManager49::postLedRequest (int item)
{
    return isDataByte (item) && send (QexMidiMessage49::LedStateReqest (item));
}

bool QexManager49::postStoreRequest (int memory)
{
    return isDataByte (memory) && send (QexMidiMessage49::SaveMemoryRequest (memory));
}

bool QexManager49::postRecallRequest (int memory)
{
    return isDataByte (memory) && send (QexMidiMessage49::LoadMemoryRequest (memory));
}

bool QexManager49::postLCDMessage (juce::String, juce::String)
{
    return false;
}

bool QexManager49::updateKeyboard (int memory)
{
    // One copy of the mapping, the channel and the curves together, so that the long walk
    // neither holds the store's lock nor sees it change, and the memory gets one state of the
    // store even while a reply or a loaded file changes it.
    const auto state = snapshotState();
    const auto& mapping = state.maps;

    for (const auto& entry : mapping.itemParams[3])
    {
        const int item = entry.first;

        // The pitch wheel is not configurable; an identifier that is no data byte (a settings
        // file can hold any) cannot be sent.
        if (item == 0x41 || item < 0x01 || item > 0x7F)
            continue;

        for (int param = 1; param <= 6; ++param)
        {
            const auto& map = mapping.itemParams[(size_t) param];
            const auto it = map.find (item);

            if (it != map.end() && isDataByte (it->second) && !postItemSetting (param, item, it->second, 0))
                break;

            pauseAfterMessage();
        }
    }

    // Each of these sends nothing for a value that is no data byte.
    postGlobalSetting (6, state.globals[6]);
    postCurveSetting (4, state.curves[4]);
    postCurveSetting (1, state.curves[1]);
    postCurveSetting (3, state.curves[3]);

    return postStoreRequest (memory);
}

int QexManager49::queryItemParamValue (int param, int item, int scope)
{
    {
        const std::lock_guard<std::mutex> l (queryLock);
        query[0] = param;
        query[1] = item;
        query[2] = scope;
        queryPending = true;
    }

    postItemSettingRequest (param, item, scope);

    for (int poll = 0; poll < kQueryPolls; ++poll)
    {
        {
            const std::lock_guard<std::mutex> l (queryLock);

            if (!queryPending)
                return query[3];
        }

        Pacer::pauseMs (kQueryPollMs);
    }

    const std::lock_guard<std::mutex> l (queryLock);
    queryPending = false;
    return -1;
}

bool QexManager49::programItem (int item, int mode, int channel, int number, int min, int max, int option)
{
    switch (keyboardModel.load())
    {
        case 0x300:
        case 0x1300:
        case 0x400:
        case 0x401:
        case 0x500:
        case 0x502:
        case 0x504:
            break;
        default:
            return false;
    }

    postItemParamSet (1, item, mode);
    postItemParamSet (2, item, channel);
    postItemParamSet (3, item, number);
    postItemParamSet (4, item, min);
    postItemParamSet (5, item, max);
    return postItemParamSet (6, item, option);
}

bool QexManager49::saveSettings (const juce::File& file) const
{
    return SettingsFile::save (*this, file);
}

bool QexManager49::loadSettings (const juce::File& file)
{
    return SettingsFile::load (*this, file);
}

bool QexManager49::generateChart (const juce::File& file) const
{
    return MidiChart::generate (*this, file);
}
