#pragma once
// Starting another program of the suite, without waiting for it: WinExec waits until the
// started program is idle, and a program that places a window in its starter while it starts
// would wait on the starter that waits on it.

#include <string>

// Starts `commandLine` (the program found as the system finds it) shown with `show`, in
// `folder` when one is given; false when it cannot be started.
bool StartProgram(const std::string& commandLine, int show, const std::string& folder = {});
// Whether the process of this identifier runs now.
bool ProcessRunning(unsigned long processId);
