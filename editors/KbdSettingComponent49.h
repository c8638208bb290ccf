#pragma once

#include "editors/Cairn49PanelLayout.h"
#include "editors/EditorCommands.h"
#include "editors/PanelBuilder.h"
#include "link/KbdCtrlDescriptor.h"
#include "link/QexManager49.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <memory>

class Cairn49CtrlPickerComponent;

// The settings editor of the 49-key model: a fixed panel with the split, channel, knob and
// fader settings, the selected control's assignment, the command buttons and the clickable
// picture. It owns its keyboard link and works only through the link's store, as the compact
// editor does; it differs in its controls, its boxes and the modes each class of control
// may use. The main window holds the compact editor; this one can stand in its place.
class KbdSettingComponent49 : public juce::Component,
                              public juce::ActionListener,
                              public QexManagerListener,
                              public juce::AsyncUpdater,
                              public juce::ComboBox::Listener,
                              public juce::Button::Listener
{
public:
    KbdSettingComponent49();
    ~KbdSettingComponent49() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void actionListenerCallback (const juce::String& message) override;
    void handleAsyncUpdate() override;
    void QexInfoReceived (int code, int a, int b, void* data) override;
    void comboBoxChanged (juce::ComboBox* box) override;
    void buttonClicked (juce::Button* button) override;

    void reloadGUIforCurrentItem();
    void enableModesForItem (int itemId);

    // The 49-key model's controls, keyed by item id.
    static KbdCtrlDescriptorMap getAllDescriptors();

    // The pictures of the Default and Send buttons. The Default button's normal picture is
    // its mouse-over picture.
    static const char* const defaultBtn_push_png;
    static const int defaultBtn_push_pngSize;
    static const char* const defaultBtn_hover_png;
    static const int defaultBtn_hover_pngSize;
    static const char* const defaultBtn_inactive_png;
    static const int defaultBtn_inactive_pngSize;
    static const char* const sendBtn_push_png;
    static const int sendBtn_push_pngSize;
    static const char* const sendBtn_hover_png;
    static const int sendBtn_hover_pngSize;
    static const char* const sendBtn_inactive_png;
    static const int sendBtn_inactive_pngSize;

    // Read by tests; the editor's state is otherwise its own.
    int getCurrentItem() const noexcept { return currentItem; }
    QexManager49& getManager() noexcept { return manager; }
    juce::Component* getWidget (Cairn49Panel::Row row) const noexcept { return panel.get (row); }

private:
    void buildWidgets();
    void updateGlobalUI();
    void showStore();
    void resetToDefaults();
    void loadSettingsFile();

    KbdCtrlDescriptorMap descriptors;
    int currentItem = -1;
    QexManager49 manager;
    std::atomic<bool> readBackActive{false};

    std::unique_ptr<juce::GroupComponent> globalGroup;
    std::unique_ptr<juce::Label> lowerChannelLabel;
    std::unique_ptr<juce::ComboBox> lowerChannelCombo;
    std::unique_ptr<juce::Label> knobModeLabel;
    std::unique_ptr<juce::ComboBox> knobModeCombo;
    std::unique_ptr<juce::GroupComponent> controlGroup;
    std::unique_ptr<juce::Label> nameLabel;
    std::unique_ptr<juce::TextEditor> controlNameText;
    std::unique_ptr<juce::Label> ccNumberLabel;
    std::unique_ptr<juce::ComboBox> ccNumberCombo;
    std::unique_ptr<juce::ImageButton> defaultButton;
    std::unique_ptr<juce::ImageButton> sendButton;
    std::unique_ptr<Cairn49CtrlPickerComponent> picker;
    std::unique_ptr<juce::Label> modeLabel;
    std::unique_ptr<juce::ComboBox> modeCombo;
    std::unique_ptr<juce::Label> channelLabel;
    std::unique_ptr<juce::ComboBox> channelCombo;
    std::unique_ptr<juce::Label> maxMsbLabel;
    std::unique_ptr<juce::ComboBox> maxMsbCombo;
    std::unique_ptr<juce::Label> minLsbLabel;
    std::unique_ptr<juce::ComboBox> minLsbCombo;
    std::unique_ptr<juce::Label> splitModeLabel;
    std::unique_ptr<juce::ComboBox> splitModeCombo;
    std::unique_ptr<juce::Label> upperChannelLabel;
    std::unique_ptr<juce::ComboBox> upperChannelCombo;
    std::unique_ptr<juce::Label> faderModeLabel;
    std::unique_ptr<juce::ComboBox> faderModeCombo;
    std::unique_ptr<juce::Label> splitPointLabel;
    std::unique_ptr<juce::ComboBox> splitPointCombo;
    std::unique_ptr<juce::TextButton> loadButton;
    std::unique_ptr<juce::TextButton> saveButton;
    std::unique_ptr<juce::TextButton> chartButton;

    // The widgets above by panel row, for layout and lookup; not owning.
    PanelBuilder panel;
    EditorCommands commands;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KbdSettingComponent49)
};
