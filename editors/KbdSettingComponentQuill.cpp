#include "editors/KbdSettingComponentQuill.h"

#include "editors/ComboIndex.h"
#include "editors/EditorLink.h"
#include "editors/ReadBackChain.h"
#include "link/ItemIdText.h"
#include "pickers/Quill25CtrlPickerComponent.h"

namespace
{
using ComboIndex::showIndex;
using Step = ReadBackChain::Step;
using Next = ReadBackChain::Next;

// What Send and "Pads..." say without a keyboard (the refresh of the global boxes has a text
// of its own).
const juce::String kSetNotDetectedText = "The keyboard has not been detected yet, so it can't be set.";

const juce::uint32 kButtonColour = 0xff8d99a0;

const int kGlobalChannelIndex = 16; // "Global" in the Channel box
const int kGlobalChannelValue = 0x41;
const int kModelWithPads = 0x400;

// Global setting and curve numbers the editor shows.
const int kGlobalKnobMode = 2;
const int kGlobalMidiChannel = 6;
const int kCurveVelocity = 1;
const int kCurvePadVelocity = 3;
const int kCurveKnobAccel = 4;

const int kAnyA = ReadBackChain::kAnyA;

// After the controller numbers: parameters 1, 2, 4, 5 and 6 of every item, the MIDI channel,
// the knob mode and the three curves. Replies for globals 1, 5, 7 and 8, which this editor
// never asks for, are followed as the keyboard family's other editor follows them.
const Step kReadBackSteps[] = {
    {1, kAnyA, Next::itemSetting, 1},
    {16, 1, Next::itemSetting, 2},
    {16, 2, Next::itemSetting, 4},
    {16, 4, Next::itemSetting, 5},
    {16, 5, Next::itemSetting, 6},
    {16, 6, Next::midiChannel, 0},
    {16, kAnyA, Next::end, 0},
    {4, kAnyA, Next::relativeMode, 0},
    {14, kAnyA, Next::curveSetting, kCurveKnobAccel},
    {18, kCurveKnobAccel, Next::curveSetting, kCurvePadVelocity},
    {18, kCurvePadVelocity, Next::curveSetting, kCurveVelocity},
    {18, kCurveVelocity, Next::refreshThenOctaveShift, 0},
    {17, 1, Next::globalSetting, 7},
    {17, 5, Next::globalSetting, 1},
    {17, 7, Next::globalSetting, 8},
    {17, 8, Next::refreshThenOctaveShift, 0},
    {5, kAnyA, Next::ledsOffThenEnd, 0},
};

const ReadBackChain kReadBack (kReadBackSteps);
} // namespace

KbdSettingComponentQuill::KbdSettingComponentQuill()
    : manager (nullptr)
    , panel (*this, QuillPanel::kRows, QuillPanel::numRows, juce::Colour (kButtonColour), *this, *this)
    , commands (manager, "quill25")
{
    // The rows say which widgets start hidden: the knob-mode pair, "Chart..." and "Pads...".
    buildWidgets();
    setSize (QuillPanel::kWidth, QuillPanel::kHeight);

    memoryCombo->setSelectedItemIndex (0, juce::sendNotificationAsync);
    currentItem = -1;

    picker->addActionListener (this);
    descriptors = getAllDescriptors();
    EditorLink::start (manager, *this);
}

KbdSettingComponentQuill::~KbdSettingComponentQuill()
{
    EditorLink::stop (manager, *this);
    panel.forgetWidgets();

    globalGroup.reset();
    knobModeLabel.reset();
    knobModeCombo.reset();
    controlGroup.reset();
    controlNameText.reset();
    ccNumberLabel.reset();
    ccNumberCombo.reset();
    defaultButton.reset();
    sendButton.reset();
    picker.reset();
    modeLabel.reset();
    modeCombo.reset();
    channelLabel.reset();
    channelCombo.reset();
    maxMsbLabel.reset();
    maxMsbCombo.reset();
    minLsbLabel.reset();
    minLsbCombo.reset();
    globalChannelLabel.reset();
    globalChannelCombo.reset();
    loadButton.reset();
    saveButton.reset();
    chartButton.reset();
    toggleGateCombo.reset();
    encodingCombo.reset();
    nrpnRpnCombo.reset();
    standardHoldCombo.reset();
    memoryLabel.reset();
    memoryCombo.reset();
    firmwareButton.reset();
    knobAccelLabel.reset();
    knobAccelCombo.reset();
    velCurveLabel.reset();
    velCurveCombo.reset();
    firmwareRevisionLabel.reset();
    firmwareRevisionText.reset();
    padCurveLabel.reset();
    padCurveCombo.reset();
    padsButton.reset();
    versionLabel.reset();
}

