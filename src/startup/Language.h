#pragma once
// The language of the texts a user reads. The debug log, the trace, JSON keys, exit codes, the
// files and the serial commands stay English whatever it is.
#include <string>

#include "startup/ProgramPlaces.h"  // Environment

// The languages that have a catalogue (translations/padflasher_<code>.ts); English is built in.
inline constexpr const char* kTranslatedLanguages[] = {"de", "fr"};

// "de", "fr" or "en". forced (the CLI's --lang) wins, then PADFLASHER_LANG, then the environment
// as gettext reads it: LANGUAGE (a colon-separated list, ignored under the C locale), LC_ALL,
// LC_MESSAGES, LANG. A value such as "de_AT.UTF-8@euro" counts as its language; the first that
// has a catalogue, or is English, wins; English when none does.
std::string ChooseLanguage(const Environment& env, const std::string& forced = {});

// Loads the program's catalogue from folder and Qt's own (standard buttons) for language; English
// loads nothing. False, after a line in the debug log, when the program's catalogue is missing.
// Needs the QCoreApplication.
bool InstallTranslators(const std::string& language, const std::string& folder);
// The language InstallTranslators last installed ("en" before).
const std::string& CurrentLanguage();
