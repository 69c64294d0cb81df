// The parts of the probe program (see Probe.cpp for its commands): exit statuses, window lookup,
// and the commands that act on or stand beside the menu (ProbeActors.cpp).
#pragma once

#include <windows.h>

namespace probe {

// Any other exit status is Wine's own: the probe did not run at all.
constexpr int kDone = 0;
constexpr int kNotUnderstood = 2;
constexpr int kNotSo = 3;

constexpr int kPollMs = 50;

// "-" stands for any title.
const char* TitleArg(const char* title);
HWND Find(const char* className, const char* title);
// The window named by argv[at] (class) and argv[at + 1] (title), or nullptr with the reason told.
HWND NamedWindow(int argc, char** argv, int at);

int Kill(int argc, char** argv);      // kill CLASS TITLE
int Fault(int argc, char** argv);     // fault CLASS TITLE
int Hung(int argc, char** argv);      // hung MS CLASS TITLE
int Cover(int argc, char** argv);     // cover MS
int TaskBars(int argc, char** argv);  // taskbars N MS
int Manifest(int argc, char** argv);  // manifest EXE

}  // namespace probe
