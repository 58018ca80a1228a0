#pragma once

#include <memory>

class TApplication;

// Creates the application object on the desktop's display. Where the toolkit finds no display to start
// on, it says so on standard error, naming DISPLAY and WAYLAND_DISPLAY, and ends the program with code 1.
std::unique_ptr<TApplication> StartOnDisplay(int &argc, char **argv);
