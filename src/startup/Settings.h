#pragma once
#include <string>

extern std::string gComPort;  // "COM3"; empty means none
extern std::string gURL;
extern std::string gDefaultURL;
extern bool gQueryVerify;
// The window in colours of at least 7:1 for every text, instead of the program's own look.
extern bool gHighContrast;
extern std::string DomainUser, DomainPassword, DomainName, DomainPath, DomainDir;
// "https" or "http": the scheme the address starts with; "http" when it names none.
extern std::string DomainScheme;
// Minisign public keys ("RW..." lines), separated by commas or spaces; empty: catalogues are
// taken unverified.
extern std::string gPublicKey;
// A file of PEM certificates trusted beside the system's roots (a private mirror's CA).
extern std::string gCAFile;

void LoadSettings(const std::string& fileName);
// False when the file could not be rewritten; the old one stays and the debug log says why.
bool SaveSettings(const std::string& fileName);
// Strips a leading scheme before splitting: "https://" or "http://" in any case ("\\" counting
// as "/"); the rest is split as an address without one.
void SplitURL(const std::string& url, std::string& user, std::string& password, std::string& host,
              std::string& path, std::string& dir);
std::string DefaultURL();
// All the address pieces, DomainScheme included, from gURL.
void SplitSettingsURL();
