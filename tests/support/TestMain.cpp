#include <gtest/gtest.h>

#include <cstdlib>

// Tests of the libraries below the windows run on a QCoreApplication, so that a test program
// that needs no window does not need Qt Widgets either; the window tests build this file with
// TEST_MAIN_WIDGETS.
#ifdef TEST_MAIN_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

// Test programs run at build time too (test discovery), where there may be no display.
int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // The tests read English texts, and so do the programs they start, whatever the desktop's
  // language; the tests of other languages set their own.
  setenv("PADFLASHER_LANG", "en", 1);
  TestApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
