#include "editors/KbdSettingComponentQuill.h"

#include "app/Dialogs.h"
#include "editors/ControllerNames.h"
#include "pickers/Quill25CtrlPickerComponent.h"

namespace
{
const juce::String kProblemTitle = "Keyboard Problem";
const juce::String kNotDetectedText =
    "The keyboard has not been detected. Please correct the problem and try again.";
const juce::String kNotDetectedYetText = "The keyboard has not been detected yet, so it can't be set.";

const juce::uint32 kButtonColour = 0xff8d99a0;
const juce::uint32 kButtonOnColour = 0xff535a5e;
const juce::uint32 kButtonTextColour = 0xfff0f0f0;
const juce::uint32 kControlNameBackground = 0x60ff8080;

const int kGlobalChannelIndex = 16; // "Global" in the Channel box
const int kGlobalChannelValue = 0x41;
const int kModelWithPads = 0x400;

// Global setting and curve numbers the editor shows.
const int kGlobalKnobMode = 2;
const int kGlobalMidiChannel = 6;
const int kCurveVelocity = 1;
const int kCurvePadVelocity = 3;
const int kCurveKnobAccel = 4;

// On/off settings are stored as 127 and 1.
const int kOn = 127;
const int kOff = 1;

// LEDs switched off at the end of the read-back.
const int kFirstLed = 0x63;
const int kLastLed = 0x6A;

void addItems (juce::ComboBox& box, const char* items)
{
    const juce::String text (items);

    if (items == QuillPanel::kControllerNamesItems)
    {
        for (int n = 0; n < ControllerNames::kCount; ++n)
            box.addItem (ControllerNames::getEntryText (n), n + 1);
        box.addSeparator();
        return;
    }

    if (text.contains (".."))
    {
        const auto first = text.upToFirstOccurrenceOf ("..", false, false).getIntValue();
        const auto last = text.fromFirstOccurrenceOf ("..", false, false).getIntValue();
        for (int n = first; n <= last; ++n)
            box.addItem (juce::String (n), n - first + 1);
        return;
    }

    const auto entries = juce::StringArray::fromTokens (text, "|", "");
    for (int i = 0; i < entries.size(); ++i)
        box.addItem (entries[i], i + 1);
}

// Shows a stored value as a box's selected index, or no selection when the box has no
// entry for it; never notifies, since only the user's own choices reach the store.
void showIndex (juce::ComboBox& box, int index)
{
    if (juce::isPositiveAndBelow (index, box.getNumItems()))
        box.setSelectedItemIndex (index, juce::dontSendNotification);
    else
        box.setSelectedId (0, juce::dontSendNotification);
}
} // namespace

KbdSettingComponentQuill::KbdSettingComponentQuill()
    : manager (nullptr)
{
    buildWidgets();
    setSize (QuillPanel::kWidth, QuillPanel::kHeight);

    chartButton->setVisible (false);
    firmwareButton->setVisible (true);
    padsButton->setVisible (false);
    knobModeLabel->setVisible (false);
    knobModeCombo->setVisible (false);
    padCurveLabel->setVisible (true);
    padCurveCombo->setVisible (true);

    memoryCombo->setSelectedItemIndex (0, juce::sendNotificationAsync);
    currentItem = -1;

    // The descriptors must be complete before the first click can be handled, and the editor
    // must listen before detection starts: a keyboard's answer starts the read-back at once,
    // on the MIDI thread.
    picker->addActionListener (this);
    descriptors = getAllDescriptors();
    QexManager49::sStandaloneMode = true;
    manager.listeners.add (this);
    manager.startDetection (true);
}

