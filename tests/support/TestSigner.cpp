#include "TestSigner.h"

#include <sodium.h>

#include <stdexcept>

namespace {

std::string Base64(const uint8_t* bytes, size_t size) {
  std::string text(sodium_base64_encoded_len(size, sodium_base64_VARIANT_ORIGINAL), '\0');
  sodium_bin2base64(text.data(), text.size(), bytes, size, sodium_base64_VARIANT_ORIGINAL);
  text.resize(text.size() - 1);  // the terminating NUL
  return text;
}

std::array<uint8_t, 64> Sign(const TestKey& key, const uint8_t* bytes, size_t size) {
  std::array<uint8_t, 64> signature{};
  crypto_sign_detached(signature.data(), nullptr, bytes, size, key.Secret.data());
  return signature;
}

}  // namespace

std::string TestKey::PublicLine() const {
  std::string raw = "Ed";
  raw.append(reinterpret_cast<const char*>(Public.KeyId.data()), Public.KeyId.size());
  raw.append(reinterpret_cast<const char*>(Public.Key.data()), Public.Key.size());
  return Base64(reinterpret_cast<const uint8_t*>(raw.data()), raw.size());
}

TestKey MakeTestKey(uint64_t keyId) {
  if (sodium_init() < 0) throw std::runtime_error("libsodium cannot start");
  TestKey key;
  crypto_sign_keypair(key.Public.Key.data(), key.Secret.data());
  for (size_t i = 0; i < 8; ++i) key.Public.KeyId[i] = static_cast<uint8_t>(keyId >> (8 * i));
  return key;
}

std::string SignLikeMinisign(const TestKey& key, const std::string& message, bool prehashed,
                             const std::string& trustedComment) {
  std::array<uint8_t, 64> digest{};
  const auto* bytes = reinterpret_cast<const uint8_t*>(message.data());
  size_t size = message.size();
  if (prehashed) {
    crypto_generichash(digest.data(), digest.size(), bytes, size, nullptr, 0);
    bytes = digest.data();
    size = digest.size();
  }
  std::array<uint8_t, 64> signature = Sign(key, bytes, size);
  std::string line = prehashed ? "ED" : "Ed";
  line.append(reinterpret_cast<const char*>(key.Public.KeyId.data()), 8);
  line.append(reinterpret_cast<const char*>(signature.data()), signature.size());
  std::string global(reinterpret_cast<const char*>(signature.data()), signature.size());
  global += trustedComment;
  std::array<uint8_t, 64> globalSignature =
      Sign(key, reinterpret_cast<const uint8_t*>(global.data()), global.size());
  return "untrusted comment: signature from minisign secret key\n" +
         Base64(reinterpret_cast<const uint8_t*>(line.data()), line.size()) +
         "\ntrusted comment: " + trustedComment + "\n" +
         Base64(globalSignature.data(), globalSignature.size()) + "\n";
}
