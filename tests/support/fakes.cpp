#include "support/fakes.h"

namespace testing_support {

float ScriptedRandom::Next() {
  ++draws_;
  if (values_.empty()) {
    ++overruns_;
    return fallback_;
  }
  float value = values_.front();
  values_.pop_front();
  return value;
}

std::optional<float> ScriptedRandom::Skip(std::uint64_t n) {
  std::optional<float> last;
  for (std::uint64_t i = 0; i < n; ++i) last = Next();
  return last;
}

int ScriptedMessageBoxes::Show(std::string_view prompt, int style, std::string_view title) {
  shown.push_back(ShownBox{std::string(prompt), style, std::string(title)});
  if (while_open) while_open(shown.back());
  if (!replies_.empty()) {
    int reply = replies_.front();
    replies_.pop_front();
    return reply;
  }
  if (answer) return answer(shown.back());
  return style == kYesNo ? kReplyYes : kReplyOk;
}

std::string MemorySettings::Read(std::string_view application, std::string_view section, std::string_view key,
                                 std::string_view default_text) {
  auto found = values.find(Key{application, section, key});
  return found == values.end() ? std::string(default_text) : found->second;
}

bool MemorySettings::Write(std::string_view application, std::string_view section, std::string_view key,
                           std::string_view text) {
  ++writes;
  if (fail_writes) return false;
  values[Key{application, section, key}] = std::string(text);
  return true;
}

std::optional<std::string> MemorySettings::Purse() const {
  auto found = values.find(Key{"MainForm", "2", "pass"});
  if (found == values.end()) return std::nullopt;
  return found->second;
}

}  // namespace testing_support
