#pragma once
// The program's help window: HTML topics from the folder "<base name>.help" beside the
// executable. A missing folder or topic shows nothing.
#include <string>

class QTextBrowser;

// Installs the viewer with SetHelpViewer.
void InstallHelpViewer();
// Shows topic of helpFolder in the (single) help window; false when there is no such file.
bool ShowHelpTopic(const std::string& helpFolder, const std::string& topic);
// The help window once it has been opened, else null.
QTextBrowser* HelpBrowser();
