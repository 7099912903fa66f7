// SHA-256 of a run of bytes (FIPS 180-4): what the radio log records of the
// programming read from a radio and of the one written to it, and what a
// radio's fingerprint is made from.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace orv {

using Sha256Digest = std::array<uint8_t, 32>;

Sha256Digest sha256(const void* data, std::size_t size);
// The digest as 64 lower-case hexadecimal digits.
std::string sha256Hex(const void* data, std::size_t size);
std::string hexText(const uint8_t* bytes, std::size_t size);

}  // namespace orv
