#include "site/probe_all.h"

#include "formats/errors.h"
#include "platform/clock.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace lw {

namespace {
// How long the calling thread waits for an answer before it lets events
// through and looks for Cancel again: as often as an echo client looks.
constexpr std::chrono::milliseconds kLookEvery{10};

// The probe starts no program, but its ports hold a launcher.
class NoLauncher : public ProcessLauncher {
public:
  std::unique_ptr<RunningProcess> launch(const std::string& program) override {
    throw FileError("Cannot start " + program + ": a probe starts no program");
  }
};

// What the probing threads share with the calling one; it outlives them all.
struct Shared {
  Shared(const std::vector<std::string>& addresses, Clock& clock) : addresses(addresses), clock(clock) {}
  const std::vector<std::string>& addresses;
  Clock& clock;
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable ended;
  std::deque<std::pair<std::size_t, ProbeOutcome>> finished; // guarded by mutex
  std::size_t running = 0;                                   // guarded by mutex
};

// One probe in flight after another until none is left or Cancel came.
void probe_in_turn(Shared& shared, EchoClient& echo) {
  NoLauncher launcher;
  UpdatePorts ports{echo, shared.clock, launcher, {}, {}};
  ports.cancelled = [&shared] { return shared.stop.load(); };
  while (!shared.stop) {
    const std::size_t index = shared.next++;
    if (index >= shared.addresses.size()) break;
    ProbeOutcome outcome{ProbeResult::SendFailed, {}};
    try {
      outcome = Send_Ping(ports, shared.addresses[index]);
    } catch (const std::exception& e) {
      outcome = {ProbeResult::SendFailed, e.what()};
    }
    std::lock_guard lock(shared.mutex);
    shared.finished.emplace_back(index, std::move(outcome));
    shared.ended.notify_one();
  }
  std::lock_guard lock(shared.mutex);
  --shared.running;
  shared.ended.notify_one();
}
} // namespace

std::optional<bool> reachable(const ProbeOutcome& outcome) {
  switch (outcome.result) {
  case ProbeResult::Answered: return true;
  case ProbeResult::Silent: return false;
  default: return std::nullopt;
  }
}

ProbeAllResult Probe_All(const std::vector<std::string>& addresses, const ProbeAllPorts& ports,
                         const std::function<void(std::size_t, const ProbeOutcome&)>& answered,
                         std::size_t in_flight) {
  ProbeAllResult result;
  result.outcomes.resize(addresses.size());
  if (ports.cancelled()) {
    result.cancelled = true;
    return result;
  }
  Shared shared(addresses, ports.clock);
  std::vector<std::unique_ptr<EchoClient>> clients;
  const std::size_t wanted = std::min(std::max<std::size_t>(in_flight, 1), addresses.size());
  for (std::size_t i = 0; i < wanted; ++i)
    clients.push_back(ports.make_echo());

  std::vector<std::thread> threads;
  std::optional<std::string> no_thread;
  for (auto& client : clients) {
    std::lock_guard lock(shared.mutex);
    try {
      threads.emplace_back(probe_in_turn, std::ref(shared), std::ref(*client));
      ++shared.running;
    } catch (const std::system_error& e) {
      // The threads already running carry the rest.
      no_thread = e.what();
      break;
    }
  }
  if (threads.empty() && no_thread) {
    for (std::size_t i = 0; i < addresses.size(); ++i) {
      result.outcomes[i] = ProbeOutcome{ProbeResult::SendFailed, *no_thread};
      if (answered) answered(i, *result.outcomes[i]);
    }
    return result;
  }

  std::unique_lock lock(shared.mutex);
  for (;;) {
    while (!shared.finished.empty()) {
      auto [index, outcome] = std::move(shared.finished.front());
      shared.finished.pop_front();
      lock.unlock();
      if (!result.cancelled && ports.cancelled()) result.cancelled = true;
      if (!result.cancelled) {
        result.outcomes[index] = outcome;
        if (answered) answered(index, outcome);
      }
      lock.lock();
    }
    if (shared.running == 0 || result.cancelled) break;
    lock.unlock();
    ports.process_events();
    result.cancelled = ports.cancelled();
    lock.lock();
    if (result.cancelled) break;
    shared.ended.wait_for(lock, kLookEvery, [&] { return !shared.finished.empty() || shared.running == 0; });
  }
  lock.unlock();
  // The probes still waiting end at their next look; none outlives the call.
  if (result.cancelled) shared.stop = true;
  for (std::thread& thread : threads)
    thread.join();
  return result;
}

} // namespace lw
