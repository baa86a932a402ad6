#include "x_session.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace tavrin::app::test_support {

std::string RunCommand(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) throw std::runtime_error("cannot run: " + command);
  std::string output;
  std::array<char, 4096> chunk{};
  while (std::size_t n = std::fread(chunk.data(), 1, chunk.size(), pipe.get())) {
    output.append(chunk.data(), n);
  }
  while (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

bool WaitUntil(const std::function<bool()>& ready, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!ready()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::optional<XWindow> XWindow::WaitFor(const std::string& title,
                                        std::chrono::milliseconds timeout) {
  std::optional<XWindow> found;
  WaitUntil(
      [&] {
        const std::string ids = RunCommand("xdotool search --onlyvisible --name " +
                                           ShellQuoted("^" + title + "$") + " 2>/dev/null");
        if (ids.empty()) return false;
        found.emplace(std::stoul(ids.substr(0, ids.find('\n'))));
        return true;
      },
      timeout);
  // Mapped is not yet ready for input: let the program finish showing it.
  if (found) std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return found;
}

WindowGeometry XWindow::Geometry() const {
  const std::string text = RunCommand("xwininfo -id " + std::to_string(id_));
  auto field = [&](const char* name) {
    const auto at = text.find(name);
    if (at == std::string::npos) throw std::runtime_error("xwininfo without " + std::string(name));
    return std::atoi(text.c_str() + at + std::strlen(name));
  };
  return {field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"),
          field("Height:")};
}

void XWindow::Raise() const {
  RunCommand("xdotool windowraise " + std::to_string(id_));
}

void XWindow::MoveTo(int x, int y) const {
  RunCommand("xdotool windowmove --sync " + std::to_string(id_) + " " + std::to_string(x) + " " +
             std::to_string(y));
}

void XWindow::ClickAt(int x, int y) const {
  Raise();
  const WindowGeometry g = Geometry();
  RunCommand("xdotool mousemove --sync " + std::to_string(g.x + x) + " " + std::to_string(g.y + y) +
             " click 1");
}

void XWindow::MovePointerInto() const {
  Raise();
  const WindowGeometry g = Geometry();
  RunCommand("xdotool mousemove --sync " + std::to_string(g.x + g.width / 2) + " " +
             std::to_string(g.y + g.height / 2));
}

void XWindow::RequestClose() const {
  Display* display = XOpenDisplay(nullptr);
  if (!display) throw std::runtime_error("cannot open the display");
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = id_;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, id_, False, NoEventMask, &event);
  XFlush(display);
  XCloseDisplay(display);
}

void XWindow::Screenshot(const std::string& pngPath) const {
  Raise();
  RunCommand("import -window " + std::to_string(id_) + " " + ShellQuoted(pngPath));
}

bool XWindow::Exists() const {
  return RunCommand("xwininfo -id " + std::to_string(id_) + " >/dev/null 2>&1 && echo yes") ==
         "yes";
}

void TypeText(const std::string& text, int millisecondsPerKey) {
  RunCommand("xdotool type --delay " + std::to_string(millisecondsPerKey) + " -- " +
             ShellQuoted(text));
}

void PressKeys(const std::string& keys) {
  RunCommand("xdotool key --delay 30 " + keys);
}

DisplayLock::DisplayLock() {
  fd_ = open("/tmp/tavrin-end-to-end.lock", O_CREAT | O_RDWR | O_CLOEXEC, 0666);
  if (fd_ < 0 || flock(fd_, LOCK_EX) != 0) throw std::runtime_error("cannot take the lock");
}

DisplayLock::~DisplayLock() {
  if (fd_ >= 0) close(fd_);
}

Process::Process(const std::string& program, const std::vector<std::string>& environment) {
  // The given settings first: the first of two entries with one name is the one that counts.
  std::vector<std::string> env(environment.begin(), environment.end());
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};
  if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
    throw std::runtime_error("cannot start " + program);
  }
}

Process::~Process() {
  if (pid_ > 0 && !exited_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::optional<int> Process::WaitForExit(std::chrono::milliseconds timeout) {
  int status = 0;
  const bool ended = WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeout);
  if (!ended) return std::nullopt;
  exited_ = true;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace tavrin::app::test_support
