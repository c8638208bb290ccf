// The framework's X window system is reached only here: the X headers this brings in define
// macros (None, Bool, Status) that clash with names elsewhere.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "app/DisplayCheck.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <limits>

namespace
{
// The display the framework tries: the one DISPLAY names, or ":0.0" when that is empty.
std::string describeTried (const char* named)
{
    return named == nullptr ? "DISPLAY is not set; tried \":0.0\""
           : *named == 0    ? "DISPLAY is empty; tried \":0.0\""
                            : "DISPLAY=\"" + std::string (named) + "\"";
}

std::string notOpened (const char* named)
{
    return "no X display could be opened (" + describeTried (named) + ").";
}
} // namespace

// The sentences are made only when there is something to say: a start-up that needs none
// touches none of the runtime's string code.
std::string DisplayCheck::findProblem()
{
    const char* named = std::getenv ("DISPLAY");

    // The framework takes the name for ASCII text (asserting that it is), so that a name of any
    // other bytes reaches X as another name, one that names no display.
    if (named != nullptr && !juce::CharPointer_ASCII::isValidString (named, std::numeric_limits<int>::max()))
        return notOpened (named);

    // On a display it opened but cannot draw on (no 16, 24 or 32-bit colour visual), the
    // framework lets go of X yet keeps the display, which then still lists a screen; asked
    // first, as nothing may reach X through the framework after that.
    auto* windowSystem = juce::XWindowSystem::getInstance();

    if (!windowSystem->isX11Available())
        return windowSystem->getDisplay() == nullptr
                   ? notOpened (named)
                   : "the X display offers no 16, 24 or 32-bit colour visual the program can draw on (" +
                         describeTried (named) + ").";

    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        return notOpened (named);

    return {};
}
