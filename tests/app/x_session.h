// Driving a real program on the test display the way a person does: pointer, keyboard and the
// window manager's close request.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::app::test_support {

// Runs a shell command and returns its standard output (trailing newline removed).
std::string RunCommand(const std::string& command);
// Quotes text for the shell.
std::string ShellQuoted(const std::string& text);

// Polls until ready() holds or the time is up.
bool WaitUntil(const std::function<bool()>& ready,
               std::chrono::milliseconds timeout = std::chrono::seconds(30));

struct WindowGeometry {
  int x = 0, y = 0, width = 0, height = 0;
};

// One top-level window on the display, found by its exact title.
class XWindow {
 public:
  // Waits for a visible window of that title; nothing when none appears in time.
  static std::optional<XWindow> WaitFor(
      const std::string& title, std::chrono::milliseconds timeout = std::chrono::seconds(30));
  explicit XWindow(unsigned long id) : id_(id) {}
  unsigned long Id() const { return id_; }
  WindowGeometry Geometry() const;
  // Puts the window above the others (a test's window could lie over it otherwise).
  void Raise() const;
  void MoveTo(int x, int y) const;
  // Raises the window, moves the pointer to (x, y) in it and clicks the left button.
  void ClickAt(int x, int y) const;
  void MovePointerInto() const;
  // Sends what a window manager sends when its close button is clicked.
  void RequestClose() const;
  // Saves the window's pixels as a PNG.
  void Screenshot(const std::string& pngPath) const;
  bool Exists() const;

 private:
  unsigned long id_;
};

// Typing and key presses go to the window under the pointer (the display has no window
// manager: the focus follows the pointer).
void TypeText(const std::string& text, int millisecondsPerKey = 5);
void PressKeys(const std::string& keys);  // xdotool key names, e.g. "ctrl+a", "Return"

// Held by one driving test at a time: the pointer and the keyboard are shared by every
// program on the display.
class DisplayLock {
 public:
  DisplayLock();
  ~DisplayLock();
  DisplayLock(const DisplayLock&) = delete;
  DisplayLock& operator=(const DisplayLock&) = delete;

 private:
  int fd_ = -1;
};

// A started program.
class Process {
 public:
  Process(const std::string& program, const std::vector<std::string>& environment);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  pid_t Pid() const { return pid_; }
  // Waits for the program to end; its exit status, or nothing when it is still running.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout);

 private:
  pid_t pid_ = -1;
  bool exited_ = false;
};

}  // namespace tavrin::app::test_support
