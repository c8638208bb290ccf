#include "support/BoundedCommand.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <arpa/inet.h>
#include <cstddef>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

// An X server of the test's own whose one screen has 8 bits a pixel, which the framework
// cannot draw on, at a display number far from those of users' screens. Xvfb writes the
// number to -displayfd once it takes clients, then closes that descriptor.
class EightBitServer
{
public:
    explicit EightBitServer (const juce::String& displayName)
    {
        int ready[2];
        if (::pipe (ready) != 0)
            return;

        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init (&actions);
        ::posix_spawn_file_actions_addclose (&actions, ready[0]);
        // Not the test's own output, which a server left behind by a crashed test would hold
        // open for whoever reads it.
        ::posix_spawn_file_actions_addopen (&actions, 1, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_adddup2 (&actions, 1, 2);
        const auto fd = std::to_string (ready[1]);
        const auto name = displayName.toStdString();
        const char* argv[] = {"Xvfb", name.c_str(), "-displayfd", fd.c_str(), "-screen",
                              "0",    "800x600x8",  "-nolisten",  "tcp",      nullptr};
        if (::posix_spawnp (&pid, "Xvfb", &actions, nullptr, const_cast<char**> (argv), environ) != 0)
            pid = 0;
        ::posix_spawn_file_actions_destroy (&actions);
        ::close (ready[1]);

        // Read to the end, as the server ends when it cannot write the whole line.
        std::string number;
        pollfd readable{ready[0], POLLIN, 0};
        char bytes[16];
        ssize_t got = 0;
        while (pid != 0 && ::poll (&readable, 1, kDeadlineSeconds * 1000) == 1 &&
               (got = ::read (ready[0], bytes, sizeof bytes)) > 0)
            number.append (bytes, (size_t) got);
        ::close (ready[0]);
        if (got == 0 && !number.empty())
            display = ":" + juce::String (number).trim();
    }

    // Ended by SIGTERM, Xvfb removes its socket and lock file.
    ~EightBitServer()
    {
        if (pid == 0)
            return;

        // Readable once the process has ended (glibc 2.36 declares pidfd_open without C linkage).
        const auto exited = (int) ::syscall (SYS_pidfd_open, pid, 0);
        ::kill (pid, SIGTERM);
        pollfd ended{exited, POLLIN, 0};
        if (::poll (&ended, 1, kDeadlineSeconds * 1000) != 1)
            ::kill (pid, SIGKILL);
        ::waitpid (pid, nullptr, 0);
        ::close (exited);
    }

    juce::String display; // empty where the server did not start

private:
    pid_t pid = 0;

    JUCE_DECLARE_NON_COPYABLE (EightBitServer)
};

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
// or where the one reached cannot be drawn on.
TEST (AppWithoutDisplay, SaysSoOnStandardErrorAndExitsWithStatusOne)
{
    const EightBitServer eightBit (":" + juce::String (absentDisplayNumber()));
    ASSERT_TRUE (eightBit.display.isNotEmpty()) << "Xvfb did not start";

    // Another number, now that the server holds its own, and not one where something else answers.
    juce::StreamingSocket listener;
    const auto listened = absentDisplayNumber();
    ASSERT_TRUE (listener.createListener (6000 + listened, "127.0.0.1"));
    const auto absent = ":" + juce::String (absentDisplayNumber());
    EXPECT_NE (absent, ":" + juce::String (listened));

    const auto nonAscii = juce::String::fromUTF8 (u8":\u00fc7");
    const juce::String notOpened = "Brisca Tarn Quorvel: no X display could be opened (";
    const juce::String notDrawn = "Brisca Tarn Quorvel: the X display offers no 16, 24 or 32-bit colour "
                                  "visual the program can draw on (";
    const struct
    {
        juce::StringArray environment;
        bool isolated;
        juce::String said;
    } rows[] = {
        {{"-u", "DISPLAY"}, true, notOpened + "DISPLAY is not set; tried \":0.0\")."},
        {{"DISPLAY="}, true, notOpened + "DISPLAY is empty; tried \":0.0\")."},
        {{"DISPLAY=" + absent}, false, notOpened + "DISPLAY=\"" + absent + "\")."},
        {{"DISPLAY=" + nonAscii}, false, notOpened + "DISPLAY=\"" + nonAscii + "\")."},
        {{"DISPLAY=" + eightBit.display}, false, notDrawn + "DISPLAY=\"" + eightBit.display + "\")."},
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
        EXPECT_FALSE (ended.output.contains ("JUCE Assertion failure")) << ended.output;
        EXPECT_EQ (ended.status, 1u) << (ended.status == 124 ? "still running at the deadline" : "");
    }
}
