// The window program's host and help window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

#include "TempFolder.h"
#include "WizardFakes.h"
#include "app/AppTexts.h"
#include "app/HelpWindow.h"
#include "app/QtHost.h"
#include "app/WorkNotice.h"
#include "base/TextUtil.h"
#include "programmer/LinkTexts.h"
#include "startup/Language.h"
#include "startup/Startup.h"
#include "webupdate/WebTexts.h"

namespace {

class RecordingProgress : public IProgressView {
 public:
  void ShowProgress(const std::string& label, double fraction) override {
    shown.emplace_back(label, fraction);
  }
  std::vector<std::pair<std::string, double>> shown;
};

TEST(QtHost, ProgressGoesToTheRegisteredViewAndTheCaption) {
  CWizard wizard;
  QtHost host;
  RecordingProgress view;
  host.Progress(LinkPhase::Programming, 0.1);  // no wizard, no view yet: nothing breaks
  host.SetWizard(&wizard);
  host.SetProgressView(&view);
  host.Progress(LinkPhase::Programming, 0.37);
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0].first, "Programming Hand Control : 37%");
  EXPECT_DOUBLE_EQ(view.shown[0].second, 0.37);
  EXPECT_EQ(wizard.Window()->windowTitle(), "HC 37%");
  host.SetProgressView(nullptr);
  host.Progress(LinkPhase::Erasing, 0.5);
  EXPECT_EQ(view.shown.size(), 1u);
}

TEST(QtHost, TheCancelButtonComesBackWhenTheCancelIsDeclined) {
  CWizard wizard;
  QtHost host;
  host.SetWizard(&wizard);
  wizard.SetTerminateRole(TerminateRole::Wait);
  wizard.TerminateButton()->setEnabled(false);
  host.CancelDeclined();
  EXPECT_EQ(wizard.TerminateButton()->text(), "Cancel");
  EXPECT_TRUE(wizard.TerminateButton()->isEnabled());
}

TEST(QtHost, QuestionsAndTheInstructionsGoThroughTheirHooks) {
  QtHost host;
  host.ShowProgrammingModeHelp();  // none installed: nothing happens
  int shown = 0;
  host.SetProgrammingModeHelp([&] { ++shown; });
  host.ShowProgrammingModeHelp();
  EXPECT_EQ(shown, 1);
  std::string asked;
  host.SetMessageBox([&](const BoxContent& box) {
    asked = box.title + "|" + box.text;
    EXPECT_EQ(box.icon, MsgIcon::Warning);
    EXPECT_EQ(box.buttons, MsgButtons::RetryCancel);
    return MsgAnswer::Retry;
  });
  SetProgramPaths(QDir::tempPath().toStdString(), "PadFlasher");
  EXPECT_EQ(host.Message(LinkBlockMessage(MessageKind::ReadRetryQuestion, 1, 7)), MsgAnswer::Retry);
  EXPECT_EQ(asked, "PadFlasher|Error Reading Data at Bank: 1, Block: 7");
}

// Runs what the user does with the next modal box once it is up.
void WhenBoxShows(std::function<void(QMessageBox*)> act) {
  QTimer::singleShot(10, [act] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      act(box);
    } else {
      WhenBoxShows(act);
    }
  });
}

