#include "platform/ui/message_bridge.h"

#include <QCoreApplication>

namespace ui {
namespace {

class DeliveryEvent final : public QEvent {
 public:
  explicit DeliveryEvent(std::unique_ptr<platform::Delivery> delivery)
      : QEvent(MessageBridge::deliveryEventType()), delivery_(std::move(delivery)) {}
  // Destroying the event destroys the delivery, which hands the result (0 if
  // it never ran) to the waiting sender.
  platform::Delivery &delivery() { return *delivery_; }

 private:
  std::unique_ptr<platform::Delivery> delivery_;
};

}  // namespace

QEvent::Type MessageBridge::deliveryEventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

MessageBridge::MessageBridge(Handler handler)
    : handler_(std::move(handler)), threadId_(std::this_thread::get_id()) {
  handle_ = platform::RegisterWindow(*this);
}

MessageBridge::~MessageBridge() {
  platform::UnregisterWindow(handle_);
  QCoreApplication::removePostedEvents(this, deliveryEventType());
}

LRESULT MessageBridge::handleMessage(const platform::WindowMessage &message) {
  // A copy: the handler may destroy the control, and this bridge with it.
  const Handler handler = handler_;
  return handler ? handler(message) : 0;
}

bool MessageBridge::inReceiverThread() const { return std::this_thread::get_id() == threadId_; }

void MessageBridge::enqueue(std::unique_ptr<platform::Delivery> delivery) {
  QCoreApplication::postEvent(this, new DeliveryEvent(std::move(delivery)), Qt::HighEventPriority);
}

bool MessageBridge::event(QEvent *event) {
  if (event->type() == deliveryEventType()) {
    static_cast<DeliveryEvent *>(event)->delivery().run(*this);
    return true;
  }
  return QObject::event(event);
}

}  // namespace ui
