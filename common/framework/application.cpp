#include "common/framework/application.h"

namespace {

Application* current = nullptr;

using Ctl3dCall = BOOL(WINAPI*)(HINSTANCE);

void CallCtl3d(HMODULE library, const char* name, HINSTANCE instance) {
  auto call = reinterpret_cast<Ctl3dCall>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  if (call != nullptr) call(instance);
}

}  // namespace

Application::Application() {
  current = this;
}

Application::~Application() {
  if (ctl3d_ != nullptr) {
    CallCtl3d(ctl3d_, "Ctl3dUnregister", instance_);
    FreeLibrary(ctl3d_);
  }
  current = nullptr;
}

Application& Application::Current() {
  return *current;
}

int Application::Run(HINSTANCE instance) {
  instance_ = instance;
  InitInstance();
  return ExitInstance();
}

std::string Application::ProgramFolder() const {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(instance_, path, MAX_PATH);
  const std::string file(path, length);
  return file.substr(0, file.find_last_of('\\') + 1);
}

std::string Application::HelpFile() const {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(instance_, path, MAX_PATH);
  std::string file(path, length < MAX_PATH ? length : 0);
  const auto dot = file.find_last_of('.');
  const auto slash = file.find_last_of('\\');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) file.erase(dot);
  return file + ".HLP";
}

void Application::ShowHelp(HWND window, UINT command, ULONG_PTR data) const {
  WinHelpA(window, HelpFile().c_str(), command, data);
}

void Application::OnHelp(HWND window, ULONG_PTR context) {
  ShowHelp(window, HELP_CONTEXT, context);
}

void Application::Enable3dControls() {
  if (ctl3d_ != nullptr) return;
  ctl3d_ = LoadLibraryA("CTL3D32.DLL");
  if (ctl3d_ == nullptr) return;
  CallCtl3d(ctl3d_, "Ctl3dRegister", instance_);
  CallCtl3d(ctl3d_, "Ctl3dAutoSubclass", instance_);
}
