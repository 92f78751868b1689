// The firmware page: the list, the description, the status box and the checks of Next.
#include <sys/resource.h>

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "PagesFixture.h"
#include "pages/Step2.h"
#include "pages/Step3.h"
#include "programmer/Image.h"
#include "programmer/Link.h"
#include "startup/Settings.h"

namespace {

QStringList Items(QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

class FirmwarePageTest : public PagesTest {
 protected:
  // To page 3 with COM1 chosen (or None).
  void ToFirmwarePage(bool withPort = true) {
    StartWizard();
    NextTo(2);
    Find<QComboBox>(step2, "cboComPort")->setCurrentIndex(withPort ? 1 : 0);
    Click(WizardButton::Next);
    ASSERT_EQ(Wizard().CurrentStep(), 3);
    list = Find<QListWidget>(step3, "lstFirmware");
    description = Find<QPlainTextEdit>(step3, "txtFirmware");
    status = Find<QPlainTextEdit>(step3, "txtStatus");
  }
  void Select(const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found[0]).center());
    ASSERT_EQ(list->currentItem(), found[0]);
  }

  QListWidget* list = nullptr;
  QPlainTextEdit* description = nullptr;
  QPlainTextEdit* status = nullptr;
};

}  // namespace

TEST_F(FirmwarePageTest, ListsImageFilesInCharacterCodeOrderAndSelectsTheFirst) {
  WriteImage("b.bin", 0x1111);
  WriteImage("C.BIN", 0x2222);
  WriteImage("a.bin", 0x3333);
  WriteImage("notes.binx", 0x4444);
  WriteImage("D.Bin", 0x5555);
  WriteFile("readme.txt", "not firmware");
  ToFirmwarePage();
  EXPECT_EQ(Items(list), QStringList({"C.BIN", "D.Bin", "a.bin", "b.bin"}));
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(gFirmwareFile, "C.BIN");
  EXPECT_EQ(gFileChecksum, "2222") << "the selected image is loaded";
}

TEST_F(FirmwarePageTest, DescriptionFollowsTheSelectionAndIsFoundInAnyCase) {
  WriteImage("a.bin", 0x1111);
  WriteFile("a.TXT", "First line\r\nSecond line\r\n");
  WriteImage("b.bin", 0x2222);
  WriteFile("b.txt", "Unix line\nno end");
  WriteImage("c.bin", 0x3333);
  WriteImage("d.bin", 0x4444);
  WriteFile("D.Txt", "Caf\xE9 cr\xE8me\r\n");  // Latin-1
  WriteImage("e.bin", 0x5555);
  WriteFile("e.txt", "Caf\xC3\xA9\rold Mac line");  // UTF-8, bare CR
  ToFirmwarePage();
  EXPECT_EQ(description->toPlainText(), "First line\nSecond line\n");
  Select("b.bin");
  EXPECT_EQ(description->toPlainText(), "Unix line\nno end\n");
  Select("c.bin");
  EXPECT_EQ(description->toPlainText(), "");
  Select("d.bin");
  EXPECT_EQ(description->toPlainText(), QString::fromUtf8("Caf\u00E9 cr\u00E8me\n"));
  Select("e.bin");
  EXPECT_EQ(description->toPlainText(), QString::fromUtf8("Caf\u00E9\nold Mac line\n"));
  EXPECT_FALSE(Wizard().Frozen());
}

TEST_F(FirmwarePageTest, LoadErrorsShowAboveTheDescriptionOnlyWhenThereIsOne) {
  WriteImage("short.bin", 0x1111, 1000);
  WriteFile("short.txt", "Described");
  WriteImage("short2.bin", 0x1111, 1000);
  std::string unsigned_(kImageSize, '\xFF');
  WriteFile("unsigned.bin", unsigned_);
  WriteFile("unsigned.txt", "Bad one");
  ToFirmwarePage();
  Select("short.bin");
  EXPECT_EQ(description->toPlainText(), "Error: Firmware file wrong size!\n\nDescribed\n");
  Select("short2.bin");
  EXPECT_EQ(description->toPlainText(), "");
  Select("unsigned.bin");
  EXPECT_EQ(description->toPlainText(), "Error: Firmware file invalid!\n\nBad one\n");
}

