#include "machine/core/shared_state.h"

namespace machine {
namespace {

// The EWX_ values of ExitWindowsEx.
constexpr std::uint32_t kShutdown = 0x1;
constexpr std::uint32_t kReboot = 0x2;
constexpr std::uint32_t kPowerOff = 0x8;

}  // namespace

bool IsValid(const SharedState& state) {
  return state.magic == kStateMagic && state.version == kStateVersion;
}

void Boot(SharedState& state, const MachineConfig& config, int refreshCode) {
  const std::uint32_t boots = IsValid(state) ? state.bootCount + 1 : 1;
  state = SharedState{};
  state.magic = kStateMagic;
  state.version = kStateVersion;
  state.bootCount = boots;
  state.card.chip = config.chip;
  state.card.memoryKb = config.memoryKb;
  state.card.controlDevice = config.controlDevice ? 1u : 0u;
  state.card.refuseChanges = config.refuseChanges ? 1u : 0u;
  Card card(state.card.registers, nullptr);
  card.PowerOn(config.chip, config.memoryKb);
  card.SetMode(config.bootMode, RefreshHz(config.chip, config.bootMode.width, refreshCode));
  state.monitor = {config.hasMonitor ? 1u : 0u, config.monitorMaxWidth, config.monitorMaxHeight};
  state.display.current = config.bootMode;
  state.display.afterRestart = config.bootMode;
  LoadDisc(state.cd, config.cdTracks, config.cdInserted, config.cdDoorOpen);
  state.cd.heldElsewhere = config.cdHeldElsewhere ? 1u : 0u;
  state.cd.dataDisc = config.cdData ? 1u : 0u;
}

ChangeResult ApplyModeChange(SharedState& state, const DisplayMode& requested, std::uint32_t flags,
                             int refreshCode) {
  const ChangeResult result = state.card.refuseChanges
                                  ? ChangeResult::Failed
                                  : ChangeMode(state.display, requested, state.card.memoryKb);
  if (result == ChangeResult::Successful) {
    Card card(state.card.registers, nullptr);
    card.SetMode(requested, RefreshHz(state.card.chip, requested.width, refreshCode));
  }
  RecordModeChange(state.history, {requested, flags, static_cast<std::int32_t>(result)});
  return result;
}

void Restart(SharedState& state, int refreshCode, std::uint32_t fontDpi) {
  RecordPowerRequest(state.power, kReboot, 0);
  DisplayState& display = state.display;
  if (display.restartPending) display.current = display.afterRestart;
  display.restartPending = 0;
  display.fontDpi = fontDpi;
  Card card(state.card.registers, nullptr);
  card.SetMode(display.current, RefreshHz(state.card.chip, display.current.width, refreshCode));
}

void RecordPowerRequest(PowerBlock& power, std::uint32_t flags, std::uint32_t reason) {
  if (flags & kReboot) {
    ++power.restartCount;
  } else if (flags & (kShutdown | kPowerOff)) {
    ++power.shutdownCount;
  } else {
    ++power.logoffCount;
  }
  power.lastFlags = flags;
  power.lastReason = reason;
}

}  // namespace machine
