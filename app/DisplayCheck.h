#pragma once

#include <string>

// Whether the framework opened an X display it can draw on. Where it could not, it goes on
// without one, and a window made then never appears: asked before the first window.
class DisplayCheck
{
public:
    // Empty where windows can be made; otherwise a sentence for standard error saying what is
    // wrong, naming the DISPLAY tried with the very bytes it holds.
    static std::string findProblem();
};