TEST_F(FirmwarePageTest, StatusBoxDescribesFileAndHandControl) {
  WriteImage("a.bin", 0x1234);
  KnowCode("1234", 3, 7);
  ToFirmwarePage(false);
  EXPECT_EQ(status->toPlainText().toStdString(),
            "No COM port specified!\n\nFile: a.bin\nVersion: 3.07\nType: Standard\n"
            "___________________\n\nEXE Version: 1.0.2\n");
}

TEST_F(FirmwarePageTest, AFileThatFailsToLoadShowsNoVersionOfAnotherFile) {
  WriteImage("a.bin", 0x1234);
  KnowCode("1234", 3, 7);
  WriteImage("short.bin", 0x1234, 1000);
  WriteImage("gone.bin", 0x1234);
  ToFirmwarePage(false);
  ASSERT_TRUE(QFile::remove(FilePath("gone.bin")));  // deleted while the page showed it
  for (const char* name : {"short.bin", "gone.bin"}) {
    SCOPED_TRACE(name);
    Select("a.bin");
    ASSERT_TRUE(status->toPlainText().contains("File: a.bin\nVersion: 3.07"));
    Select(name);
    EXPECT_EQ(status->toPlainText().toStdString(),
              "No COM port specified!\n\nFile: " + std::string(name) +
                  "\nVersion: Unknown\nType: Unknown\nCSUM: \n"
                  "___________________\n\nEXE Version: 1.0.2\n");
  }
}

TEST_F(FirmwarePageTest, RefreshAsksTheHandControlAgain) {
  WriteImage("a.bin", 0x1234);
  KnowCode("1234", 2, 5);
  ToFirmwarePage();
  EXPECT_TRUE(status->toPlainText().contains("Hand Control\nVersion: Unknown"));
  const size_t before = sim->Device().CommandLog().size();
  // The hand control now holds the firmware of the image.
  sim->Device().Flash()[0xFFFE] = 0x34;
  sim->Device().Flash()[0xFFFF] = 0x12;
  QTest::mouseClick(Find<QPushButton>(step3, "cmdRefresh"), Qt::LeftButton);
  EXPECT_EQ(sim->Device().CommandLog().size(), before + 2);
  EXPECT_TRUE(status->toPlainText().contains("Hand Control\nVersion: 2.05\nType: Standard"))
      << status->toPlainText().toStdString();
  EXPECT_TRUE(Find<QPushButton>(step3, "cmdWebUpdate")->isEnabled());
  EXPECT_FALSE(Wizard().Frozen());
}

TEST_F(FirmwarePageTest, WebUpdatesWindowReturnsTheFileToSelect) {
  WriteImage("a.bin", 0x1111);
  ToFirmwarePage();
  WriteImage("HC200.BIN", 0x2222);  // fetched while the window was open
  webChoice = "hc200";
  QTest::mouseClick(Find<QPushButton>(step3, "cmdWebUpdate"), Qt::LeftButton);
  EXPECT_EQ(webOpened, 1);
  EXPECT_EQ(Items(list), QStringList({"HC200.BIN", "a.bin"}));
  EXPECT_EQ(list->currentItem()->text(), "HC200.BIN");
  EXPECT_EQ(gFileChecksum, "2222");
  webChoice = "";
  Select("a.bin");
  QTest::mouseClick(Find<QPushButton>(step3, "cmdWebUpdate"), Qt::LeftButton);
  EXPECT_EQ(list->currentItem()->text(), "HC200.BIN") << "no name selects the first entry";
}

