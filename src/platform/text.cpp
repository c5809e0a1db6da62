#include "platform/text.h"

#include <cstring>
#include <stdexcept>

#include "platform/numbers.h"

namespace platform {

namespace {
bool SameString(const char* a, const char* b) { return a == b || (a && b && std::strcmp(a, b) == 0); }
}  // namespace

bool TextId::operator==(const TextId& other) const {
  return SameString(source, other.source) && SameString(context, other.context);
}

Text Text::Plain(std::string text) {
  Text plain;
  plain.plain_ = std::move(text);
  return plain;
}

Text& Text::Next(TextId entry, std::string_view plain) {
  if (count_ == kMostArguments || this->plain() || plain_.size() + plain.size() > UINT16_MAX) {
    throw std::logic_error("a text has no place for another argument");
  }
  plain_.append(plain);
  entries_[count_] = entry;
  ends_[count_] = static_cast<std::uint16_t>(plain_.size());
  ++count_;
  return *this;
}

Text& Text::Arg(std::string plain) { return Next(TextId{}, plain); }

Text& Text::Arg(std::int64_t number) { return Next(TextId{}, DecimalText(number)); }

Text& Text::Arg(TextId id) { return Next(id, {}); }

bool Text::operator==(const Text& other) const {
  if (!(id_ == other.id_) || count_ != other.count_ || plain_ != other.plain_) return false;
  for (std::size_t i = 0; i < count_; ++i) {
    if (!(entries_[i] == other.entries_[i]) || ends_[i] != other.ends_[i]) return false;
  }
  return true;
}

// The one substitution, for every language: `template_of` gives an entry's
// template (a string or a view of one).
template <typename TemplateOf>
std::string RenderWith(const Text& text, TemplateOf&& template_of) {
  if (text.plain()) return text.plain_;
  const auto& pattern_text = template_of(text.id_);
  const std::string_view pattern(pattern_text);
  std::string rendered;
  rendered.reserve(pattern.size() + 16);
  std::size_t from = 0;
  for (std::size_t at = pattern.find('%'); at != std::string_view::npos; at = pattern.find('%', at + 1)) {
    const int place = at + 1 < pattern.size() ? pattern[at + 1] - '1' : -1;
    if (place < 0 || place >= text.count_) continue;
    rendered.append(pattern, from, at - from);
    const auto slot = static_cast<std::size_t>(place);
    if (text.entries_[slot].source) {
      const auto& inner = template_of(text.entries_[slot]);
      rendered.append(std::string_view(inner));
    } else {
      const std::size_t begin = slot == 0 ? 0 : text.ends_[slot - 1];
      rendered.append(text.plain_, begin, text.ends_[slot] - begin);
    }
    from = at + 2;
  }
  rendered.append(pattern, from);
  return rendered;
}

std::string Render(const Text& text, const std::function<std::string(const TextId&)>& translate) {
  return RenderWith(text, translate);
}

std::string Japanese(const Text& text) {
  return RenderWith(text, [](const TextId& id) { return std::string_view(id.source); });
}

}  // namespace platform
