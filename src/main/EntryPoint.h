#pragma once

// The program: single-instance check, data folder, start-up, window, message loop, shutdown.
// Returns the process exit code.
int RunGame(int argc, char** argv);
