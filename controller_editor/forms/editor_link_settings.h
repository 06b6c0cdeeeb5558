#pragma once
// The link settings both link windows of the editor open with when they run
// on the real library: the product's defaults, or what a test set.
#include "plc_api.h"

tarnex_client::PlcLinkSettings &EditorLinkSettings();
