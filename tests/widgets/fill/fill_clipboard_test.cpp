// The fill on the desktop clipboard. Needs a display: it fails, not skips, without one.

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "fill_test_support.h"
#include "widgets/fill/fill.h"
#include "widgets/fill/fill_stream.h"

namespace tavrin {
namespace {

class FillClipboardTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { displayOpened = gtk_init_check(nullptr, nullptr); }
  void SetUp() override { ASSERT_TRUE(displayOpened) << "cannot open a display"; }
  static inline bool displayOpened = false;
};

// One test, one process: the tests run in parallel, and separate processes would take the
// one clipboard of the display from each other between a copy and its paste.
TEST_F(FillClipboardTest, CopyPasteReplaceAndForeignContent) {
  {
    SCOPED_TRACE("a pasted fill equals the copied one");
    TSmoothFill source;
    source.SetColor(16445929);
    source.SetColorMirror(15587527);
    source.SetRounding(10);
    source.SetGlow(gmGradient);
    testing::LoadBlue(source.Picture());
    source.SaveToClipBoard();

    TSmoothFill target;
    target.SetOpacity(9);  // omitted in the stream: goes back to 255
    int changes = 0;
    target.OnChange = [&](TSmoothFill&) { ++changes; };
    target.LoadFromClipBoard();
    EXPECT_EQ(SaveObject(target), SaveObject(source));
    EXPECT_EQ(target.Picture().Data(), source.Picture().Data());
    EXPECT_GT(changes, 0);
  }
  {
    SCOPED_TRACE("a later copy replaces the earlier one");
    TSmoothFill first, second;
    first.SetColor(1);
    second.SetColor(2);
    first.SaveToClipBoard();
    second.SaveToClipBoard();
    TSmoothFill target;
    target.LoadFromClipBoard();
    EXPECT_EQ(target.Color(), 2);
  }
  {
    SCOPED_TRACE("text on the clipboard is no fill");
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gtk_clipboard_set_text(clipboard, "object TSaver\n  SaveObject.Color = 255\nend\n", -1);
    TSmoothFill target;
    int changes = 0;
    target.OnChange = [&](TSmoothFill&) { ++changes; };
    target.LoadFromClipBoard();
    EXPECT_EQ(target.Color(), clSilver);
    EXPECT_EQ(changes, 0);
  }
}

}  // namespace
}  // namespace tavrin
