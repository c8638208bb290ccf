#include "files/ExtendedAttributes.h"

#include <cerrno>
#include <cstring>
#include <sys/xattr.h>

namespace
{
constexpr size_t kValueBytes = 4096;

struct Value
{
    std::array<char, kValueBytes> bytes;
    ssize_t size = -1;

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

// Calls `visit` with each of the zero-ended names while it gives true; false where it gave
// false.
template <typename Visit>
bool eachName (const char* names, size_t size, Visit&& visit) noexcept
{
    for (size_t at = 0; at < size; at += std::strlen (names + at) + 1)
        if (!visit (names + at))
            return false;

    return true;
}

size_t countCompared (const char* names, size_t size) noexcept
{
    size_t count = 0;
    eachName (names, size,
              [&count] (const char* name)
              {
                  count += computedFromContents (name) ? 0u : 1u;
                  return true;
              });
    return count;
}

// None where the file system keeps no attributes.
bool listed (ssize_t size) noexcept
{
    return size >= 0 || errno == ENOTSUP || errno == ENOSYS;
}
} // namespace

ExtendedAttributes::ExtendedAttributes (const FileDescriptor& fileToRead) noexcept
    : file (fileToRead)
{
    const auto size = ::listxattr (file.procPath().text, names.data(), names.size());
    namesSize = size > 0 ? static_cast<size_t> (size) : 0;
    known = listed (size);
}

void ExtendedAttributes::copyTo (const FileDescriptor& newFile) const noexcept
{
    (void) ::fremovexattr (newFile.get(), "system.posix_acl_access");
    Value value;

    eachName (names.data(), namesSize,
              [&] (const char* name)
              {
                  value.size =
                      ::getxattr (file.procPath().text, name, value.bytes.data(), value.bytes.size());
                  if (value.size >= 0)
                      (void) ::fsetxattr (newFile.get(), name, value.bytes.data(),
                                          static_cast<size_t> (value.size), 0);
                  return true;
              });
}

bool ExtendedAttributes::areTheSameOn (const FileDescriptor& newFile) const noexcept
{
    std::array<char, kBufferBytes> newNames;
    const auto newSize = ::flistxattr (newFile.get(), newNames.data(), newNames.size());
    Value oldValue, newValue;

    return known && listed (newSize) &&
           countCompared (names.data(), namesSize) ==
               countCompared (newNames.data(), newSize > 0 ? static_cast<size_t> (newSize) : 0) &&
           eachName (names.data(), namesSize,
                     [&] (const char* name)
                     {
                         oldValue.size = ::getxattr (file.procPath().text, name, oldValue.bytes.data(),
                                                     oldValue.bytes.size());
                         newValue.size =
                             ::fgetxattr (newFile.get(), name, newValue.bytes.data(), newValue.bytes.size());
                         return computedFromContents (name) || (oldValue.size >= 0 && oldValue == newValue);
                     });
}
