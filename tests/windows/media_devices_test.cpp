// The simulated PC's media devices through the real multimedia control interface: Wine finds
// the machine's driver for "cdaudio", and plays wave audio on the PC's sound card.

#include <gtest/gtest.h>
#include <windows.h>

#include <mmsystem.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "machine/core/sample_media.h"
#include "machine/win32/simulator.h"
#include "sonavo/app/mixer_line.h"
#include "tests/harness/harness.h"
#include "tests/harness/media_files.h"

namespace {

class MediaDevicesTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string ini = machine::WindowsFolder() + "\\" + machine::kConfigFile;
    DeleteFileA(ini.c_str());
    WritePrivateProfileStringA("CD", "Tracks", "1500,1000,2000", ini.c_str());
    machine::Boot();
    window_ =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    mciSendStringA("close all", nullptr, 0, nullptr);
    DestroyWindow(window_);
  }
  // What the string interface answers, or "error N".
  std::string Send(const std::string& command) {
    char answer[128] = "";
    const MCIERROR error = mciSendStringA(command.c_str(), answer, sizeof(answer), window_);
    return error != 0 ? "error " + std::to_string(error) : answer;
  }
  // The next MM_MCINOTIFY to the window: its code, or 0 when none came in time.
  int WaitForNotify(std::chrono::milliseconds timeout) {
    int code = 0;
    harness::WaitFor(
        [&] {
          MSG message;
          while (PeekMessageA(&message, window_, 0, 0, PM_REMOVE)) {
            if (message.message == MM_MCINOTIFY) code = static_cast<int>(message.wParam);
          }
          return code != 0;
        },
        timeout);
    return code;
  }

  HWND window_ = nullptr;
};

// What another program (the machine's tool) got for a command string: its answer, how long the
// command took and the notifications that came by the time it returned.
struct Reply {
  std::string answer;
  int ms = -1;
  std::string notified;
};

// Sends the command strings one after the other from another program; a reply for each.
std::vector<Reply> SendFromAnotherProgram(const std::vector<std::string>& commands) {
  std::string arguments = "mci";
  for (const std::string& command : commands) arguments += " \"" + command + "\"";
  std::vector<Reply> replies;
  std::istringstream lines(harness::RunMachineTool(arguments));
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::istringstream columns(line);
    std::string field;
    while (std::getline(columns, field, '\t')) fields.push_back(field);
    if (fields.size() < 3) continue;
    Reply reply;
    reply.answer = fields[1];
    reply.ms = std::atoi(fields[2].c_str());
    if (fields.size() > 3) reply.notified = fields[3];
    replies.push_back(reply);
  }
  return replies;
}

// A file of the corpus, made by another encoder, in the Windows folder.
std::string CorpusFile(const std::string& name, const std::string& copy) {
  const std::string path = machine::WindowsFolder() + "\\" + copy;
  CopyFileA((std::string(MEDIA_CORPUS) + "/" + name).c_str(), path.c_str(), FALSE);
  return path;
}

TEST_F(MediaDevicesTest, TheDiscInMachineIniAnswersStatus) {
  ASSERT_EQ(Send("open cdaudio alias cd"), "1");
  EXPECT_EQ(Send("set cd time format milliseconds"), "");
  EXPECT_EQ(Send("status cd number of tracks"), "3");
  EXPECT_EQ(Send("status cd length track 2"), "1000");
  EXPECT_EQ(Send("status cd position track 2"), "3500");  // after the lead-in and track 1
  EXPECT_EQ(Send("status cd mode"), "stopped");
  EXPECT_EQ(Send("status cd media present"), "true");
  EXPECT_EQ(Send("set cd time format tmsf"), "");
  EXPECT_EQ(Send("status cd position track 3"), "03:00:00:00");

  // The command interface gives the mode as the number itself.
  MCI_STATUS_PARMS status{};
  status.dwItem = MCI_STATUS_MODE;
  ASSERT_EQ(mciSendCommandA(mciGetDeviceIDA("cd"), MCI_STATUS, MCI_STATUS_ITEM,
                            reinterpret_cast<DWORD_PTR>(&status)),
            0u);
  EXPECT_EQ(status.dwReturn, DWORD_PTR{MCI_MODE_STOP});
}