KbdSettingComponentQuill::~KbdSettingComponentQuill()
{
    // No notification may reach a half-destroyed editor: stop the keyboard's deliveries (this
    // waits for one in flight) and the detection tick, and drop a refresh still pending,
    // before any widget goes.
    manager.closeMidiIns();
    manager.stopTimer();
    cancelPendingUpdate();

    for (auto*& widget : rows)
        widget = nullptr;

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
    using namespace QuillPanel;

    const auto place = [this] (Row r, juce::Component& c)
    {
        const auto& row = kRows[r];
        addAndMakeVisible (c);
        if (row.focusOrder > 0)
            c.setExplicitFocusOrder (row.focusOrder);
        rows[(size_t) r] = &c;
    };

    const auto makeGroup = [&] (Row r)
    {
        auto g = std::make_unique<juce::GroupComponent> (kRows[r].componentName, kRows[r].text);
        place (r, *g);
        return g;
    };

    const auto makeLabel = [&] (Row r)
    {
        auto l = std::make_unique<juce::Label> (kRows[r].componentName, kRows[r].text);
        place (r, *l);
        l->setFont (juce::Font (15.0f, juce::Font::plain));
        l->setJustificationType (juce::Justification::centredLeft);
        l->setEditable (false, false, false);
        l->setColour (juce::TextEditor::textColourId, juce::Colours::black);
        l->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x00000000));
        l->setTooltip (kRows[r].tooltip);
        return l;
    };

    const auto makeCombo = [&] (Row r)
    {
        auto c = std::make_unique<juce::ComboBox> (kRows[r].componentName);
        place (r, *c);
        c->setEditableText (false);
        c->setJustificationType (juce::Justification::centredLeft);
        c->setTextWhenNothingSelected ({});
        c->setTextWhenNoChoicesAvailable ("(no choices)");
        addItems (*c, kRows[r].items);
        c->setTooltip (kRows[r].tooltip);
        c->addListener (this);
        return c;
    };

    const auto makeButton = [&] (Row r)
    {
        auto b = std::make_unique<juce::TextButton> (kRows[r].componentName, juce::String());
        place (r, *b);
        b->setButtonText (kRows[r].text);
        b->setTooltip (kRows[r].tooltip);
        b->addListener (this);
        b->setColour (juce::TextButton::buttonColourId, juce::Colour (kButtonColour));
        b->setColour (juce::TextButton::buttonOnColourId, juce::Colour (kButtonOnColour));
        b->setColour (juce::TextButton::textColourOnId, juce::Colour (kButtonTextColour));
        b->setColour (juce::TextButton::textColourOffId, juce::Colour (kButtonTextColour));
        return b;
    };

    const auto makeText = [&] (Row r)
    {
        auto t = std::make_unique<juce::TextEditor> (kRows[r].componentName, 0);
        place (r, *t);
        t->setMultiLine (false, true);
        t->setReturnKeyStartsNewLine (false);
        t->setReadOnly (true);
        t->setScrollbarsShown (false);
        t->setCaretVisible (false);
        t->setPopupMenuEnabled (false);
        t->setText (kRows[r].text, true);
        return t;
    };

    // One statement per row, in the panel's creation order.
    globalGroup = makeGroup (Row::globalGroup);
    globalGroup->setTextLabelPosition (juce::Justification::centredLeft);
    knobModeLabel = makeLabel (Row::knobModeLabel);
    knobModeCombo = makeCombo (Row::knobModeCombo);
    controlGroup = makeGroup (Row::controlGroup);
    controlNameText = makeText (Row::controlNameText);
    controlNameText->setColour (juce::TextEditor::textColourId, juce::Colours::black);
    controlNameText->setColour (juce::TextEditor::backgroundColourId, juce::Colour (kControlNameBackground));
    ccNumberLabel = makeLabel (Row::ccNumberLabel);
    ccNumberCombo = makeCombo (Row::ccNumberCombo);
    defaultButton = makeButton (Row::defaultButton);
    sendButton = makeButton (Row::sendButton);
    picker = std::make_unique<Quill25CtrlPickerComponent>();
    place (Row::picker, *picker);
    modeLabel = makeLabel (Row::modeLabel);
    modeCombo = makeCombo (Row::modeCombo);
    channelLabel = makeLabel (Row::channelLabel);
    channelCombo = makeCombo (Row::channelCombo);
    maxMsbLabel = makeLabel (Row::maxMsbLabel);
    maxMsbCombo = makeCombo (Row::maxMsbCombo);
    minLsbLabel = makeLabel (Row::minLsbLabel);
    minLsbCombo = makeCombo (Row::minLsbCombo);
    globalChannelLabel = makeLabel (Row::globalChannelLabel);
    globalChannelCombo = makeCombo (Row::globalChannelCombo);
    globalChannelCombo->setJustificationType (juce::Justification::centredRight);
    loadButton = makeButton (Row::loadButton);
    saveButton = makeButton (Row::saveButton);
    chartButton = makeButton (Row::chartButton);
    toggleGateCombo = makeCombo (Row::toggleGateCombo);
    encodingCombo = makeCombo (Row::encodingCombo);
    nrpnRpnCombo = makeCombo (Row::nrpnRpnCombo);
    standardHoldCombo = makeCombo (Row::standardHoldCombo);
    memoryLabel = makeLabel (Row::memoryLabel);
    memoryCombo = makeCombo (Row::memoryCombo);
    firmwareButton = makeButton (Row::firmwareButton);
    knobAccelLabel = makeLabel (Row::knobAccelLabel);
    knobAccelCombo = makeCombo (Row::knobAccelCombo);
    velCurveLabel = makeLabel (Row::velCurveLabel);
    velCurveCombo = makeCombo (Row::velCurveCombo);
    firmwareRevisionLabel = makeLabel (Row::firmwareRevisionLabel);
    firmwareRevisionText = makeText (Row::firmwareRevisionText);
    padCurveLabel = makeLabel (Row::padCurveLabel);
    padCurveCombo = makeCombo (Row::padCurveCombo);
    padsButton = makeButton (Row::padsButton);
    versionLabel = makeLabel (Row::versionLabel);
}

void KbdSettingComponentQuill::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xfffcfcfc), 328.0f, 8.0f,
                                             juce::Colour (0xffababab), 344.0f, 544.0f, false));
    g.fillRect (0, 0, QuillPanel::kWidth, QuillPanel::kHeight);
}

