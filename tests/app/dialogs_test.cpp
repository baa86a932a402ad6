// The real GTK message boxes, answered from inside their own modal loop as a user answers them.
#include "app/dialogs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "widgets/controls/control.h"

namespace tavrin::app {
namespace {

// What an open dialog showed when it was answered.
struct Seen {
  std::string title;
  std::string okLabel;  // the label of the button that answers "OK"
  bool hasImage = false;  // a message box's sign
  bool modal = false;
};

// Answers the next modal dialog that appears: answer(dialog) is called once it is shown.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(std::function<void(GtkDialog*)> answer) : answer_(std::move(answer)) {
    source_ = g_timeout_add(20, &DialogAnswerer::Poll, this);
  }
  ~DialogAnswerer() {
    if (source_ != 0) g_source_remove(source_);
  }

 private:
  static gboolean Poll(gpointer self) {
    auto* answerer = static_cast<DialogAnswerer*>(self);
    GList* windows = gtk_window_list_toplevels();
    GtkDialog* open = nullptr;
    for (GList* w = windows; w != nullptr; w = w->next) {
      if (GTK_IS_DIALOG(w->data) && gtk_widget_get_mapped(GTK_WIDGET(w->data))) {
        open = GTK_DIALOG(w->data);
      }
    }
    g_list_free(windows);
    if (open == nullptr) return G_SOURCE_CONTINUE;
    answerer->source_ = 0;
    answerer->answer_(open);
    return G_SOURCE_REMOVE;
  }

  std::function<void(GtkDialog*)> answer_;
  guint source_ = 0;
};

Seen Look(GtkDialog* dialog) {
  Seen seen;
  seen.title = gtk_window_get_title(GTK_WINDOW(dialog));
  seen.modal = gtk_window_get_modal(GTK_WINDOW(dialog));
  if (GTK_IS_MESSAGE_DIALOG(dialog)) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GtkWidget* image = gtk_message_dialog_get_image(GTK_MESSAGE_DIALOG(dialog));
    G_GNUC_END_IGNORE_DEPRECATIONS
    seen.hasImage = image != nullptr && gtk_widget_get_visible(image);
    GtkWidget* ok = gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_OK);
    if (ok != nullptr) seen.okLabel = gtk_button_get_label(GTK_BUTTON(ok));
  }
  return seen;
}

class DialogsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(controls::InitWindowing(nullptr, nullptr)) << "no display: DISPLAY unset?";
  }
  TGtkDialogs dialogs_;
};

struct BoxCase {
  const char* name;
  std::function<void(TGtkDialogs&)> show;
  const char* title;
  bool hasImage;
};

TEST_F(DialogsTest, MessageBoxesShowTheirCaptionTheirSignAndOneOkButton) {
  const BoxCase cases[] = {
      {"error", [](TGtkDialogs& d) { d.ShowErrorDialog(nullptr, "No log files found !"); },
       "Error", true},
      {"message", [](TGtkDialogs& d) { d.ShowMessageDialog(nullptr, "App", "/out/l.txt"); },
       "App", false},
      {"failure", [](TGtkDialogs& d) { d.ShowFailureBox(nullptr, "App", "File access denied."); },
       "App", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Seen seen;
    DialogAnswerer answer([&](GtkDialog* dialog) {
      seen = Look(dialog);
      gtk_dialog_response(dialog, GTK_RESPONSE_OK);
    });
    c.show(dialogs_);
    EXPECT_EQ(seen.title, c.title);
    EXPECT_EQ(seen.hasImage, c.hasImage);
    EXPECT_EQ(seen.okLabel, "OK");
    EXPECT_TRUE(seen.modal);
  }
}

}  // namespace
}  // namespace tavrin::app
