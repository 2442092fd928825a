// The simulated graphics engine's fill and copy throughput through BLITVANE.DLL, for 640 x 480
// blits at 8 and 16 bits per pixel, beside memset and memmove of the same bytes.
// Run under Wine in a simulated PC: BLITVANE_BENCH.EXE [blits]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "machine/win32/directdraw_host.h"
#include "machine/win32/simulator.h"

namespace {

double Seconds() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double BytesPerSecond(int times, double bytes, Work work) {
  const double start = Seconds();
  for (int i = 0; i < times; ++i) work(i);
  return bytes * times / (Seconds() - start);
}

void Row(const char* what, double engine, double memory) {
  std::printf("  %-28s %9.1f MB/s   %-8s %9.1f MB/s   ratio %6.3f\n", what, engine / 1e6,
              what[0] == 'f' ? "memset" : "memmove", memory / 1e6, engine / memory);
}

}  // namespace

int main(int argc, char** argv) {
  const int blits = argc > 1 ? std::atoi(argv[1]) : 50;
  char driver[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, driver, MAX_PATH);
  std::strcpy(std::strrchr(driver, '\\') + 1, "BLITVANE.DLL");
  std::printf("640 x 480 blits through Blitvane (%d each) beside the C library:\n", blits);
  for (const char* mode : {"640,480,8", "640,480,16"}) {
    WritePrivateProfileStringA("Display", "Mode", mode, machine::kConfigFile);
    machine::Boot();
    machine::DirectDrawHost host;
    if (!host.Load(driver)) {
      std::fprintf(stderr, "blitvane_bench: %s did not load\n", driver);
      return 1;
    }
    const std::uint32_t pitch = host.Data().pitch;
    const double bytes = static_cast<double>(pitch) * 480;
    machine::HostSurface* screen = host.Surface(0, 640, 480, DDSCAPS_PRIMARYSURFACE);
    machine::HostSurface* other = host.Surface(pitch * 480, 640, 480, DDSCAPS_OFFSCREENPLAIN);
    host.GetFlipStatus(screen, DDGFS_ISFLIPDONE);  // the refresh measurement, not timed
    const double fill = BytesPerSecond(blits, bytes, [&](int i) {
      host.Fill(screen, {0, 0, 640, 480}, static_cast<DWORD>(i));
    });
    const double copy = BytesPerSecond(blits, bytes, [&](int) {
      host.Copy(other, {0, 0, 640, 480}, screen, {0, 0, 640, 480});
    });
    std::vector<std::uint8_t> a(static_cast<std::size_t>(bytes)), b(a.size());
    const double set =
        BytesPerSecond(blits, bytes, [&](int i) { std::memset(a.data(), i, a.size()); });
    const double move = BytesPerSecond(blits, bytes, [&](int i) {
      std::memmove(i % 2 ? a.data() : b.data(), i % 2 ? b.data() : a.data(), a.size());
    });
    std::printf("%s bits per pixel:\n", std::strrchr(mode, ',') + 1);
    Row("fill through Blitvane", fill, set);
    Row("copy through Blitvane", copy, move);
  }
  return 0;
}
