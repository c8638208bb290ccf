#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

// An access or default ACL as the system keeps it in an extended attribute: a header, then
// each entry's tag, permissions and the user or group it names, in the order the system
// sorts them. Writing ACLs as attributes needs no package of ACL tools.
namespace AclBytes
{
enum Tag : std::uint32_t
{
    kOwner = 1,
    kUser = 2,
    kOwningGroup = 4,
    kGroup = 8,
    kMask = 0x10,
    kOthers = 0x20
};

constexpr std::uint32_t kNoId = 0xFFFFFFFF;
constexpr const char* kAccess = "system.posix_acl_access";
constexpr const char* kDefault = "system.posix_acl_default";

inline std::string of (std::initializer_list<std::array<std::uint32_t, 3>> entries)
{
    std::string bytes ("\x02\0\0\0", 4);
    for (const auto& [tag, permissions, id] : entries)
        for (const auto& [value, width] : {std::pair (tag, 2), std::pair (permissions, 2), std::pair (id, 4)})
            for (int byte = 0; byte < width; ++byte)
                bytes += static_cast<char> (value >> (8 * byte));
    return bytes;
}
} // namespace AclBytes
