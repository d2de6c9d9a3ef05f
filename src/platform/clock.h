#pragma once
#include <cstdint>

namespace lw {

// The millisecond tick count and a sleep, so waits can be tested with a fake.
class Clock {
public:
  virtual ~Clock() = default;
  virtual std::uint64_t tick_ms() = 0;
  virtual void sleep_ms(int ms) = 0;
};

class SteadyClock : public Clock {
public:
  std::uint64_t tick_ms() override;
  void sleep_ms(int ms) override;
};

} // namespace lw