TEST_F(FirmwarePageTest, ComingBackFromPage2RebuildsTheListButNotFromPage4) {
  WriteImage("a.bin", 0x1111);
  WriteImage("b.bin", 0x2222);
  KnowCode("2222", 1, 0);
  ToFirmwarePage();
  Select("b.bin");
  Click(WizardButton::Next);
  ASSERT_EQ(Wizard().CurrentStep(), 4);
  Click(WizardButton::Back);
  EXPECT_EQ(list->currentItem()->text(), "b.bin");
  EXPECT_EQ(gFirmwareFile, "b.bin");
  Click(WizardButton::Back);
  EXPECT_EQ(gFirmwareFile, "") << "leaving backwards forgets the choice";
  Click(WizardButton::Next);
  EXPECT_EQ(list->currentItem()->text(), "a.bin");
}

TEST_F(FirmwarePageTest, NextRefusesUntilEverythingIsInPlace) {
  struct Case {
    const char* what;
    bool port;
    const char* file;  // image to select, or none
    const char* warning;
    int help;
  };
  const Case cases[] = {
      {"no port, no file", false, nullptr, "No COM port was specified!", 0},
      {"no file", true, nullptr, "Please choose a firmware file", 0},
      {"wrong size", true, "short.bin", "Error: Firmware file wrong size!", 0},
      {"hand control gone", true, "good.bin", nullptr, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // A fresh wizard, host and hand control for every case.
    TearDown();
    host = PageHost();
    SetUp();
    if (c.file) {
      WriteImage("short.bin", 0x1111, 5000);
      WriteImage("good.bin", 0x1111);
      KnowCode("1111", 1, 0);
    }
    ToFirmwarePage(c.port);
    if (c.file) Select(c.file);
    if (c.help) sim->Device().GetFaults().silent = true;
    Click(WizardButton::Next);
    EXPECT_EQ(Wizard().CurrentStep(), 3);
    EXPECT_FALSE(Wizard().Frozen());
    EXPECT_EQ(host.helpShown, c.help);
    if (c.warning) {
      ASSERT_EQ(host.messages.size(), 1u);
      EXPECT_EQ(host.messages[0].text, c.warning);
      EXPECT_EQ(host.messages[0].title, "PadFlasher");
      EXPECT_EQ(host.messages[0].icon, MsgIcon::Warning);
    } else {
      EXPECT_TRUE(host.messages.empty());
    }
  }
}

TEST_F(FirmwarePageTest, UnlistedFirmwareNeedsTheUsersConsent) {
  WriteImage("a.bin", 0x1111);
  WriteImage("new.bin", 0x9999);
  KnowCode("1111", 1, 0);
  ToFirmwarePage();
  Select("new.bin");
  host.Script({MsgAnswer::No, MsgAnswer::Yes});
  Click(WizardButton::Next);
  EXPECT_EQ(Wizard().CurrentStep(), 3);
  EXPECT_EQ(list->currentItem()->text(), "new.bin");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Warning: Firmware file is not supported with this version of the program.\r\n\r\n"
            "You may want to go back and click on Web Updates to download a more current "
            "version.\r\n\r\nDo you wish to proceed anyhow?");
  EXPECT_EQ(host.messages[0].icon, MsgIcon::Question);
  EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNo);
  Click(WizardButton::Next);
  EXPECT_EQ(Wizard().CurrentStep(), 4);
  EXPECT_EQ(gFirmwareFile, "new.bin");

  Click(WizardButton::Back);
  Select("a.bin");
  Click(WizardButton::Next);
  EXPECT_EQ(Wizard().CurrentStep(), 4) << "a listed image goes on without a question";
  EXPECT_EQ(host.messages.size(), 2u);
}

namespace {

// Where the desktop would open a URL.
class UrlCatcher : public QObject {
  Q_OBJECT
 public slots:
  void Catch(const QUrl& url) { urls << url; }

