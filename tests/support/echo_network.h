#pragma once
#include "params/ip_address.h"
#include "platform/clock.h"
#include "platform/icmp_echo.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace lw::test {

// Real time, but a wait for a reply that never comes is skipped over: each
// thread keeps the time it skipped, so many probes at once each see their
// own time-outs pass at once. The updater's wait sleeps for real.
class SkippingClock : public Clock {
public:
  std::uint64_t tick_ms() override {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
               duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count()) +
           skipped_;
  }
  void sleep_ms(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
  static void skip(int ms) { skipped_ += static_cast<std::uint64_t>(ms); }

private:
  inline static thread_local std::uint64_t skipped_ = 0;
};

// Devices by address, each answering, silent, refusing the request, or held
// until released; one network for any number of echo clients at once, which
// it counts. An address it does not know is silent.
class FakeNetwork {
public:
  enum class Device { Answers, Silent, NotPermitted, SendFailed, Held };

  void set(const std::string& address, Device device) {
    std::lock_guard lock(mutex_);
    devices_[address] = device;
  }
  void release(const std::string& address) {
    std::lock_guard lock(mutex_);
    released_.insert(address);
  }
  void release_all() {
    std::lock_guard lock(mutex_);
    for (const auto& [address, device] : devices_)
      released_.insert(address);
  }
  // Called with each request's address before it is answered.
  void on_request(std::function<void(const std::string&)> hook) {
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
  }
  // The addresses asked, each once, in the order of their first request.
  std::vector<std::string> asked() const {
    std::lock_guard lock(mutex_);
    return asked_;
  }
  int waiting() const {
    std::lock_guard lock(mutex_);
    return waiting_;
  }
  int most_waiting() const {
    std::lock_guard lock(mutex_);
    return most_waiting_;
  }

  std::optional<std::size_t> echo(const std::array<std::uint8_t, 4>& octets, int timeout_ms,
                                  const std::function<bool()>& keep_waiting) {
    const std::string address = *canonical_address(join_octets(octet_texts(octets)));
    Device device = Device::Silent;
    std::function<void(const std::string&)> hook;
    {
      std::lock_guard lock(mutex_);
      if (std::find(asked_.begin(), asked_.end(), address) == asked_.end()) asked_.push_back(address);
      if (auto known = devices_.find(address); known != devices_.end()) device = known->second;
      hook = hook_;
      most_waiting_ = std::max(most_waiting_, ++waiting_);
    }
    struct Leave {
      FakeNetwork& network;
      ~Leave() {
        std::lock_guard lock(network.mutex_);
        --network.waiting_;
      }
    } leave{*this};
    if (hook) hook(address);
    switch (device) {
    case Device::Answers: return kReplyBytes;
    case Device::NotPermitted: throw EchoFailure(EchoFailure::Kind::NotPermitted, "no ICMP for this user");
    case Device::SendFailed: throw EchoFailure(EchoFailure::Kind::SendFailed, "network is down");
    case Device::Held:
      while (!released(address)) {
        if (keep_waiting && !keep_waiting()) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      return kReplyBytes;
    case Device::Silent: break;
    }
    for (int waited = 0; waited < timeout_ms; waited += kSliceMs) {
      if (keep_waiting && !keep_waiting()) return std::nullopt;
      SkippingClock::skip(kSliceMs);
    }
    return std::nullopt;
  }

private:
  static constexpr std::size_t kReplyBytes = 32;
  static constexpr int kSliceMs = 10;
  bool released(const std::string& address) const {
    std::lock_guard lock(mutex_);
    return released_.count(address) > 0;
  }
  mutable std::mutex mutex_;
  std::map<std::string, Device> devices_;
  std::set<std::string> released_;
  std::function<void(const std::string&)> hook_;
  std::vector<std::string> asked_;
  int waiting_ = 0;
  int most_waiting_ = 0;
};

// One echo client on the fake network.
class NetworkEcho : public EchoClient {
public:
  explicit NetworkEcho(FakeNetwork& network) : network_(network) {}
  std::optional<std::size_t> echo(const std::array<std::uint8_t, 4>& address, int timeout_ms,
                                  const std::function<bool()>& keep_waiting) override {
    return network_.echo(address, timeout_ms, keep_waiting);
  }

private:
  FakeNetwork& network_;
};

} // namespace lw::test
