#pragma once
// How the list box's skinned scroll bar mirrors the list's own vertical
// bar: shown and enabled only while the list can scroll and is itself
// shown and enabled, with the native thumb's length; otherwise hidden,
// disabled and with no thumb length of its own.
namespace kwo {

struct ListBoxSync {
  bool shown = false;
  bool enabled = false;
  int lineButton = 0;
  bool operator==(const ListBoxSync &) const = default;
};

// listEnabled is the list's own Enabled (not its parent's). The list can
// scroll when nativeMax > nativeMin. A negative slider length counts as 0.
ListBoxSync ListBoxSyncState(bool listShown, bool listEnabled, int nativeMin, int nativeMax, int sliderLength);

}  // namespace kwo
