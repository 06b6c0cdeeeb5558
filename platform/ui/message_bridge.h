#pragma once
// Window messages for Qt windows: a control's handle is registered here, and
// messages sent from other threads arrive as high-priority posted events, so
// they are handled in whatever event loop the window thread runs (the main
// loop, a modal loop, a message box, processMessages).
#include <QEvent>
#include <QObject>
#include <functional>
#include <memory>
#include <thread>

#include "platform/message_receiver.h"

namespace ui {

class MessageBridge final : public QObject, public platform::MessageReceiver {
 public:
  using Handler = std::function<LRESULT(const platform::WindowMessage &)>;

  // Registers a new handle; the calling thread is the window thread.
  explicit MessageBridge(Handler handler);
  // Unregisters the handle and drops the messages not yet handled, which
  // releases their senders with 0.
  ~MessageBridge() override;

  HWND handle() const { return handle_; }

  LRESULT handleMessage(const platform::WindowMessage &message) override;
  bool inReceiverThread() const override;
  void enqueue(std::unique_ptr<platform::Delivery> delivery) override;

  static QEvent::Type deliveryEventType();

 protected:
  bool event(QEvent *event) override;

 private:
  Handler handler_;
  std::thread::id threadId_;
  HWND handle_ = 0;
};

}  // namespace ui
