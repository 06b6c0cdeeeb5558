#include "display_app/model/link_settings_editor.h"

#include <cstdio>

#include "platform/number_text.h"

namespace morvit {

LinkSettingsEditor::LinkSettingsEditor(TPlcParmArray controllers, int32_t selected)
    : controllers_(std::move(controllers)) {
  choose(selected);
}

std::vector<std::string> LinkSettingsEditor::controllerNames() const {
  std::vector<std::string> names;
  for (const TPlcParm &c : controllers_) names.push_back(c.Name);
  return names;
}

std::vector<std::string> LinkSettingsEditor::AddressLines() {
  std::vector<std::string> lines;
  char buf[8];
  for (int i = 0; i < kAddressLines; ++i) {
    std::snprintf(buf, sizeof buf, "%02d", i);
    lines.emplace_back(buf);
  }
  return lines;
}

std::vector<std::string> LinkSettingsEditor::PortLines() {
  std::vector<std::string> lines;
  for (int i = 1; i <= kPortLines; ++i) lines.push_back(std::to_string(i));
  return lines;
}

void LinkSettingsEditor::choose(int32_t index) {
  chosen_ = index >= 0 && static_cast<size_t>(index) < controllers_.size() ? index : -1;
}

TPlcParm *LinkSettingsEditor::current() {
  return chosen_ < 0 ? nullptr : &controllers_[static_cast<size_t>(chosen_)];
}

const TPlcParm *LinkSettingsEditor::current() const {
  return chosen_ < 0 ? nullptr : &controllers_[static_cast<size_t>(chosen_)];
}

bool LinkSettingsEditor::networkMode() const { return current() && current()->ConnMode != 0; }

int LinkSettingsEditor::addressLine() const {
  const TPlcParm *c = current();
  return c && c->Addr < kAddressLines ? c->Addr : -1;
}

int LinkSettingsEditor::portLine() const {
  const TPlcParm *c = current();
  return c && c->Comm >= 1 && c->Comm <= kPortLines ? c->Comm - 1 : -1;
}

std::string LinkSettingsEditor::ip() const { return current() ? current()->IP : std::string(); }

std::string LinkSettingsEditor::portText() const { return current() ? std::to_string(current()->Port) : std::string(); }

void LinkSettingsEditor::setNetworkMode(bool network) {
  if (TPlcParm *c = current()) c->ConnMode = network ? 1 : 0;
}

void LinkSettingsEditor::setAddressLine(int line) {
  TPlcParm *c = current();
  if (c && line >= 0 && line < kAddressLines) c->Addr = static_cast<uint16_t>(line);
}

void LinkSettingsEditor::setPortLine(int line) {
  TPlcParm *c = current();
  if (c && line >= 0 && line < kPortLines) c->Comm = static_cast<uint16_t>(line + 1);
}

void LinkSettingsEditor::setIP(std::string_view text) {
  if (TPlcParm *c = current()) c->IP = std::string(text);
}

void LinkSettingsEditor::setPortText(std::string_view text) {
  if (TPlcParm *c = current()) c->Port = platform::ParseIntegerOr(text, 6666);
}

}  // namespace morvit
