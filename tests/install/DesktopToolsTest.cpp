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
  void SetUp() override {
    InstallTest::SetUp();
    // padflasher-cli as the shells find it, counting its starts.
    const QString wrapper = work_.filePath("calls/padflasher-cli");
    ASSERT_TRUE(QDir().mkpath(work_.filePath("calls")));
    QFile script(wrapper);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QString("#!/bin/sh\necho >> '%1'\nexec '%2/bin/padflasher-cli' \"$@\"\n")
                     .arg(work_.filePath("calls.log"), Prefix())
                     .toUtf8());
    script.close();
    ASSERT_TRUE(script.setPermissions(script.permissions() | QFile::ExeOwner));
    env_.insert("PATH", work_.filePath("calls") + ":" + env_.value("PATH"));
  }

  // What the shell offers for the last of words, the words typed so far on the line; each
  // completion may start the program once at most.
  QStringList Complete(const QString& shell, const QStringList& words) {
    QFile::remove(work_.filePath("calls.log"));
    QStringList quoted;
    for (const QString& word : words) quoted << "'" + word + "'";
    QString script;
    if (shell == "bash") {
      script = QString(
                   "source '%1/share/bash-completion/completions/padflasher-cli'\n"
                   "COMP_WORDS=(%2); COMP_CWORD=%3\n"
                   "_padflasher_cli\n"
                   "printf '%s\\n' \"${COMPREPLY[@]}\"\n")
                   .arg(Prefix(), quoted.join(' '))
                   .arg(words.size() - 1);
    } else {
      script = QString(
                   "source '%1/share/fish/vendor_completions.d/padflasher-cli.fish'\n"
                   "complete -C '%2'\n")
                   .arg(Prefix(), words.join(' '));
    }
    QString out, err;
    EXPECT_EQ(Run(QStandardPaths::findExecutable(shell), {"-c", script}, &out, &err), 0)
        << err.toStdString();
    QFile calls(work_.filePath("calls.log"));
    if (calls.open(QIODevice::ReadOnly)) {
      EXPECT_LE(calls.readAll().count('\n'), 1) << words.join(' ').toStdString();
    }
    QStringList offered;
    // fish shows each word's meaning after a tab.
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts))
      offered << line.section('\t', 0, 0);
    return offered;
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
      {{"padflasher-cli", "--lang", ""}, {"en", "de", "fr"}, {"flash"}},
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
  for (const char* shell : {"bash", "fish"}) {
    if (QStandardPaths::findExecutable(shell).isEmpty()) {
      ADD_FAILURE() << shell << " is not installed (scripts/bootstrap installs it)";
      continue;
    }
    for (const auto& c : cases) {
      SCOPED_TRACE(shell);
      const QStringList offered = Complete(shell, c.words);
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
}

// zsh reads its completion function without a complaint, and the function is the one the
// package installs for padflasher-cli.
TEST_F(CompletionTest, ZshLoadsItsFunctionForTheProgram) {
  const QString zsh = QStandardPaths::findExecutable("zsh");
  if (zsh.isEmpty()) GTEST_SKIP() << "zsh is not installed (scripts/bootstrap installs it)";
  QString out, err;
  EXPECT_EQ(Run(zsh,
                {"-c", QString("fpath=('%1/share/zsh/vendor-completions' $fpath); autoload -U "
                               "compinit; compinit -u -D; print -r -- $_comps[padflasher-cli]")
                           .arg(Prefix())},
                &out, &err),
            0);
  EXPECT_EQ(out.trimmed(), "_padflasher-cli");
  EXPECT_EQ(err, "");
  EXPECT_EQ(
      Run(zsh, {"-n", Prefix() + "/share/zsh/vendor-completions/_padflasher-cli"}, &out, &err), 0)
      << err.toStdString();
}

}  // namespace
