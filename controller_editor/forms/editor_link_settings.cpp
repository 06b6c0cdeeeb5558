#include "editor_link_settings.h"

tarnex_client::PlcLinkSettings &EditorLinkSettings() {
  static tarnex_client::PlcLinkSettings settings;
  return settings;
}
