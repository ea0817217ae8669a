#include "scrambling.h"

namespace {

constexpr unsigned char kTable[8] = {'T', 'e', 'K', 'a', 'M', 'u', 'L', 'o'};

unsigned char nibbleSwapped(unsigned char x)
{
    return static_cast<unsigned char>((x << 4) | (x >> 4));
}

void exchangePairs(unsigned char *b)
{
    auto swap = [b](int i, int j) {
        const unsigned char t = b[i];
        b[i] = b[j];
        b[j] = t;
    };
    swap(0, 5);
    swap(1, 4);
    swap(2, 7);
    swap(3, 6);
}

void applyKey(unsigned char *b, const unsigned char *key)
{
    for (int i = 1; i <= 6; ++i)
        b[i] ^= key[i];
}

} // namespace

namespace Scrambling {

void scramble(unsigned char *block, const unsigned char *key)
{
    exchangePairs(block);
    applyKey(block, key);

    // Rotate left by 3 bits as one big-endian 64-bit number.
    const unsigned char first = block[0];
    for (int i = 0; i < 7; ++i)
        block[i] = static_cast<unsigned char>((block[i] << 3) | (block[i + 1] >> 5));
    block[7] = static_cast<unsigned char>((block[7] << 3) | (first >> 5));

    for (int i = 0; i < 8; ++i)
        block[i] = static_cast<unsigned char>(block[i] + nibbleSwapped(kTable[i]));
}

void unscramble(unsigned char *block, const unsigned char *key)
{
    for (int i = 0; i < 8; ++i)
        block[i] = static_cast<unsigned char>(block[i] - nibbleSwapped(kTable[i]));

    // Rotate right by 3 bits as one big-endian 64-bit number.
    const unsigned char last = block[7];
    for (int i = 7; i > 0; --i)
        block[i] = static_cast<unsigned char>((block[i] >> 3) | (block[i - 1] << 5));
    block[0] = static_cast<unsigned char>((block[0] >> 3) | (last << 5));

    applyKey(block, key);
    exchangePairs(block);
}

} // namespace Scrambling
