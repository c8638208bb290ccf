#include "app/SharedImageMemory.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/random.h>
#include <sys/shm.h>
#include <sys/stat.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

// The functions themselves, which the linker's --wrap names so inside the wrappers.
extern "C" int __real_shmget (key_t key, size_t size, int flags);
extern "C" void* __real_shmat (int id, const void* address, int flags);

namespace
{
constexpr int kPrivate = S_IRUSR | S_IWUSR;

// A bitmap 32 pixels wide has rows of four bytes on every server, whose scanlines are padded
// to 8, 16 or 32 bits: what is put is what comes back, byte for byte.
constexpr uint16_t kSide = 32;
constexpr size_t kBytes = kSide * kSide / 8;

void* const kNotAttached = reinterpret_cast<void*> (-1);

// Linux lets the X server attach a segment marked for removal; it goes once the last attachment
// does, the process's own ending with it. One that cannot be attached goes at once.
void* attachMarkedForRemoval (int id, const void* address, int flags)
{
    void* attached = __real_shmat (id, address, flags);
    const int error = errno;
    (void) ::shmctl (id, IPC_RMID, nullptr);
    errno = error;
    return attached;
}

// A fresh private segment, attached here, holding random bits that no other segment holds.
class TestSegment
{
public:
    TestSegment()
        : id (__real_shmget (IPC_PRIVATE, kBytes, IPC_CREAT | kPrivate))
        , bits (id >= 0 ? attachMarkedForRemoval (id, nullptr, 0) : kNotAttached)
    {
        if (bits != kNotAttached && ::getrandom (bits, kBytes, GRND_NONBLOCK) != (ssize_t) kBytes)
            std::memset (bits, 0xa5, kBytes);
    }

    ~TestSegment()
    {
        if (bits != kNotAttached)
            (void) ::shmdt (bits);
    }

    TestSegment (const TestSegment&) = delete;
    TestSegment& operator= (const TestSegment&) = delete;

    bool isAttached() const noexcept { return bits != kNotAttached; }

    const int id;
    void* const bits;
};

const xcb_screen_t* screenOf (xcb_connection_t* connection, int number)
{
    auto screens = xcb_setup_roots_iterator (xcb_get_setup (connection));

    for (; screens.rem > 0 && number > 0; --number)
        xcb_screen_next (&screens);

    return screens.rem > 0 && number == 0 ? screens.data : nullptr;
}

// The server attaches the segment read-only, copies it into a bitmap and hands the bitmap back
// over the connection. A server in another IPC namespace attaches whatever its namespace holds
// under that id, or fails to.
bool putAndReadBack (xcb_connection_t* connection, const xcb_screen_t& screen, const TestSegment& segment)
{
    const auto shm = xcb_generate_id (connection);
    xcb_shm_attach (connection, shm, (uint32_t) segment.id, 1);

    const auto bitmap = xcb_generate_id (connection);
    xcb_create_pixmap (connection, 1, bitmap, screen.root, kSide, kSide);
    const auto gc = xcb_generate_id (connection);
    xcb_create_gc (connection, gc, bitmap, 0, nullptr);
    xcb_shm_put_image (connection, bitmap, gc, kSide, kSide, 0, 0, kSide, kSide, 0, 0, 1,
                       XCB_IMAGE_FORMAT_Z_PIXMAP, 0, shm, 0);

    // Where the server refused the segment, the bitmap holds whatever it held before: never bits
    // drawn at random here.
    const std::unique_ptr<xcb_get_image_reply_t, decltype (&std::free)> image (
        xcb_get_image_reply (
            connection,
            xcb_get_image (connection, XCB_IMAGE_FORMAT_Z_PIXMAP, bitmap, 0, 0, kSide, kSide, ~0u), nullptr),
        &std::free);

    return image != nullptr && xcb_get_image_data_length (image.get()) == (int) kBytes &&
           std::memcmp (xcb_get_image_data (image.get()), segment.bits, kBytes) == 0;
}

bool checkServer()
{
    const char* named = std::getenv ("DISPLAY");
    int screenNumber = 0;
    const std::unique_ptr<xcb_connection_t, decltype (&xcb_disconnect)> connection (
        xcb_connect (named != nullptr && *named != 0 ? named : ":0.0", &screenNumber), &xcb_disconnect);

    if (xcb_connection_has_error (connection.get()) != 0)
        return false;

    const auto* extension = xcb_get_extension_data (connection.get(), &xcb_shm_id);
    const auto* screen = screenOf (connection.get(), screenNumber);
    const TestSegment segment;

    // Closing the connection frees what the server made for it, the attachment among them.
    return extension != nullptr && extension->present != 0 && screen != nullptr && segment.isAttached() &&
           putAndReadBack (connection.get(), *screen, segment);
}
} // namespace

bool SharedImageMemory::isSeenByServer()
{
    static const bool seen = checkServer();
    return seen;
}

// The framework's calls, as --wrap hands them over: the names are the linker's.
extern "C" int __wrap_shmget (key_t key, size_t size, int flags)
{
    return __real_shmget (key, size, (flags & ~0777) | kPrivate);
}

extern "C" void* __wrap_shmat (int id, const void* address, int flags)
{
    // Refused its first segment, the framework frees what it made for it, removes it and takes
    // it that there is no shared memory: it draws without.
    if (!SharedImageMemory::isSeenByServer())
    {
        errno = ENOSYS;
        return kNotAttached;
    }

    return attachMarkedForRemoval (id, address, flags);
}