void KbdSettingComponentQuill::buildWidgets()
{
    using Row = QuillPanel::Row;

    // One statement per row, in the panel's creation order.
    globalGroup = panel.makeGroup (Row::globalGroup);
    knobModeLabel = panel.makeLabel (Row::knobModeLabel);
    knobModeCombo = panel.makeCombo (Row::knobModeCombo);
    controlGroup = panel.makeGroup (Row::controlGroup);
    controlNameText = panel.makeText (Row::controlNameText);
    ccNumberLabel = panel.makeLabel (Row::ccNumberLabel);
    ccNumberCombo = panel.makeCombo (Row::ccNumberCombo);
    defaultButton = panel.makeTextButton (Row::defaultButton);
    sendButton = panel.makeTextButton (Row::sendButton);
    picker = std::make_unique<Quill25CtrlPickerComponent>();
    panel.place (Row::picker, *picker);
    modeLabel = panel.makeLabel (Row::modeLabel);
    modeCombo = panel.makeCombo (Row::modeCombo);
    channelLabel = panel.makeLabel (Row::channelLabel);
    channelCombo = panel.makeCombo (Row::channelCombo);
    maxMsbLabel = panel.makeLabel (Row::maxMsbLabel);
    maxMsbCombo = panel.makeCombo (Row::maxMsbCombo);
    minLsbLabel = panel.makeLabel (Row::minLsbLabel);
    minLsbCombo = panel.makeCombo (Row::minLsbCombo);
    globalChannelLabel = panel.makeLabel (Row::globalChannelLabel);
    globalChannelCombo = panel.makeCombo (Row::globalChannelCombo);
    loadButton = panel.makeTextButton (Row::loadButton);
    saveButton = panel.makeTextButton (Row::saveButton);
    chartButton = panel.makeTextButton (Row::chartButton);
    toggleGateCombo = panel.makeCombo (Row::toggleGateCombo);
    encodingCombo = panel.makeCombo (Row::encodingCombo);
    nrpnRpnCombo = panel.makeCombo (Row::nrpnRpnCombo);
    standardHoldCombo = panel.makeCombo (Row::standardHoldCombo);
    memoryLabel = panel.makeLabel (Row::memoryLabel);
    memoryCombo = panel.makeCombo (Row::memoryCombo);
    firmwareButton = panel.makeTextButton (Row::firmwareButton);
    knobAccelLabel = panel.makeLabel (Row::knobAccelLabel);
    knobAccelCombo = panel.makeCombo (Row::knobAccelCombo);
    velCurveLabel = panel.makeLabel (Row::velCurveLabel);
    velCurveCombo = panel.makeCombo (Row::velCurveCombo);
    firmwareRevisionLabel = panel.makeLabel (Row::firmwareRevisionLabel);
    firmwareRevisionText = panel.makeText (Row::firmwareRevisionText);
    padCurveLabel = panel.makeLabel (Row::padCurveLabel);
    padCurveCombo = panel.makeCombo (Row::padCurveCombo);
    padsButton = panel.makeTextButton (Row::padsButton);
    versionLabel = panel.makeLabel (Row::versionLabel);
}

void KbdSettingComponentQuill::paint (juce::Graphics& g)
{
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffcfcfc), 328.0f, 8.0f,
                                             juce::Colour (0xffababab), 344.0f, 544.0f, false));
    g.fillRect (0, 0, QuillPanel::kWidth, QuillPanel::kHeight);
}

void KbdSettingComponentQuill::resized()
{
    panel.layOut();
}

//==============================================================================
void KbdSettingComponentQuill::actionListenerCallback (const juce::String& message)
{
    // A control the editor does not know leaves the selection as it was.
    const auto id = ItemIdText::toItem (message);
    if (findDescriptor (descriptors, id) == nullptr)
        return;

    currentItem = id;
    reloadGUIforCurrentItem();
}

void KbdSettingComponentQuill::reloadGUIforCurrentItem()
{
    const auto* descriptor = findDescriptor (descriptors, currentItem);
    if (descriptor == nullptr)
        return;

    const auto c = currentItem;
    controlNameText->setText (descriptor->name, false);

    const auto modeIndex = mode2CbIndex (manager.getParamForItem (1, c));
    showIndex (*modeCombo, modeIndex);

    const auto channel = manager.getParamForItem (2, c);
    showIndex (*channelCombo, channel == kGlobalChannelValue ? kGlobalChannelIndex : channel);

    showIndex (*ccNumberCombo, manager.getParamForItem (3, c));
    showIndex (*minLsbCombo, manager.getParamForItem (4, c));
    showIndex (*maxMsbCombo, manager.getParamForItem (5, c));
    showOption (manager.getParamForItem (6, c));

    enableModesForItem (c);

    // A mode the Mode box cannot show (absent, or one without an entry) must not leave the
    // previous control's mode and option on display as if they were this control's.
    if (modeIndex >= 0)
        enableOptionsForMode (cbIndex2Mode (modeIndex), descriptor->knob);
    else
        enableOptionsForMode (0, false);
}

void KbdSettingComponentQuill::showOption (int option)
{
    showIndex (*toggleGateCombo, option);
    showIndex (*standardHoldCombo, option);
    showIndex (*encodingCombo, option);
    showIndex (*nrpnRpnCombo, option);
}

bool KbdSettingComponentQuill::isOptionBox (const juce::ComboBox* box) const noexcept
{
    return box == toggleGateCombo.get() || box == encodingCombo.get() || box == nrpnRpnCombo.get() ||
           box == standardHoldCombo.get();
}

