#include "windows/boot_logic.h"

#include "core/app_state.h"
#include "core/identity.h"
#include "core/ports.h"
#include "core/text_ids.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/icmp_echo.h"
#include "platform/process.h"

namespace lw {

std::optional<OctetTexts> BootLogic::prefill() const {
  if (state_.Last_IP_Address.empty()) return std::nullopt;
  return Split_IP_Address(state_.Last_IP_Address);
}

bool BootLogic::Send_Ping(const OctetTexts& fields) {
  probe_failure_.reset();
  permission_missing_ = false;
  ping_res = 0;
  Clock& clock = ports_.clock;
  const std::uint64_t t_start = clock.tick_ms();
  auto address = usable_address(join_octets(fields));
  if (!address) return false;
  int replies = 0;
  try {
    for (;;) {
      const std::uint64_t t0 = clock.tick_ms();
      auto reply = ports_.echo.echo(*address, kEchoTimeoutMs, ports_.process_events);
      ping_res = reply && *reply > 0 ? 1 : 2;
      while (ping_res == 0 && clock.tick_ms() - t0 <= static_cast<std::uint64_t>(kEchoTimeoutMs)) {
        clock.sleep_ms(kProbePauseMs);
        if (ports_.process_events) ports_.process_events();
      }
      if (ping_res == 1) ++replies;
      if (replies >= 2) break;
      if (clock.tick_ms() - t_start > static_cast<std::uint64_t>(kProbeLimitMs)) break;
    }
  } catch (const EchoFailure& e) {
    probe_failure_ = e.what();
    permission_missing_ = e.kind == EchoFailure::Kind::NotPermitted;
    return false;
  }
  return ping_res == 1;
}

std::optional<int> BootLogic::Start_Program(const std::string& program, int limit_ms) {
  auto process = ports_.launcher.launch(program);
  ports_.busy(true);
  Clock& clock = ports_.clock;
  const std::uint64_t t0 = clock.tick_ms();
  std::optional<int> status;
  for (;;) {
    status = process->ended();
    if (status) break;
    if (clock.tick_ms() - t0 >= static_cast<std::uint64_t>(limit_ms)) break;
    clock.sleep_ms(kUpdaterPollMs);
    if (ports_.repaint_only) ports_.repaint_only();
  }
  ports_.busy(false);
  return status;
}

void BootLogic::Btn_UpdateClick(const OctetTexts& fields, int option, bool read_back) {
  if (!Send_Ping(fields)) {
    if (permission_missing_)
      messages_.error(*probe_failure_);
    else if (ping_res == 2)
      messages_.warning(state_.text(text_id::kMsgDeviceNotFound));
    else
      messages_.error(state_.text(text_id::kMsgCheckIpAddress));
    return;
  }
  state_.Last_IP_Address = join_octets(fields);
  state_.Update_Option_Index = option;
  state_.Update_Read_Back = read_back;
  image::DescriptorInputs in;
  in.ip = fields;
  in.option = option;
  in.read_back = read_back;
  in.Master_Dir = state_.Master_Dir;
  in.Conf_Dir = state_.Conf_Dir;
  in.App_Dir = state_.App_Dir;
  try {
    image::Compile_XML_Parameter(in);
    Start_Program(fs::join(state_.App_Dir, kUpdaterFile));
  } catch (const FileError& e) {
    messages_.error(e.what());
  }
}

} // namespace lw
