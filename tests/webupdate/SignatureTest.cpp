// Catalogue signatures: minisign's key and signature files, checked with libsodium.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "TestSigner.h"
#include "webupdate/Signature.h"

namespace {

const std::string kCatalogue =
    "@HC200.bin,2026-11-01,262144,A,GPS HC,2B1C,2,0,"
    "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08\r\nFaster slewing.\r\n";

// Replaces the first occurrence of from in text.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  auto at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string Line(const std::string& file, int index) {
  size_t start = 0;
  for (int i = 0; i < index; ++i) start = file.find('\n', start) + 1;
  return file.substr(start, file.find('\n', start) - start);
}

TEST(Signature, CataloguesAreAcceptedOnlyWithAValidSignatureOfAListedKey) {
  const TestKey oldKey = MakeTestKey(0x1111111111111111);
  const TestKey newKey = MakeTestKey(0x0222222222222222);
  const TestKey otherKey = MakeTestKey(0x3333333333333333);
  const TestKey sameIdOtherKey = MakeTestKey(0x1111111111111111);
  const std::string legacy = SignLikeMinisign(oldKey, kCatalogue, false);
  const std::string hashed = SignLikeMinisign(oldKey, kCatalogue, true);
  const std::string otherComment =
      Replaced(hashed, "timestamp:0\tfile:catalogue.txt", "timestamp:9\tfile:catalogue.txt");
  std::string crlf;
  for (char c : hashed) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::string wrongAlgorithm = hashed;
  wrongAlgorithm.replace(wrongAlgorithm.find("\nRU") + 1, 2, "RV");  // "ED" -> "ET"
  const std::string header = Line(hashed, 0) + "\n";

  struct Case {
    const char* name;
    std::string message, signature;
    std::vector<PublicKey> keys;
    SignatureStatus status;
    std::string keyId;
  };
  const std::vector<Case> cases = {
      {"good legacy",
       kCatalogue,
       legacy,
       {oldKey.Public},
       SignatureStatus::Verified,
       "1111111111111111"},
      {"good prehashed",
       kCatalogue,
       hashed,
       {oldKey.Public},
       SignatureStatus::Verified,
       "1111111111111111"},
      {"line ends CR LF",
       kCatalogue,
       crlf,
       {oldKey.Public},
       SignatureStatus::Verified,
       "1111111111111111"},
      {"key rolled: the new key among two",
       kCatalogue,
       SignLikeMinisign(newKey, kCatalogue, true),
       {oldKey.Public, newKey.Public},
       SignatureStatus::Verified,
       "222222222222222"},
      {"key rolled: the old key still listed",
       kCatalogue,
       legacy,
       {newKey.Public, oldKey.Public},
       SignatureStatus::Verified,
       "1111111111111111"},
      {"key rolled: the old key dropped",
       kCatalogue,
       legacy,
       {newKey.Public},
       SignatureStatus::UnknownKey,
       "1111111111111111"},
      {"other key",
       kCatalogue,
       SignLikeMinisign(otherKey, kCatalogue, false),
       {oldKey.Public},
       SignatureStatus::UnknownKey,
       "3333333333333333"},
      {"no key listed", kCatalogue, hashed, {}, SignatureStatus::UnknownKey, "1111111111111111"},
      {"a forged key ID",
       kCatalogue,
       SignLikeMinisign(sameIdOtherKey, kCatalogue, true),
       {oldKey.Public},
       SignatureStatus::BadSignature,
       "1111111111111111"},
      {"tampered catalogue, legacy",
       Replaced(kCatalogue, "2,0", "9,0"),
       legacy,
       {oldKey.Public},
       SignatureStatus::BadSignature,
       "1111111111111111"},
      {"tampered catalogue, prehashed",
       kCatalogue + "@X.bin",
       hashed,
       {oldKey.Public},
       SignatureStatus::BadSignature,
       "1111111111111111"},
      {"tampered trusted comment",
       kCatalogue,
       otherComment,
       {oldKey.Public},
       SignatureStatus::BadTrustedComment,
       "1111111111111111"},
      {"missing signature file", kCatalogue, "", {oldKey.Public}, SignatureStatus::Missing, ""},
      {"an HTML error page",
       kCatalogue,
       "<html><body>Not Found</body></html>",
       {oldKey.Public},
       SignatureStatus::Malformed,
       ""},
      {"three lines only",
       kCatalogue,
       header + Line(hashed, 1) + "\n" + Line(hashed, 2) + "\n",
       {oldKey.Public},
       SignatureStatus::Malformed,
       ""},
      {"untrusted comment line missing",
       kCatalogue,
       hashed.substr(header.size()) + "\n",
       {oldKey.Public},
       SignatureStatus::Malformed,
       ""},
      {"signature line cut short",
       kCatalogue,
       Replaced(hashed, Line(hashed, 1), Line(hashed, 1).substr(4)),
       {oldKey.Public},
       SignatureStatus::Malformed,
       ""},
      {"global signature not base64",
       kCatalogue,
       Replaced(hashed, Line(hashed, 3), "!" + Line(hashed, 3).substr(1)),
       {oldKey.Public},
       SignatureStatus::Malformed,
       ""},
      {"an algorithm other than Ed25519",
       kCatalogue,
       wrongAlgorithm,
       {oldKey.Public},
       SignatureStatus::Malformed,
       ""},
      {"text after the signature",
       kCatalogue,
       hashed + "more\n",
       {oldKey.Public},
       SignatureStatus::Malformed,
       ""},
      {"oversized trusted comment",
       kCatalogue,
       SignLikeMinisign(oldKey, kCatalogue, true, std::string(9000, 'c')),
       {oldKey.Public},
       SignatureStatus::Malformed,
       ""},
  };
  for (const auto& c : cases) {
    SignatureCheck check = VerifyMinisign(c.message, c.signature, c.keys);
    EXPECT_EQ(check.Status, c.status) << c.name << ": " << DescribeSignature(check);
    EXPECT_EQ(check.KeyId, c.keyId) << c.name;
    EXPECT_EQ(check.Status == SignatureStatus::Verified,
              check.TrustedComment == "timestamp:0\tfile:catalogue.txt")
        << c.name;
  }
}

