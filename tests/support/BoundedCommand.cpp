#include "support/BoundedCommand.h"

BoundedCommand::Ended BoundedCommand::run (const juce::StringArray& command, int deadlineSeconds)
{
    juce::StringArray bounded{"timeout", "--kill-after=5", juce::String (deadlineSeconds)};
    bounded.addArray (command);
    juce::ChildProcess child;
    if (!child.start (bounded, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
        return {"not started", 127};

    const auto output = child.readAllProcessOutput();
    // Its output has ended, so it is ending too.
    const bool finished = child.waitForProcessToFinish ((deadlineSeconds + 10) * 1000);
    return {output, finished ? child.getExitCode() : 124};
}
