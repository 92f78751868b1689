#pragma once
// Catalogue signatures in the format of the standard minisign tool: public keys as the base64
// line of a minisign.pub file, signatures as the four-line .minisig file written beside the
// signed file. The cryptography is libsodium's; this only parses and checks the containers.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PublicKey {
  std::array<uint8_t, 8> KeyId{};
  std::array<uint8_t, 32> Key{};
};

// The key ID as minisign shows it ("minisign public key 8C88A68B65F8F03"): the eight bytes read
// as a little-endian number, in upper-case hex without leading zeros.
std::string KeyIdText(const std::array<uint8_t, 8>& keyId);

// One "RW..." line: the base64 of "Ed", the key ID and the 32-byte Ed25519 key. False for
// anything else.
bool ParsePublicKey(const std::string& base64, PublicKey& key);

struct PublicKeyList {
  std::vector<PublicKey> Keys;
  std::vector<std::string> Rejected;  // pieces that are not a public key
  // Keys were asked for (the setting is not blank), whether or not any of them parsed: a
  // garbled key must not silently turn verification off.
  bool Wanted = false;
};
// The PUBLICKEY setting: keys separated by commas, spaces or tabs, so that a site can roll its key.
PublicKeyList ParsePublicKeys(const std::string& setting);

enum class SignatureStatus {
  Verified,
  Missing,            // no signature file came
  Malformed,          // not a signature file, or of an algorithm other than Ed25519
  UnknownKey,         // made by a key that is not listed
  BadSignature,       // the signed bytes differ from the catalogue
  BadTrustedComment,  // the trusted comment was altered
  TooLarge,           // the signature file is over kMaxSignatureFileBytes
  // Valid, but its trusted comment gives it away:
  Replayed,  // signed before a catalogue already taken from the same site
  OtherFile  // signed as another file than the catalogue
};

struct SignatureCheck {
  SignatureStatus Status = SignatureStatus::Missing;
  std::string KeyId;           // of the signature file, when it could be read
  std::string TrustedComment;  // when verified
  bool Prehashed = false;      // "ED": the signature covers the BLAKE2b-512 of the bytes
  int64_t NewestSeen = 0;      // Replayed: the signing time of the newer catalogue
  std::string SignedFile;      // OtherFile: the name the signature gives
};

// Limits on what is read from the site before any check: a minisign signature file is four
// lines, the trusted comment at most a few kilobytes.
constexpr size_t kMaxSignatureFileBytes = 16384;

// Checks message against the text of its .minisig file under any of keys. An empty signature
// text counts as missing.
SignatureCheck VerifyMinisign(const std::string& message, const std::string& signatureFile,
                              const std::vector<PublicKey>& keys);

// What minisign writes into a trusted comment by default ("timestamp:1701475200\tfile:list.txt",
// with "\thashed" after it for prehashed signatures): tab-separated fields, read only where they
// are well formed. An operator's own comment may carry neither.
struct TrustedCommentFields {
  bool HasTimestamp = false;
  int64_t Timestamp = 0;  // seconds since 1970, UTC
  bool HasFile = false;
  std::string File;  // the name of the signed file, as the signer gave it
};
TrustedCommentFields ReadTrustedComment(const std::string& comment);

// A short sentence for the user: "the signature is missing", "... was made with another key
// (ID ...)" and so on.
// In the user's language unless english is set (for the debug log).
std::string DescribeSignature(const SignatureCheck& check, bool english = false);