TEST(Signature, PublicKeySettingTakesKeysSeparatedByCommasOrSpaces) {
  const std::string a = MakeTestKey(0xA).PublicLine();
  const std::string b = MakeTestKey(0xB).PublicLine();
  struct Case {
    std::string setting;
    size_t keys;
    std::vector<std::string> rejected;
    bool wanted;
  };
  const std::vector<Case> cases = {
      {"", 0, {}, false},
      {" , ", 0, {}, false},
      {a, 1, {}, true},
      {a + "," + b, 2, {}, true},
      {a + " ,\t" + b + " ", 2, {}, true},
      {"RWnotakey", 0, {"RWnotakey"}, true},
      {a + " " + a.substr(0, 40), 1, {a.substr(0, 40)}, true},
      // The secret key's line, or a signature line, is no public key.
      {"RUQDj1+2aIrICAw6LEQB5fa2kXFFGgKwigfOwf8GwqoTLwqoghKOXni3bnpY1zq1BR+X8l94COJGXHe0JzafAWBX",
       0,
       {"RUQDj1+2aIrICAw6LEQB5fa2kXFFGgKwigfOwf8GwqoTLwqoghKOXni3bnpY1zq1BR+X8l94COJGXHe0JzafAWBX"},
       true},
  };
  for (const auto& c : cases) {
    PublicKeyList list = ParsePublicKeys(c.setting);
    EXPECT_EQ(list.Keys.size(), c.keys) << c.setting;
    EXPECT_EQ(list.Rejected, c.rejected) << c.setting;
    EXPECT_EQ(list.Wanted, c.wanted) << c.setting;
  }
  PublicKeyList two = ParsePublicKeys(a + "," + b);
  ASSERT_EQ(two.Keys.size(), 2u);
  EXPECT_EQ(KeyIdText(two.Keys[0].KeyId), "A");
  EXPECT_EQ(KeyIdText(two.Keys[1].KeyId), "B");
}

// Files made by the real minisign command, as a site operator makes them.
TEST(Signature, FilesOfTheMinisignToolVerify) {
  const QString minisign = QStandardPaths::findExecutable("minisign");
  if (minisign.isEmpty()) GTEST_SKIP() << "minisign is not installed (scripts/bootstrap adds it)";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  auto run = [&](const QStringList& args) {
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(minisign, args);
    return process.waitForFinished(30000) && process.exitCode() == 0;
  };
  ASSERT_TRUE(run({"-G", "-W", "-p", "site.pub", "-s", "site.key"}));
  QFile catalogue(dir.filePath("catalogue.txt"));
  ASSERT_TRUE(catalogue.open(QIODevice::WriteOnly));
  catalogue.write(QByteArray::fromStdString(kCatalogue));
  catalogue.close();
  ASSERT_TRUE(run({"-S", "-s", "site.key", "-m", "catalogue.txt"}));
  ASSERT_TRUE(run({"-S", "-l", "-s", "site.key", "-x", "legacy.minisig", "-m", "catalogue.txt"}));
  auto read = [&](const char* name) {
    QFile file(dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
  };
  const std::string pub = read("site.pub");
  PublicKey key;
  ASSERT_TRUE(ParsePublicKey(Line(pub, 1), key)) << pub;
  // The tool names the key in the public key file's comment the way we show it.
  EXPECT_EQ(Line(pub, 0), "untrusted comment: minisign public key " + KeyIdText(key.KeyId));
  for (const char* name : {"catalogue.txt.minisig", "legacy.minisig"}) {
    const std::string signature = read(name);
    SignatureCheck good = VerifyMinisign(kCatalogue, signature, {key});
    EXPECT_EQ(good.Status, SignatureStatus::Verified) << name << "\n" << signature;
    EXPECT_EQ(good.Prehashed, std::string(name) != "legacy.minisig") << name;
    EXPECT_EQ(VerifyMinisign(kCatalogue + " ", signature, {key}).Status,
              SignatureStatus::BadSignature)
        << name;
  }
}

}  // namespace
