#include <gtest/gtest.h>

#include <QLabel>

#include "dialog_harness.h"
#include "ui/desktop_platform.h"

// A prompt can carry a file name the user typed: it reads exactly as composed, never as markup.
TEST(DesktopMessage, ShowsThePromptAsPlainText) {
  const std::string prompt = "<b>B</b>  &amp; x.bat was not found!";
  fendral::ui::DesktopPlatform platform;
  EXPECT_TRUE(whileModal([&] { platform.message(prompt); },
                         [&](QWidget* box) {
                           auto* label = box->findChild<QLabel*>("qt_msgbox_label");
                           ASSERT_NE(label, nullptr);
                           EXPECT_EQ(label->text().toStdString(), prompt);
                           EXPECT_EQ(label->textFormat(), Qt::PlainText);
                           pressKey(box, Qt::Key_Escape);
                         }));
}
