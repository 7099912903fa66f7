// A radio's identity: its factory tuning values (page 0's tuning blocks, less
// the bytes a write sends) differ from radio to radio and survive every
// write but an alignment, so a short fingerprint of them, with the radio's
// version word, names a radio in backups, in the radio log and in messages
// ("3F2A-91C0").
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>
#include "image/MemoryImage.h"
#include "link/Protocol.h"

namespace orv {

// The radio addresses the fingerprint is made of, in order.
std::vector<int> identityAddresses();

// "XXXX-XXXX": the first four bytes of the SHA-256 of the version word and
// the identity bytes of `radio` (a read of at least page 0), in hex.
std::string radioFingerprint(const MemoryImage& radio, const std::array<uint8_t, wire::kVersionBytes>& version);

// The same from the version word's text ("2C00", as the connection reports
// it); empty when the radio never told its version.
std::string radioFingerprint(const MemoryImage& radio, const std::string& versionWord);

}  // namespace orv
