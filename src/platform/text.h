// Texts as the player reads them: an entry of the game's catalogue with what
// goes into its places, or a plain text from outside the catalogue (a number,
// an address). The rules name texts; the window shows them in the player's
// language, and the rules themselves read the Japanese, the catalogue's source.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// An entry of the catalogue: the context it is translated in and its
// Japanese source, with %1, %2… where numbers or other texts go. No entry
// (a null source) is the empty text.
struct TextId {
  const char* context = nullptr;
  const char* source = nullptr;
  bool operator==(const TextId& other) const;
};

}  // namespace platform

// Names an entry of the catalogue. Both are string literals: lupdate finds
// them through -tr-function-alias QT_TRANSLATE_NOOP+=MASCOT_TEXT.
#define MASCOT_TEXT(context, source) (::platform::TextId{context, source})

namespace platform {

class Text {
 public:
  // The most places an entry has.
  static constexpr int kMostArguments = 4;

  Text() = default;
  // An entry with nothing in its places yet.
  Text(TextId id) : id_(id) {}  // NOLINT(google-explicit-constructor): an entry is a text
  // A text from outside the catalogue, shown as it is in every language.
  static Text Plain(std::string text);

  // Fills the next place: a plain text, a number as plain decimal (never
  // localised), or another entry, translated on its own.
  Text& Arg(std::string plain);
  Text& Arg(std::int64_t number);
  Text& Arg(TextId id);

  // The entry; no source for a plain text.
  const TextId& id() const { return id_; }
  bool plain() const { return id_.source == nullptr; }
  bool empty() const { return plain() && plain_.empty(); }
  bool operator==(const Text& other) const;

 private:
  template <typename TemplateOf>
  friend std::string RenderWith(const Text& text, TemplateOf&& template_of);
  Text& Next(TextId entry, std::string_view plain);

  // Captions change on every race: a text moves as one string and a few
  // words. The plain arguments lie one after another in plain_, argument i
  // ending at ends_[i]; an argument that is an entry has it in entries_. A
  // plain text is plain_ itself.
  TextId id_;
  std::array<TextId, kMostArguments> entries_{};
  std::array<std::uint16_t, kMostArguments> ends_{};
  std::uint8_t count_ = 0;
  std::string plain_;
};

// The text with every %n replaced by its argument, each entry's template as
// `translate` gives it in the language wanted. A place without an argument
// stays as it is.
std::string Render(const Text& text, const std::function<std::string(const TextId&)>& translate);
// The text in the catalogue's source language: what the rules read back.
std::string Japanese(const Text& text);

}  // namespace platform
