#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class MainAppWindow;
class VLookAndFeel;

// The application: installs the look-and-feel and opens the one main window.
class AppClass : public juce::JUCEApplication
{
public:
    AppClass();
    ~AppClass() override;

    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;

    MainAppWindow* getMainWindow() const noexcept { return mainWindow.get(); }

private:
    // Declared first so that it outlives the window: JUCE asserts on a look-and-feel deleted
    // while a component still uses it.
    std::unique_ptr<VLookAndFeel> lookAndFeel;
    std::unique_ptr<MainAppWindow> mainWindow;

    JUCE_DECLARE_NON_COPYABLE (AppClass)
};
