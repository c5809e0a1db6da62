// Idle talk: a nonsense phrase of four random pieces, and tips.
#include "chat/chat_texts.h"
#include "game/main_form.h"
#include "platform/random.h"

namespace game {

void MainForm::RndMsg_Click() {
  for (s_.PhraseIndex = 0; s_.PhraseIndex <= 3; ++s_.PhraseIndex) {
    s_.PhraseDraw[static_cast<std::size_t>(s_.PhraseIndex)] = platform::Draw(random_, 5);
  }
  SayPhrase();
}

void MainForm::SayPhrase() {
  for (std::size_t piece = 0; piece < chat::kPhrasePieces; ++piece) {
    s_.PhrasePart[piece] = chat::kPhrasePieceTable[piece].at(static_cast<std::size_t>(s_.PhraseDraw[piece]));
  }
  // Joined as one entry, so a language may put spaces between the pieces.
  s_.PhraseText = chat::kPhrase;
  for (s_.PhraseIndex = 0; s_.PhraseIndex <= 3; ++s_.PhraseIndex) {
    s_.PhraseText.Arg(s_.PhrasePart[static_cast<std::size_t>(s_.PhraseIndex)]);
  }
  Say(s_.PhraseText);
  s_.PhraseText = platform::Text();
}

void MainForm::SayTip() {
  s_.TipDraw = platform::Draw(random_, 10);
  Say(chat::kTipTable.at(static_cast<std::size_t>(s_.TipDraw)));
}

}  // namespace game
