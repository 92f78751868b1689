#pragma once
// Signs like the minisign tool, with libsodium, so that tests can make keys and signature files
// without the tool (which some rows use as well, where it is installed).
#include <array>
#include <cstdint>
#include <string>

#include "webupdate/Signature.h"

struct TestKey {
  PublicKey Public;
  std::array<uint8_t, 64> Secret{};
  // The base64 line of minisign.pub, "RW...".
  std::string PublicLine() const;
};

// A fresh key pair; keyId fills the eight key ID bytes (0 leaves the random-looking default).
TestKey MakeTestKey(uint64_t keyId);

// The four lines of a .minisig file over message, prehashed ("ED") or legacy ("Ed").
std::string SignLikeMinisign(const TestKey& key, const std::string& message, bool prehashed,
                             const std::string& trustedComment = "timestamp:0\tfile:catalogue.txt");
