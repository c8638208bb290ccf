#include "app/AppClass.h"

#include "app/DisplayCheck.h"
#include "app/MainAppWindow.h"
#include "pickers/PicturePreload.h"
#include "pickers/Quill25CtrlPickerComponent.h"
#include "pickers/VLookAndFeel.h"

#include <iostream>

AppClass::AppClass() = default;

AppClass::~AppClass() = default;

void AppClass::initialise (const juce::String&)
{
    // The keyboard picture decodes on a thread of its own while the display is asked about
    // and the window is created.
    const PicturePreload picture (Quill25CtrlPickerComponent::quilletMidiCc_png,
                                  Quill25CtrlPickerComponent::quilletMidiCc_pngSize);

    if (const auto problem = DisplayCheck::findProblem(); !problem.empty())
    {
        std::cerr << getApplicationName() << ": " << problem << std::endl;
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
    // Only where one was set: refused at start-up, the program must not reach the framework's
    // desktop, which would open the display.
    if (lookAndFeel != nullptr)
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
