#include <gtest/gtest.h>

#include "machine/core/card.h"
#include "vistrel/core/refresh_meter.h"

namespace {

// Simulated time that moves one microsecond with every port read, from a chosen time of day.
class FakeTime : public MeterClock {
 public:
  explicit FakeTime(int startMinute = 10, int startSecond = 0)
      : baseMs_((startMinute * 60 + startSecond) * 1000ull) {}
  TimeOfDay Now() override {
    const std::uint64_t ms = (baseMs_ + micros / 1000) % 3600000;
    return {static_cast<int>(ms / 60000), static_cast<int>(ms / 1000 % 60),
            static_cast<int>(ms % 1000)};
  }
  std::uint64_t Milliseconds() override { return micros / 1000; }
  std::uint64_t micros = 0;

 private:
  std::uint64_t baseMs_;
};

class TimedPorts : public PortIo {
 public:
  TimedPorts(PortIo& ports, FakeTime& time) : ports_(ports), time_(time) {}
  std::uint8_t In(std::uint16_t port) override {
    ++time_.micros;
    ++reads;
    return ports_.In(port);
  }
  void Out(std::uint16_t port, std::uint8_t value) override { ports_.Out(port, value); }
  int reads = 0;

 private:
  PortIo& ports_;
  FakeTime& time_;
};

class MeterTest : public testing::Test {
 protected:
  void SetUp() override { card.PowerOn(machine::Chip::Trio64VPlus, 2048); }
  Measurement Measure(std::uint32_t hz, std::uint32_t count, RetraceSource source) {
    card.SetMode({800, 600, 8}, hz);
    return MeasureRefreshRate(ports, source, count, time);
  }

  FakeTime time;
  machine::CardRegisters registers{};
  machine::Card card{registers, [this] { return time.micros; }};
  TimedPorts ports{card, time};
};

TEST_F(MeterTest, CoarseCountsTheCardsRetracesAgainstTheClock) {
  const Measurement sixty = Measure(60, 200, RetraceSource::Vga);
  EXPECT_TRUE(sixty.retraced);
  EXPECT_NEAR(sixty.rateTenths, 600, 3);
  EXPECT_GT(time.micros, 3300000u);  // about 3.3 seconds at 60 Hz
  const Measurement seventyFive = Measure(75, 200, RetraceSource::Compatible8514);
  EXPECT_NEAR(seventyFive.rateTenths, 750, 3);
  EXPECT_EQ(ReadoutText(750), "75.0 Hz");
  EXPECT_EQ(ReadoutText(723), "72.3 Hz");
}

TEST_F(MeterTest, APortThatNeverRetracesEndsTheMeasurementAtTheBound) {
  const Measurement none = Measure(0, 3000, RetraceSource::Vga);
  EXPECT_FALSE(none.retraced);
  EXPECT_LE(time.Milliseconds(), 2 * kRetraceWaitMs + 1);
  EXPECT_FALSE(WaitForNextRetrace(ports, RetraceSource::Vga, time));
}

TEST_F(MeterTest, AMeasurementAcrossTheHourIsTimedRight) {
  time = FakeTime(59, 58);
  const Measurement sixty = Measure(60, 200, RetraceSource::Vga);
  EXPECT_NEAR(sixty.rateTenths, 600, 3);
  EXPECT_EQ(ElapsedMilliseconds({59, 59, 500}, {0, 2, 500}), 3000);
  EXPECT_EQ(ElapsedMilliseconds({10, 0, 900}, {10, 1, 100}), 200);
}

TEST_F(MeterTest, TheProbeChoosesTheSourceTheCardAnswersTo) {
  // Before a mode is set enhanced mode is off: the card answers as a VGA only.
  EXPECT_EQ(ProbeAdapter("s3mrv.drv", ports), RetraceSource::Vga);
  card.SetMode({800, 600, 8}, 60);
  EXPECT_EQ(ProbeAdapter("s3mrv.drv", ports), RetraceSource::Compatible8514);
  const int reads = ports.reads;
  EXPECT_EQ(ProbeAdapter("VGA.DRV", ports), RetraceSource::Vga);
  EXPECT_EQ(ports.reads, reads);     // no port probed
  EXPECT_EQ(card.In(0x92E8), 0x00);  // the probed register got its byte back
}

// An adapter at 0x216A: its status bit rises every 100 reads and stays until acknowledged.
class Adapter216A : public PortIo {
 public:
  explicit Adapter216A(FakeTime& time) : time_(time) {}
  std::uint8_t In(std::uint16_t port) override {
    ++time_.micros;
    if (port == 0x216A) return probe_;
    if (port != 0x2165) return 0xFF;
    if (++reads_ % 100 == 0) pending_ = true;
    return pending_ ? 0x02 : 0x00;
  }
  void Out(std::uint16_t port, std::uint8_t value) override {
    if (port == 0x216A) probe_ = value;
    if (port == 0x2165 && (value & 0x02)) pending_ = false;
  }

 private:
  FakeTime& time_;
  std::uint8_t probe_ = 0;
  int reads_ = 0;
  bool pending_ = false;
};

TEST(Meter216ATest, TheAdapterIsFoundAndItsRetracesAcknowledged) {
  FakeTime time;
  Adapter216A adapter(time);
  ASSERT_EQ(ProbeAdapter("Default", adapter), RetraceSource::Adapter216A);
  const Measurement rate = MeasureRefreshRate(adapter, RetraceSource::Adapter216A, 300, time);
  EXPECT_TRUE(rate.retraced);
  EXPECT_NEAR(rate.rateTenths, 100000, 1000);  // one retrace every 100 microseconds
}

}  // namespace
