#pragma once

// Keyed, reversible scrambling of the 8-byte body of a command or answer
// report, for mice that expect it. The key is the device's six-character
// secrecy code in bytes 1..6 of an 8-byte buffer; bytes 0 and 7 are unused.
namespace Scrambling {

void scramble(unsigned char *block, const unsigned char *key);
void unscramble(unsigned char *block, const unsigned char *key);

} // namespace Scrambling
