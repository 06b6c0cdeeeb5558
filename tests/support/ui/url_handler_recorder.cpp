#include "tests/support/ui/url_handler_recorder.h"

#include <QDesktopServices>

namespace testsupport {

UrlHandlerRecorder::UrlHandlerRecorder() {
  QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
  QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
}

UrlHandlerRecorder::~UrlHandlerRecorder() {
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void UrlHandlerRecorder::openUrl(const QUrl &url) { opened_.push_back(url); }

}  // namespace testsupport
