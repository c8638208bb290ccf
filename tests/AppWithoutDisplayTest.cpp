#include "support/BoundedCommand.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <arpa/inet.h>
#include <csignal>
#include <cstddef>
#include <iostream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
// Whether something takes a connection at the address: nothing refuses or is missing there.
template <typename Address>
bool answers (int family, const Address& address, size_t size = sizeof (Address))
{
    const auto fd = ::socket (family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool connected = fd >= 0 && ::connect (fd, (const sockaddr*) &address, (socklen_t) size) == 0;
    if (fd >= 0)
        ::close (fd);
    return connected;
}

// Whether an X client looking for ":N" might reach something: a server's lock file or socket
// file, or what answers where libxcb looks, at the abstract socket of that name, then by TCP
// at localhost, where ssh's X forwarding listens, say.
bool displayTaken (int number)
{
    const auto path = "/tmp/.X11-unix/X" + std::to_string (number);
    if (juce::File (path).exists() || juce::File ("/tmp/.X" + juce::String (number) + "-lock").exists())
        return true;

    sockaddr_un abstract{};
    abstract.sun_family = AF_UNIX;
    path.copy (abstract.sun_path + 1, path.size()); // named from the second byte on
    sockaddr_in v4{};
    v4.sin_family = AF_INET;
    v4.sin_port = htons ((uint16_t) (6000 + number));
    v4.sin_addr.s_addr = htonl (INADDR_LOOPBACK);
    sockaddr_in6 v6{};
    v6.sin6_family = AF_INET6;
    v6.sin6_port = v4.sin_port;
    v6.sin6_addr = in6addr_loopback;
    return answers (AF_UNIX, abstract, offsetof (sockaddr_un, sun_path) + 1 + path.size()) ||
           answers (AF_INET, v4) || answers (AF_INET6, v6);
}

// A display number at which nothing on this machine answers, far from those of users' screens.
int absentDisplayNumber()
{
    int number = 1000;
    while (displayTaken (number))
        ++number;
    return number;
}

// Ample for a start-up under the sanitizers on a busy machine.
constexpr int kDeadlineSeconds = 30;

BoundedCommand::Ended run (const juce::StringArray& command)
{
    return BoundedCommand::run (command, kDeadlineSeconds);
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

// The built program, started where no X display can be reached, as over a plain remote shell,
// or on an X server of the test's own (Xvfb, which xvfb-run starts at a free number): it says
// on standard error why it cannot draw there and exits with status 1, or shows its window.
TEST (AppWithoutDisplay, SaysSoOnStandardErrorAndExitsWithStatusOneOrShowsItsWindow)
{
    // Not a number where something else answers, as ssh's X forwarding does by TCP.
    juce::StreamingSocket listener;
    const auto listened = absentDisplayNumber();
    ASSERT_TRUE (listener.createListener (6000 + listened, "127.0.0.1"));
    const auto absent = ":" + juce::String (absentDisplayNumber());
    EXPECT_NE (absent, ":" + juce::String (listened));

    const auto nonAscii = juce::String::fromUTF8 (u8":\u00fc7");
    const juce::String notOpened = "Brisca Tarn Quorvel: no X display could be opened (";
    const juce::String tried = "DISPLAY=\":";
    // Run by a shell, in which "$0" is the program: started, and stopped once its window shows.
    const juce::String shown = "\"$0\" & app=$!; (xdotool search --sync --onlyvisible --name "
                               "'Velmont Quillet Quorvel' && kill $app) >/dev/null 2>&1 & wait $app";
    const struct
    {
        bool isolated;
        const char* server; // Xvfb's arguments; none without a server
        juce::String script;
        juce::uint32 status;
        juce::String said;
    } rows[] = {
        {true, nullptr, "unset DISPLAY; exec \"$0\"", 1, notOpened + "DISPLAY is not set; tried \":0.0\")."},
        {true, nullptr, "DISPLAY= exec \"$0\"", 1, notOpened + "DISPLAY is empty; tried \":0.0\")."},
        {false, nullptr, "DISPLAY=" + absent + " exec \"$0\"", 1, notOpened + "DISPLAY=\"" + absent + "\")."},
        {false, nullptr, "DISPLAY='" + nonAscii + "' exec \"$0\"", 1,
         notOpened + "DISPLAY=\"" + nonAscii + "\")."},
        {false, "-screen 0 800x600x8", "exec \"$0\"", 1,
         "Brisca Tarn Quorvel: the X display offers no 16, 24 or 32-bit colour visual the program can draw "
         "on (" +
             tried},
        {false, "-screen 0 800x600x8", "DISPLAY=$DISPLAY.-1 exec \"$0\"", 1,
         "Brisca Tarn Quorvel: no X display has a screen -1 (" + tried},
        {false, "-extension MIT-SHM -screen 0 1024x768x30", "exec \"$0\"", 1,
         "Brisca Tarn Quorvel: the X display offers no 16 or 24-bit colour visual, and the program can draw "
         "on "
         "its 32-bit one only through memory it shares with the X server, which could not be shared (" +
             tried},
        // Deep-colour and 15-bit screens, where the framework draws through a 32-bit visual.
        {false, "-screen 0 1024x768x30", shown, 128 + SIGTERM, {}},
        {false, "-screen 0 1024x768x15", shown, 128 + SIGTERM, {}},
        {false, "-listen tcp -screen 0 1024x768x30", "DISPLAY=127.0.0.1$DISPLAY " + shown, 128 + SIGTERM, {}},
    };

    const auto isolated = isolation();
    auto probe = isolated;
    probe.add ("true");
    const auto madeNamespaces = run (probe);
    if (madeNamespaces.status != 0)
        std::cout << "Rows with DISPLAY unset or empty not run, as no namespaces could be made to keep "
                     "them from a real display: "
                  << madeNamespaces.output.trim() << std::endl;

    const TempFolder temp;
    const auto authority = temp.file ("Xauthority");
    for (const auto& row : rows)
    {
        if (row.isolated && madeNamespaces.status != 0)
            continue;

        SCOPED_TRACE (row.script);
        auto command = row.isolated ? isolated : juce::StringArray();
        // The authority file is the test's own: given a folder of its own to make and remove,
        // xvfb-run can fail in removing it, which would hide the status of what it ran.
        if (row.server != nullptr)
            command.addArray ({"xvfb-run", "-a", "-l", "-f", authority.getFullPathName(), "-s", row.server});
        command.addArray ({"sh", "-c", row.script, QUORVEL_APP});

        const auto ended = run (command);
        EXPECT_TRUE (ended.output.contains (row.said)) << ended.output;
        EXPECT_FALSE (ended.output.contains ("JUCE Assertion failure")) << ended.output;
        EXPECT_EQ (ended.status, row.status)
            << (ended.status == 124 ? "still running at the deadline" : ended.output.toStdString());
    }
}
