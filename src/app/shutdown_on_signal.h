// SIGTERM, SIGINT and SIGHUP close the game the normal way: the purse is
// saved and the music stopped, as with the window's close box.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace app {

class ShutdownOnSignal final : public QObject {
  Q_OBJECT
 public:
  // try_close runs the normal close and tells whether it could (a handler
  // with a message box open makes it wait); answer_boxes answers such boxes.
  ShutdownOnSignal(std::function<bool()> try_close, std::function<void()> answer_boxes);
  ~ShutdownOnSignal() override;

 private:
  void Requested();

  std::function<bool()> try_close_;
  std::function<void()> answer_boxes_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace app
