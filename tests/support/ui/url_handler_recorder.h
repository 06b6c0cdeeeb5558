#pragma once
// Takes the desktop's http and https links while it lives: QDesktopServices
// hands every URL to it instead of starting a browser, and it records them.
#include <QObject>
#include <QUrl>
#include <vector>

namespace testsupport {

class UrlHandlerRecorder : public QObject {
  Q_OBJECT
 public:
  UrlHandlerRecorder();
  ~UrlHandlerRecorder() override;
  UrlHandlerRecorder(const UrlHandlerRecorder &) = delete;
  UrlHandlerRecorder &operator=(const UrlHandlerRecorder &) = delete;

  const std::vector<QUrl> &opened() const { return opened_; }

 public slots:
  void openUrl(const QUrl &url);

 private:
  std::vector<QUrl> opened_;
};

}  // namespace testsupport
