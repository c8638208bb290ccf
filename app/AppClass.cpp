#include "app/AppClass.h"

#include "app/MainAppWindow.h"
#include "pickers/PicturePreload.h"
#include "pickers/Quill25CtrlPickerComponent.h"
#include "pickers/VLookAndFeel.h"

#include <cstdlib>
#include <iostream>

AppClass::AppClass() = default;

AppClass::~AppClass() = default;

namespace
{
// The framework opens the X display named by DISPLAY, or ":0.0" when that is empty, and goes
// on without one when it cannot: a window made then would crash the program.
bool displayOpened()
{
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr)
        return true;

    const char* named = std::getenv ("DISPLAY");
    const juce::String tried = named == nullptr ? "DISPLAY is not set; tried \":0.0\""
                               : *named == 0    ? "DISPLAY is empty; tried \":0.0\""
                                                : "DISPLAY=\"" + juce::String (named) + "\"";
    std::cerr << "Brisca Tarn Quorvel: no X display could be opened (" << tried << ")." << std::endl;
    return false;
}
} // namespace

void AppClass::initialise (const juce::String&)
{
    // The keyboard picture decodes on a thread of its own while the display is asked about
    // and the window is created.
    const PicturePreload picture (Quill25CtrlPickerComponent::quilletMidiCc_png,
                                  Quill25CtrlPickerComponent::quilletMidiCc_pngSize);

    if (!displayOpened())
    {
        setApplicationReturnValue (1);
        quit();
        return;
    }

    lookAndFeel = std::make_unique<VLookAndFeel>();
    juce::LookAndFeel::setDefaultLookAndFeel (lookAndFeel.get());

    mainWindow = std::make_unique<MainAppWindow>();
    mainWindow->centreWithSize (816, 545);
    mainWindow->setVisible (true);
}

void AppClass::shutdown()
{
    mainWindow = nullptr;

    // The framework keeps a pointer to the default look; let go of it before freeing ours.
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    lookAndFeel = nullptr;
}

const juce::String AppClass::getApplicationName()
{
    return "Brisca Tarn Quorvel";
}

const juce::String AppClass::getApplicationVersion()
{
    return "1.0";
}

bool AppClass::moreThanOneInstanceAllowed()
{
    return true;
}

void AppClass::anotherInstanceStarted (const juce::String&) {}
