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

// What `unshare` is given to set a row's command apart; nothing where it runs as it is.
using Apart = juce::StringArray;
const Apart kAsItIs;

// Where no X server can be reached as ":0" (the display the framework tries when DISPLAY is
// unset or empty, on a desktop the user's own): libxcb tries the abstract socket, which belongs
// to the network namespace, then /tmp/.X11-unix/X0, hidden under an empty tmpfs, then TCP to
// localhost, whose loopback is down in a new network namespace.
const Apart kFromEveryDisplay{"--net",
                              "--mount",
                              "sh",
                              "-c",
                              "[ ! -d /tmp/.X11-unix ] || mount -t tmpfs tmpfs /tmp/.X11-unix && exec \"$@\"",
                              "sh"};
// In an IPC namespace of its own, whose shared memory is the program's and its server's.
const Apart kOwnSharedMemory{"--ipc"};
// The same, with processes of its own; once the program's X server has ended, it says how many
// segments are left.
const Apart kOwnSharedMemoryCounted{"--ipc",
                                    "--pid",
                                    "--fork",
                                    "--mount-proc",
                                    "sh",
                                    "-c",
                                    "\"$@\"; status=$?; pidwait -x Xvfb; "
                                    "echo \"segments left: $(ipcs -m | grep -c '^0x')\"; exit $status",
                                    "sh"};
// The X server in an IPC namespace of its own that holds segments under the ids the first
// segments of any fresh namespace get, large enough for a window's image, and the program then
// in another.
const Apart kServerHoldingSegments{
    "--ipc", "sh", "-c", "for n in 1 2 3 4; do ipcmk -M 4194304 >/dev/null; done && exec \"$@\"", "sh"};

juce::StringArray prefixFor (const Apart& apart)
{
    if (apart.isEmpty())
        return {};

    // Root makes the namespaces itself; another user in a user namespace of its own.
    juce::StringArray prefix{"unshare"};
    if (::geteuid() != 0)
        prefix.addArray ({"--user", "--map-root-user"});
    prefix.addArray (apart);
    return prefix;
}

struct Row
{
    const char* name;
    Apart apart;
    const char* server; // Xvfb's arguments; none without a server
    // Run by sh, with the program as $0, the painting checker as $1 and a display number at
    // which nothing answers as $2.
    juce::String script;
    juce::uint32 status;
    juce::String said; // "{absent}" stands for that display number
};

void PrintTo (const Row& row, std::ostream* out)
{
    *out << row.name;
}

// Pieces of the rows' scripts: the program started; its window found shown and painting
// (rather than left black); the program stopped.
const juce::String kStart = "\"$0\" & app=$!; ";
const juce::String kPaints = "id=$(xdotool search --sync --onlyvisible --name 'Velmont Quillet Quorvel') && "
                             "\"$1\" \"$id\"; ";
const juce::String kStop = "kill $app; wait $app";
const juce::String kPainted = "the window paints";

const juce::String kNotOpened = "Brisca Tarn Quorvel: no X display could be opened (";
const juce::String kTried = "DISPLAY=\":";
const juce::String kNothingShared =
    "Brisca Tarn Quorvel: the X display offers no 16 or 24-bit colour visual, and the program can draw on "
    "its 32-bit one only through memory it shares with the X server, which could not be shared (" +
    kTried;
const juce::String kNonAscii = juce::String::fromUTF8 (u8":\u00fc7");

