#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <stdexcept>
#include <vector>

#include "TempFolder.h"
#include "base/AtomicFile.h"
#include "base/DebugLog.h"
#include "ini/INIfile.h"

void PrintTo(const INIline& l, std::ostream* os) {
  *os << "{" << l.Group << "|" << l.Section << "|" << l.Value << "}";
}

namespace {
using Lines = std::vector<INIline>;

Lines LinesOf(const INIfile& doc) {
  return Lines(doc.INIlines().begin(), doc.INIlines().end());
}

class IniTest : public TempFolderTest {};

struct ParseCase {
  const char* name;
  std::string bytes;
  Lines expected;
};

TEST_F(IniTest, LoadFileParsesLinesAsTheyAreWritten) {
  const std::vector<ParseCase> cases = {
      {"equal signs inside the value", "  key = a = b  \r\n", {{"", "KEY", "a = b"}}},
      {"header with trailing text names the group",
       "[Versions] extra\r\nVersion = 1\r\n",
       {{"[VERSIONS] EXTRA", "[VERSIONS] EXTRA", ""}, {"[VERSIONS] EXTRA", "VERSION", "1"}}},
      {"TAB counts as a space", "key\t= x\r\n", {{"", "KEY", "x"}}},
      {"comment without = is dropped, with = it stays",
       "; note\r\n; a = b\r\n",
       {{"", "; A", "b"}}},
      {"last line without CR LF is lost", "a=1\r\nb=2", {{"", "A", "1"}}},
      {"LF-only file is one line up to the first CR LF",
       "a=1\nb=2\nc=3\r\nd=4\n",
       {{"", "A", "1 b=2 c=3"}}},
      {"LF-only file without any CR LF is empty", "a=1\nb=2\n", {}},
      {"key missing before = is dropped", "= x\r\n  =y\r\n", {}},
      {"blank lines are dropped", "\r\n   \r\n\t\r\n", {}},
      {"lone CR inside a line counts as a space", "a\r=b\r\n", {{"", "A", "b"}}},
      {"empty value", "key =\r\n", {{"", "KEY", ""}}},
      {"value keeps case and inner spaces",
       "Url = Host/Some  Path\r\n",
       {{"", "URL", "Host/Some  Path"}}},
      {"8-bit bytes pass unchanged, only ASCII letters go upper case",
       "k\xe9y = v\xfc\r\n",
       {{"", "K\xe9Y", "v\xfc"}}},
      {"lines before the first header have no group, each header starts one",
       "a=1\r\n[One]\r\nb=2\r\n[two]\r\nc=3\r\n",
       {{"", "A", "1"},
        {"[ONE]", "[ONE]", ""},
        {"[ONE]", "B", "2"},
        {"[TWO]", "[TWO]", ""},
        {"[TWO]", "C", "3"}}},
  };
  for (const auto& c : cases) {
    WriteBytes(Path("in.ini"), c.bytes);
    INIfile doc;
    EXPECT_TRUE(doc.LoadFile(Path("in.ini"))) << c.name;
    EXPECT_EQ(LinesOf(doc), c.expected) << c.name;
  }
}

TEST_F(IniTest, AFileThatIsMissingOrUnreadableGivesAnEmptyDocument) {
  // A missing file is a first start, not an error; a file that is there but cannot be read is.
  // Nothing that is not a plain file of sane size is read: a FIFO would block for ever, a device
  // or a huge file would fill the memory.
  ASSERT_TRUE(QDir(QString::fromStdString(Folder())).mkdir("folder.ini"));
  ASSERT_EQ(mkfifo(Path("fifo.ini").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", Path("zero.ini").c_str()), 0);
  ASSERT_EQ(symlink("/dev/urandom", Path("urandom.ver").c_str()), 0);
  WriteBytes(Path("huge.ini"), "");
  ASSERT_EQ(truncate(Path("huge.ini").c_str(), INIfile::kMaxBytes + 1), 0);
  struct Case {
    const char* name;
    bool loaded;
  };
  const std::vector<Case> cases = {{"absent.ini", true},   {"folder.ini", false},
                                   {"fifo.ini", false},    {"zero.ini", false},
                                   {"urandom.ver", false}, {"huge.ini", false}};
  for (const auto& c : cases) {
    OpenDebugLog();
    INIfile doc;
    doc.INIlines().Add("", "OLD", "1");
    EXPECT_EQ(doc.LoadFile(Path(c.name)), c.loaded) << c.name;
    EXPECT_EQ(doc.INIlines().Count(), 0) << c.name;
    const bool logged =
        ReadBytes(Path("debugexe.txt")).find("Cannot read " + Path(c.name)) != std::string::npos;
    EXPECT_EQ(logged, !c.loaded) << c.name;
    CloseDebugLog();
  }
}

struct SaveCase {
  const char* name;
  Lines lines;
  std::string expected;
  bool ucase = false;
  int leadingSpaces = 3;
  int equalPos = 17;
};

TEST_F(IniTest, SaveFileWritesAlignedLines) {
  const std::vector<SaveCase> cases = {
      {"short key padded to column 17",
       {{"[PADFLASHER]", "COMport", "COM3"}},
       "   COMport      = COM3\r\n"},
      {"13-character key fills the 16 columns",
       {{"", "DebugFilter10", "True"}},
       "   DebugFilter10= True\r\n"},
      {"longer key pushes = right", {{"", "DebugFilter1000", "x"}}, "   DebugFilter1000= x\r\n"},
      {"empty value ends in =", {{"", "COMport", ""}}, "   COMport      =\r\n"},
      {"UcaseSection writes the key in upper case",
       {{"", "COMport", "com3"}},
       "   COMPORT      = com3\r\n",
       true},
      {"header line", {{"[VERSIONS]", "", ""}}, "[VERSIONS]\r\n"},
      {"header is written in upper case without spaces",
       {{" [versions] ", "", ""}},
       "[VERSIONS]\r\n"},
      {"all three empty is an empty line", {{"", "", ""}}, "\r\n"},
      {"value without key is not written", {{"", "", "lost"}}, "\r\n"},
      {"loaded header goes out in key form",
       {{"[VERSIONS]", "[VERSIONS]", ""}},
       "   [VERSIONS]   =\r\n"},
      {"key and value lose surrounding spaces",
       {{"", "  k  ", "  v w  "}},
       "   k            = v w\r\n"},
      {"lines in collection order, groups not sorted",
       {{"[B]", "", ""}, {"[B]", "x", "1"}, {"[A]", "", ""}, {"[B]", "y", "2"}},
       "[B]\r\n   x            = 1\r\n[A]\r\n   y            = 2\r\n"},
      {"other indentation and column", {{"", "k", "v"}}, "k= v\r\n", false, 0, 1},
      {"8-bit bytes written as they are", {{"", "k\xe9", "\xfc"}}, "   k\xe9           = \xfc\r\n"},
  };
  for (const auto& c : cases) {
    INIfile doc;
    doc.UcaseSection = c.ucase;
    doc.LeadingSpaces = c.leadingSpaces;
    doc.EqualPos = c.equalPos;
    for (const auto& l : c.lines) doc.INIlines().Add(l.Group, l.Section, l.Value);
    EXPECT_TRUE(doc.SaveFile(Path("out.ini"))) << c.name;
    EXPECT_EQ(ReadBytes(Path("out.ini")), c.expected) << c.name;
  }
}

TEST_F(IniTest, SavingAnEmptyDocumentWritesAnEmptyFile) {
  WriteBytes(Path("out.ini"), "old\r\n");
  EXPECT_TRUE(INIfile().SaveFile(Path("out.ini")));
  EXPECT_EQ(ReadBytes(Path("out.ini")), "");
}

TEST_F(IniTest, CollectionPositionsCountFromOne) {
  INIlines lines;
  lines.Add("", "A", "1");
  INIline& b = lines.Add("", "B", "2");
  lines.Add("", "C", "3");
  b.Value = "changed";  // a line handed back by Add stays the caller's to change
  EXPECT_EQ(lines.Item(2).Value, "changed");

  EXPECT_THROW(lines.Item(0), std::out_of_range);
  EXPECT_THROW(lines.Item(4), std::out_of_range);
  EXPECT_THROW(lines.Remove(0), std::out_of_range);
  EXPECT_THROW(lines.Remove(4), std::out_of_range);
  EXPECT_EQ(lines.Count(), 3);

  lines.Remove(1);
  ASSERT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines.Item(1).Section, "B");
  EXPECT_EQ(lines.Item(2).Section, "C");

  std::string order;
  for (const INIline& l : lines) order += l.Section;
  EXPECT_EQ(order, "BC");

  INIfile doc;
  doc.INIlines() = lines;
  EXPECT_EQ(doc.INIlines().Count(), 2);
  lines.Clear();
  EXPECT_EQ(lines.Count(), 0);
  EXPECT_EQ(doc.INIlines().Count(), 2);
}

// The disk fills for real: a child process whose file size limit makes writes past it fail with
// EFBIG (SIGXFSZ ignored), as they would on a full disk.
TEST_F(IniTest, ASaveThatRunsOutOfRoomLeavesTheOldFileIntact) {
  struct Case {
    const char* what;
    size_t bytes;
    rlim_t limit;
    bool saved;
  } cases[] = {
      {"small write, fails only at the flush", 1000, 100, false},
      {"large write, fails in the write", 100000, 1000, false},
      {"fits", 90, 100, true},
  };
  const std::string old = "[PADFLASHER]\r\n   COMport      = COM7\r\n";
  for (const auto& c : cases) {
    WriteBytes(Path("PadFlasher.ini"), old);
    const std::string bytes(c.bytes, 'n');
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit r{c.limit, c.limit};
      setrlimit(RLIMIT_FSIZE, &r);
      std::string reason;  // a pipe is no file: the reason passes the limit
      const bool saved = WriteFileAtomically(Path("PadFlasher.ini"), bytes, &reason);
      [[maybe_unused]] ssize_t n = write(pipeFds[1], reason.data(), reason.size());
      _exit(saved ? 0 : 1);
    }
    close(pipeFds[1]);
    char buffer[256] = {};
    const ssize_t n = read(pipeFds[0], buffer, sizeof buffer - 1);
    close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << c.what;
    EXPECT_EQ(WEXITSTATUS(status) == 0, c.saved) << c.what;
    EXPECT_EQ(ReadBytes(Path("PadFlasher.ini")), c.saved ? bytes : old) << c.what;
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(std::max<ssize_t>(n, 0))),
              c.saved ? "" : "File too large")
        << c.what;
    // No temporary file is left behind beside it.
    EXPECT_EQ(FolderEntries(Folder()), QStringList({"PadFlasher.ini"})) << c.what;
  }
}