TEST(QtHost, MessageBoxShowsEachLineWholeAndAnswersByItsButton) {
  const std::string text =
      "Programming Complete\r\n\r\nAfter exiting PadFlasher, turn the Quorrel kit power off and "
      "then back on. Then check it.\r\nDone.";
  const struct {
    MsgButtons buttons;
    QMessageBox::StandardButton click;  // NoButton: closed with Esc, without a choice
    MsgAnswer answer;
  } cases[] = {{MsgButtons::Ok, QMessageBox::NoButton, MsgAnswer::Ok},
               {MsgButtons::YesNo, QMessageBox::Yes, MsgAnswer::Yes},
               {MsgButtons::YesNo, QMessageBox::NoButton, MsgAnswer::No},
               {MsgButtons::YesNoCancel, QMessageBox::NoButton, MsgAnswer::Cancel},
               {MsgButtons::RetryCancel, QMessageBox::Retry, MsgAnswer::Retry}};
  for (const auto& each : cases) {
    QString shownText;
    int labelWidth = 0, labelHeight = 0, widestLine = 0, lineHeight = 0;
    WhenBoxShows([&](QMessageBox* box) {
      if (auto* label = box->findChild<QLabel*>("qt_msgbox_label")) {
        shownText = label->text();
        labelWidth = label->width();
        labelHeight = label->height();
        for (const QString& line : shownText.split('\n')) {
          widestLine = std::max(widestLine, label->fontMetrics().horizontalAdvance(line));
        }
        lineHeight = label->fontMetrics().lineSpacing();
      }
      if (QAbstractButton* button = box->button(each.click)) {
        button->click();
      } else {
        QTest::keyClick(box, Qt::Key_Escape);
      }
    });
    EXPECT_EQ(ShowQtMessageBox({text, "PadFlasher", {}, MsgIcon::Information, each.buttons}),
              each.answer);
    EXPECT_EQ(shownText.toStdString(),
              "Programming Complete\n\nAfter exiting PadFlasher, turn the Quorrel kit power off "
              "and then back on. Then check it.\nDone.");
    EXPECT_GT(widestLine, 500) << "a line Qt alone would wrap";
    EXPECT_GE(labelWidth, widestLine) << "the line fits three quarters of the screen";
    EXPECT_LT(labelHeight, 5 * lineHeight) << "four lines, none of them wrapped";
  }
}

TEST(QtHost, AFailureShowsItsCauseUnderTheText) {
  SetProgramPaths(QDir::tempPath().toStdString(), "PadFlasher");
  QtHost host;
  const struct {
    HostMessage message;
    const char* cause;  // shown under the text; empty: none
  } cases[] = {
      {LinkMessage(MessageKind::PortOpenFailed, {"COM3"},
                   "the device is busy: another program "
                   "has it open"),
       "the device is busy: another program has it open"},
      {LinkMessage(MessageKind::PortOpenFailed, {"COM3"}), ""},
      // The text names this cause already.
      {WebMessage(MessageKind::SiteRefused, {"HTTP 404"}, "HTTP 404"), ""},
  };
  for (const auto& c : cases) {
    QString text, cause;
    bool causeWhole = true;
    WhenBoxShows([&](QMessageBox* box) {
      text = box->text();
      cause = box->informativeText();
      if (auto* label = box->findChild<QLabel*>("qt_msgbox_informativelabel")) {
        causeWhole = label->width() >= label->fontMetrics().horizontalAdvance(cause);
      }
      QTest::keyClick(box, Qt::Key_Escape);
    });
    host.Message(c.message);
    EXPECT_EQ(text.toStdString(), WithLfLineEnds(MessageText(c.message)));
    EXPECT_EQ(cause.toStdString(), c.cause);
    EXPECT_TRUE(causeWhole) << "the cause is kept on one line";
  }
}

// Ended from outside, nobody is there to answer: no box, the answer that ends the work.
TEST(QtHost, EndingAnswersWithoutABoxAndLogsEachMessage) {
  SetProgramPaths(QDir::tempPath().toStdString(), "PadFlasher");
  QtHost host;
  int boxes = 0;
  host.SetMessageBox([&](const BoxContent&) {
    ++boxes;
    return MsgAnswer::Yes;
  });
  host.SetEnding(true);
  const struct {
    HostMessage message;
    MsgAnswer answer;
  } cases[] = {
      {LinkMessage(MessageKind::CancelProgrammingQuestion), MsgAnswer::Yes},
      {AppMessage(MessageKind::ExitQuestion), MsgAnswer::Yes},
      {LinkMessage(MessageKind::UnsupportedFirmwareQuestion), MsgAnswer::No},
      {LinkMessage(MessageKind::WriteRetryQuestion, {"5"}), MsgAnswer::No},
      {LinkBlockMessage(MessageKind::ReadRetryQuestion, 0, 5), MsgAnswer::Cancel},
      {LinkMessage(MessageKind::ProgrammingCancelled), MsgAnswer::Ok},
  };
  QByteArray logged;
  {
    CapturedLog log;
    for (const auto& c : cases) EXPECT_EQ(host.Message(c.message), c.answer);
    logged = log.Bytes();
  }
  EXPECT_EQ(boxes, 0);
  EXPECT_TRUE(logged.contains("Programming cancelled by user")) << logged.toStdString();
}

