// The installed files as the desktop's own tools read them: the validators of the desktop entry,
// the AppStream metainfo and the manual pages, and bash completing padflasher-cli.
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <vector>

#include "InstallFixture.h"

namespace {

struct Validator {
  const char* name;
  const char* tool;
  const char* package;  // where the tool comes from
  QStringList args;
  QString file;  // below the prefix
  bool quiet;    // any message on stderr counts as a failure
};

// Test names carry the validator's name, not its bytes.
void PrintTo(const Validator& v, std::ostream* os) {
  *os << v.name;
}

class ValidatorTest : public InstallTest, public ::testing::WithParamInterface<Validator> {};

TEST_P(ValidatorTest, AcceptsTheInstalledFile) {
  const Validator& v = GetParam();
  const QString tool = QStandardPaths::findExecutable(v.tool);
  if (tool.isEmpty()) {
    GTEST_SKIP() << v.tool << " is not installed (package " << v.package
                 << "; scripts/bootstrap installs it)";
  }
  QString out, err;
  const int code = Run(tool, QStringList(v.args) << Prefix() + "/" + v.file, &out, &err);
  EXPECT_EQ(code, 0) << out.toStdString() << err.toStdString();
  if (v.quiet) {
    EXPECT_EQ(err, "") << "the tool complained";
  }
}

const QStringList kManArgs = {"--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z"};

INSTANTIATE_TEST_SUITE_P(Installed, ValidatorTest,
                         ::testing::Values(Validator{"DesktopEntry",
                                                     "desktop-file-validate",
                                                     "desktop-file-utils",
                                                     {},
                                                     "share/applications/" + kAppId + ".desktop",
                                                     true},
                                           Validator{"AppStream",
                                                     "appstreamcli",
                                                     "appstream",
                                                     {"validate", "--no-net"},
                                                     "share/metainfo/" + kAppId + ".metainfo.xml",
                                                     false},
                                           Validator{"ManWindow", "man", "man-db", kManArgs,
                                                     "share/man/man1/padflasher.1.gz", true},
                                           Validator{"ManCli", "man", "man-db", kManArgs,
                                                     "share/man/man1/padflasher-cli.1.gz", true},
                                           Validator{"ManSimulator", "man", "man-db", kManArgs,
                                                     "share/man/man1/padflasher-hcsim.1.gz", true}),
                         [](const ::testing::TestParamInfo<Validator>& info) {
                           return std::string(info.param.name);
                         });

class CompletionTest : public InstallTest {
 protected:
  // What bash offers for the last of words, the words typed so far on the line.
  QStringList Complete(const QStringList& words) {
    QStringList quoted;
    for (const QString& word : words) quoted << "'" + word + "'";
    const QString script = QString(
                               "source '%1/share/bash-completion/completions/padflasher-cli'\n"
                               "COMP_WORDS=(%2); COMP_CWORD=%3\n"
                               "_padflasher_cli\n"
                               "printf '%s\\n' \"${COMPREPLY[@]}\"\n")
                               .arg(Prefix(), quoted.join(' '))
                               .arg(words.size() - 1);
    env_.insert("PATH", Prefix() + "/bin:" + env_.value("PATH"));
    QString out, err;
    EXPECT_EQ(Run("/bin/bash", {"-c", script}, &out, &err), 0) << err.toStdString();
    return out.split('\n', Qt::SkipEmptyParts);
  }
};

TEST_F(CompletionTest, OffersCommandsOptionsAndThePortsThatExist) {
  // A portable folder whose ports/ names COM7 (any character device makes a port exist).
  const QString folder = work_.filePath("pf");
  ASSERT_TRUE(QDir().mkpath(folder + "/ports"));
  ASSERT_TRUE(QFile::link("/dev/null", folder + "/ports/COM7"));
  struct Case {
    QStringList words;
    QStringList offered;  // all of these
    QStringList absent;   // none of these
  };
  const std::vector<Case> cases = {
      {{"padflasher-cli", ""},
       {"flash", "identify", "ports", "read", "verify", "download"},
       {"--port"}},
      {{"padflasher-cli", "ve"}, {"verify"}, {"flash"}},
      {{"padflasher-cli", "flash", "--"},
       {"--port", "--verify", "--backup", "--yes", "--folder"},
       {"flash"}},
      {{"padflasher-cli", "identify", "--"}, {"--port", "--debug-log"}, {"--verify", "--yes"}},
      {{"padflasher-cli", "flash", "--verify", ""}, {"none", "fast", "full"}, {"--port"}},
      {{"padflasher-cli", "--folder", folder, "identify", "--port", "C"}, {"COM7"}, {"identify"}},
      {{"padflasher-cli", "identify", "--folder", folder, "--port", ""}, {"COM7"}, {}},
      // The port's value is not taken for the command.
      {{"padflasher-cli", "--port", "COM7", "read", "--"}, {"--port"}, {"--verify"}},
      {{"padflasher-cli", "-"}, {"--folder", "--quiet", "--version"}, {"--port"}},
      {{"padflasher-cli", "--folder", folder, "flash", "--port", "COM7", "--v"}, {"--verify"}, {}},
      {{"padflasher-cli", "ports", ""}, {"assign", "unassign"}, {"COM7"}},
      {{"padflasher-cli", "ports", "unassign", "COM1"}, {"COM1", "COM16"}, {"COM2"}},
      {{"padflasher-cli", "--folder", folder, "ports", "assign", "COM3", "/dev/n"},
       {"/dev/null"},
       {"COM7"}},
  };
  for (const auto& c : cases) {
    const QStringList offered = Complete(c.words);
    for (const QString& word : c.offered) {
      EXPECT_TRUE(offered.contains(word))
          << c.words.join(' ').toStdString() << ": " << word.toStdString() << " not in "
          << offered.join(' ').toStdString();
    }
    for (const QString& word : c.absent) {
      EXPECT_FALSE(offered.contains(word))
          << c.words.join(' ').toStdString() << ": " << word.toStdString();
    }
  }
}

}  // namespace
