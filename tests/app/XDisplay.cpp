#include "XDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

Display* Dpy(void* d) { return static_cast<Display*>(d); }

// Windows can go away between two requests (the game exits); such errors are expected and
// must not end the test process, which Xlib's default handler would do.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

// Waits up to the time given for the child to end; true when it did.
bool WaitChild(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// Shift that brings the lowest bit of the mask to bit 0, and the mask's width.
void MaskShape(unsigned long mask, int& shift, unsigned long& max) {
  shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  max = mask ? mask : 1;
}

}  // namespace

// ---------------------------------------------------------------- server

XvfbServer::~XvfbServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  if (!WaitChild(pid_, std::chrono::seconds(5))) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

std::string XvfbServer::Program() {
  const char* path = std::getenv("PATH");
  std::string rest = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= rest.size()) {
    const size_t end = rest.find(':', start);
    const std::string dir =
        rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!dir.empty()) {
      const std::string candidate = dir + "/Xvfb";
      if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return {};
}

bool XvfbServer::Start(int width, int height, std::string& error) {
  const std::string program = Program();
  if (program.empty()) {
    error = "Xvfb is not installed";
    return false;
  }
  int ready[2];
  if (pipe(ready) != 0) {
    error = "no pipe";
    return false;
  }
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::string fd = std::to_string(ready[1]);
  pid_ = fork();
  if (pid_ == 0) {
    close(ready[0]);
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, 0);
      dup2(null, 1);
      dup2(null, 2);
    }
    // -displayfd: the server picks a free display number and writes it there once it takes
    // clients.
    execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
          "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  if (pid_ < 0) {
    close(ready[0]);
    error = "could not start Xvfb";
    return false;
  }
  std::string number;
  pollfd p{ready[0], POLLIN, 0};
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (number.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0 || poll(&p, 1, int(left.count())) <= 0) break;
    char buffer[32];
    const ssize_t n = read(ready[0], buffer, sizeof buffer);
    if (n <= 0) break;
    number.append(buffer, size_t(n));
  }
  close(ready[0]);
  while (!number.empty() && (number.back() == '\n' || number.back() == '\r')) number.pop_back();
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
    error = "Xvfb did not start";
    return false;
  }
  display_ = ":" + number;
  return true;
}

std::string ToString(const WindowGeometry& g) {
  return std::to_string(g.width) + "x" + std::to_string(g.height) + "+" + std::to_string(g.x) +
         "+" + std::to_string(g.y);
}

// ---------------------------------------------------------------- client

XScreen::XScreen(const std::string& display) {
  XSetErrorHandler(IgnoreError);
  display_ = XOpenDisplay(display.c_str());
}

XScreen::~XScreen() {
  if (display_) XCloseDisplay(Dpy(display_));
}

unsigned long XScreen::ShownWindow() {
  if (!display_) return 0;
  Display* d = Dpy(display_);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
  unsigned long found = 0;
  // Children come bottom first: look from the top of the stack down.
  for (unsigned i = count; i-- > 0 && !found;) {
    XWindowAttributes a{};
    if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
        a.c_class == InputOutput && a.width > 1 && a.height > 1)
      found = children[i];
  }
  if (children) XFree(children);
  return found;
}

bool XScreen::Geometry(unsigned long window, WindowGeometry& out) {
  if (!display_ || !window) return false;
  Display* d = Dpy(display_);
  XWindowAttributes a{};
  if (!XGetWindowAttributes(d, window, &a)) return false;
  int x = 0, y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child)) return false;
  out = {x, y, a.width, a.height};
  return true;
}

bool XScreen::Grab(unsigned long window, Picture& out) {
  WindowGeometry g;
  if (!Geometry(window, g) || g.width <= 0 || g.height <= 0) return false;
  XImage* image = XGetImage(Dpy(display_), window, 0, 0, unsigned(g.width), unsigned(g.height),
                            AllPlanes, ZPixmap);
  if (!image) return false;
  int rs, gs, bs;
  unsigned long rmax, gmax, bmax;
  MaskShape(image->red_mask, rs, rmax);
  MaskShape(image->green_mask, gs, gmax);
  MaskShape(image->blue_mask, bs, bmax);
  out.width = g.width;
  out.height = g.height;
  out.rgba.assign(size_t(g.width) * size_t(g.height) * 4, 255);
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      uint8_t* p = &out.rgba[(size_t(y) * size_t(g.width) + size_t(x)) * 4];
      p[0] = uint8_t(((pixel >> rs) & rmax) * 255 / rmax);
      p[1] = uint8_t(((pixel >> gs) & gmax) * 255 / gmax);
      p[2] = uint8_t(((pixel >> bs) & bmax) * 255 / bmax);
    }
  }
  XDestroyImage(image);
  return true;
}

void XScreen::MoveResize(unsigned long window, const WindowGeometry& to) {
  if (!display_ || !window) return;
  XMoveResizeWindow(Dpy(display_), window, to.x, to.y, unsigned(to.width), unsigned(to.height));
  XSync(Dpy(display_), False);
}

void XScreen::MovePointer(int x, int y) {
  if (!display_) return;
  Display* d = Dpy(display_);
  XWarpPointer(d, 0, DefaultRootWindow(d), 0, 0, 0, 0, x, y);
  XSync(d, False);
}

bool XScreen::Type(std::initializer_list<const char*> keys, std::chrono::milliseconds hold) {
  if (!display_) return false;
  Display* d = Dpy(display_);
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(d, &event, &error, &major, &minor)) return false;
  std::vector<KeyCode> codes;
  for (const char* name : keys) {
    const KeySym sym = XStringToKeysym(name);
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
    if (code == 0) return false;
    codes.push_back(code);
  }
  for (KeyCode code : codes) {
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XSync(d, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  std::this_thread::sleep_for(hold);
  for (auto it = codes.rbegin(); it != codes.rend(); ++it) {
    XTestFakeKeyEvent(d, *it, False, CurrentTime);
    XSync(d, False);
  }
  return true;
}
