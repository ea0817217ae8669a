#pragma once

#include <cstddef>

// The frame every command travels in: report id 0, command code, six
// parameters, checksum. Answers come back in the same 9 bytes.
namespace CommandReport {

constexpr std::size_t kSize = 9;
// Bytes 1..8 (code, parameters, checksum) form the block that is scrambled.
constexpr std::size_t kBlockOffset = 1;
constexpr std::size_t kBlockSize = 8;
// Bulk data of one command never exceeds one profile image.
constexpr std::size_t kBulkSize = 128;

// Bitwise NOT of the 8-bit sum of the seven bytes at `codeAndParams`
// (command code and six parameters).
unsigned char checksum(const unsigned char *codeAndParams);

} // namespace CommandReport