class RecordingNotifier : public IDesktopNotifier {
 public:
  bool Notify(const QString& summary, const QString& body) override {
    shown << summary + "|" + body;
    return true;
  }
  QStringList shown;
};

// Only work the user may have stopped watching, and only while they are in another window.
TEST(WorkNotice, LongWorkEndingInTheBackgroundAsksForAttention) {
  SetProgramPaths(QDir::tempPath().toStdString(), "PadFlasher");
  RecordingNotifier notifier;
  SetDesktopNotifier(&notifier);
  QWidget window;
  const struct {
    const char* what;
    std::chrono::milliseconds threshold;
    bool active;
    bool told;
  } cases[] = {{"short, in the background", WorkNotice::kLongWork, false, false},
               {"long, in the background", std::chrono::milliseconds(0), false, true},
               {"long, watched", std::chrono::milliseconds(0), true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    notifier.shown.clear();
    if (c.active) {
      window.show();
      QApplication::setActiveWindow(&window);
    }
    WorkNotice notice(&window, c.threshold);
    EXPECT_EQ(notice.Ended("The hand control is programmed."), c.told);
    EXPECT_EQ(notifier.shown,
              c.told ? QStringList{"PadFlasher|The hand control is programmed."} : QStringList{});
  }
  SetDesktopNotifier(nullptr);
}

// The notification service of a desktop, on a private bus.
class NotificationService : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public slots:
  uint Notify(const QString& app, uint, const QString&, const QString& summary, const QString& body,
              const QStringList&, const QVariantMap& hints, int) {
    shown << app + "|" + summary + "|" + body + "|" + hints.value("desktop-entry").toString();
    return 1;
  }

 public:
  QStringList shown;
};

