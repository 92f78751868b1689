// The programming-mode instructions dialog, as a user meets it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/PageLook.h"
#include "pages/frmHCerror.h"

namespace {

// Runs inspect on the dialog once it is up, then closes it with close(dialog).
void WhileShown(const std::function<void(QWidget*)>& inspect,
                const std::function<void(QWidget*)>& close) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    seen = true;
    inspect(dialog);
    close(dialog);
  });
  ShowProgrammingModeDialog(nullptr);
  EXPECT_TRUE(seen);
}

}  // namespace

TEST(ProgrammingModeDialog, ShowsTheInstructionsBesideThePicture) {
  WhileShown(
      [](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Hand Control not in programming mode");
        EXPECT_EQ(dialog->size(), QSize(584, 243));
        EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(128, 128, 128));
        // Centred on the screen.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_LE(std::abs(dialog->frameGeometry().center().x() - screen.center().x()), 1);
        EXPECT_LE(std::abs(dialog->frameGeometry().center().y() - screen.center().y()), 1);

        auto* picture = dialog->findChild<QLabel*>("Picture1");
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->pixmap().size(), QSize(200, 256));
        EXPECT_EQ(picture->pos(), QPoint(0, 0));

        auto* text = dialog->findChild<QLabel*>("lblText");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->geometry(), QRect(216, 8, 361, 161));
        EXPECT_EQ(text->palette().color(QPalette::WindowText), QColor(224, 224, 224));
        const QStringList lines = text->text().split('\n');
        ASSERT_EQ(lines.size(), 8);
        EXPECT_EQ(lines[0], "Hand Control must be placed into Programming Mode:");
        EXPECT_EQ(lines[1], "");
        EXPECT_EQ(lines[4], "displays 'Initializing...', release the buttons.");
        EXPECT_EQ(lines[7], "Next button to proceed.");

        auto* next = dialog->findChild<QPushButton*>("cmdOk");
        ASSERT_NE(next, nullptr);
        EXPECT_EQ(next->text(), "Next");
        EXPECT_EQ(next->geometry(), QRect(512, 200, 65, 25));
      },
      [](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
      });
}

TEST(ProgrammingModeDialog, ClosesByNextByEnterAndByItsCloseBox) {
  const std::function<void(QWidget*)> ways[] = {
      [](QWidget* d) { QTest::mouseClick(d->findChild<QPushButton*>("cmdOk"), Qt::LeftButton); },
      [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); },
      [](QWidget* d) { d->close(); },
  };
  for (const auto& close : ways) {
    // Each showing starts afresh: the text a previous showing saw is written again.
    WhileShown([](QWidget* d) { d->findChild<QLabel*>("lblText")->setText("changed"); }, close);
    WhileShown(
        [](QWidget* d) {
          EXPECT_TRUE(d->findChild<QLabel*>("lblText")->text().startsWith("Hand Control must"));
        },
        [](QWidget* d) { d->close(); });
  }
}

TEST(Artwork, PicturesHaveTheirDesignSizes) {
  EXPECT_EQ(ArtPixmap("splash").size(), QSize(120, 226));
  EXPECT_EQ(ArtPixmap("handcontrol").size(), QSize(200, 256));
  EXPECT_TRUE(ArtPixmap("nothing").isNull());
}