TEST_F(MediaDevicesTest, APlayRunsInRealTimeAndNotifiesAtItsEnd) {
  ASSERT_EQ(Send("open cdaudio alias cd"), "1");
  Send("set cd time format milliseconds");
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(Send("play cd from 3500 to 4500 notify"), "");
  EXPECT_EQ(Send("status cd mode"), "playing");
  EXPECT_EQ(Send("status cd current track"), "2");
  EXPECT_EQ(WaitForNotify(std::chrono::milliseconds(5000)), MCI_NOTIFY_SUCCESSFUL);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(900));
  EXPECT_EQ(Send("status cd mode"), "stopped");
  EXPECT_EQ(Send("status cd position"), "4500");

  // A play that a stop ends is aborted.
  ASSERT_EQ(Send("play cd from 2000 notify"), "");
  EXPECT_EQ(Send("stop cd"), "");
  EXPECT_EQ(WaitForNotify(std::chrono::milliseconds(2000)), MCI_NOTIFY_ABORTED);
}

TEST_F(MediaDevicesTest, TheDoorAndTheMachineToolChangeTheDisc) {
  ASSERT_EQ(Send("open cdaudio alias cd"), "1");
  EXPECT_EQ(Send("set cd door open"), "");
  EXPECT_EQ(Send("status cd mode"), "open");
  EXPECT_EQ(Send("status cd media present"), "false");
  EXPECT_NE(Send("play cd"), "");
  EXPECT_EQ(Send("set cd door closed"), "");
  EXPECT_EQ(Send("status cd media present"), "true");

  harness::RunMachineTool("cd eject");
  EXPECT_EQ(Send("status cd media present"), "false");
  harness::RunMachineTool("cd insert 60000,45000");
  EXPECT_EQ(Send("status cd number of tracks"), "2");
}

TEST_F(MediaDevicesTest, ADriveHeldByAnotherProgramOpensOnlyShareable) {
  WritePrivateProfileStringA("CD", "HeldElsewhere", "1", machine::kConfigFile);
  machine::Boot();
  EXPECT_EQ(Send("open cdaudio alias cd"), "error " + std::to_string(MCIERR_MUST_USE_SHAREABLE));
  EXPECT_EQ(Send("open cdaudio alias cd shareable"), "1");
}

// Wine plays wave audio only with a sound device: the PC's sound card is a PulseAudio null sink.
TEST_F(MediaDevicesTest, TheSoundCardPlaysAWaveFileInRealTime) {
  const std::string wave = machine::WindowsFolder() + "\\tone.wav";
  ASSERT_TRUE(harness::WriteFileBytes(wave, machine::WaveFileBytes(1000)));
  ASSERT_EQ(Send("open \"" + wave + "\" type waveaudio alias tone"), "1");
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(Send("play tone notify"), "");
  EXPECT_EQ(WaitForNotify(std::chrono::milliseconds(5000)), MCI_NOTIFY_SUCCESSFUL);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(800));
}

// The only line of Wine's mixer here is wave output, what the wave and video players' volume
// buttons drive (Wine keeps no volume there without an open device: the steps themselves are
// tested natively); the CD player's line is not there, and its buttons do nothing.
TEST_F(MediaDevicesTest, TheVolumeButtonsFindTheWaveOutputLineOnly) {
  Win32MixerLine mixer;
  ASSERT_TRUE(mixer.Take(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT));
  EXPECT_TRUE(mixer.Read().has_value());
  EXPECT_FALSE(mixer.Take(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC));
  EXPECT_FALSE(mixer.Read().has_value());
}

TEST_F(MediaDevicesTest, TheSequencerPlaysAMidiFileForTheLengthOfItsTempoMap) {
  const std::string song = machine::WindowsFolder() + "\\song.mid";
  ASSERT_TRUE(harness::WriteFileBytes(song, machine::MidiFileBytes(96, {{0, 250000}}, 384)));
  // The device comes from the file's extension.
  ASSERT_EQ(Send("open \"" + song + "\" alias song"), "1");
  EXPECT_EQ(Send("status song length"), "1000");
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(Send("play song notify"), "");
  EXPECT_EQ(Send("status song mode"), "playing");
  EXPECT_EQ(WaitForNotify(std::chrono::milliseconds(5000)), MCI_NOTIFY_SUCCESSFUL);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(900));
  EXPECT_EQ(Send("status song position"), "1000");

  const std::string damaged = machine::WindowsFolder() + "\\damaged.mid";
  ASSERT_TRUE(harness::WriteFileBytes(damaged, machine::WaveFileBytes(100)));
  EXPECT_EQ(Send("open \"" + damaged + "\" type sequencer alias bad"),
            "error " + std::to_string(MCIERR_INVALID_FILE));
}

