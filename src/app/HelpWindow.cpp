#include "app/HelpWindow.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

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
  QFileInfo file(folder + "/" + QString::fromStdString(topic));
  if (!file.isFile() || !file.isReadable()) return false;
  if (!gHelpBrowser) {
    gHelpBrowser = new QTextBrowser;
    gHelpBrowser->setAttribute(Qt::WA_DeleteOnClose);
    gHelpBrowser->setOpenExternalLinks(true);
    gHelpBrowser->resize(640, 520);
  }
  gHelpBrowser->setSearchPaths({folder});
  gHelpBrowser->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  gHelpBrowser->setWindowTitle(QString::fromStdString(gBaseName + " Help"));
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
