// Looks of the smooth button: the main window's Export button in each of its states.

#include "gallery/gallery_button.h"

#include "gallery/gallery.h"
#include "widgets/controls/control.h"
#include "widgets/controls/main_window_look.h"
#include "widgets/controls/smooth_button.h"

namespace tavrin::gallery {

void ConfigureMainWindowButton(controls::TSmoothButton& button, int left, int top) {
  button.SetBounds(left, top, kButtonWidth, kButtonHeight);
  controls::ApplyMainWindowButtonDesign(button);
}

std::string ButtonLookName(ButtonLook look) {
  switch (look) {
    case ButtonLook::Idle:
      return "button-idle";
    case ButtonLook::Pressed:
      return "button-pressed";
    case ButtonLook::Focused:
      return "button-focused";
    case ButtonLook::Disabled:
      return "button-disabled";
    case ButtonLook::Badge:
      return "button-badge";
    case ButtonLook::Flat:
      return "button-flat";
    case ButtonLook::Shadow:
      return "button-shadow";
  }
  return "button";
}

namespace {

// Brings the button into the look the way a user would: through its input and properties.
void Enter(controls::TSmoothButton& button, ButtonLook look) {
  switch (look) {
    case ButtonLook::Idle:
      break;
    case ButtonLook::Pressed:
      button.HandleMouseEnter();
      button.HandleMouseDown(controls::TMouseButton::mbLeft, {}, kButtonWidth / 2,
                             kButtonHeight / 2);
      break;
    case ButtonLook::Focused:
      button.SetFocus();
      break;
    case ButtonLook::Disabled:
      button.SetEnabled(false);
      break;
    case ButtonLook::Badge:
      button.Status().SetVisible(true);
      break;
    case ButtonLook::Flat:
      button.Appearance().SetSimpleLayout(true);
      break;
    case ButtonLook::Shadow:
      button.SetShadow(true);
      break;
  }
}

}  // namespace

Surface RenderButtonLook(ButtonLook look) {
  // A window of the button's size: it paints the window colour, the button composites over it.
  controls::TForm window;
  window.SetClientSize(kButtonWidth, kButtonHeight);
  controls::TSmoothButton button(&window);
  ConfigureMainWindowButton(button);
  Enter(button, look);
  Surface screen(kButtonWidth, kButtonHeight);
  cairo_t* cr = cairo_create(screen.Native());
  window.PaintTo(cr);
  cairo_destroy(cr);
  return screen;
}

namespace {

bool RegisterButtonLooks() {
  for (ButtonLook look :
       {ButtonLook::Idle, ButtonLook::Pressed, ButtonLook::Focused, ButtonLook::Disabled,
        ButtonLook::Badge, ButtonLook::Flat, ButtonLook::Shadow}) {
    RegisterLook(ButtonLookName(look), [look] { return RenderButtonLook(look); });
  }
  return true;
}

const bool registered = RegisterButtonLooks();

}  // namespace

}  // namespace tavrin::gallery
