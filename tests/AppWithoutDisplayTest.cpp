#include "support/BoundedCommand.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <arpa/inet.h>
#include <cstddef>
#include <cstring>
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

// Last, as its macros (None, Bool, Status) would rename what the headers above declare.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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
// The tests start from numbers of their own, so that one running beside another does not
// start a server at the number the other found absent.
int absentDisplayNumber (int from)
{
    int number = from;
    while (displayTaken (number))
        ++number;
    return number;
}

// Ample for a start-up under the sanitizers on a busy machine.
constexpr int kDeadlineSeconds = 30;

juce::uint32 deadline()
{
    return juce::Time::getMillisecondCounter() + kDeadlineSeconds * 1000;
}

BoundedCommand::Ended run (const juce::StringArray& command)
{
    return BoundedCommand::run (command, kDeadlineSeconds);
}

// A program of the test's own, stopped where it still runs at the end of its scope. Its
// standard output and error go to `output`: not the test's own, which a program left behind
// by a crashed test would hold open for whoever reads it.
class Spawned
{
public:
    Spawned (std::vector<std::string> arguments, const char* output, int closed = -1)
    {
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init (&actions);
        if (closed >= 0)
            ::posix_spawn_file_actions_addclose (&actions, closed);
        ::posix_spawn_file_actions_addopen (&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::posix_spawn_file_actions_adddup2 (&actions, 1, 2);

        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back (argument.data());
        argv.push_back (nullptr);

        if (::posix_spawnp (&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid = 0;
        ::posix_spawn_file_actions_destroy (&actions);
        // glibc 2.36 declares pidfd_open without C linkage.
        if (pid != 0)
            ended.fd = (int) ::syscall (SYS_pidfd_open, pid, 0);
    }

    ~Spawned() { stop(); }

    bool started() const { return pid != 0; }

    // Whether it has ended, waiting up to `milliseconds` for that.
    bool hasEnded (int milliseconds = 0) const
    {
        auto watched = ended;
        return pid == 0 || ::poll (&watched, 1, milliseconds) == 1;
    }

    // Sends SIGTERM and waits for the end, killing at the deadline; the wait status.
    int stop()
    {
        if (pid != 0)
        {
            ::kill (pid, SIGTERM);
            if (!hasEnded (kDeadlineSeconds * 1000))
                ::kill (pid, SIGKILL);
            ::waitpid (pid, &status, 0);
            ::close (ended.fd);
            pid = 0;
        }
        return status;
    }

    pollfd ended{-1, POLLIN, 0}; // readable once it has ended

private:
    pid_t pid = 0;
    int status = 0;

    JUCE_DECLARE_NON_COPYABLE (Spawned)
};

// An X server of the test's own whose one screen has the depth given, at a display number far
// from those of users' screens. Xvfb writes the number to -displayfd once it takes clients,
// then closes that descriptor; it ends at once where another server took the number first.
class XvfbServer
{
public:
    struct Kind
    {
        int depth;
        bool tcp = false;
        bool sharedMemory = true;
    };

    XvfbServer (Kind kind, int from)
    {
        for (int attempt = 0; attempt < 10 && display.isEmpty(); ++attempt)
            start (kind, absentDisplayNumber (from));
    }

    juce::String display; // ":N", empty where the server did not start

private:
    void start (Kind kind, int number)
    {
        int ready[2];
        if (::pipe (ready) != 0)
            return;

        std::vector<std::string> arguments{"Xvfb",
                                           ":" + std::to_string (number),
                                           "-screen",
                                           "0",
                                           "1024x768x" + std::to_string (kind.depth),
                                           "-displayfd",
                                           std::to_string (ready[1]),
                                           kind.tcp ? "-listen" : "-nolisten",
                                           "tcp"};
        if (!kind.sharedMemory)
            arguments.insert (arguments.end(), {"-extension", "MIT-SHM"});
        server = std::make_unique<Spawned> (arguments, "/dev/null", ready[0]);
        ::close (ready[1]);

        // Read to the end, as the server ends when it cannot write the whole line.
        std::string written;
        pollfd readable{ready[0], POLLIN, 0};
        char bytes[16];
        ssize_t got = 0;
        while (server->started() && ::poll (&readable, 1, kDeadlineSeconds * 1000) == 1 &&
               (got = ::read (ready[0], bytes, sizeof bytes)) > 0)
            written.append (bytes, (size_t) got);
        ::close (ready[0]);

        if (got == 0 && !written.empty())
            display = ":" + juce::String (written).trim();
        else
            server = nullptr;
    }

    // Ended by SIGTERM, Xvfb removes its socket and lock file.
    std::unique_ptr<Spawned> server;

    JUCE_DECLARE_NON_COPYABLE (XvfbServer)
};

// The top-level windows mapped on a display, watched as a window manager watches them, from
// before the program that maps them starts.
class TopLevelWindows
{
public:
    explicit TopLevelWindows (const juce::String& name)
        : display (XOpenDisplay (name.toRawUTF8()))
    {
        // Not the default, which ends the test at a window that is gone by the time it is read.
        previousHandler = XSetErrorHandler ([] (Display*, XErrorEvent*) { return 0; });
        if (display != nullptr)
            XSelectInput (display, DefaultRootWindow (display), SubstructureNotifyMask);
    }

    ~TopLevelWindows()
    {
        if (display != nullptr)
            XCloseDisplay (display);
        XSetErrorHandler (previousHandler);
    }

    // The first window mapped with the name given, while the program runs and by the deadline;
    // 0 where none is.
    Window waitForMapped (const std::string& title, const Spawned& program, juce::uint32 until)
    {
        for (auto now = juce::Time::getMillisecondCounter();
             display != nullptr && !program.hasEnded() && now < until;
             now = juce::Time::getMillisecondCounter())
        {
            if (XPending (display) == 0)
            {
                pollfd readable[] = {{ConnectionNumber (display), POLLIN, 0}, program.ended};
                ::poll (readable, 2, (int) (until - now));
                continue;
            }

            XEvent event;
            XNextEvent (display, &event);
            if (event.type == MapNotify && nameOf (event.xmap.window) == title)
                return event.xmap.window;
        }
        return 0;
    }

    // Whether the window's pixel turns other than black, while the program runs and by the
    // deadline, as the program paints.
    bool waitForPainted (Window window, int x, int y, const Spawned& program, juce::uint32 until)
    {
        while (!program.hasEnded (20) && juce::Time::getMillisecondCounter() < until)
            if (auto* image = XGetImage (display, window, x, y, 1, 1, AllPlanes, ZPixmap))
            {
                // Its colour: the unpainted window of a 32-bit visual reads as opaque black.
                const auto colour =
                    XGetPixel (image, 0, 0) & (image->red_mask | image->green_mask | image->blue_mask);
                XDestroyImage (image);
                if (colour != 0)
                    return true;
            }
        return false;
    }

private:
    std::string nameOf (Window window)
    {
        XTextProperty name{};
        if (XGetWMName (display, window, &name) == 0 || name.value == nullptr)
            return {};
        const std::string text ((const char*) name.value, name.nitems);
        XFree (name.value);
        return text;
    }

    Display* display;
    XErrorHandler previousHandler;

    JUCE_DECLARE_NON_COPYABLE (TopLevelWindows)
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
    const XvfbServer eightBit ({8}, 1000);
    const XvfbServer unshared ({30, false, false}, 1000);
    ASSERT_TRUE (eightBit.display.isNotEmpty() && unshared.display.isNotEmpty()) << "Xvfb did not start";

    // Another number, now that the servers hold theirs, and not one where something else answers.
    juce::StreamingSocket listener;
    const auto listened = absentDisplayNumber (1000);
    ASSERT_TRUE (listener.createListener (6000 + listened, "127.0.0.1"));
    const auto absent = ":" + juce::String (absentDisplayNumber (1000));
    EXPECT_NE (absent, ":" + juce::String (listened));

    const auto nonAscii = juce::String::fromUTF8 (u8":\u00fc7");
    const juce::String notOpened = "Brisca Tarn Quorvel: no X display could be opened (";
    const juce::String notDrawn = "Brisca Tarn Quorvel: the X display offers no 16, 24 or 32-bit colour "
                                  "visual the program can draw on (";
    const juce::String notShared =
        "Brisca Tarn Quorvel: the X display offers no 16 or 24-bit colour visual, and "
        "the program can draw on its 32-bit one only through memory it shares with "
        "the X server, which could not be shared (";
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
        {{"DISPLAY=" + unshared.display}, false, notShared + "DISPLAY=\"" + unshared.display + "\")."},
        {{"DISPLAY=" + eightBit.display + ".-1"},
         false,
         "Brisca Tarn Quorvel: no X display has a screen -1 (DISPLAY=\"" + eightBit.display + ".-1\")."},
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

// Where the framework draws through a 32-bit visual, as on a deep-colour or a 15-bit screen,
// locally or over TCP, the program's window appears and is painted, and the program runs on.
TEST (AppOnItsOwnServer, ShowsItsWindowPaintedWhereA32BitVisualIsOffered)
{
    const struct
    {
        XvfbServer::Kind server;
        juce::String host;
    } rows[] = {{{30}, {}}, {{15}, {}}, {{30, true}, "127.0.0.1"}};

    for (const auto& row : rows)
    {
        const XvfbServer server (row.server, 1100);
        ASSERT_TRUE (server.display.isNotEmpty()) << "Xvfb did not start";
        const auto display = row.host + server.display;
        SCOPED_TRACE ("DISPLAY=" + display + " of depth " + juce::String (row.server.depth));

        TopLevelWindows windows (display);
        const juce::TemporaryFile output;
        Spawned app ({"env", "DISPLAY=" + display.toStdString(), QUORVEL_APP},
                     output.getFile().getFullPathName().toRawUTF8());
        ASSERT_TRUE (app.started());

        // A point of the light background. Centred, the window lies wholly on the screen, as
        // reading its pixels needs.
        const auto until = deadline();
        const auto window = windows.waitForMapped ("Velmont Quillet Quorvel", app, until);
        EXPECT_NE (window, 0u);
        EXPECT_TRUE (window != 0 && windows.waitForPainted (window, 8, 8, app, until));

        const auto status = app.stop();
        const auto said = output.getFile().loadFileAsString();
        EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == SIGTERM) << "ended before it was stopped\n"
                                                                           << said;
        EXPECT_FALSE (said.contains ("JUCE Assertion failure")) << said;
    }
}
