#include "editors/KbdSettingComponent49.h"

#include "editors/ComboIndex.h"
#include "editors/EditorLink.h"
#include "editors/ReadBackChain.h"
#include "link/ItemIdText.h"
#include "pickers/Cairn49CtrlPickerComponent.h"

#include <BinaryData.h>

const char* const KbdSettingComponent49::defaultBtn_push_png = BinaryData::defaultBtn_push_png;
const int KbdSettingComponent49::defaultBtn_push_pngSize = BinaryData::defaultBtn_push_pngSize;
const char* const KbdSettingComponent49::defaultBtn_hover_png = BinaryData::defaultBtn_hover_png;
const int KbdSettingComponent49::defaultBtn_hover_pngSize = BinaryData::defaultBtn_hover_pngSize;
const char* const KbdSettingComponent49::defaultBtn_inactive_png = BinaryData::defaultBtn_hover_png;
const int KbdSettingComponent49::defaultBtn_inactive_pngSize = BinaryData::defaultBtn_hover_pngSize;
const char* const KbdSettingComponent49::sendBtn_push_png = BinaryData::sendBtn_push_png;
const int KbdSettingComponent49::sendBtn_push_pngSize = BinaryData::sendBtn_push_pngSize;
const char* const KbdSettingComponent49::sendBtn_hover_png = BinaryData::sendBtn_hover_png;
const int KbdSettingComponent49::sendBtn_hover_pngSize = BinaryData::sendBtn_hover_pngSize;
const char* const KbdSettingComponent49::sendBtn_inactive_png = BinaryData::sendBtn_inactive_png;
const int KbdSettingComponent49::sendBtn_inactive_pngSize = BinaryData::sendBtn_inactive_pngSize;

namespace
{
using ComboIndex::showIndex;
using Row = Cairn49Panel::Row;
using Step = ReadBackChain::Step;
using Next = ReadBackChain::Next;

// What Send says without a keyboard (the refresh of the global boxes has a text of its own).
const juce::String kSetNotDetectedText = "The keyboard has not been detected, so it can't be set.";
const juce::String kSettingsExtension = "cairn49";

// Send stores the mapping in the keyboard's memory 0.
const int kSendMemory = 0;

// The global settings this editor shows, each in its box: a number shown as the index, or
// an on/off setting stored as 127 or 1.
struct GlobalBox
{
    Row row;
    int global;
    bool onOff;
};

const GlobalBox kGlobalBoxes[] = {
    {Row::lowerChannelCombo, 5, false}, {Row::upperChannelCombo, 6, false}, {Row::knobModeCombo, 2, true},
    {Row::faderModeCombo, 1, true},     {Row::splitModeCombo, 7, true},     {Row::splitPointCombo, 8, false},
};

// Their values after "Default", in the order they are reset.
const std::pair<int, int> kDefaultGlobals[] = {{5, 0}, {6, 0}, {2, 1}, {1, 1}, {7, 1}, {8, 60}};

// The selected control's boxes, in the order they are shown, with the parameter each shows.
const std::pair<Row, int> kControlBoxes[] = {
    {Row::modeCombo, 1},   {Row::channelCombo, 2}, {Row::ccNumberCombo, 3},
    {Row::minLsbCombo, 4}, {Row::maxMsbCombo, 5},
};

const int kChannelParam = 2;

// The Channel box's symbolic entries after "1".."16": lower, upper, panel and all channels.
const std::pair<int, int> kSymbolicChannels[] = {{16, 0x40}, {17, 0x41}, {18, 0x7F}, {19, 0x7E}};

// A stored channel's entry; any other value shows as the entry of the same number, so that
// 16 to 19 show the symbolic names too and larger values show nothing.
int channelIndexOfValue (int value)
{
    for (const auto& [index, symbolic] : kSymbolicChannels)
        if (value == symbolic)
            return index;
    return value;
}

int channelValueOfIndex (int index)
{
    for (const auto& [entry, symbolic] : kSymbolicChannels)
        if (index == entry)
            return symbolic;
    return index;
}

const int kAnyA = ReadBackChain::kAnyA;

// After the controller numbers: parameters 1, 2, 4 and 5 of every item, the MIDI channel, the
// knob mode, then globals 5, 1, 7 and 8; the last of them is what the global boxes wait for.
// clang-format off
const Step kReadBackSteps[] = {
    // reply (code, a)        next request
    {1, kAnyA,                Next::itemSetting, 1},
    {16, 1,                   Next::itemSetting, 2},
    {16, 2,                   Next::itemSetting, 4},
    {16, 4,                   Next::itemSetting, 5},
    {16, 5,                   Next::midiChannel, 0},
    {16, kAnyA,               Next::end, 0},
    {4, kAnyA,                Next::relativeMode, 0},
    {14, kAnyA,               Next::globalSetting, 5},
    {17, 5,                   Next::globalSetting, 1},
    {17, 1,                   Next::globalSetting, 7},
    {17, 7,                   Next::globalSetting, 8},
    {17, 8,                   Next::refreshThenOctaveShift, 0},
    {5, kAnyA,                Next::ledsOffThenEnd, 0},
};
// clang-format on

const ReadBackChain kReadBack (kReadBackSteps);

struct ButtonPictures
{
    const char* pressed;
    int pressedSize;
    const char* over;
    int overSize;
    const char* normal;
    int normalSize;
};

// The pictures are scaled down into the button's bounds with their proportions kept.
void setPictures (juce::ImageButton& button, const ButtonPictures& p)
{
    const auto pressed = juce::ImageCache::getFromMemory (p.pressed, p.pressedSize);
    const auto over = juce::ImageCache::getFromMemory (p.over, p.overSize);
    const auto normal = juce::ImageCache::getFromMemory (p.normal, p.normalSize);
    const juce::Colour none (0x00000000);

    button.setImages (false, true, true, normal, 1.0f, none, over, 1.0f, none, pressed, 1.0f, none, 0.0f);
}

juce::ComboBox& comboOf (const PanelBuilder& panel, Row row)
{
    return *static_cast<juce::ComboBox*> (panel.get (row));
}
} // namespace

