#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <iostream>
#include <unistd.h>

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

// Ample for a start-up under the sanitizers on a busy machine.
constexpr int kDeadlineSeconds = 30;

struct Ended
{
    juce::String output; // standard output and error together
    juce::uint32 status;
};

// Runs a command that `timeout` stops at the deadline (ending with status 124 then), so that
// reading its output until it ends is bounded.
Ended run (const juce::StringArray& command)
{
    juce::StringArray bounded{"timeout", "--kill-after=5", juce::String (kDeadlineSeconds)};
    bounded.addArray (command);
    juce::ChildProcess child;
    if (!child.start (bounded, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
        return {"not started", 0};

    const auto output = child.readAllProcessOutput();
    // Its output has ended, so it is ending too.
    const bool finished = child.waitForProcessToFinish (kDeadlineSeconds * 1000);
    return {output, finished ? child.getExitCode() : 0};
}

// A prefix that runs a command where no X server can be reached as ":0" (the display the
// framework tries when DISPLAY is unset or empty, on a desktop the user's own): libxcb tries
// the abstract socket, which belongs to the network namespace, then /tmp/.X11-unix/X0, hidden
// under an empty tmpfs, then TCP to localhost, whose loopback is down in a new network
// namespace. Root makes the namespaces itself; another user in a user namespace of its own.
juce::StringArray isolation()
{
    juce::StringArray prefix{"unshare", "--net", "--mount"};
    if (::geteuid() != 0)
        prefix.addArray ({"--user", "--map-root-user"});
    prefix.addArray (
        {"sh", "-c", "[ ! -d /tmp/.X11-unix ] || mount -t tmpfs tmpfs /tmp/.X11-unix && exec \"$@\"", "sh"});
    return prefix;
}
} // namespace

// The built program, started where no X display can be reached, as over a plain remote shell.
TEST (AppWithoutDisplay, SaysSoOnStandardErrorAndExitsWithStatusOne)
{
    const auto absent = absentDisplay();
    const juce::String notOpened = "Brisca Tarn Quorvel: no X display could be opened (";
    const struct
    {
        juce::StringArray environment;
        bool isolated;
        juce::String said;
    } rows[] = {
        {{"-u", "DISPLAY"}, true, notOpened + "DISPLAY is not set; tried \":0.0\")."},
        {{"DISPLAY="}, true, notOpened + "DISPLAY is empty; tried \":0.0\")."},
        {{"DISPLAY=" + absent}, false, notOpened + "DISPLAY=\"" + absent + "\")."},
    };

    const auto isolated = isolation();
    auto probe = isolated;
    probe.add ("true");
    const auto tried = run (probe);
    if (tried.status != 0)
        std::cout << "Rows with DISPLAY unset or empty not run, as no namespaces could be made to keep "
                     "them from a real display: "
                  << tried.output.trim() << std::endl;

    for (const auto& row : rows)
    {
        if (row.isolated && tried.status != 0)
            continue;

        SCOPED_TRACE (row.said);
        juce::StringArray command;
        if (row.isolated)
            command = isolated;
        command.add ("env");
        command.addArray (row.environment);
        command.add (QUORVEL_APP);

        const auto ended = run (command);
        EXPECT_TRUE (ended.output.contains (row.said)) << ended.output;
        EXPECT_EQ (ended.status, 1u) << (ended.status == 124 ? "still running at the deadline" : "");
    }
}
