// Which language the texts are shown in, from the environment as gettext reads it, and the
// catalogues that carry it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <map>

#include "startup/Language.h"

namespace {

Environment Env(const std::map<std::string, std::string>& values) {
  return [values](const std::string& name) {
    auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
  };
}

TEST(Language, ChosenFromTheEnvironmentAsGettextDoes) {
  struct Case {
    const char* why;
    std::map<std::string, std::string> env;
    const char* forced;
    const char* expected;
  };
  const Case cases[] = {
      {"nothing set", {}, "", "en"},
      {"LANG alone", {{"LANG", "de_DE.UTF-8"}}, "", "de"},
      {"LANG with modifier", {{"LANG", "fr_BE.UTF-8@euro"}}, "", "fr"},
      {"a language without a catalogue", {{"LANG", "it_IT.UTF-8"}}, "", "en"},
      {"LC_MESSAGES before LANG",
       {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}},
       "",
       "fr"},
      {"LC_ALL before LC_MESSAGES",
       {{"LC_ALL", "de_AT.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}, {"LANG", "fr_FR.UTF-8"}},
       "",
       "de"},
      {"LANGUAGE before the locale", {{"LANGUAGE", "fr:de"}, {"LANG", "de_DE.UTF-8"}}, "", "fr"},
      {"LANGUAGE skips what has no catalogue",
       {{"LANGUAGE", "it:de_CH"}, {"LANG", "fr_FR"}},
       "",
       "de"},
      {"LANGUAGE with English first",
       {{"LANGUAGE", "en_GB:de"}, {"LANG", "de_DE.UTF-8"}},
       "",
       "en"},
      {"LANGUAGE with nothing known falls to the locale",
       {{"LANGUAGE", "it:es"}, {"LANG", "fr_FR.UTF-8"}},
       "",
       "fr"},
      {"LANGUAGE is ignored under the C locale",
       {{"LANGUAGE", "de"}, {"LANG", "C.UTF-8"}},
       "",
       "en"},
      {"LANGUAGE is ignored without a locale", {{"LANGUAGE", "fr"}}, "", "en"},
      {"LC_ALL=POSIX", {{"LC_ALL", "POSIX"}, {"LANG", "de_DE.UTF-8"}}, "", "en"},
      {"PADFLASHER_LANG forces English",
       {{"PADFLASHER_LANG", "en"}, {"LANG", "de_DE.UTF-8"}},
       "",
       "en"},
      {"PADFLASHER_LANG forces a language",
       {{"PADFLASHER_LANG", "fr"}, {"LC_ALL", "de_DE"}},
       "",
       "fr"},
      {"--lang before PADFLASHER_LANG", {{"PADFLASHER_LANG", "fr"}}, "de", "de"},
      {"--lang en", {{"LANG", "fr_FR.UTF-8"}}, "en", "en"},
      {"--lang of an unknown language", {{"LANG", "fr_FR.UTF-8"}}, "xx_YY", "en"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseLanguage(Env(c.env), c.forced), c.expected) << c.why;
  }
}

TEST(Language, TheBuiltCataloguesTranslateAndEnglishNeedsNone) {
  const char* exitQuestion = "Are you sure you want to Exit the program?";
  ASSERT_TRUE(InstallTranslators("de", PADFLASHER_BIN_DIR));
  EXPECT_EQ(QCoreApplication::translate("App", exitQuestion).toStdString(),
            "Sind Sie sicher, dass Sie das Programm beenden möchten?");
  // Qt's own catalogue comes along for the standard buttons.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(), "&Ja");
  ASSERT_TRUE(InstallTranslators("fr", PADFLASHER_BIN_DIR));
  EXPECT_EQ(CurrentLanguage(), "fr");
  EXPECT_EQ(QCoreApplication::translate("App", exitQuestion).toStdString(),
            "Voulez-vous vraiment quitter le programme ?");
  EXPECT_FALSE(InstallTranslators("de", "/nonexistent"));
  EXPECT_EQ(CurrentLanguage(), "en");
  EXPECT_EQ(QCoreApplication::translate("App", exitQuestion).toStdString(), exitQuestion);
  EXPECT_TRUE(InstallTranslators("en", PADFLASHER_BIN_DIR));
}

}  // namespace