KbdSettingComponent49::KbdSettingComponent49()
    : manager (nullptr)
    , panel (*this, Cairn49Panel::kRows, Cairn49Panel::numRows, juce::Colours::grey, *this, *this)
    , commands (manager, kSettingsExtension)
{
    buildWidgets();
    setSize (Cairn49Panel::kWidth, Cairn49Panel::kHeight);
    currentItem = -1;

    picker->addActionListener (this);
    descriptors = getAllDescriptors();
    EditorLink::start (manager, *this);
}

KbdSettingComponent49::~KbdSettingComponent49()
{
    EditorLink::stop (manager, *this);
    panel.forgetWidgets();

    globalGroup.reset();
    lowerChannelLabel.reset();
    lowerChannelCombo.reset();
    knobModeLabel.reset();
    knobModeCombo.reset();
    controlGroup.reset();
    nameLabel.reset();
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
    splitModeLabel.reset();
    splitModeCombo.reset();
    upperChannelLabel.reset();
    upperChannelCombo.reset();
    faderModeLabel.reset();
    faderModeCombo.reset();
    splitPointLabel.reset();
    splitPointCombo.reset();
    loadButton.reset();
    saveButton.reset();
    chartButton.reset();
}

void KbdSettingComponent49::buildWidgets()
{
    // One statement per row, in the panel's creation order.
    globalGroup = panel.makeGroup (Row::globalGroup);
    lowerChannelLabel = panel.makeLabel (Row::lowerChannelLabel);
    lowerChannelCombo = panel.makeCombo (Row::lowerChannelCombo);
    knobModeLabel = panel.makeLabel (Row::knobModeLabel);
    knobModeCombo = panel.makeCombo (Row::knobModeCombo);
    controlGroup = panel.makeGroup (Row::controlGroup);
    nameLabel = panel.makeLabel (Row::nameLabel);
    controlNameText = panel.makeText (Row::controlNameText);
    ccNumberLabel = panel.makeLabel (Row::ccNumberLabel);
    ccNumberCombo = panel.makeCombo (Row::ccNumberCombo);
    defaultButton = panel.makePictureButton (Row::defaultButton);
    setPictures (*defaultButton,
                 {defaultBtn_push_png, defaultBtn_push_pngSize, defaultBtn_hover_png,
                  defaultBtn_hover_pngSize, defaultBtn_inactive_png, defaultBtn_inactive_pngSize});
    sendButton = panel.makePictureButton (Row::sendButton);
    setPictures (*sendButton, {sendBtn_push_png, sendBtn_push_pngSize, sendBtn_hover_png,
                               sendBtn_hover_pngSize, sendBtn_inactive_png, sendBtn_inactive_pngSize});
    picker = std::make_unique<Cairn49CtrlPickerComponent>();
    panel.place (Row::picker, *picker);
    modeLabel = panel.makeLabel (Row::modeLabel);
    modeCombo = panel.makeCombo (Row::modeCombo);
    channelLabel = panel.makeLabel (Row::channelLabel);
    channelCombo = panel.makeCombo (Row::channelCombo);
    maxMsbLabel = panel.makeLabel (Row::maxMsbLabel);
    maxMsbCombo = panel.makeCombo (Row::maxMsbCombo);
    minLsbLabel = panel.makeLabel (Row::minLsbLabel);
    minLsbCombo = panel.makeCombo (Row::minLsbCombo);
    splitModeLabel = panel.makeLabel (Row::splitModeLabel);
    splitModeCombo = panel.makeCombo (Row::splitModeCombo);
    upperChannelLabel = panel.makeLabel (Row::upperChannelLabel);
    upperChannelCombo = panel.makeCombo (Row::upperChannelCombo);
    faderModeLabel = panel.makeLabel (Row::faderModeLabel);
    faderModeCombo = panel.makeCombo (Row::faderModeCombo);
    splitPointLabel = panel.makeLabel (Row::splitPointLabel);
    splitPointCombo = panel.makeCombo (Row::splitPointCombo);
    loadButton = panel.makeTextButton (Row::loadButton);
    saveButton = panel.makeTextButton (Row::saveButton);
    chartButton = panel.makeTextButton (Row::chartButton);
}

