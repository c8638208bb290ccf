// JUCE's own dialogs as the user meets them. The chooser shows up on the shared screen
// before it can be moved aside, so these run one at a time with the other window tests.

#include "dialogs/JuceDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
void moveAside (juce::Component& window)
{
    window.setTopLeftPosition (-4000, -4000);
}

template <typename Type>
Type* findChild (juce::Component& parent)
{
    for (auto* child : parent.getChildren())
    {
        if (auto* found = dynamic_cast<Type*> (child))
            return found;
        if (auto* found = findChild<Type> (*child))
            return found;
    }
    return nullptr;
}

juce::Button* findButton (juce::Component& parent, const juce::String& text)
{
    for (auto* child : parent.getChildren())
    {
        if (auto* b = dynamic_cast<juce::TextButton*> (child); b != nullptr && b->getButtonText() == text)
            return b;
        if (auto* found = findButton (*child, text))
            return found;
    }
    return nullptr;
}

// Plays the user in JUCE's own save chooser: types `name`, presses the save button, and
// records whether a question about replacing the file came up, which it cancels together
// with the chooser. The press is posted, and the timer may fire again before it has run: the
// chooser is cancelled only once the press has run (and the question with it, if any).
class SaveChooserUser : private juce::Timer, private juce::Button::Listener
{
public:
    explicit SaveChooserUser (const juce::String& nameToType)
        : name (nameToType)
    {
        startTimer (50);
    }

    bool askedToReplace = false;

private:
    void timerCallback() override
    {
        auto* top = juce::Component::getCurrentlyModalComponent();
        if (top == nullptr)
            return;

        if (auto* question = dynamic_cast<juce::AlertWindow*> (top))
        {
            askedToReplace = true;
            question->exitModalState (0);
        }
        else if (auto* chooser = dynamic_cast<juce::FileChooserDialogBox*> (top))
        {
            moveAside (*chooser);
            if (pressRan || askedToReplace)
            {
                chooser->exitModalState (0);
                stopTimer();
                return;
            }

            if (pressed)
                return;

            auto* browser = findChild<juce::FileBrowserComponent> (*chooser);
            browser->setFileName (name);
            auto* save = findButton (*chooser, browser->getActionVerb());
            save->addListener (this);
            save->triggerClick();
            pressed = true;
        }
    }

    // Called as the press runs, just before the chooser handles it.
    void buttonClicked (juce::Button*) override { pressRan = true; }

    juce::String name;
    bool pressed = false, pressRan = false;
};
} // namespace

TEST (JuceDialogs, TheSaveChooserAsksBeforeReplacingAnExistingFile)
{
    if (juce::FileChooser::isPlatformDialogAvailable())
        GTEST_SKIP() << "the desktop's own chooser cannot be played";

    TempFolder temp;
    const auto existing = temp.write ("mine.quill25", "keep me");
    JuceDialogs dialogs;
    juce::File chosen;

    SaveChooserUser user ("mine.quill25");
    EXPECT_FALSE (dialogs.chooseFileToSave ("Save", temp.folder(), "*.quill25", chosen));
    EXPECT_TRUE (user.askedToReplace);
    EXPECT_EQ (existing.loadFileAsString(), "keep me");
}
