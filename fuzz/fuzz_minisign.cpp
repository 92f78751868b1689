// The minisign containers on arbitrary bytes: the PUBLICKEY setting, the signature file and the
// trusted comment. No crash, and only a signature of a listed key verifies.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "webupdate/Signature.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Three pieces split at the first two NUL bytes: setting, signature file, signed message.
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const size_t first = bytes.find('\0');
  const size_t second = first == std::string::npos ? first : bytes.find('\0', first + 1);
  const std::string setting = bytes.substr(0, first);
  const std::string signature =
      first == std::string::npos ? bytes : bytes.substr(first + 1, second - first - 1);
  const std::string message = second == std::string::npos ? "" : bytes.substr(second + 1);

  const PublicKeyList keys = ParsePublicKeys(setting);
  FUZZ_CHECK(keys.Wanted == (!keys.Keys.empty() || !keys.Rejected.empty()));
  for (const std::string& piece : keys.Rejected) {
    FUZZ_CHECK(!piece.empty() && piece.find_first_of(", \t") == std::string::npos);
  }

  const SignatureCheck check = VerifyMinisign(message, signature, keys.Keys);
  if (check.Status == SignatureStatus::Verified) {
    bool listed = false;
    for (const PublicKey& key : keys.Keys) listed = listed || KeyIdText(key.KeyId) == check.KeyId;
    FUZZ_CHECK(listed);
  }
  FUZZ_CHECK(signature.empty() == (check.Status == SignatureStatus::Missing));
  FUZZ_CHECK(!DescribeSignature(check).empty());
  FUZZ_CHECK(check.KeyId.size() <= 16);

  const TrustedCommentFields fields = ReadTrustedComment(bytes);
  FUZZ_CHECK(fields.Timestamp >= 0 && (fields.HasTimestamp || fields.Timestamp == 0));
  FUZZ_CHECK(fields.File.find('\t') == std::string::npos && fields.File.size() <= size);
  return 0;
}
