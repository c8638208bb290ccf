#include "files/ExtendedAttributes.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <sys/xattr.h>

namespace
{
constexpr size_t kBufferBytes = 4096;

// The names of a file's attributes, as the system lists them: each ended by a zero.
struct Names
{
    std::array<char, kBufferBytes> text;
    size_t size = 0;

    // False when they cannot be known. A file system that keeps no attributes gives none.
    bool read (const FileDescriptor& file) noexcept
    {
        const auto got = ::listxattr (file.procPath().text, text.data(), text.size());
        size = got > 0 ? static_cast<size_t> (got) : 0;
        return got >= 0 || errno == ENOTSUP || errno == ENOSYS;
    }

    // True when `visit` gives true for every name.
    template <typename Visit>
    bool all (Visit&& visit) const noexcept
    {
        for (size_t at = 0; at < size; at += std::strlen (text.data() + at) + 1)
            if (!visit (text.data() + at))
                return false;

        return true;
    }
};

struct Value
{
    std::array<char, kBufferBytes> bytes;
    ssize_t size = 0;

    bool read (const FileDescriptor& file, const char* name) noexcept
    {
        size = ::getxattr (file.procPath().text, name, bytes.data(), bytes.size());
        return size >= 0;
    }

    bool operator== (const Value& other) const noexcept
    {
        return size == other.size &&
               std::memcmp (bytes.data(), other.bytes.data(), static_cast<size_t> (size)) == 0;
    }
};

// The integrity hashes the system keeps of a file's contents differ for new contents.
bool computedFromContents (const char* name) noexcept
{
    return std::strcmp (name, "security.ima") == 0 || std::strcmp (name, "security.evm") == 0;
}

size_t countCompared (const Names& names) noexcept
{
    size_t count = 0;
    names.all (
        [&count] (const char* name)
        {
            count += computedFromContents (name) ? 0u : 1u;
            return true;
        });
    return count;
}
} // namespace

void ExtendedAttributes::copy (const FileDescriptor& from, const FileDescriptor& to) noexcept
{
    (void) ::fremovexattr (to.get(), "system.posix_acl_access");

    Names names;
    Value value;

    if (names.read (from))
        names.all (
            [&] (const char* name)
            {
                if (value.read (from, name))
                    (void) ::fsetxattr (to.get(), name, value.bytes.data(), static_cast<size_t> (value.size),
                                        0);

                return true;
            });
}

bool ExtendedAttributes::same (const FileDescriptor& a, const FileDescriptor& b) noexcept
{
    Names namesOfA, namesOfB;
    Value valueInA, valueInB;

    return namesOfA.read (a) && namesOfB.read (b) && countCompared (namesOfA) == countCompared (namesOfB) &&
           namesOfA.all (
               [&] (const char* name)
               {
                   return computedFromContents (name) ||
                          (valueInA.read (a, name) && valueInB.read (b, name) && valueInA == valueInB);
               });
}
