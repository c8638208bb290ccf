#pragma once

// The model-0x401 keyboard's access code: seven printable ASCII characters, sent without a
// terminator as the whole body of a SysEx message. It opens both the keyboard's update mode
// and its boot loader's handshake. The real code is the keyboard's own and is given when
// building (QUORVEL_ACCESS_CODE); without it a placeholder is built in.
extern const unsigned char CODE_QUILLET[7];

constexpr int kCodeQuilletLength = 7;
