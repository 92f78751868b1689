#include "startup/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <algorithm>
#include <memory>

#include "base/DebugLog.h"

namespace {

std::string gLanguage = "en";
// Installed translators, owned here for the whole run (the application only points at them).
std::unique_ptr<QTranslator> gProgramTranslator, gQtTranslator;

// "de_AT.UTF-8@euro" -> "de"; "" for the C locale and anything that is no language.
std::string LanguageOf(const std::string& value) {
  const std::string code = value.substr(0, value.find_first_of("_.@-"));
  if (code.size() < 2 || code.size() > 3) return {};
  std::string lower;
  for (char c : code) {
    if (c < 'A' || (c > 'Z' && c < 'a') || c > 'z') return {};
    lower += static_cast<char>(c | 0x20);
  }
  return lower;
}

bool HasCatalogue(const std::string& language) {
  if (language == "en") return true;
  return std::any_of(std::begin(kTranslatedLanguages), std::end(kTranslatedLanguages),
                     [&](const char* code) { return language == code; });
}

// The first entry of a colon-separated list that names a language we have; empty when none.
std::string FirstKnown(const std::string& list) {
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find(':', start), list.size());
    const std::string language = LanguageOf(list.substr(start, end - start));
    if (HasCatalogue(language)) return language;
    start = end + 1;
  }
  return {};
}

}  // namespace

std::string ChooseLanguage(const Environment& env, const std::string& forced) {
  for (const std::string& chosen : {forced, env("PADFLASHER_LANG")}) {
    if (chosen.empty()) continue;
    const std::string language = LanguageOf(chosen);
    return HasCatalogue(language) ? language : "en";
  }
  std::string locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = env(name);
    if (!locale.empty()) break;
  }
  // gettext ignores LANGUAGE when the messages locale is C or POSIX (or not set at all).
  if (locale.empty() || locale == "C" || locale.rfind("C.", 0) == 0 || locale == "POSIX")
    return "en";
  std::string language = FirstKnown(env("LANGUAGE"));
  if (language.empty()) language = FirstKnown(locale);
  return language.empty() ? "en" : language;
}

bool InstallTranslators(const std::string& language, const std::string& folder) {
  // A translator's destructor takes it out of the application again.
  gProgramTranslator.reset();
  gQtTranslator.reset();
  gLanguage = "en";
  if (language == "en") return true;
  const QString code = QString::fromStdString(language);
  auto program = std::make_unique<QTranslator>();
  if (!program->load("padflasher_" + code, QString::fromStdString(folder))) {
    DebugLog("No catalogue padflasher_" + language + ".qm in " + folder + "; texts stay English");
    return false;
  }
  QCoreApplication::installTranslator(program.get());
  gProgramTranslator = std::move(program);
  // Qt's own texts: the standard buttons, the parser's errors. English without them is harmless.
  auto qt = std::make_unique<QTranslator>();
  if (qt->load("qtbase_" + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt.get());
    gQtTranslator = std::move(qt);
  }
  gLanguage = language;
  return true;
}

const std::string& CurrentLanguage() {
  return gLanguage;
}