 public:
  QList<QUrl> urls;
};

// While it lives, writes beyond 100 KB fail with EFBIG, as they do on a disk that fills.
struct SmallDisk {
  SmallDisk() {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{100 * 1024, saved.rlim_max};
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  }
  ~SmallDisk() { setrlimit(RLIMIT_FSIZE, &saved); }
  rlimit saved{};
};

// The page with a stand-in for the file dialog, and files to open in Downloads.
class OpenFirmwareFileTest : public FirmwarePageTest {
 protected:
  void ToPage() {
    ToFirmwarePage();
    step3->SetOpenFile([this](QWidget*) { return chosenFile; });
  }
  void Open(const QString& downloaded) {
    chosenFile = FilePath("Downloads/" + downloaded);
    QTest::mouseClick(Find<QPushButton>(step3, "cmdOpenFile"), Qt::LeftButton);
  }
  QByteArray Contents(const QString& name) {
    QFile file(FilePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  void SetUp() override {
    FirmwarePageTest::SetUp();
    ASSERT_TRUE(QDir(FolderPath()).mkpath("Downloads"));
  }
  QString chosenFile;
};

}  // namespace

TEST_F(OpenFirmwareFileTest, ACheckedFileIsCopiedSelectedOrAskedAbout) {
  WriteImage("same.bin", 0x1111);
  WriteImage("Downloads/same.bin", 0x1111);
  WriteImage("Other.BIN", 0x2222);
  WriteImage("Downloads/other.bin", 0x3333);
  WriteImage("Downloads/raw.img", 0x4444);
  ToPage();
  Open("raw.img");
  EXPECT_EQ(Contents("raw.img.bin"), Contents("Downloads/raw.img"));
  EXPECT_EQ(list->currentItem()->text(), "raw.img.bin") << "listed only with the image ending";
  EXPECT_TRUE(status->toPlainText().contains(
      "File: raw.img.bin\nVersion: Unknown\nType: Unknown\nCSUM: 4444"));
  Open("same.bin");
  EXPECT_TRUE(host.messages.empty()) << "identical contents need no question";
  EXPECT_EQ(list->currentItem()->text(), "same.bin");

  const QByteArray old = Contents("Other.BIN");
  host.Script({MsgAnswer::No, MsgAnswer::Yes});
  Open("other.bin");
  ASSERT_EQ(host.Texts(), std::vector<std::string>(
                              {"The program folder already holds a different firmware file named "
                               "Other.BIN.\r\n\r\nDo you want to replace it?"}));
  EXPECT_EQ(Contents("Other.BIN"), old);
  EXPECT_EQ(list->currentItem()->text(), "same.bin") << "the selection stays";
  Open("other.bin");
  EXPECT_EQ(Items(list), QStringList({"Other.BIN", "raw.img.bin", "same.bin"}));
  EXPECT_EQ(list->currentItem()->text(), "Other.BIN") << "replaced under its own name";
  EXPECT_EQ(gFileChecksum, "3333");
}

TEST_F(OpenFirmwareFileTest, FilesThatFailTheChecksOrTheCopyLeaveTheFolderAsItWas) {
  WriteImage("a.bin", 0x1111);
  WriteImage("Downloads/short.bin", 0x2222, 1000);
  WriteImage("Downloads/huge.bin", 0x2222, 10 * testimage::kImageSize);
  WriteFile("Downloads/unsigned.bin", std::string(kImageSize, '\xFF'));
  WriteImage("Downloads/PadFlasher.ver", 0x2222);
  WriteImage("Downloads/a.bin", 0x3333);
  ToPage();
  const QByteArray old = Contents("a.bin");
  const std::string full = "The firmware file could not be copied to " + Folder() + "/a.bin:\r\n";
  const struct {
    const char* file;
    std::string warning;
  } cases[] = {
      {"short.bin", "Error: Firmware file wrong size!"},
      {"huge.bin", "Error: Firmware file wrong size!"},
      {"unsigned.bin", "Error: Firmware file invalid!"},
      {"gone.bin", "Error: Firmware file not found!"},
      {"PadFlasher.ver", "PadFlasher.ver is one of PadFlasher's own files, not a firmware file."},
      {"a.bin", full + "File too large."}};
  const SmallDisk disk;
  host.Script({MsgAnswer::Yes});  // replace a.bin
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    host.messages.clear();
    Open(c.file);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back().text, c.warning);
    EXPECT_EQ(Items(list), QStringList({"a.bin"}));
    EXPECT_EQ(Contents("a.bin"), old);
    EXPECT_EQ(gFileChecksum, "1111") << "the loaded image is still the selected one";
  }
}

