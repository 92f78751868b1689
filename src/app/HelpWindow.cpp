#include "app/HelpWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include "startup/Language.h"
#include "startup/Startup.h"

namespace {
QPointer<QTextBrowser> gHelpBrowser;
}

QTextBrowser* HelpBrowser() {
  return gHelpBrowser.data();
}

bool ShowHelpTopic(const std::string& helpFolder, const std::string& topic) {
  // The topic names a file inside the folder, nothing above it.
  if (topic.empty() || topic.find('/') != std::string::npos ||
      topic.find("..") != std::string::npos) {
    return false;
  }
  const QString folder = QString::fromStdString(helpFolder);
  const QString name = QString::fromStdString(topic);
  // The page in the user's language (a subfolder named by the language) when it has one, else
  // the English page; so a language may lag behind page by page.
  QFileInfo file(folder + "/" + QString::fromStdString(CurrentLanguage()) + "/" + name);
  if (CurrentLanguage() == "en" || !file.isFile()) file = QFileInfo(folder + "/" + name);
  if (!file.isFile() || !file.isReadable()) return false;
  if (!gHelpBrowser) {
    gHelpBrowser = new QTextBrowser;
    gHelpBrowser->setAttribute(Qt::WA_DeleteOnClose);
    gHelpBrowser->setOpenExternalLinks(true);
    gHelpBrowser->resize(640, 520);
  }
  gHelpBrowser->setSearchPaths({file.absolutePath(), folder});
  gHelpBrowser->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  gHelpBrowser->setWindowTitle(
      QCoreApplication::translate("Help", "%1 Help").arg(QString::fromStdString(gBaseName)));
  gHelpBrowser->show();
  gHelpBrowser->raise();
  gHelpBrowser->activateWindow();
  return true;
}

void InstallHelpViewer() {
  SetHelpViewer([](const std::string& helpFolder, const std::string& topic) {
    ShowHelpTopic(helpFolder, topic);
  });
}
