#include "tests/support/descriptor_limit.h"

#include <sys/resource.h>

#include <filesystem>
#include <system_error>

namespace testsupport {

bool RaiseDescriptorLimit(size_t needed) {
  rlimit limit;
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
  if (limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
  }
  return limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= needed;
}

size_t OpenDescriptorCount() {
  std::error_code ec;
  size_t count = 0;
  for (std::filesystem::directory_iterator it("/proc/self/fd", ec), end; !ec && it != end;
       it.increment(ec))
    ++count;
  return count;
}

}  // namespace testsupport