const Row kRows[] = {
    {"DisplayUnset", kFromEveryDisplay, nullptr, "unset DISPLAY; exec \"$0\"", 1,
     kNotOpened + "DISPLAY is not set; tried \":0.0\")."},
    {"DisplayEmpty", kFromEveryDisplay, nullptr, "DISPLAY= exec \"$0\"", 1,
     kNotOpened + "DISPLAY is empty; tried \":0.0\")."},
    {"NothingAtTheDisplay", kAsItIs, nullptr, "DISPLAY=:$2 exec \"$0\"", 1,
     kNotOpened + "DISPLAY=\":{absent}\")."},
    {"NameNotAscii", kAsItIs, nullptr, "DISPLAY='" + kNonAscii + "' exec \"$0\"", 1,
     kNotOpened + "DISPLAY=\"" + kNonAscii + "\")."},
    {"EightBitScreen", kAsItIs, "-screen 0 800x600x8", "exec \"$0\"", 1,
     "Brisca Tarn Quorvel: the X display offers no 16, 24 or 32-bit colour visual the program can draw on (" +
         kTried},
    {"NegativeScreen", kAsItIs, "-screen 0 800x600x8", "DISPLAY=$DISPLAY.-1 exec \"$0\"", 1,
     "Brisca Tarn Quorvel: no X display has a screen -1 (" + kTried},
    {"DeepColourWithoutSharedMemory", kAsItIs, "-extension MIT-SHM -screen 0 1024x768x30", "exec \"$0\"", 1,
     kNothingShared},
    // Deep-colour and 15-bit screens, where the framework draws through a 32-bit visual.
    {"DeepColour", kAsItIs, "-screen 0 1024x768x30", kStart + kPaints + kStop, 128 + SIGTERM, kPainted},
    {"FifteenBit", kAsItIs, "-screen 0 1024x768x15", kStart + kPaints + kStop, 128 + SIGTERM, kPainted},
    // Over TCP, even from this machine, the X server lets a client use only shared memory that
    // every user may read: the program draws without it.
    {"OverTcp", kAsItIs, "-listen tcp -screen 0 1024x768x24",
     "DISPLAY=127.0.0.1$DISPLAY " + kStart + kPaints + kStop, 128 + SIGTERM, kPainted},
    {"DeepColourOverTcp", kAsItIs, "-listen tcp -screen 0 1024x768x30",
     "DISPLAY=127.0.0.1$DISPLAY exec \"$0\"", 1, kNothingShared.replace (kTried, "DISPLAY=\"127.0.0.1:")},
    // The window images shared with the X server: nobody else's to read or write while the
    // program runs, and gone with it however it ends.
    {"SharedImagesArePrivate", kOwnSharedMemory, "-screen 0 1024x768x30",
     kStart + kPaints +
         "echo \"segment modes: $(ipcs -m | awk '/^0x/ { print $4 }' | sort -u | paste -sd ' ').\"; " + kStop,
     128 + SIGTERM, "segment modes: 600."},
    {"KilledLeavesNoSharedImage", kOwnSharedMemoryCounted, "-screen 0 1024x768x24",
     kStart + kPaints + "kill -KILL $app; wait $app", 128 + SIGKILL, "segments left: 0"},
    // Xlib ends the program when its server goes, without freeing anything: not a leak to
    // look for there.
    {"ServerKilledLeavesNoSharedImage", kOwnSharedMemoryCounted, "-screen 0 1024x768x24",
     "ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:detect_leaks=0\" " + kStart + kPaints + "pkill -x Xvfb; wait $app", 1,
     "segments left: 0"},
    // A server that attaches, under the ids of the program's segments, those of its own namespace.
    {"ServerInAnotherIpcNamespace", kServerHoldingSegments, "-screen 0 1024x768x24",
     "unshare --ipc \"$0\" & app=$!; " + kPaints + kStop, 128 + SIGTERM, kPainted},
    {"DeepColourServerInAnotherIpcNamespace", kServerHoldingSegments, "-screen 0 1024x768x30",
     "exec unshare --ipc \"$0\"", 1, kNothingShared},
};
} // namespace

class AppStarted : public ::testing::TestWithParam<Row>
{
};

// The built program, started where no X display can be reached, as over a plain remote shell,
// or on an X server of the test's own (Xvfb, which xvfb-run starts at a free number): it says
// on standard error why it cannot draw there and exits with status 1, or shows its window.
TEST_P (AppStarted, SaysWhyItCannotDrawOrShowsItsWindow)
{
    const auto& row = GetParam();
    auto command = prefixFor (row.apart);

    if (!command.isEmpty())
    {
        auto probe = command;
        probe.add ("true");
        if (const auto made = run (probe); made.status != 0)
            GTEST_SKIP() << "the namespaces the row needs cannot be made here: " << made.output.trim();
    }

    // Not a number where something else answers, as ssh's X forwarding does by TCP.
    juce::String absent;
    juce::StreamingSocket listener;
    if (row.said.contains ("{absent}"))
    {
        const auto listened = absentDisplayNumber();
        ASSERT_TRUE (listener.createListener (6000 + listened, "127.0.0.1"));
        absent = juce::String (absentDisplayNumber());
        EXPECT_NE (absent, juce::String (listened));
    }

    // The authority file is the test's own: given a folder of its own to make and remove,
    // xvfb-run can fail in removing it, which would hide the status of what it ran.
    const TempFolder temp;
    if (row.server != nullptr)
        command.addArray (
            {"xvfb-run", "-a", "-l", "-f", temp.file ("Xauthority").getFullPathName(), "-s", row.server});
    command.addArray ({"sh", "-c", row.script, QUORVEL_APP, QUORVEL_WINDOW_PAINTS, absent});

    const auto ended = run (command);
    EXPECT_TRUE (ended.output.contains (row.said.replace ("{absent}", absent))) << ended.output;
    // The framework's own, once Xlib ends the program for a server that went.
    EXPECT_FALSE (ended.output.upToFirstOccurrenceOf ("connection to X server broken", false, false)
                      .contains ("JUCE Assertion failure"))
        << ended.output;
    EXPECT_EQ (ended.status, row.status)
        << (ended.status == 124 ? "still running at the deadline" : ended.output.toStdString());
}

INSTANTIATE_TEST_SUITE_P (Displays, AppStarted, ::testing::ValuesIn (kRows),
                          [] (const auto& row) { return std::string (row.param.name); });
