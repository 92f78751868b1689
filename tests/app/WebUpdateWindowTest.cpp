// The Web Updates window over the loopback site, driven the way a user drives it.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <functional>

#include "TestSigner.h"
#include "WebFixture.h"
#include "app/frmWebUpdate.h"
#include "startup/ProgramPlaces.h"
#include "startup/Settings.h"
#include "startup/Startup.h"
#include "webupdate/Catalogue.h"
#include "webupdate/SelfUpdate.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kOrange(255, 192, 128);
const char kPackagedNote[] = "Program updates come with the package manager.";
const char kRemoveQuestion[] = "Are you sure you want to Remove this file from your computer?";

// Keeps a file from being deleted while it lives: the immutable attribute for root (who may
// delete anything else), a read-only folder for anyone else.
class UndeletableFile {
 public:
  explicit UndeletableFile(const QString& path) : path_(path) {
    if (geteuid() == 0) {
      immutable_ = QProcess::execute("chattr", {"+i", path_}) == 0;
    } else {
      const QString folder = QFileInfo(path_).absolutePath();
      folderMode_ = QFile::permissions(folder);
      readOnly_ = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
  }
  ~UndeletableFile() {
    if (immutable_) QProcess::execute("chattr", {"-i", path_});
    if (readOnly_) QFile::setPermissions(QFileInfo(path_).absolutePath(), folderMode_);
  }
  bool Held() const { return immutable_ || readOnly_; }

 private:
  QString path_;
  bool immutable_ = false, readOnly_ = false;
  QFile::Permissions folderMode_;
};

class WindowTest : public WebFixture {
 protected:
  void TearDown() override {
    SetScriptStarter(nullptr);
    WebFixture::TearDown();
  }
  // Catalogue: X1 and b online; local files B.BIN (so b is local) and c.Bin (local only).
  void StandardSite() {
    SiteFile("catalogue.txt",
             "@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5\r\nAbout X1 \xC2\xB0\r\n"
             "@b.bin,2007-02-02,262144,A,TypeB,0B0B,1,0\r\nAbout b");
    SiteFile("X1.bin", Image('1'));
    ProgramFileBytes("B.BIN", Image('b'));
    ProgramFileBytes("c.Bin", "cc");
    ProgramFileBytes("c.txt", "About c\xB0");  // Latin-1
  }
  std::unique_ptr<frmWebUpdate> Open() {
    auto form = std::make_unique<frmWebUpdate>(host_);
    EXPECT_FALSE(form->Start());
    return form;
  }
  static QString Cell(frmWebUpdate& form, int r, int column) {
    return form.Grid()->item(r - 1, column)->text();
  }
  static QColor Colour(frmWebUpdate& form, int r) {
    return form.Grid()->item(r - 1, 0)->background().color();
  }
  static std::vector<std::string> Rows(frmWebUpdate& form) {
    std::vector<std::string> rows;
    for (int r = 1; r <= form.Grid()->rowCount(); ++r) {
      rows.push_back(Cell(form, r, 0).toStdString() + " " + Cell(form, r, 3).toStdString());
    }
    return rows;
  }
};

TEST_F(WindowTest, StartListsSiteAndLocalFilesSortedAndColoured) {
  StandardSite();
  auto form = Open();
  EXPECT_EQ(form->windowTitle().toStdString(),
            " Web Updates [" + DomainName + "/updates/catalogue.txt]");
  QStringList header;
  for (int c = 0; c < 4; ++c) header << form->Grid()->horizontalHeaderItem(c)->text();
  EXPECT_EQ(header, (QStringList{"Filename", "Date", "Size", "Location"}));
  EXPECT_EQ(Rows(*form), (std::vector<std::string>{"X1 Remote", "b Local", "c Local"}));
  EXPECT_EQ(Cell(*form, 1, 1), "2007-05-01");
  EXPECT_EQ(Cell(*form, 1, 2), "262144");
  EXPECT_EQ(Cell(*form, 3, 2), "2");
  EXPECT_EQ(Colour(*form, 1), kOrange);
  EXPECT_EQ(Colour(*form, 2), kWhite);
  EXPECT_FALSE(form->DownloadButton()->isEnabled());
  EXPECT_FALSE(form->RemoveButton()->isEnabled());
  EXPECT_TRUE(form->DescriptionText().isEmpty());
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(WindowTest, CaptionStaysPlainForTheBuiltInAddressAndAFailedFetchListsLocalFiles) {
  ProgramFileBytes("c.Bin", "cc");
  gDefaultURL = gURL;
  site_->SetFault(SiteFault::NotFound);
  auto form = Open();
  EXPECT_EQ(form->windowTitle(), "Web Updates");
  EXPECT_EQ(Rows(*form), std::vector<std::string>{"c Local"});
}

// A failed load keeps the window's message and shows the cause under the list of local files.
TEST_F(WindowTest, AFailedLoadShowsItsCauseUnderTheList) {
  const std::string local = "127.0.0.1:" + std::to_string(site_->Port());
  const std::string catalogue = local + "/updates/catalogue.txt";
  struct Case {
    const char* name;
    std::string url;
    SiteFault fault;
    const char* cause;
    const char* message;  // the start of the message box, or nullptr for none
    std::function<void()> prepare = {};
  };
  const std::vector<Case> cases = {
      {"connection refused", "127.0.0.1:" + std::to_string(ClosedPort()) + "/c.txt",
       SiteFault::None, "connection refused by 127.0.0.1:",
       "Unable to connect to the Corvane download site.\r\nCheck your Internet"},
      {"404", catalogue, SiteFault::NotFound, "status 404 (Not Found)", nullptr},
      {"redirect loop", catalogue, SiteFault::Redirect, "a redirect loop",
       "Unable to connect to the Corvane download site.\r\nThe reply was refused",
       [&] { site_->SetRedirect("http://" + catalogue); }},
      {"no host", "/c.txt", SiteFault::None, "has no host name", nullptr},
      {"PUBLICKEY unusable", catalogue, SiteFault::None, "PUBLICKEY is not a minisign public key",
       "The catalogue of the download site cannot be trusted:\r\nPUBLICKEY is not",
       [&] { gPublicKey = "RWgarbled"; }},
  };
  ProgramFileBytes("c.Bin", "cc");
  for (const auto& c : cases) {
    SiteFile("catalogue.txt", "@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5\r\n");
    site_->SetFault(c.fault);
    gPublicKey.clear();
    gURL = c.url;
    SplitSettingsURL();
    if (c.prepare) c.prepare();
    host_.messages.clear();
    auto form = Open();
    EXPECT_EQ(Rows(*form), std::vector<std::string>{"c Local"}) << c.name;
    EXPECT_TRUE(form->SignatureText().contains(c.cause))
        << c.name << ": " << form->SignatureText().toStdString();
    const std::vector<std::string> shown = host_.Texts();
    EXPECT_EQ(shown.size(), c.message ? 1u : 0u) << c.name;
    if (c.message && !shown.empty()) {
      EXPECT_EQ(shown[0].rfind(c.message, 0), 0u) << c.name << ": " << shown[0];
    }
  }
  gPublicKey.clear();
}

TEST_F(WindowTest, SelectionEnablesDownloadForRemoteAndRemoveForLocalRows) {
  StandardSite();
  auto form = Open();
  form->SelectRow(2);
  EXPECT_FALSE(form->DownloadButton()->isEnabled());
  EXPECT_TRUE(form->RemoveButton()->isEnabled());
  EXPECT_EQ(form->DescriptionText(), "About b\n");
  form->SelectRow(1);
  EXPECT_TRUE(form->DownloadButton()->isEnabled());
  EXPECT_FALSE(form->RemoveButton()->isEnabled());
  EXPECT_EQ(form->DescriptionText(), QString::fromUtf8("About X1 \u00B0\n"));
  form->SelectRow(3);
  EXPECT_EQ(form->DescriptionText(), QString::fromUtf8("About c\u00B0\n"));
}

TEST_F(WindowTest, DownloadTurnsTheRowLocal) {
  StandardSite();
  auto form = Open();
  form->SelectRow(1);
  form->DownloadButton()->click();
  EXPECT_EQ(Rows(*form)[0], "X1 Local");
  EXPECT_EQ(Colour(*form, 1), kWhite);
  EXPECT_EQ(form->PacifierText(), "Download Complete");
  EXPECT_FALSE(form->DownloadButton()->isEnabled());
  EXPECT_TRUE(form->RemoveButton()->isEnabled());
  EXPECT_TRUE(form->DoneButton()->isEnabled());
  EXPECT_EQ(ProgramRead("X1.bin"), Image('1'));
}

TEST_F(WindowTest, WhileADownloadRunsNothingStartsAnotherTransferRemovesOrCloses) {
  StandardSite();
  site_->SetFault(SiteFault::Slow, "/updates/X1.bin");
  site_->SetSlowPace(16384, 1);
  auto form = Open();
  int finished = 0;
  QObject::connect(form.get(), &QDialog::finished, [&] { ++finished; });
  form->SelectRow(1);
  auto clickRow = [&](int r) {
    QTest::mouseClick(form->Grid()->viewport(), Qt::LeftButton, {},
                      form->Grid()->visualItemRect(form->Grid()->item(r - 1, 0)).center());
  };
  const struct {
    const char* what;
    std::function<void()> act;
  } attempts[] = {
      {"Escape or the close box", [&] { form->reject(); }},
      {"Done", [&] { QTest::mouseClick(form->DoneButton(), Qt::LeftButton); }},
      {"a click on the local row b", [&] { clickRow(2); }},
      {"Remove", [&] { QTest::mouseClick(form->RemoveButton(), Qt::LeftButton); }},
      {"Remove reached anyway", [&] { form->cmdRemove_Click(); }},
      {"a second Download", [&] { form->cmdDownload_Click(); }},
  };
  size_t next = 0;
  host_.onBreathe = [&] {
    if (next == std::size(attempts)) return;
    SCOPED_TRACE(attempts[next].what);
    attempts[next++].act();
    EXPECT_FALSE(form->Grid()->isEnabled());
    EXPECT_FALSE(form->DownloadButton()->isEnabled());
    EXPECT_FALSE(form->RemoveButton()->isEnabled());
    EXPECT_FALSE(form->DoneButton()->isEnabled());
    EXPECT_EQ(form->CurrentRow(), 1);
  };
  form->DownloadButton()->click();
  host_.onBreathe = nullptr;
  EXPECT_EQ(next, std::size(attempts));
  EXPECT_EQ(finished, 0);
  EXPECT_TRUE(host_.messages.empty()) << "no removal question";
  EXPECT_EQ(std::count_if(site_->Requests().begin(), site_->Requests().end(),
                          [](const SiteRequest& r) { return r.Target == "/updates/X1.bin"; }),
            1);
  EXPECT_EQ(Rows(*form), (std::vector<std::string>{"X1 Local", "b Local", "c Local"}));
  EXPECT_TRUE(ProgramHas("B.BIN"));
  EXPECT_TRUE(form->Grid()->isEnabled());
  EXPECT_TRUE(form->DoneButton()->isEnabled());
  EXPECT_TRUE(form->RemoveButton()->isEnabled());
  form->reject();
  EXPECT_EQ(finished, 1);
}

TEST_F(WindowTest, TheProgramsWindowIsShownBeforeItLoadsAndCannotBeClosedMeanwhile) {
  StandardSite();
  site_->SetFault(SiteFault::Slow, "/updates/catalogue.txt");
  site_->SetSlowPace(16, 1);
  frmWebUpdate form(host_);
  int finished = 0, loadingBreaths = 0;
  QObject::connect(&form, &QDialog::finished, [&] { ++finished; });
  host_.onBreathe = [&] {
    // From the catalogue request until the list is in.
    if (site_->Requests().empty() || form.Grid()->rowCount() > 0) return;
    ++loadingBreaths;
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.DoneButton()->isEnabled());
    form.reject();
  };
  EXPECT_FALSE(form.Start(true));
  host_.onBreathe = nullptr;
  EXPECT_GT(loadingBreaths, 1);
  EXPECT_EQ(finished, 0);
  EXPECT_EQ(Rows(form).size(), 3u);
  EXPECT_TRUE(form.DoneButton()->isEnabled());
  EXPECT_TRUE(form.DescriptionText().isEmpty()) << "the loading note is gone";
  form.reject();
  EXPECT_EQ(finished, 1);
}

TEST_F(WindowTest, FailedDownloadSaysWhyAndKeepsTheRowRemote) {
  StandardSite();
  site_->SetFault(SiteFault::NotFound, "/updates/X1.bin");
  auto form = Open();
  form->SelectRow(1);
  form->DownloadButton()->click();
  EXPECT_EQ(Rows(*form)[0], "X1 Remote");
  EXPECT_FALSE(ProgramHas("X1.bin"));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(host_.messages[0].text.find("404"), std::string::npos);
  EXPECT_TRUE(form->DownloadButton()->isEnabled());
  EXPECT_TRUE(form->DoneButton()->isEnabled());
  EXPECT_EQ(form->PacifierText(), "Download Failed");
}

TEST_F(WindowTest, AFileThatCannotBeRemovedIsReportedAndStaysLocal) {
  StandardSite();
  auto form = Open();
  form->SelectRow(3);
  const QString image = QString::fromStdString(InProgram("c.Bin"));
  UndeletableFile keep(image);
  if (!keep.Held()) GTEST_SKIP() << "no way to make a file undeletable here";
  host_.Script({MsgAnswer::Yes});
  form->RemoveButton()->click();
  ASSERT_EQ(host_.messages.size(), 2u);
  EXPECT_EQ(host_.messages[1].icon, MsgIcon::Warning);
  EXPECT_NE(host_.messages[1].text.find("c.Bin could not be removed"), std::string::npos)
      << host_.messages[1].text;
  EXPECT_EQ(Rows(*form)[2], "c Local");
  EXPECT_TRUE(ProgramHas("c.Bin"));
  EXPECT_TRUE(ProgramHas("c.txt")) << "the description goes only with its image";
  EXPECT_TRUE(form->RemoveButton()->isEnabled());
}

TEST_F(WindowTest, RemovingTheLastOfTwoLocalOnlyRowsSelectsTheOther) {
  ProgramFileBytes("A.bin", "a");
  ProgramFileBytes("B.bin", "b");
  auto form = Open();
  form->SelectRow(2);
  host_.Script({MsgAnswer::Yes});
  form->RemoveButton()->click();
  EXPECT_EQ(host_.messages.back().text,
            "Warning: This firmware is no longer available online.\r\n"
            "If you remove it, you will not be able re-download it.\r\n\r\n" +
                std::string(kRemoveQuestion));
  EXPECT_EQ(Rows(*form), std::vector<std::string>{"A Local"});
  EXPECT_EQ(form->CurrentRow(), 1);
  EXPECT_FALSE(ProgramHas("B.bin"));

  host_.Script({MsgAnswer::Yes});
  form->RemoveButton()->click();
  EXPECT_EQ(form->Grid()->rowCount(), 0);
  EXPECT_FALSE(form->RemoveButton()->isEnabled());
}

TEST_F(WindowTest, RemovingAnOnlineImageKeepsItsRowAsRemote) {
  StandardSite();
  ProgramFileBytes("b.TXT", "local description");
  auto form = Open();
  form->SelectRow(2);
  host_.Script({MsgAnswer::Yes});
  form->RemoveButton()->click();
  EXPECT_EQ(host_.messages.back().text, kRemoveQuestion);
  EXPECT_EQ(Rows(*form)[1], "b Remote");
  EXPECT_EQ(Colour(*form, 2), kOrange);
  EXPECT_TRUE(form->DownloadButton()->isEnabled());
  EXPECT_FALSE(form->RemoveButton()->isEnabled());
  EXPECT_FALSE(ProgramHas("B.BIN"));
  EXPECT_FALSE(ProgramHas("b.TXT"));
}

TEST_F(WindowTest, AnsweringNoRemovesNothing) {
  StandardSite();
  auto form = Open();
  form->SelectRow(3);
  host_.Script({MsgAnswer::No});
  form->RemoveButton()->click();
  EXPECT_TRUE(ProgramHas("c.Bin"));
  EXPECT_TRUE(ProgramHas("c.txt"));
  EXPECT_EQ(Rows(*form).size(), 3u);
  EXPECT_TRUE(form->RemoveButton()->isEnabled());
}

TEST_F(WindowTest, ClosingHandsOverTheSelectedBaseName) {
  StandardSite();
  auto form = Open();
  form->SelectRow(2);
  form->DoneButton()->click();
  EXPECT_EQ(form->FirmwareText(), "b");
  auto empty = std::make_unique<frmWebUpdate>(host_);
  site_->SetFault(SiteFault::NotFound);
  QDir(QString::fromStdString(gProgramFolder)).removeRecursively();
  empty->Start();
  empty->reject();
  EXPECT_EQ(empty->FirmwareText(), "");
}

TEST_F(WindowTest, HelpOpensTheWebUpdatesTopic) {
  std::vector<std::string> topics;
  SetHelpViewer([&](const std::string&, const std::string& topic) { topics.push_back(topic); });
  auto form = Open();
  QPushButton* help = nullptr;
  for (QPushButton* button : form->findChildren<QPushButton*>()) {
    if (button->text() == "Help") help = button;
  }
  ASSERT_NE(help, nullptr);
  help->click();
  SetHelpViewer(nullptr);
  EXPECT_EQ(topics, std::vector<std::string>{"WebUpdates.htm"});
}

TEST_F(WindowTest, ProgressRoundsHalfToEvenAndTheBarStopsAtFull) {
  auto form = Open();
  struct Case {
    int32_t expected;
    int bytes;
    QString label;
    double fraction;
    bool full;
  } cases[] = {
      {1000, 0, "0%", 0, false},        {1000, 125, "12%", 0.125, false},
      {1000, 375, "38%", 0.375, false}, {1000, 999, "100%", 0.999, false},
      {1000, 1000, "100%", 1, true},    {1000, 2000, "100%", 1, true},
      {0, 500, "", 0, false},
  };
  for (const auto& c : cases) {
    const ProgressFigures figures = HTTPProgressFigures(c.bytes, c.expected);
    EXPECT_EQ(figures.Label, c.label.toStdString()) << c.bytes;
    EXPECT_DOUBLE_EQ(figures.Fraction, c.fraction) << c.bytes;
    form->ExpectedSize(c.expected);
    form->HTTP_Progress(c.bytes);
    EXPECT_EQ(form->PacifierText(), c.label) << c.bytes;
    EXPECT_EQ(form->BarFill() == form->BarWidth(), c.full) << c.bytes;
    EXPECT_EQ(form->BarFill() == 0, c.fraction == 0) << c.bytes;
  }
}

TEST_F(WindowTest, NewerProgramIsOfferedAndInstalledOnYes) {
  SiteFile("catalogue.txt", "$PadFlasher.exe,9.0.0,4\r\n$Notes.txt,2000-01-01,2");
  SiteFile("PadFlasher.exe", "new!");
  ProgramFileBytes("Notes.txt", "n");
  std::string started;
  SetScriptStarter([&](const std::string& path) {
    started = path;
    return true;
  });
  host_.Script({MsgAnswer::Yes});
  frmWebUpdate form(host_);
  EXPECT_TRUE(form.Start());
  EXPECT_EQ(host_.messages[0].text,
            "A newer version of this program is available.\r\n\r\nPadFlasher.exe  v9.0.0\r\n"
            "\r\nDo you wish to download and install?");
  EXPECT_EQ(host_.messages[0].icon, MsgIcon::Question);
  EXPECT_EQ(started, InProgram("WebUpdate.sh"));
  EXPECT_EQ(ProgramRead("$PadFlasher.exe"), "new!");
  EXPECT_FALSE(ProgramHas("$Notes.txt"));
}

TEST_F(WindowTest, DecliningOrFailingTheUpdateLeavesTheWindowUsable) {
  SiteFile("catalogue.txt", "$PadFlasher.exe,9.0.0,4");
  host_.Script({MsgAnswer::No});
  EXPECT_FALSE(Open()->isVisible());
  EXPECT_FALSE(ProgramHas("$PadFlasher.exe"));

  host_.Script({MsgAnswer::Yes});  // the file is not on the site
  SiteFile("catalogue.txt", "$PadFlasher.exe,9.0.0,4\r\n@X1.bin,2007-05-01,262144,A,T,1A2B,1,5");
  auto form = Open();
  EXPECT_EQ(host_.messages.back().text, "Error updating program!");
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(form->DoneButton()->isEnabled());
  // No row has been chosen yet: Download and Remove wait for one.
  EXPECT_FALSE(form->DownloadButton()->isEnabled());
  EXPECT_FALSE(form->RemoveButton()->isEnabled());
  EXPECT_FALSE(ProgramHas("WebUpdate.sh"));
}

TEST_F(WindowTest, TheLineUnderTheListSaysWhetherTheCatalogueWasVerified) {
  const TestKey key = MakeTestKey(0xFEDCBA9876543210);
  const std::string catalogue = "$PadFlasher.exe,9.0.0,4," + Sha256Hex("new!") +
                                "\r\n@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5," +
                                Sha256Hex(Image('1').toStdString()) + "\r\nAbout X1\r\n";
  SiteFile("catalogue.txt", QByteArray::fromStdString(catalogue));
  ProgramFileBytes("c.Bin", "cc");
  struct Case {
    const char* name;
    std::string publicKey, signature;  // "-": no signature file
    QString label;
    std::vector<std::string> rows;
    bool updateOffered;
  };
  const std::vector<Case> cases = {
      {"no key", "", "-", "Not verified", {"X1 Remote", "c Local"}, true},
      {"valid signature",
       key.PublicLine(),
       SignLikeMinisign(key, catalogue, true),
       "Verified, key ID FEDCBA9876543210",
       {"X1 Remote", "c Local"},
       true},
      {"no signature file", key.PublicLine(), "-", "Signature missing", {"c Local"}, false},
  };
  for (const auto& c : cases) {
    gPublicKey = c.publicKey;
    QFile::remove(siteDir_.filePath("updates/catalogue.txt.minisig"));
    if (c.signature != "-")
      SiteFile("catalogue.txt.minisig", QByteArray::fromStdString(c.signature));
    host_.messages.clear();
    if (c.updateOffered) host_.Script({MsgAnswer::No});
    auto form = Open();
    EXPECT_EQ(form->SignatureText(), c.label) << c.name;
    EXPECT_EQ(Rows(*form), c.rows) << c.name;
    const std::vector<std::string> shown = host_.Texts();
    ASSERT_EQ(shown.size(), 1u) << c.name;
    EXPECT_EQ(shown[0].rfind(c.updateOffered ? "A newer version"
                                             : "The catalogue of the download "
                                               "site cannot be trusted:\r\n"
                                               "the signature is missing.",
                             0),
              0u)
        << c.name << ": " << shown[0];
  }
}

TEST_F(WindowTest, AnInstalledProgramLeavesItsUpdateToThePackageManager) {
  struct Case {
    std::string catalogue;
    bool note;
  };
  const std::vector<Case> cases = {
      {"$PadFlasher.exe,9.0.0,4\r\n@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5", true},
      {"$PADFLASHER.EXE,1.0.2,4\r\n@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5", false},
  };
  ProgramPlaces installed;
  installed.installed = true;
  installed.programFolder = installed.settingsFolder = programDir_.path().toStdString();
  installed.baseName = "PadFlasher";
  std::string started;
  SetScriptStarter([&](const std::string& path) {
    started = path;
    return true;
  });
  for (const auto& c : cases) {
    SiteFile("catalogue.txt", QByteArray::fromStdString(c.catalogue));
    SiteFile("PadFlasher.exe", "new!");
    UseProgramPlaces(installed);
    std::unique_ptr<frmWebUpdate> form;
    const QByteArray log = LogWhile([&] { form = Open(); });  // no question may be asked
    EXPECT_EQ(host_.messages.size(), 0u) << c.catalogue;
    EXPECT_EQ(form->PacifierText() == kPackagedNote, c.note) << c.catalogue;
    const QLabel* line = form->findChild<QLabel*>("lblPacifier");
    ASSERT_NE(line, nullptr);
    EXPECT_LE(line->sizeHint().width(), line->width()) << "the note fits its one line";
    EXPECT_EQ(log.contains("package manager"), c.note) << c.catalogue;
    EXPECT_EQ(Rows(*form), std::vector<std::string>({"X1 Remote"})) << "firmware still listed";
  }
  EXPECT_EQ(started, "");
  EXPECT_FALSE(ProgramHas("$PadFlasher.exe"));
  EXPECT_FALSE(ProgramHas("WebUpdate.sh"));
  SetProgramPaths(programDir_.path().toStdString(), "PadFlasher");
}

}  // namespace