void KbdSettingComponentQuill::resized()
{
    for (int r = 0; r < QuillPanel::numRows; ++r)
        if (auto* widget = rows[(size_t) r])
        {
            const auto& row = QuillPanel::kRows[r];
            widget->setBounds (row.x, row.y, row.width, row.height);
        }
}

//==============================================================================
void KbdSettingComponentQuill::actionListenerCallback (const juce::String& message)
{
    const auto id = message.getHexValue32();

    // Item ids are 16-bit: a longer number must not be cut down to one of them.
    if (id != (short) id || descriptors.count ((short) id) == 0)
        return;

    currentItem = id;
    reloadGUIforCurrentItem();
}

void KbdSettingComponentQuill::reloadGUIforCurrentItem()
{
    const auto found = descriptors.find ((short) currentItem);
    if (found == descriptors.end())
        return;

    const auto& descriptor = found->second;
    const auto c = currentItem;

    controlNameText->setText (descriptor.name, false);

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
        enableOptionsForMode (cbIndex2Mode (modeIndex), descriptor.knob);
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
        manager.globals[kGlobalKnobMode] = (juce::int16) (index == 1 ? kOn : kOff);
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
        sendToKeyboard();
    else if (button == loadButton.get())
        loadSettingsFile();
    else if (button == saveButton.get())
        saveSettingsFile();
    else if (button == chartButton.get())
        writeChartFile();
    else if (button == firmwareButton.get())
        upgradeFirmware();
    else if (button == padsButton.get())
    {
        if (!manager.connected)
            showKeyboardProblem (kNotDetectedYetText);
        else
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
    manager.globals[kGlobalKnobMode] = kOff;
    manager.curves[kCurveKnobAccel] = 2;
    manager.curves[kCurveVelocity] = 0;
    manager.curves[kCurvePadVelocity] = 0;

    updateGlobalUI();
    if (currentItem >= 0)
        reloadGUIforCurrentItem();
}

void KbdSettingComponentQuill::sendToKeyboard()
{
    if (!manager.connected)
    {
        showKeyboardProblem (kNotDetectedYetText);
        return;
    }

    juce::MouseCursor::showWaitCursor();
    manager.updateKeyboard (memoryCombo->getSelectedItemIndex() + 1);
    juce::MouseCursor::hideWaitCursor();
}

void KbdSettingComponentQuill::showKeyboardProblem (const juce::String& text)
{
    Dialogs::get().showMessage (Dialogs::Icon::InfoIcon, kProblemTitle, text);
}

//==============================================================================
// Runs on the thread that posts the notification, usually the MIDI input thread: it sends
// the next request of the read-back straight from there and touches no widget.
void KbdSettingComponentQuill::QexInfoReceived (int code, int a, int, void*)
{
    if (code == 0)
    {
        readBackActive = true;
        manager.postItemConfigRequest (0);
        return;
    }

    if (code == 7)
    {
        manager.redetectOnDeviceChange = true;
        triggerAsyncUpdate();
        return;
    }

    if (!readBackActive)
        return;

    switch (code)
    {
        case 1:
            manager.postItemSettingRequest (1, 0, 0);
            break;

        case 16:
            switch (a)
            {
                case 1:
                    manager.postItemSettingRequest (2, 0, 0);
                    break;
                case 2:
                    manager.postItemSettingRequest (4, 0, 0);
                    break;
                case 4:
                    manager.postItemSettingRequest (5, 0, 0);
                    break;
                case 5:
                    manager.postItemSettingRequest (6, 0, 0);
                    break;
                case 6:
                    manager.postMidiChannelRequest();
                    break;
                default:
                    readBackActive = false;
                    break;
            }
            break;

        case 4:
            manager.postRelativeModeRequest();
            break;

        case 14:
            manager.postCurveSettingRequest (kCurveKnobAccel);
            break;

        case 18:
            if (a == kCurveKnobAccel)
                manager.postCurveSettingRequest (kCurvePadVelocity);
            else if (a == kCurvePadVelocity)
                manager.postCurveSettingRequest (kCurveVelocity);
            else if (a == kCurveVelocity)
            {
                triggerAsyncUpdate();
                manager.postOctaveShiftRequest();
            }
            break;

        case 17:
            if (a == 1)
                manager.postGlobalSettingRequest (7);
            else if (a == 5)
                manager.postGlobalSettingRequest (1);
            else if (a == 7)
                manager.postGlobalSettingRequest (8);
            else if (a == 8)
            {
                triggerAsyncUpdate();
                manager.postOctaveShiftRequest();
            }
            break;

        case 5:
            for (int item = kFirstLed; item <= kLastLed; ++item)
                manager.postLedState (item, 0);
            readBackActive = false;
            break;

        default:
            break;
    }
}

void KbdSettingComponentQuill::handleAsyncUpdate()
{
    if (!manager.connected)
    {
        showKeyboardProblem (kNotDetectedText);
        return;
    }

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
