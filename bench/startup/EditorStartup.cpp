// The editor as the user starts it, with a probe that reports its first painted frame.

#include "StartupProbe.h"
#include "app/AppClass.h"
#include "app/MainAppWindow.h"

namespace
{
juce::int64 gMainStart = 0;

class ProbedApp : public AppClass
{
public:
    void initialise (const juce::String& commandLine) override
    {
        AppClass::initialise (commandLine);
        auto* content = getMainWindow()->getContentComponent();
        content->addAndMakeVisible (probe);
        probe.setBounds (content->getLocalBounds());
    }

    void shutdown() override
    {
        probe.getParentComponent()->removeChildComponent (&probe);
        AppClass::shutdown();
    }

private:
    StartupProbe probe{gMainStart};
};

juce::JUCEApplicationBase* createApp()
{
    return new ProbedApp();
}
} // namespace

int main (int argc, char* argv[])
{
    gMainStart = juce::Time::currentTimeMillis();
    juce::JUCEApplicationBase::createInstance = &createApp;
    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}
