// bench_menu_cpu: the processor time the game takes while it shows the main menu, per second
// of wall time, in a 1280 x 720 window on a private X server (Xvfb: software OpenGL, buffer
// swaps that never wait for a display), then with the window minimised (unmapped, as a window
// manager does to an iconified window). Usage: bench_menu_cpu [SECONDS]
// Prints menu_cpu_share and minimised_cpu_share (1.0 = one core busy all the time).
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "XDisplay.h"
#include "support/TempDir.h"

#ifndef KALODRUS_GAME_DIR
#define KALODRUS_GAME_DIR "build/game"
#endif

namespace {

using Clock = std::chrono::steady_clock;

std::string GameDir() {
  const char* dir = std::getenv("KALODRUS_GAME_DIR");
  return dir ? dir : KALODRUS_GAME_DIR;
}

// Starts the game windowed at 1280 x 720 on the display with its screen trace on a pipe.
pid_t StartGame(const std::string& display, const std::string& data, int& traceFd) {
  int out[2];
  if (pipe(out) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    close(out[0]);
    dup2(out[1], 1);
    if (chdir(GameDir().c_str()) != 0) _exit(120);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    setenv("KALODRUS3_DATA", data.c_str(), 1);
    execl("./kalodrus3", "kalodrus3", "/wn", "/16x9", "--trace", static_cast<char*>(nullptr));
    _exit(121);
  }
  close(out[1]);
  traceFd = out[0];
  return pid;
}

// Waits until the trace names the main menu; false when the game ends or takes a minute.
bool WaitForMenu(int fd) {
  std::string seen;
  const auto end = Clock::now() + std::chrono::seconds(60);
  char buffer[256];
  while (seen.find("mode ModeMenu") == std::string::npos && Clock::now() < end) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return false;
    seen.append(buffer, size_t(n));
  }
  return seen.find("mode ModeMenu") != std::string::npos;
}

// Processor seconds the process has spent so far, every thread included.
double CpuSeconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(in, line);
  const size_t close = line.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(line.substr(close + 2));
  std::string field;
  unsigned long long user = 0, system = 0;
  // After the name: state is field 3; user and system time are fields 14 and 15.
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) user = std::stoull(field);
    if (i == 15) system = std::stoull(field);
  }
  return double(user + system) / double(sysconf(_SC_CLK_TCK));
}

// The processor time over the wall time of `seconds` seconds.
double Share(pid_t pid, double seconds) {
  const double cpu = CpuSeconds(pid);
  const auto start = Clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  return (CpuSeconds(pid) - cpu) / wall;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10.0;
  XvfbServer server;
  std::string error;
  if (!server.Start(1920, 1080, error)) {
    std::fprintf(stderr, "bench_menu_cpu: %s\n", error.c_str());
    return 1;
  }
  TempDir data;
  int trace = -1;
  const pid_t game = StartGame(server.Display(), data.Path(), trace);
  if (game < 0 || !WaitForMenu(trace)) {
    std::fprintf(stderr, "bench_menu_cpu: the game did not reach its menu\n");
    if (game > 0) kill(game, SIGKILL);
    return 1;
  }
  std::this_thread::sleep_for(std::chrono::seconds(1));  // the menu's fade-in
  const double menu = Share(game, seconds);

  Display* display = XOpenDisplay(server.Display().c_str());
  XScreen screen(server.Display());
  const unsigned long window = screen.ShownWindow();
  if (!display || !window) {
    std::fprintf(stderr, "bench_menu_cpu: no game window on the display\n");
    kill(game, SIGKILL);
    return 1;
  }
  XUnmapWindow(display, window);
  XFlush(display);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const double hidden = Share(game, seconds);
  XCloseDisplay(display);

  kill(game, SIGTERM);
  int status = 0;
  waitpid(game, &status, 0);
  close(trace);
  std::printf("window: 1280x720 on Xvfb %s\nseconds: %.0f\n", server.Display().c_str(), seconds);
  std::printf("menu_cpu_share: %.3f\nminimised_cpu_share: %.3f\n", menu, hidden);
  return 0;
}
