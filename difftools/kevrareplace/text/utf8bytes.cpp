// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "utf8bytes.h"

#include <algorithm>

bool isAscii(const char *data, int size)
{
    return std::all_of(data, data + size, [](char c) { return uchar(c) < 0x80; });
}

int utf8SequenceLength(const uchar *s, const uchar *end)
{
    const uchar lead = s[0];
    int length;
    uchar low = 0x80;
    uchar high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0)
            low = 0xa0;
        else if (lead == 0xed)
            high = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0)
            low = 0x90;
        else if (lead == 0xf4)
            high = 0x8f;
    } else {
        return 0;
    }
    if (end - s < length || s[1] < low || s[1] > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if ((s[i] & 0xc0) != 0x80)
            return 0;
    }
    return length;
}
