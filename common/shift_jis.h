// Shift-JIS (code page 932) is the code page of every text this system handles. Byte-wise
// scans must step over two-byte characters: their second byte can be '\' (0x5C), as in "ソ".
#pragma once

constexpr bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
