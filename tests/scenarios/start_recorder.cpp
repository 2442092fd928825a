// Stands in for a program the suite starts by name (copied under that name): it notes its own
// name and command line in C:\windows\started.log and ends.

#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  char log[MAX_PATH + 16] = "";
  std::snprintf(log, sizeof(log), "%s\\started.log", windows);
  if (FILE* file = std::fopen(log, "a")) {
    std::fprintf(file, "%s|%s\n", self, commandLine);
    std::fclose(file);
  }
  return 0;
}
