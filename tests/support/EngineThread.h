#pragma once

#include "firmware/IFWUpdater.h"

#include <juce_core/juce_core.h>

// Runs one engine the way the update runner's worker does (Init, SetFile, Burn, Term) on a
// JUCE thread, so that Cancel reaches it as the thread's exit request.
class EngineThread : public juce::Thread
{
public:
    EngineThread (IFWUpdater& engine, IFWHelper* host, const juce::File& file);
    ~EngineThread() override;

    // Starts the engine and waits for it to end; the result of Burn (or of a refused file).
    juce::Result runToEnd (int timeoutMs = 60000);

    void start();
    juce::Result finish (int timeoutMs = 60000);

    void run() override;

private:
    IFWUpdater& engine;
    IFWHelper* host;
    juce::File file;
    juce::Result result{juce::Result::fail ("not run")};
};
