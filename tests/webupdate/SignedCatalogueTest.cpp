// A catalogue with PUBLICKEY set: taken only with a valid signature beside it, and then only the
// files it proves by SHA-256.
#include <QFile>

#include "TestSigner.h"
#include "WebFixture.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "startup/Versions.h"
#include "webupdate/Catalogue.h"

namespace {

const std::string kHashA(64, 'a');
const std::string kHashB(64, 'b');
const std::string kCatalogue = "$Tool.dat,2030-01-01,4," + kHashA + "\r\n" +
                               "$NoHash.dat,2030-01-01,4\r\n"
                               "@HC200.bin,2026-11-01,262144,A,GPS HC,2B1C,2,0," +
                               kHashB +
                               "\r\n"
                               "Faster slewing.\r\n"
                               "@HC150.bin,2026-01-01,262144,A,GPS HC,1C1C,1,5\r\n"
                               "Unproven image.\r\n"
                               "@HC100.bin,2025-01-01,0,I,GPS HC,1A2B,1,0\r\n";

std::vector<std::string> Names(const WebLists& lists) {
  std::vector<std::string> names;
  for (const auto& e : lists.Firmware) names.push_back(e.BaseName);
  for (const auto& p : lists.Programs) names.push_back("$" + p.FileName);
  return names;
}

class SignedCatalogueTest : public WebFixture {};

TEST_F(SignedCatalogueTest, OnlyAValidSignatureOfAListedKeyLetsTheCatalogueIn) {
  const TestKey key = MakeTestKey(0x1111111111111111);
  const TestKey next = MakeTestKey(0x2222222222222222);
  const TestKey other = MakeTestKey(0x3333333333333333);
  const std::string good = SignLikeMinisign(key, kCatalogue, true);
  std::string comment = good;
  comment.replace(comment.find("timestamp:0"), 11, "timestamp:1");
  const std::vector<std::string> signedNames = {"HC200", "$Tool.dat"};
  const std::vector<std::string> allNames = {"HC200", "HC150", "$Tool.dat", "$NoHash.dat"};
  struct Case {
    const char* name;
    std::string publicKey, catalogue, signature;  // signature "-": no file on the site
    CatalogueResult result;
    std::string label;
    std::vector<std::string> offered;
  };
  const std::vector<Case> cases = {
      {"good prehashed; entries without SHA-256 not offered", key.PublicLine(), kCatalogue, good,
       CatalogueResult::Loaded, "Verified, key ID 1111111111111111", signedNames},
      {"good legacy", key.PublicLine(), kCatalogue, SignLikeMinisign(key, kCatalogue, false),
       CatalogueResult::Loaded, "Verified, key ID 1111111111111111", signedNames},
      {"key rolled: signed by the second of two keys", key.PublicLine() + ", " + next.PublicLine(),
       kCatalogue, SignLikeMinisign(next, kCatalogue, true), CatalogueResult::Loaded,
       "Verified, key ID 2222222222222222", signedNames},
      {"other key",
       key.PublicLine(),
       kCatalogue,
       SignLikeMinisign(other, kCatalogue, true),
       CatalogueResult::BadSignature,
       "Signature not valid",
       {}},
      {"tampered catalogue",
       key.PublicLine(),
       kCatalogue + "@Evil.bin,2030-01-01,1,A,X,0000,9,9," + kHashA + "\r\n",
       good,
       CatalogueResult::BadSignature,
       "Signature not valid",
       {}},
      {"tampered trusted comment",
       key.PublicLine(),
       kCatalogue,
       comment,
       CatalogueResult::BadSignature,
       "Signature not valid",
       {}},
      {"missing signature file",
       key.PublicLine(),
       kCatalogue,
       "-",
       CatalogueResult::BadSignature,
       "Signature missing",
       {}},
      {"malformed signature file",
       key.PublicLine(),
       kCatalogue,
       "not a signature\n",
       CatalogueResult::BadSignature,
       "Signature not valid",
       {}},
      // Nothing is fetched: no signature could pass.
      {"a garbled key does not switch checking off",
       "RWgarbled",
       kCatalogue,
       good,
       CatalogueResult::BadPublicKey,
       "",
       {}},
      {"no key: taken as today, unverified", "", kCatalogue, "-", CatalogueResult::Loaded,
       "Not verified", allNames},
  };
  for (const auto& c : cases) {
    gVersions = {{"A", "Old", "BEEF", 1, 2}};
    SaveVersions(VersionsFileName());
    const QByteArray before = ProgramRead("PadFlasher.ver");
    gPublicKey = c.publicKey;
    SiteFile("catalogue.txt", QByteArray::fromStdString(c.catalogue));
    QFile::remove(siteDir_.filePath("updates/catalogue.txt.minisig"));
    if (c.signature != "-")
      SiteFile("catalogue.txt.minisig", QByteArray::fromStdString(c.signature));
    WebLists lists;
    EXPECT_EQ(LoadCatalogue(lists, host_, nullptr), c.result) << c.name;
    EXPECT_EQ(TrustLabel(lists.Trust), c.label) << c.name;
    EXPECT_EQ(Names(lists), c.offered) << c.name;
    if (c.result == CatalogueResult::Loaded) {
      // Every "@" line is a versions row, proven or not: it names no file to fetch.
      EXPECT_EQ(gVersions.size(), 3u) << c.name;
      // The skipped image's description stays with it.
      ASSERT_FALSE(lists.Firmware.empty()) << c.name;
      EXPECT_EQ(lists.Firmware[0].Description.rfind("Faster slewing.\r\n", 0), 0u) << c.name;
      EXPECT_EQ(lists.Firmware[0].Description.find("Unproven"), std::string::npos) << c.name;
    } else {
      EXPECT_EQ(ProgramRead("PadFlasher.ver"), before) << c.name;
      ASSERT_EQ(gVersions.size(), 1u) << c.name;
      EXPECT_EQ(gVersions[0].Checksum, "BEEF") << c.name;
    }
  }
}

TEST_F(SignedCatalogueTest, TheLogSaysWhetherTheCatalogueWasVerified) {
  const TestKey key = MakeTestKey(0x42);
  SiteFile("catalogue.txt", QByteArray::fromStdString(kCatalogue));
  SiteFile("catalogue.txt.minisig",
           QByteArray::fromStdString(SignLikeMinisign(key, kCatalogue, false)));
  WebLists lists;
  QByteArray unverified = LogWhile([&] { LoadCatalogue(lists, host_, nullptr); });
  EXPECT_EQ(unverified.count("the catalogue was not verified"), 1) << unverified.toStdString();
  EXPECT_EQ(site_->Requests().back().Target, "/updates/catalogue.txt");

  gPublicKey = key.PublicLine();
  QByteArray verified = LogWhile([&] { LoadCatalogue(lists, host_, nullptr); });
  EXPECT_EQ(site_->Requests().back().Target, "/updates/catalogue.txt.minisig");
  EXPECT_TRUE(verified.contains("the signature of key 42 is valid")) << verified.toStdString();
  EXPECT_TRUE(verified.contains("without SHA-256 in a signed catalogue: $NoHash.dat"))
      << verified.toStdString();
  EXPECT_TRUE(verified.contains("without SHA-256 in a signed catalogue: @HC150.bin"))
      << verified.toStdString();
  EXPECT_FALSE(verified.contains("not verified")) << verified.toStdString();
}

TEST_F(SignedCatalogueTest, AnOlderOrAnotherSignedFileIsNotTakenForTheCatalogue) {
  const TestKey key = MakeTestKey(0x1111111111111111);
  gPublicKey = key.PublicLine();
  const std::string december = "timestamp:1764676800\tfile:catalogue.txt\thashed";  // 2 Dec 2025
  const std::string november = "timestamp:1761998400\tfile:catalogue.txt\thashed";  // 1 Nov 2025
  const std::string older =
      "the catalogue is older than one already seen (2025-12-02 12:00 UTC); the site may be "
      "replaying an old list";
  struct Case {
    const char* name;
    std::string site;  // catalogue name on the site
    std::string comment;
    CatalogueResult result;
    std::string label, described;
  };
  const std::vector<Case> cases = {
      {"the newer catalogue", "catalogue.txt", december, CatalogueResult::Loaded,
       "Verified, key ID 1111111111111111", "the signature of key 1111111111111111 is valid"},
      {"an older one, replayed", "catalogue.txt", november, CatalogueResult::BadSignature,
       "Older than a catalogue seen", older},
      {"the same one again", "catalogue.txt", december, CatalogueResult::Loaded,
       "Verified, key ID 1111111111111111", "the signature of key 1111111111111111 is valid"},
      {"another file signed with the key", "catalogue.txt", "timestamp:1764700000\tfile:HC200.txt",
       CatalogueResult::BadSignature, "Signed for another file",
       "the signature was made for the file \"HC200.txt\", not for this catalogue"},
      {"no timestamp: taken as before", "catalogue.txt", "signed by hand", CatalogueResult::Loaded,
       "Verified, key ID 1111111111111111", "the signature of key 1111111111111111 is valid"},
      {"another site keeps its own record", "other.txt", "timestamp:1700000000\tfile:other.txt",
       CatalogueResult::Loaded, "Verified, key ID 1111111111111111",
       "the signature of key 1111111111111111 is valid"},
  };
  for (const auto& c : cases) {
    UseSite(c.site);
    gVersions = {{"A", "Old", "BEEF", 1, 2}};
    SaveVersions(VersionsFileName());
    const QByteArray before = ProgramRead("PadFlasher.ver");
    SiteFile(c.site, QByteArray::fromStdString(kCatalogue));
    SiteFile(c.site + ".minisig",
             QByteArray::fromStdString(SignLikeMinisign(key, kCatalogue, true, c.comment)));
    WebLists lists;
    EXPECT_EQ(LoadCatalogue(lists, host_, nullptr), c.result) << c.name;
    EXPECT_EQ(TrustLabel(lists.Trust), c.label) << c.name;
    EXPECT_EQ(DescribeSignature(lists.Trust.Check), c.described) << c.name;
    if (c.result != CatalogueResult::Loaded) {
      EXPECT_EQ(ProgramRead("PadFlasher.ver"), before) << c.name;
    }
  }
  // Kept beside the program, which is portable here.
  EXPECT_TRUE(ProgramRead("PadFlasher.seen").contains("1764676800 http://127.0.0.1:"));
}

}  // namespace
