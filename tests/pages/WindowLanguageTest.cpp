// The real window program started in German and in French: its own texts and Qt's standard
// buttons come from the catalogues beside the executable.
#include <QDir>

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <vector>

#include "RealWindow.h"
#include "pages/Pages.h"
#include "startup/Language.h"
#include "wizard/IWizardPage.h"

namespace {

const QString kBin = PADFLASHER_BIN_DIR;
using WindowLanguageTest = RealWindowTest;

TEST_F(WindowLanguageTest, StartsInTheEnvironmentsLanguage) {
  if (MissingTools()) GTEST_SKIP() << "needs Xvfb, xdotool (scripts/bootstrap) and the programs";
  ASSERT_TRUE(StartDisplay()) << "Xvfb did not come up";
  struct Case {
    const char* lang;
    const char* modeDialog;  // the programming-mode dialog's title
    const char* yesKey;      // the mnemonic of Yes in the exit question
  };
  const Case cases[] = {
      {"de_DE.UTF-8", "^Handsteuerung nicht im Programmiermodus$", "j"},
      {"fr_FR.UTF-8", "^Raquette de commande pas en mode programmation$", "o"},
  };
  WriteFile("PadFlasher.ini", "[PADFLASHER]\r\n   COMPORT = COM1\r\n");
  ASSERT_TRUE(QDir(FolderPath()).mkpath("ports"));
  sim.start(kBin + "/hcsim", {"--link", FilePath("ports/COM1"), "--flash", FilePath("hc-flash.bin"),
                              "--baud", "0", "--fault", "silent"});
  ASSERT_TRUE(sim.waitForReadyRead(10000)) << "hcsim did not publish its port";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lang);
    env.remove("PADFLASHER_LANG");
    env.insert("LANG", c.lang);
    StartProgram();
    const QString main = Window("^PadFlasher  v1.0.2$");
    ASSERT_FALSE(main.isEmpty());
    Key(main, "Return");  // to the port page, COM1 preselected from the settings
    Key(main, "Return");  // the silent hand control: the programming-mode dialog
    const QString dialog = Window(c.modeDialog);
    ASSERT_FALSE(dialog.isEmpty()) << "no translated programming-mode dialog";
    Key(dialog, "Return");
    Key(main, "Escape");  // the exit question, with Qt's buttons in the same language
    AltKey(Window("^PadFlasher$"), c.yesKey);
    ASSERT_TRUE(program.waitForFinished(30000)) << "Yes did not answer to " << c.yesKey;
    EXPECT_EQ(program.exitCode(), 0);
    QFile::remove(FilePath("PadFlasher"));
  }
}

}  // namespace

namespace {

// Every label and button of the four pages shows its text whole in the longer languages.
class PageTextsTest : public PagesTest {
 protected:
  void ExpectWholeTexts(const char* language) {
    ASSERT_TRUE(InstallTranslators(language, PADFLASHER_BIN_DIR));
    // The first page as the wizard shows it (its texts are set on showing), the others as made.
    StartWizard();
    std::vector<std::unique_ptr<QWidget>> pages;
    for (IWizardPage* page : MakeWizardPages()) pages.emplace_back(page->PageWidget());
    QList<QLabel*> labels = Wizard().Window()->findChildren<QLabel*>();
    QList<QPushButton*> buttons = Wizard().Window()->findChildren<QPushButton*>();
    for (const auto& page : pages) {
      for (QLabel* label : page->findChildren<QLabel*>()) labels.push_back(label);
      for (QPushButton* button : page->findChildren<QPushButton*>()) buttons.push_back(button);
    }
    int checked = 0;
    for (const QLabel* label : labels) {
      if (label->text().isEmpty() || !label->pixmap().isNull()) continue;
      ++checked;
      if (label->wordWrap())
        EXPECT_LE(label->heightForWidth(label->width()), label->height())
            << label->text().toStdString();
      else
        EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
    }
    for (const QPushButton* button : buttons) {
      ++checked;
      EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width())
          << button->text().toStdString();
    }
    EXPECT_GT(checked, 15);
    InstallTranslators("en", {});
  }
};

TEST_F(PageTextsTest, GermanTextsAreWholeOnEveryPage) {
  ExpectWholeTexts("de");
}

TEST_F(PageTextsTest, FrenchTextsAreWholeOnEveryPage) {
  ExpectWholeTexts("fr");
}

}  // namespace
