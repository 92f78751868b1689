#include "webupdate/Signature.h"

#include <sodium.h>

#include <cstdio>
#include <ctime>

#include <QCoreApplication>

#include "base/Message.h"
#include "base/TextUtil.h"

namespace {

// "2026-12-02 14:05 UTC"
std::string UtcText(int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  char text[64] = "";
  if (gmtime_r(&time, &parts)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", &parts);
  return text;
}

constexpr char kUntrustedPrefix[] = "untrusted comment: ";
constexpr char kTrustedPrefix[] = "trusted comment: ";
constexpr char kTimestampPrefix[] = "timestamp:";
constexpr char kFilePrefix[] = "file:";
// minisign caps its trusted comment at 8 KB; anything longer is not its file.
constexpr size_t kMaxTrustedComment = 8192;
constexpr size_t kSignatureLineBytes = 2 + 8 + crypto_sign_BYTES;
constexpr size_t kPublicKeyBytes = 2 + 8 + crypto_sign_PUBLICKEYBYTES;

bool SodiumReady() {
  static const bool ready = sodium_init() >= 0;
  return ready;
}

// Strict base64 of exactly size bytes: no blanks, no missing padding, nothing after the end.
bool DecodeExactly(const std::string& text, uint8_t* out, size_t size) {
  if (!SodiumReady() || text.empty()) return false;
  size_t length = 0;
  const char* end = nullptr;
  if (sodium_base642bin(out, size, text.data(), text.size(), nullptr, &length, &end,
                        sodium_base64_VARIANT_ORIGINAL) != 0) {
    return false;
  }
  return length == size && end == text.data() + text.size();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

struct SignatureFile {
  std::array<uint8_t, kSignatureLineBytes> Line{};  // algorithm, key ID, signature
  std::string TrustedComment;
  std::array<uint8_t, crypto_sign_BYTES> Global{};
};

bool ParseSignatureFile(const std::string& text, SignatureFile& file) {
  if (text.size() > kMaxSignatureFileBytes) return false;
  std::vector<std::string> lines = Lines(text);
  if (lines.size() < 4) return false;
  for (size_t i = 4; i < lines.size(); ++i) {
    if (!lines[i].empty()) return false;
  }
  if (!StartsWith(lines[0], kUntrustedPrefix) || !StartsWith(lines[2], kTrustedPrefix)) {
    return false;
  }
  file.TrustedComment = lines[2].substr(sizeof kTrustedPrefix - 1);
  return file.TrustedComment.size() <= kMaxTrustedComment &&
         DecodeExactly(lines[1], file.Line.data(), file.Line.size()) &&
         DecodeExactly(lines[3], file.Global.data(), file.Global.size());
}

}  // namespace

std::string KeyIdText(const std::array<uint8_t, 8>& keyId) {
  unsigned long long value = 0;
  for (size_t i = keyId.size(); i-- > 0;) value = (value << 8) | keyId[i];
  char text[17];
  std::snprintf(text, sizeof text, "%llX", value);
  return text;
}

bool ParsePublicKey(const std::string& base64, PublicKey& key) {
  std::array<uint8_t, kPublicKeyBytes> raw{};
  if (!DecodeExactly(base64, raw.data(), raw.size()) || raw[0] != 'E' || raw[1] != 'd') {
    return false;
  }
  std::copy(raw.begin() + 2, raw.begin() + 10, key.KeyId.begin());
  std::copy(raw.begin() + 10, raw.end(), key.Key.begin());
  return true;
}

PublicKeyList ParsePublicKeys(const std::string& setting) {
  PublicKeyList list;
  std::string piece;
  auto take = [&] {
    if (piece.empty()) return;
    list.Wanted = true;
    PublicKey key;
    if (ParsePublicKey(piece, key)) {
      list.Keys.push_back(key);
    } else {
      list.Rejected.push_back(piece);
    }
    piece.clear();
  };
  for (char c : setting) {
    if (c == ',' || c == ' ' || c == '\t') {
      take();
    } else {
      piece += c;
    }
  }
  take();
  return list;
}

SignatureCheck VerifyMinisign(const std::string& message, const std::string& signatureFile,
                              const std::vector<PublicKey>& keys) {
  SignatureCheck check;
  if (signatureFile.empty()) return check;
  check.Status = SignatureStatus::Malformed;
  SignatureFile file;
  if (!ParseSignatureFile(signatureFile, file) || file.Line[0] != 'E' ||
      (file.Line[1] != 'd' && file.Line[1] != 'D')) {
    return check;
  }
  check.Prehashed = file.Line[1] == 'D';
  std::array<uint8_t, 8> keyId;
  std::copy(file.Line.begin() + 2, file.Line.begin() + 10, keyId.begin());
  check.KeyId = KeyIdText(keyId);
  const PublicKey* key = nullptr;
  for (const PublicKey& candidate : keys) {
    if (candidate.KeyId == keyId) key = &candidate;
  }
  if (!key) {
    check.Status = SignatureStatus::UnknownKey;
    return check;
  }
  const uint8_t* signature = file.Line.data() + 10;
  std::array<uint8_t, crypto_generichash_BYTES_MAX> digest{};
  const auto* signedBytes = reinterpret_cast<const uint8_t*>(message.data());
  unsigned long long signedLength = message.size();
  if (check.Prehashed) {
    if (crypto_generichash(digest.data(), digest.size(), signedBytes, signedLength, nullptr, 0) !=
        0) {
      check.Status = SignatureStatus::BadSignature;
      return check;
    }
    signedBytes = digest.data();
    signedLength = digest.size();
  }
  if (crypto_sign_verify_detached(signature, signedBytes, signedLength, key->Key.data()) != 0) {
    check.Status = SignatureStatus::BadSignature;
    return check;
  }
  // The global signature binds the trusted comment to this signature.
  std::string global(reinterpret_cast<const char*>(signature), crypto_sign_BYTES);
  global += file.TrustedComment;
  if (crypto_sign_verify_detached(file.Global.data(),
                                  reinterpret_cast<const uint8_t*>(global.data()), global.size(),
                                  key->Key.data()) != 0) {
    check.Status = SignatureStatus::BadTrustedComment;
    return check;
  }
  check.Status = SignatureStatus::Verified;
  check.TrustedComment = file.TrustedComment;
  return check;
}

TrustedCommentFields ReadTrustedComment(const std::string& comment) {
  TrustedCommentFields fields;
  size_t start = 0;
  while (start <= comment.size()) {
    size_t end = comment.find('\t', start);
    if (end == std::string::npos) end = comment.size();
    const std::string field = comment.substr(start, end - start);
    start = end + 1;
    if (!fields.HasTimestamp && StartsWith(field, kTimestampPrefix)) {
      const std::string digits = field.substr(sizeof kTimestampPrefix - 1);
      // Up to 18 digits always fit; a year-2^60 timestamp is no timestamp.
      if (digits.empty() || digits.size() > 18 ||
          digits.find_first_not_of("0123456789") != std::string::npos) {
        continue;
      }
      fields.HasTimestamp = true;
      fields.Timestamp = std::stoll(digits);
    } else if (!fields.HasFile && StartsWith(field, kFilePrefix)) {
      fields.HasFile = true;
      fields.File = field.substr(sizeof kFilePrefix - 1);
    }
  }
  return fields;
}

namespace {

const char* SignatureText(SignatureStatus status) {
  switch (status) {
    case SignatureStatus::Verified:
      return QT_TRANSLATE_NOOP("Web", "the signature of key %1 is valid");
    case SignatureStatus::Missing:
      return QT_TRANSLATE_NOOP("Web", "the signature is missing");
    case SignatureStatus::Malformed:
      return QT_TRANSLATE_NOOP("Web", "the signature file is not a valid minisign signature");
    case SignatureStatus::UnknownKey:
      return QT_TRANSLATE_NOOP("Web",
                               "the signature was made with key %1, which PUBLICKEY does not list");
    case SignatureStatus::BadSignature:
      return QT_TRANSLATE_NOOP("Web", "the signature is not valid for this catalogue");
    case SignatureStatus::BadTrustedComment:
      return QT_TRANSLATE_NOOP("Web", "the signature's trusted comment was altered");
    case SignatureStatus::TooLarge:
      return QT_TRANSLATE_NOOP("Web", "the signature file is too large (over %1 bytes)");
    case SignatureStatus::Replayed:
      return QT_TRANSLATE_NOOP("Web",
                               "the catalogue is older than one already seen (%1); the site may be "
                               "replaying an old list");
    case SignatureStatus::OtherFile:
      return QT_TRANSLATE_NOOP("Web",
                               "the signature was made for the file %1, not for this catalogue");
  }
  return "";
}

}  // namespace

std::string DescribeSignature(const SignatureCheck& check, bool english) {
  const char* text = SignatureText(check.Status);
  std::string detail = check.KeyId;
  if (check.Status == SignatureStatus::Replayed) detail = UtcText(check.NewestSeen);
  if (check.Status == SignatureStatus::TooLarge) detail = std::to_string(kMaxSignatureFileBytes);
  if (check.Status == SignatureStatus::OtherFile)
    detail = "\"" + EscapedForDisplay(check.SignedFile) + "\"";
  return FillArguments(english ? text : QCoreApplication::translate("Web", text).toStdString(),
                       {detail});
}
