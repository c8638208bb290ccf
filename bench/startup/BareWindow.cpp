// The floor for the editor's start-up: an empty JUCE window of the same size, built with
// the same JUCE library and flags, with the same probe.

#include "StartupProbe.h"

namespace
{
juce::int64 gMainStart = 0;

class BareWindow : public juce::DocumentWindow
{
public:
    BareWindow()
        : juce::DocumentWindow ("Bare", juce::Colours::azure,
                                juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton,
                                true)
    {
        setUsingNativeTitleBar (true);
        auto* content = new juce::Component();
        content->setSize (816, 545);
        setContentOwned (content, false);
        content->addAndMakeVisible (probe);
        probe.setBounds (0, 0, 816, 545);
    }

    ~BareWindow() override { probe.getParentComponent()->removeChildComponent (&probe); }

    void closeButtonPressed() override { juce::JUCEApplicationBase::quit(); }

private:
    StartupProbe probe{gMainStart};
};

class BareApp : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Bare"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }

    void initialise (const juce::String&) override
    {
        window = std::make_unique<BareWindow>();
        window->centreWithSize (816, 545);
        window->setVisible (true);
    }

    void shutdown() override { window = nullptr; }

private:
    std::unique_ptr<BareWindow> window;
};

juce::JUCEApplicationBase* createApp()
{
    return new BareApp();
}
} // namespace

int main (int argc, char* argv[])
{
    gMainStart = juce::Time::currentTimeMillis();
    juce::JUCEApplicationBase::createInstance = &createApp;
    return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
}
