#include "controller_editor/forms/about_form.h"

#include <QDesktopServices>
#include <QUrl>

#include "controller_editor/forms/form_parts.h"
#include "platform/ui/button.h"
#include "platform/ui/label.h"

TAboutForm::TAboutForm(ui::Component *owner) : ui::Form(owner) {
  {
    ui::LoadingGuard loading(*this);
    setName(QStringLiteral("AboutForm"));
    setCaption(QStringLiteral("关于"));
    setBorderStyle(ui::BorderStyle::Dialog);
    setClientWidth(340);
    setClientHeight(210);
    banner = AddProductBanner(*this, 16, 12);
    lblCompanyCn = NewCaptioned<ui::Label>(*this, QStringLiteral("lblCompanyCn"),
                                           QStringLiteral("Tamzor 控制技术有限公司"), 24, 92, 300, 16);
    lblCompanyEn = NewCaptioned<ui::Label>(*this, QStringLiteral("lblCompanyEn"),
                                           QStringLiteral("Tamzor Control Technology Co., Ltd."), 24, 114, 300, 16);
    lblUrl = NewCaptioned<ui::Label>(*this, QStringLiteral("lblUrl"), QStringLiteral("https://www.tamzor.example/"),
                                     24, 136, 300, 16);
    ui::Font link = lblUrl->controlFont();
    link.color = 0xFF0000;  // blue (BGR)
    link.underline = true;
    lblUrl->setParentFont(false);
    lblUrl->setControlFont(link);
    lblUrl->setCursor(Qt::PointingHandCursor);
    BtnOK = NewCaptioned<ui::Button>(*this, QStringLiteral("BtnOK"), QStringLiteral("确定"), 130, 172, 80, 26);
    BtnOK->setDefault(true);
    BtnOK->setModalResult(ui::mrOk);
  }
  lblUrl->OnClick = [this](ui::Control *) { lblUrlClick(); };
  centerOnScreen();
}

TAboutForm::~TAboutForm() { beginDestroy(); }

void TAboutForm::lblUrlClick() {
  const QUrl url(lblUrl->caption());
  // Only web pages: the label's text never starts a program or opens a file.
  if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) return;
  QDesktopServices::openUrl(url);
}
