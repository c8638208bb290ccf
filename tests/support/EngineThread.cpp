#include "support/EngineThread.h"

EngineThread::EngineThread (IFWUpdater& e, IFWHelper* h, const juce::File& f)
    : juce::Thread ("engine")
    , engine (e)
    , host (h)
    , file (f)
{
}

EngineThread::~EngineThread()
{
    stopThread (60000);
}

void EngineThread::start()
{
    startThread();
}

juce::Result EngineThread::finish (int timeoutMs)
{
    if (!waitForThreadToExit (timeoutMs))
        return juce::Result::fail ("engine still running");

    return result;
}

juce::Result EngineThread::runToEnd (int timeoutMs)
{
    start();
    return finish (timeoutMs);
}

void EngineThread::run()
{
    engine.Init (host);

    auto outcome = juce::Result::fail ("file refused");

    if (engine.SetFile (file))
        outcome = engine.Burn();

    engine.Term();
    result = outcome;
}