void KbdSettingComponent49::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffcfcfc), 328.0f, 8.0f,
                                             juce::Colour (0xffdbdbdb), 336.0f, 328.0f, false));
    // Deeper than the panel: the gradient's rectangle, not the panel's bounds.
    g.fillRect (0, 0, 1063, 500);
}

void KbdSettingComponent49::resized()
{
    panel.layOut();
}

//==============================================================================
void KbdSettingComponent49::actionListenerCallback (const juce::String& message)
{
    // A control the editor does not know leaves the selection as it was.
    const auto id = ItemIdText::toItem (message);
    if (findDescriptor (descriptors, id) == nullptr)
        return;

    currentItem = id;
    reloadGUIforCurrentItem();
}

void KbdSettingComponent49::reloadGUIforCurrentItem()
{
    const auto* descriptor = findDescriptor (descriptors, currentItem);
    if (descriptor == nullptr)
        return;

    controlNameText->setText (descriptor->name, false);

    for (const auto& [row, param] : kControlBoxes)
    {
        const auto value = manager.getParamForItem (param, currentItem);
        showIndex (comboOf (panel, row), param == kChannelParam ? channelIndexOfValue (value) : value);
    }

    enableModesForItem (currentItem);
}

void KbdSettingComponent49::comboBoxChanged (juce::ComboBox* box)
{
    const auto index = box->getSelectedItemIndex();

    for (const auto& g : kGlobalBoxes)
        if (box == panel.get (g.row))
        {
            manager.globals[(size_t) g.global] =
                (juce::int16) (g.onOff ? ComboIndex::onOffOfIndex (index) : index);
            return;
        }

    if (currentItem < 0)
        return;

    for (const auto& [row, param] : kControlBoxes)
        if (box == panel.get (row))
        {
            manager.setParamForItem (param, currentItem,
                                     param == kChannelParam ? channelValueOfIndex (index) : index);
            return;
        }
}

void KbdSettingComponent49::buttonClicked (juce::Button* button)
{
    if (button == defaultButton.get())
        resetToDefaults();
    else if (button == sendButton.get())
        commands.sendToKeyboard (kSendMemory, kSetNotDetectedText);
    else if (button == loadButton.get())
        loadSettingsFile();
    else if (button == saveButton.get())
        commands.saveSettings();
    else if (button == chartButton.get())
        commands.writeChart();
}

void KbdSettingComponent49::resetToDefaults()
{
    manager.resetMappingToDefault();
    for (const auto& [global, value] : kDefaultGlobals)
        manager.globals[(size_t) global] = (juce::int16) value;

    showStore();
}

void KbdSettingComponent49::loadSettingsFile()
{
    // What was loaded shows at once, keyboard or not; the refresh still tells the user when
    // no keyboard is there.
    if (commands.loadSettings())
    {
        showStore();
        triggerAsyncUpdate();
    }
}

void KbdSettingComponent49::showStore()
{
    updateGlobalUI();
    if (currentItem >= 0)
        reloadGUIforCurrentItem();
}

//==============================================================================
// Runs on the thread that posts the notification, usually the MIDI input thread: it sends
// the next request of the read-back straight from there and touches no widget.
void KbdSettingComponent49::QexInfoReceived (int code, int a, int, void*)
{
    kReadBack.handle (code, a, manager, readBackActive, *this);
}

void KbdSettingComponent49::handleAsyncUpdate()
{
    if (commands.requireKeyboard (EditorCommands::kRefreshNotDetectedText))
        updateGlobalUI();
}

void KbdSettingComponent49::updateGlobalUI()
{
    for (const auto& g : kGlobalBoxes)
    {
        const int value = manager.globals[(size_t) g.global];
        showIndex (comboOf (panel, g.row), g.onOff ? ComboIndex::indexOfOnOff (value) : value);
    }
}