TEST_F(IniTest, ASaveNeverWritesWhatTheLoaderWouldRefuse) {
  const std::string old = "[VERSIONS]\r\n   Version      = A,T,1A2B,1,00\r\n";
  WriteBytes(Path("PadFlasher.ver"), old);
  INIfile doc;
  while (static_cast<int64_t>(doc.SaveText().size()) <= INIfile::kMaxBytes)
    doc.INIlines().Add("[VERSIONS]", "Version", std::string(1000, 'v'));
  std::string reason;
  EXPECT_FALSE(doc.SaveFile(Path("PadFlasher.ver"), &reason));
  EXPECT_EQ(reason, "would be larger than 1048576 bytes");
  EXPECT_EQ(ReadBytes(Path("PadFlasher.ver")), old);
}

TEST_F(IniTest, ASaveNeverReplacesSomethingThatIsNoPlainFile) {
  ASSERT_TRUE(QDir(QString::fromStdString(Folder())).mkdir("folder.ini"));
  ASSERT_EQ(mkfifo(Path("fifo.ini").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/null", Path("null.ini").c_str()), 0);
  INIfile doc;
  doc.INIlines().Add("", "k", "v");
  for (const char* name : {"folder.ini", "fifo.ini", "null.ini"}) {
    EXPECT_FALSE(doc.SaveFile(Path(name))) << name;
    EXPECT_FALSE(QFileInfo(QString::fromStdString(Path(name))).isFile()) << name;
  }
  EXPECT_TRUE(QFileInfo(QString::fromStdString(Path("null.ini"))).isSymLink());
}

TEST_F(IniTest, AFileThatCannotBeCreatedIsSkippedWithALogLineOnlyWhenLogging) {
  OpenDebugLog();
  INIfile doc;
  doc.INIlines().Add("", "k", "v");
  SetDebugEnabled(false);
  EXPECT_FALSE(doc.SaveFile(Path("no/such/folder/a.ini")));
  EXPECT_EQ(ReadBytes(Path("debugexe.txt")), "");
  SetDebugEnabled(true);
  EXPECT_FALSE(doc.SaveFile(Path("no/such/folder/a.ini")));
  EXPECT_NE(ReadBytes(Path("debugexe.txt")).find("Cannot write " + Path("no/such/folder/a.ini")),
            std::string::npos);
}
}  // namespace