void KbdSettingComponentQuill::comboBoxChanged (juce::ComboBox* box)
{
    const auto index = box->getSelectedItemIndex();
    const auto needsControl = box == ccNumberCombo.get() || box == modeCombo.get() ||
                              box == channelCombo.get() || box == maxMsbCombo.get() ||
                              box == minLsbCombo.get() || isOptionBox (box);

    if (needsControl && currentItem < 0)
        return;

    if (box == knobModeCombo.get())
    {
        manager.globals[kGlobalKnobMode] = (juce::int16) ComboIndex::onOffOfIndex (index);
    }
    else if (box == ccNumberCombo.get())
    {
        manager.setParamForItem (3, currentItem, index);
    }
    else if (box == modeCombo.get())
    {
        if (!juce::isPositiveAndBelow (index, 9))
            return;

        const auto mode = cbIndex2Mode (index);
        manager.setParamForItem (1, currentItem, mode);
        enableOptionsForMode (mode, descriptors.at ((short) currentItem).knob);
    }
    else if (box == channelCombo.get())
    {
        manager.setParamForItem (2, currentItem, index == kGlobalChannelIndex ? kGlobalChannelValue : index);
    }
    else if (box == maxMsbCombo.get())
    {
        manager.setParamForItem (5, currentItem, index);
    }
    else if (box == minLsbCombo.get())
    {
        manager.setParamForItem (4, currentItem, index);
    }
    else if (box == globalChannelCombo.get())
    {
        manager.globals[kGlobalMidiChannel] = (juce::int16) index;
    }
    else if (isOptionBox (box))
    {
        manager.setParamForItem (6, currentItem, index);
        // The hidden option boxes show the same stored option, so that a later mode change
        // never reveals a stale one.
        showOption (index);
    }
    else if (box == knobAccelCombo.get())
    {
        manager.curves[kCurveKnobAccel] = (juce::int16) index;
    }
    else if (box == velCurveCombo.get())
    {
        manager.curves[kCurveVelocity] = (juce::int16) index;
    }
    else if (box == padCurveCombo.get())
    {
        manager.curves[kCurvePadVelocity] = (juce::int16) index;
    }
}

void KbdSettingComponentQuill::buttonClicked (juce::Button* button)
{
    if (button == defaultButton.get())
        resetToDefaults();
    else if (button == sendButton.get())
        commands.sendToKeyboard (memoryCombo->getSelectedItemIndex() + 1, kSetNotDetectedText);
    else if (button == loadButton.get())
        loadSettingsFile();
    else if (button == saveButton.get())
        commands.saveSettings();
    else if (button == chartButton.get())
        commands.writeChart();
    else if (button == firmwareButton.get())
        upgradeFirmware();
    else if (button == padsButton.get())
    {
        if (commands.requireKeyboard (kSetNotDetectedText))
            calibratePads();
    }
}

void KbdSettingComponentQuill::resetToDefaults()
{
    // The revision describes the keyboard that is plugged in, not the mapping being reset.
    const auto revision = manager.firmwareRevision.load();

    manager.resetMappingToDefault();
    manager.firmwareRevision = revision;
    manager.globals[kGlobalMidiChannel] = 0;
    manager.globals[kGlobalKnobMode] = 1; // Individual
    manager.curves[kCurveKnobAccel] = 2;
    manager.curves[kCurveVelocity] = 0;
    manager.curves[kCurvePadVelocity] = 0;

    showStore();
}

void KbdSettingComponentQuill::showStore()
{
    updateGlobalUI();
    if (currentItem >= 0)
        reloadGUIforCurrentItem();
}

//==============================================================================
// Runs on the thread that posts the notification, usually the MIDI input thread: it sends
// the next request of the read-back straight from there and touches no widget.
void KbdSettingComponentQuill::QexInfoReceived (int code, int a, int, void*)
{
    kReadBack.handle (code, a, manager, readBackActive, *this);
}

void KbdSettingComponentQuill::handleAsyncUpdate()
{
    if (!commands.requireKeyboard (EditorCommands::kRefreshNotDetectedText))
        return;

    updateGlobalUI();
    if (manager.keyboardModel == kModelWithPads)
        padsButton->setVisible (true);
}

void KbdSettingComponentQuill::updateGlobalUI()
{
    showIndex (*globalChannelCombo, manager.globals[kGlobalMidiChannel]);
    showIndex (*knobAccelCombo, manager.curves[kCurveKnobAccel]);
    showIndex (*velCurveCombo, manager.curves[kCurveVelocity]);
    showIndex (*padCurveCombo, manager.curves[kCurvePadVelocity]);

    // Until a keyboard is found there is no revision to show, only "Not detected yet".
    if (!manager.connected)
        return;

    juce::StringArray bytes;
    for (int i = 3; i >= 0; --i)
        bytes.add (juce::String (manager.getFirmwareRevisionByte (i)));
    firmwareRevisionText->setText (bytes.joinIntoString ("."), false);
}