// With "wait" a play returns at its end, notified by then; every other command notifies too.
TEST_F(MediaDevicesTest, APlayWithWaitReturnsAtItsEndInAnotherProgram) {
  const std::vector<Reply> cd = SendFromAnotherProgram(
      {"open cdaudio alias cd", "set cd time format milliseconds notify",
       "play cd from 3500 to 4500 wait notify", "status cd mode", "status cd position notify",
       "seek cd to 3000 wait notify", "play cd from 3500 to 4000 wait"});
  ASSERT_EQ(cd.size(), 7u);
  EXPECT_EQ(cd[1].notified, "successful");
  EXPECT_EQ(cd[2].answer, "");
  EXPECT_GE(cd[2].ms, 950);
  EXPECT_EQ(cd[2].notified, "successful");
  EXPECT_EQ(cd[3].answer, "stopped");
  EXPECT_EQ(cd[4].answer, "4500");
  EXPECT_EQ(cd[4].notified, "successful");
  EXPECT_EQ(cd[5].notified, "successful");
  EXPECT_GE(cd[6].ms, 450);

  const std::string song = machine::WindowsFolder() + "\\song.mid";
  ASSERT_TRUE(harness::WriteFileBytes(song, machine::MidiFileBytes(96, {{0, 250000}}, 384)));
  const std::vector<Reply> sequencer =
      SendFromAnotherProgram({"open " + song + " alias song", "play song from 200 wait notify",
                              "status song mode notify", "status song position"});
  ASSERT_EQ(sequencer.size(), 4u);
  EXPECT_GE(sequencer[1].ms, 750);
  EXPECT_EQ(sequencer[1].notified, "successful");
  EXPECT_EQ(sequencer[2].answer, "stopped");
  EXPECT_EQ(sequencer[2].notified, "successful");
  EXPECT_EQ(sequencer[3].answer, "1000");
}

// A program waiting for a play of the drive, which every program shares, goes on when another
// stops it.
TEST_F(MediaDevicesTest, AWaitEndsWhenAnotherProgramStopsTheDrive) {
  ASSERT_EQ(Send("open cdaudio alias cd"), "1");
  std::vector<Reply> waiting;
  std::thread other([&] {
    waiting = SendFromAnotherProgram({"open cdaudio alias cd", "play cd wait notify"});
  });
  EXPECT_TRUE(harness::WaitFor([&] { return Send("status cd mode") == "playing"; }));
  EXPECT_EQ(Send("stop cd"), "");
  other.join();
  ASSERT_EQ(waiting.size(), 2u);
  EXPECT_LT(waiting[1].ms, 4000);
  EXPECT_EQ(waiting[1].notified, "aborted");
}

// A program's yield procedure runs while a play waits, and can break the wait off: the play
// stops there.
TEST_F(MediaDevicesTest, AYieldProcedureBreaksOffAPlayThatWaits) {
  ASSERT_EQ(Send("open cdaudio alias cd"), "1");
  static int calls;
  calls = 0;
  ASSERT_TRUE(mciSetYieldProc(
      mciGetDeviceIDA("cd"), [](MCIDEVICEID, DWORD) -> UINT { return ++calls >= 5 ? 1 : 0; }, 0));
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(Send("play cd wait"), "");  // to the end of the disc, 4.5 s away
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(2000));
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(Send("status cd mode"), "stopped");
}

// The length runs to the End of Track of the longest track, through the tempo map: 1920 ticks
// of 480 a quarter at 120 beats a minute (2 s), 1920 at 60 (4 s), and the rest at 180. Format 0
// ends 1946 ticks into the last tempo (1351 ms); format 1's tempo track ends 5786 ticks into it
// (4018 ms), long after its notes.
TEST_F(MediaDevicesTest, TheSequencersLengthRunsToTheEndOfTheLongestTrack) {
  const std::vector<Reply> replies = SendFromAnotherProgram(
      {"open " + CorpusFile("format 0.mid", "format0.mid") + " alias zero",
       "open " + CorpusFile("format 1.mid", "format1.mid") + " alias one", "status zero length",
       "status one length", "play one from 9500 wait", "status one position"});
  ASSERT_EQ(replies.size(), 6u);
  EXPECT_EQ(replies[2].answer, "7351");
  EXPECT_EQ(replies[3].answer, "10018");
  EXPECT_GE(replies[4].ms, 450);
  EXPECT_EQ(replies[5].answer, "10018");
}

}  // namespace
