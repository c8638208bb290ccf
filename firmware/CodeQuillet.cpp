#include "firmware/CodeQuillet.h"

#ifndef QUORVEL_ACCESS_CODE
#define QUORVEL_ACCESS_CODE "XXXXXXX"
#endif

namespace
{
constexpr char kAccessCode[] = QUORVEL_ACCESS_CODE;

constexpr bool isPrintableCode (const char* text, int length)
{
    for (int i = 0; i < length; ++i)
        if (text[i] <= ' ' || text[i] > '~')
            return false;

    return true;
}
} // namespace

static_assert (sizeof (kAccessCode) == kCodeQuilletLength + 1,
               "QUORVEL_ACCESS_CODE must be exactly seven characters");
static_assert (isPrintableCode (kAccessCode, kCodeQuilletLength),
               "QUORVEL_ACCESS_CODE must be printable ASCII without blanks");

const unsigned char CODE_QUILLET[7] = {
    static_cast<unsigned char> (kAccessCode[0]), static_cast<unsigned char> (kAccessCode[1]),
    static_cast<unsigned char> (kAccessCode[2]), static_cast<unsigned char> (kAccessCode[3]),
    static_cast<unsigned char> (kAccessCode[4]), static_cast<unsigned char> (kAccessCode[5]),
    static_cast<unsigned char> (kAccessCode[6]),
};
