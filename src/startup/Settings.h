#pragma once
#include <string>

extern std::string gComPort;  // "COM3"; empty means none
extern std::string gURL;
extern std::string gDefaultURL;
extern bool gQueryVerify;
extern std::string DomainUser, DomainPassword, DomainName, DomainPath, DomainDir;

void LoadSettings(const std::string& fileName);
void SaveSettings(const std::string& fileName);
void SplitURL(const std::string& url, std::string& user, std::string& password, std::string& host,
              std::string& path, std::string& dir);
std::string DefaultURL();