TEST(WorkNotice, TheBusNotifierReachesTheDesktopsNotificationService) {
  QProcess daemon;
  daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
  if (!daemon.waitForStarted(5000)) GTEST_SKIP() << "needs dbus-daemon";
  ASSERT_TRUE(daemon.waitForReadyRead(5000));
  const QString address = QString::fromLatin1(daemon.readLine()).trimmed();
  // The session bus is connected at its first use, which is this one in this test program.
  qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLocal8Bit());
  {
    QDBusConnection desktop = QDBusConnection::connectToBus(address, "desktop");
    ASSERT_TRUE(desktop.isConnected());
    NotificationService service;
    ASSERT_TRUE(desktop.registerObject("/org/freedesktop/Notifications", &service,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(desktop.registerService("org.freedesktop.Notifications"));
    SetProgramPaths(QDir::tempPath().toStdString(), "PadFlasher");
    QGuiApplication::setDesktopFileName("org.example.PadFlasher");
    ASSERT_TRUE(MakeBusNotifier()->Notify("PadFlasher", "NEW300.bin is downloaded."));
    QDeadlineTimer deadline(5000);
    while (service.shown.isEmpty() && !deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(service.shown, QStringList{"PadFlasher|PadFlasher|NEW300.bin is downloaded.|"
                                         "org.example.PadFlasher"});
    QGuiApplication::setDesktopFileName({});
  }
  QDBusConnection::disconnectFromBus("desktop");
  daemon.terminate();
  daemon.waitForFinished(5000);
}

TEST(HelpWindow, ShowsExistingTopicsOnlyFromItsFolder) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const std::string helpFolder = folder.filePath("PadFlasher.help").toStdString();
  EXPECT_FALSE(ShowHelpTopic(helpFolder, "Step1.htm"));  // no folder
  ASSERT_TRUE(QDir(folder.path()).mkdir("PadFlasher.help"));
  QFile topic(QString::fromStdString(helpFolder + "/Step3.htm"));
  ASSERT_TRUE(topic.open(QIODevice::WriteOnly));
  topic.write("<html><body><h1>Choosing firmware</h1></body></html>");
  topic.close();
  QFile outside(folder.filePath("secret.htm"));
  ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
  outside.write("<html><body>outside</body></html>");
  outside.close();

  EXPECT_FALSE(ShowHelpTopic(helpFolder, "Step2.htm"));
  EXPECT_FALSE(ShowHelpTopic(helpFolder, "../secret.htm"));
  EXPECT_FALSE(ShowHelpTopic(helpFolder, ""));
  EXPECT_EQ(HelpBrowser(), nullptr);
  ASSERT_TRUE(ShowHelpTopic(helpFolder, "Step3.htm"));
  ASSERT_NE(HelpBrowser(), nullptr);
  EXPECT_TRUE(HelpBrowser()->isVisible());
  EXPECT_TRUE(HelpBrowser()->toPlainText().contains("Choosing firmware"));
  QTextBrowser* first = HelpBrowser();
  EXPECT_TRUE(ShowHelpTopic(helpFolder, "Step3.htm"));
  EXPECT_EQ(HelpBrowser(), first);  // one help window, reused
  HelpBrowser()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(HelpBrowser(), nullptr);
}

TEST(HelpWindow, ShowsThePageInTheUsersLanguageAndFallsBackToEnglishPerPage) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid() && QDir(folder.path()).mkpath("de"));
  auto write = [&](const QString& name, const QByteArray& text) {
    QFile page(folder.filePath(name));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(text);
  };
  write("Step1.htm", "<p>Welcome</p>");
  write("Step2.htm", "<p>Choosing the COM port</p>");
  write("de/Step1.htm", "<p>Willkommen</p>");
  ASSERT_TRUE(InstallTranslators("de", PADFLASHER_BIN_DIR));
  const std::string helpFolder = folder.path().toStdString();
  ASSERT_TRUE(ShowHelpTopic(helpFolder, "Step1.htm"));
  EXPECT_EQ(HelpBrowser()->toPlainText(), "Willkommen");
  EXPECT_TRUE(HelpBrowser()->windowTitle().endsWith("-Hilfe"))
      << HelpBrowser()->windowTitle().toStdString();
  ASSERT_TRUE(ShowHelpTopic(helpFolder, "Step2.htm"));
  EXPECT_EQ(HelpBrowser()->toPlainText(), "Choosing the COM port");
  InstallTranslators("en", {});
  ASSERT_TRUE(ShowHelpTopic(helpFolder, "Step1.htm"));
  EXPECT_EQ(HelpBrowser()->toPlainText(), "Welcome");
  HelpBrowser()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(HelpWindow, InstalledViewerAnswersShowHelp) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  SetProgramPaths(folder.path().toStdString(), "Other");
  ASSERT_TRUE(QDir(folder.path()).mkdir("Other.help"));
  QFile topic(folder.filePath("Other.help/Step1.htm"));
  ASSERT_TRUE(topic.open(QIODevice::WriteOnly));
  topic.write("<p>Welcome help</p>");
  topic.close();
  InstallHelpViewer();
  ShowHelp("Step4.htm");
  EXPECT_EQ(HelpBrowser(), nullptr);
  ShowHelp("Step1.htm");
  ASSERT_NE(HelpBrowser(), nullptr);
  EXPECT_TRUE(HelpBrowser()->toPlainText().contains("Welcome help"));
  EXPECT_EQ(HelpBrowser()->windowTitle(), "Other Help");
  HelpBrowser()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  SetHelpViewer(nullptr);
}

}  // namespace

#include "QtHostTest.moc"
