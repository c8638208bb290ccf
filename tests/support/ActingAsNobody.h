#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

// Root may read and write any file. While this lives, a process run by root acts as the user
// nobody, whose permissions are then the ones checked (glibc changes the effective ids of all
// the process's threads); any other user stays who it is.
class ActingAsNobody
{
public:
    static constexpr uid_t kUser = 65534;
    static constexpr gid_t kGroup = 65534;

    ActingAsNobody()
        : ActingAsNobody (kUser, kGroup)
    {
    }

    // Acts as the user and group given instead, where a test needs someone else in particular.
    ActingAsNobody (uid_t user, gid_t userGroup)
    {
        EXPECT_TRUE (!root || (::setegid (userGroup) == 0 && ::seteuid (user) == 0));
    }

    ~ActingAsNobody() { EXPECT_TRUE (!root || (::seteuid (0) == 0 && ::setegid (group) == 0)); }

    ActingAsNobody (const ActingAsNobody&) = delete;
    ActingAsNobody& operator= (const ActingAsNobody&) = delete;

private:
    const bool root = ::geteuid() == 0;
    const gid_t group = ::getegid();
};