TEST_F(OpenFirmwareFileTest, AFirmwareFileDroppedOnThePageOrTheWindowIsTakenIn) {
  WriteImage("a.bin", 0x1111);
  WriteImage("Downloads/dropped.BIN", 0x3333);
  WriteFile("Downloads/notes.txt", "not firmware");
  ToPage();
  // On the page, and on the window around it (the picture, the wizard's buttons).
  for (QWidget* target : {static_cast<QWidget*>(step3), step3->window()}) {
    for (const char* file : {"notes.txt", "dropped.BIN"}) {
      QMimeData mime;
      mime.setUrls({QUrl::fromLocalFile(FilePath(QString("Downloads/") + file))});
      QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
      QApplication::sendEvent(target, &enter);
      EXPECT_EQ(enter.isAccepted(), file == std::string("dropped.BIN")) << file;
      QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
      QApplication::sendEvent(target, &drop);
      QCoreApplication::processEvents();
    }
    EXPECT_EQ(Items(list), QStringList({"a.bin", "dropped.BIN"}));
    EXPECT_EQ(list->currentItem()->text(), "dropped.BIN");
    Select("a.bin");
  }
}

TEST_F(FirmwarePageTest, RefreshRereadsTheFolderAndKeepsTheSelection) {
  WriteImage("a.bin", 0x1111);
  WriteImage("c.bin", 0x3333);
  WriteImage("gone.bin", 0x4444);
  ToFirmwarePage();
  Select("c.bin");
  WriteImage("b.bin", 0x2222);  // put there by hand while the page showed
  ASSERT_TRUE(QFile::remove(FilePath("gone.bin")));
  QTest::mouseClick(Find<QPushButton>(step3, "cmdRefresh"), Qt::LeftButton);
  EXPECT_EQ(Items(list), QStringList({"a.bin", "b.bin", "c.bin"}));
  EXPECT_EQ(list->currentItem()->text(), "c.bin");
  EXPECT_EQ(gFileChecksum, "3333");
}

TEST_F(FirmwarePageTest, ANameThatIsNotUtf8IsListedAndOpenedByItsBytes) {
  WriteImage("a.bin", 0x1111);
  KnowCode("E9E9", 4, 2);
  // Latin-1 "é": not valid UTF-8.
  const std::string latin1 = Folder() + "/caf\xE9.bin";
  {
    auto image = testimage::MakeImage(testimage::Runs(7, 1), 0xE9E9, 0xE9E9);
    ASSERT_TRUE(image);
    std::ofstream(latin1, std::ios::binary) << *image;
    std::ofstream(Folder() + "/caf\xE9.txt", std::ios::binary) << "Described";
  }
  ToFirmwarePage();
  const QString shown = QString::fromUtf8("caf\uFFFD.bin");
  EXPECT_EQ(Items(list), QStringList({"a.bin", shown}));
  Select(shown);
  EXPECT_EQ(gFirmwareFile, "caf\xE9.bin");
  EXPECT_EQ(gFileChecksum, "E9E9");
  EXPECT_EQ(description->toPlainText(), "Described\n");
  EXPECT_TRUE(status->toPlainText().contains("File: " + shown + "\nVersion: 4.02"));
  Click(WizardButton::Next);
  EXPECT_EQ(Wizard().CurrentStep(), 4) << "the image is loaded again by its name on Next";
  // Qt's removal of the temporary folder does not see such names.
  std::filesystem::remove(latin1);
  std::filesystem::remove(Folder() + "/caf\xE9.txt");
}

TEST_F(FirmwarePageTest, ShowProgramFolderOpensItInTheFileManager) {
  ToFirmwarePage();
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("file", &catcher, "Catch");
  QTest::mouseClick(Find<QPushButton>(step3, "cmdOpenFolder"), Qt::LeftButton);
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_EQ(catcher.urls, QList<QUrl>({QUrl::fromLocalFile(FolderPath())}));
}

#include "FirmwarePageTest.moc"
