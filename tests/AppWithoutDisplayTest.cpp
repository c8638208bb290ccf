#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

namespace
{
// A display number that no X server on this machine listens on.
juce::String absentDisplay()
{
    int number = 1000;
    while (juce::File ("/tmp/.X11-unix/X" + juce::String (number)).exists() ||
           juce::File ("/tmp/.X" + juce::String (number) + "-lock").exists())
        ++number;
    return ":" + juce::String (number);
}
} // namespace

// The built program, started where no X display can be reached, as over a plain remote shell.
TEST (AppWithoutDisplay, SaysSoOnStandardErrorAndExitsWithStatusOne)
{
    const auto display = absentDisplay();
    const struct
    {
        juce::StringArray environment;
        juce::String said;
    } rows[] = {
        {{"-u", "DISPLAY"}, "DISPLAY is not set; tried \":0.0\""},
        {{"DISPLAY="}, "DISPLAY is empty; tried \":0.0\""},
        {{"DISPLAY=" + display}, "DISPLAY=\"" + display + "\""},
    };

    for (const auto& row : rows)
    {
        juce::StringArray command ("/usr/bin/env");
        command.addArray (row.environment);
        command.add (QUORVEL_APP);
        juce::ChildProcess app;
        ASSERT_TRUE (app.start (command, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr));

        const auto output = app.readAllProcessOutput();
        EXPECT_TRUE (
            output.contains ("Brisca Tarn Quorvel: no X display could be opened (" + row.said + ")."))
            << output;
        ASSERT_TRUE (app.waitForProcessToFinish (60000));
        EXPECT_EQ (app.getExitCode(), 1u) << row.said;
    }
}
