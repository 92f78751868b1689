#pragma once
#include <string>

extern std::string gComPort;  // "COM3"; empty means none
extern std::string gURL;
extern std::string gDefaultURL;
extern bool gQueryVerify;
extern std::string DomainUser, DomainPassword, DomainName, DomainPath, DomainDir;

void LoadSettings(const std::string& fileName);
// False when the file could not be rewritten; the old one stays and the debug log says why.
bool SaveSettings(const std::string& fileName);
void SplitURL(const std::string& url, std::string& user, std::string& password, std::string& host,
              std::string& path, std::string& dir);
std::string DefaultURL();
