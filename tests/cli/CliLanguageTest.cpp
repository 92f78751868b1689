// padflasher-cli in the user's language: the human output follows the environment, the JSON
// document does not.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <map>

#include "CliHarness.h"

namespace {

// The language variables of this process, which the CLI inherits, set for one run and put back.
class LanguageEnvironment {
 public:
  explicit LanguageEnvironment(const std::map<QByteArray, QByteArray>& values) {
    for (const char* name : {"PADFLASHER_LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
      saved_[name] = qgetenv(name);
      had_[name] = qEnvironmentVariableIsSet(name);
      qunsetenv(name);
    }
    for (const auto& [name, value] : values) qputenv(name.constData(), value);
  }
  ~LanguageEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (had_[name])
        qputenv(name.constData(), value);
      else
        qunsetenv(name.constData());
    }
  }

 private:
  std::map<QByteArray, QByteArray> saved_;
  std::map<QByteArray, bool> had_;
};

// The document without the fields a person reads and the time taken.
QJsonObject Comparable(const QString& json) {
  QJsonObject document = QJsonDocument::fromJson(json.toUtf8()).object();
  document.remove("message");
  document.remove("seconds");
  return document;
}

TEST(CliLanguage, ASilentHandControlIsReportedInTheLanguageOfTheEnvironment) {
  struct Case {
    std::map<QByteArray, QByteArray> env;
    QStringList extra;
    const char* noAnswer;
    const char* instructions;
  };
  const Case cases[] = {
      {{{"LANG", "en_US.UTF-8"}},
       {},
       "the hand control on COM1",
       "Hand Control must be placed into Programming Mode:"},
      {{{"LANG", "de_DE.UTF-8"}},
       {},
       "die Handsteuerung an COM1",
       "Die Handsteuerung muss in den Programmiermodus versetzt werden:"},
      {{{"LANG", "fr_FR.UTF-8"}},
       {},
       "la raquette de commande sur COM1",
       "La raquette de commande doit être mise en mode programmation :"},
      {{{"LANG", "fr_FR.UTF-8"}},
       {"--lang", "en"},
       "the hand control on COM1",
       "Hand Control must be placed into Programming Mode:"},
  };
  CliFixture f;
  f.StartSim({"--fault", "silent"});
  QJsonObject english;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.env.begin()->second.toStdString() + " " + c.extra.join(' ').toStdString());
    LanguageEnvironment language(c.env);
    CliResult r = f.Run(QStringList{"identify", "--port", "COM1", "--json"} + c.extra);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(c.noAnswer)) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(c.instructions)) << r.err.toStdString();
    const QJsonObject document = Comparable(r.out);
    EXPECT_EQ(document.value("exit_meaning").toString(), "failed");
    if (english.isEmpty())
      english = document;
    else
      EXPECT_EQ(document, english) << r.out.toStdString();
  }
}

}  // namespace
