// The harness's own reading and answering, and the machine's camera, on windows of this process.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <future>

#include "machine/win32/screen.h"
#include "machine/win32/simulator.h"
#include "tests/harness/harness.h"

namespace {

TEST(HarnessTest, AMessageBoxIsReadAndAnswered) {
  auto answer = std::async(std::launch::async, [] {
    return MessageBoxA(nullptr, "Couldn't load it!", "Box Caption",
                       MB_OKCANCEL | MB_ICONEXCLAMATION);
  });
  const auto box = harness::WaitForMessageBox(GetCurrentProcessId());
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, "Box Caption");
  EXPECT_EQ(box->text, "Couldn't load it!");
  harness::PressButton(box->window, IDCANCEL);
  EXPECT_EQ(answer.get(), IDCANCEL);
}

TEST(HarnessTest, NoMessageBoxMeansNothingAfterTheTimeout) {
  EXPECT_FALSE(harness::WaitForMessageBox(GetCurrentProcessId(), harness::Milliseconds(50)));
}

TEST(HarnessTest, AWindowsPictureIsSavedAtItsSize) {
  HWND window = CreateWindowExA(0, "STATIC", "Picture", WS_POPUP | WS_VISIBLE, 10, 10, 120, 80,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const std::string path = machine::WindowsFolder() + "\\picture-test.bmp";
  ASSERT_TRUE(machine::SaveWindowPicture(window, path));
  DestroyWindow(window);

  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  FILE* in = std::fopen(path.c_str(), "rb");
  ASSERT_NE(in, nullptr);
  ASSERT_EQ(std::fread(&file, sizeof(file), 1, in), 1u);
  ASSERT_EQ(std::fread(&info, sizeof(info), 1, in), 1u);
  std::fseek(in, 0, SEEK_END);
  const long size = std::ftell(in);
  std::fclose(in);
  EXPECT_EQ(file.bfType, 0x4D42);
  EXPECT_EQ(info.biWidth, 120);
  EXPECT_EQ(info.biHeight, 80);
  EXPECT_EQ(size, static_cast<long>(file.bfSize));
  EXPECT_EQ(file.bfSize, sizeof(file) + sizeof(info) + 120 * 3 * 80);
}

}  // namespace
