#pragma once
// Tests that hold many sockets or devices at once raise the soft limit on
// open descriptors (often 1024) to the hard limit first.
#include <cstddef>

namespace testsupport {

// Raises the soft RLIMIT_NOFILE to the hard limit. True when the resulting
// limit allows at least `needed` descriptors.
bool RaiseDescriptorLimit(size_t needed);

// How many descriptors the process has open (from /proc/self/fd).
size_t OpenDescriptorCount();

}  // namespace testsupport
