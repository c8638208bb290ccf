#pragma once

#include "editors/EditorCommands.h"
#include "editors/PanelBuilder.h"
#include "editors/QuillPanelLayout.h"
#include "link/KbdCtrlDescriptor.h"
#include "link/QexManager49.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

class Quill25CtrlPickerComponent;

// The settings editor of the compact 25-key pad controller: a fixed panel with the global
// settings, the selected control's assignment, the command buttons and the clickable
// picture. It owns its keyboard link and works only through the link's store: showing a
// control reads the store, editing a box writes it, "Send to Keyboard" sends it.
class KbdSettingComponentQuill : public juce::Component,
                                 public juce::ActionListener,
                                 public QexManagerListener,
                                 public juce::AsyncUpdater,
                                 public juce::ComboBox::Listener,
                                 public juce::Button::Listener
{
public:
    KbdSettingComponentQuill();
    ~KbdSettingComponentQuill() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void actionListenerCallback (const juce::String& message) override;
    void handleAsyncUpdate() override;
    void QexInfoReceived (int code, int a, int b, void* data) override;
    void comboBoxChanged (juce::ComboBox* box) override;
    void buttonClicked (juce::Button* button) override;

    // The compact model's controls, keyed by item id.
    static KbdCtrlDescriptorMap getAllDescriptors();

    // Device mode (0..14) to the Mode box index that shows it, and back; -1 for none.
    static int mode2CbIndex (int mode);
    static int cbIndex2Mode (int index);

    // The option kind of a device mode on a control: 0 none, 1 encoding, 2 NRPN/RPN,
    // 3 toggle/gate, 4 standard/hold.
    static int optionKindForMode (int mode, bool knob);

    // The 15-bit mask of the device modes a control may use (bit n allows mode n).
    static int modeMaskForItem (int itemId);

    void enableOptionsForMode (int mode, bool knob);
    void enableModesForItem (int itemId);
    void reloadGUIforCurrentItem();
    void updateGlobalUI();
    void calibratePads();

    // Read by tests and by the shell; the editor's state is otherwise its own.
    int getCurrentItem() const noexcept { return currentItem; }
    QexManager49& getManager() noexcept { return manager; }
    juce::Component* getWidget (QuillPanel::Row row) const noexcept { return panel.get (row); }

private:
    void buildWidgets();
    void showStore();
    void loadSettingsFile();
    void upgradeFirmware();
    bool isOptionBox (const juce::ComboBox* box) const noexcept;
    void showOption (int option);
    void resetToDefaults();

    KbdCtrlDescriptorMap descriptors;
    int currentItem = -1;
    QexManager49 manager;
    std::atomic<bool> readBackActive{false};

    std::unique_ptr<juce::GroupComponent> globalGroup;
    std::unique_ptr<juce::Label> knobModeLabel;
    std::unique_ptr<juce::ComboBox> knobModeCombo;
    std::unique_ptr<juce::GroupComponent> controlGroup;
    std::unique_ptr<juce::TextEditor> controlNameText;
    std::unique_ptr<juce::Label> ccNumberLabel;
    std::unique_ptr<juce::ComboBox> ccNumberCombo;
    std::unique_ptr<juce::TextButton> defaultButton;
    std::unique_ptr<juce::TextButton> sendButton;
    std::unique_ptr<Quill25CtrlPickerComponent> picker;
    std::unique_ptr<juce::Label> modeLabel;
    std::unique_ptr<juce::ComboBox> modeCombo;
    std::unique_ptr<juce::Label> channelLabel;
    std::unique_ptr<juce::ComboBox> channelCombo;
    std::unique_ptr<juce::Label> maxMsbLabel;
    std::unique_ptr<juce::ComboBox> maxMsbCombo;
    std::unique_ptr<juce::Label> minLsbLabel;
    std::unique_ptr<juce::ComboBox> minLsbCombo;
    std::unique_ptr<juce::Label> globalChannelLabel;
    std::unique_ptr<juce::ComboBox> globalChannelCombo;
    std::unique_ptr<juce::TextButton> loadButton;
    std::unique_ptr<juce::TextButton> saveButton;
    std::unique_ptr<juce::TextButton> chartButton;
    std::unique_ptr<juce::ComboBox> toggleGateCombo;
    std::unique_ptr<juce::ComboBox> encodingCombo;
    std::unique_ptr<juce::ComboBox> nrpnRpnCombo;
    std::unique_ptr<juce::ComboBox> standardHoldCombo;
    std::unique_ptr<juce::Label> memoryLabel;
    std::unique_ptr<juce::ComboBox> memoryCombo;
    std::unique_ptr<juce::TextButton> firmwareButton;
    std::unique_ptr<juce::Label> knobAccelLabel;
    std::unique_ptr<juce::ComboBox> knobAccelCombo;
    std::unique_ptr<juce::Label> velCurveLabel;
    std::unique_ptr<juce::ComboBox> velCurveCombo;
    std::unique_ptr<juce::Label> firmwareRevisionLabel;
    std::unique_ptr<juce::TextEditor> firmwareRevisionText;
    std::unique_ptr<juce::Label> padCurveLabel;
    std::unique_ptr<juce::ComboBox> padCurveCombo;
    std::unique_ptr<juce::TextButton> padsButton;
    std::unique_ptr<juce::Label> versionLabel;

    // The widgets above by panel row, for layout and lookup; not owning.
    PanelBuilder panel;
    EditorCommands commands;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KbdSettingComponentQuill)
};
