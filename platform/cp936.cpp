#include "platform/cp936.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace cp936 {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// One descriptor per thread and direction: iconv descriptors carry state and
// must not be shared between threads. Each use starts from the initial state.
class Converter {
 public:
  Converter(const char *to, const char *from) : cd_(::iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed for CP936");
  }
  ~Converter() { ::iconv_close(cd_); }
  Converter(const Converter &) = delete;
  Converter &operator=(const Converter &) = delete;

  // Converts as much of [*in, *in + *inLeft) as it can into out. Returns 0 on
  // success or the errno that stopped it (EILSEQ, EINVAL); *in and *inLeft
  // are advanced past what was converted.
  int Convert(const char **in, size_t *inLeft, std::string &out) {
    ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buf[1024];
    while (*inLeft > 0) {
      char *outPtr = buf;
      size_t outLeft = sizeof buf;
      size_t rc = ::iconv(cd_, const_cast<char **>(in), inLeft, &outPtr, &outLeft);
      out.append(buf, static_cast<size_t>(outPtr - buf));
      if (rc != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      return errno;
    }
    return 0;
  }

 private:
  iconv_t cd_;
};

Converter &toUtf8Converter() {
  thread_local Converter c("UTF-8", "CP936");
  return c;
}

Converter &fromUtf8Converter() {
  thread_local Converter c("CP936", "UTF-8");
  return c;
}

bool isAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Length of the UTF-8 sequence a lead byte announces; 1 for a stray byte.
size_t utf8Length(unsigned char b) {
  if (b >= 0xF0 && b <= 0xF4) return 4;
  if (b >= 0xE0) return b <= 0xEF ? 3 : 1;
  if (b >= 0xC2) return 2;
  return 1;
}

}  // namespace

std::string ToUtf8(std::string_view bytes) {
  if (isAscii(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  const char *in = bytes.data();
  size_t left = bytes.size();
  Converter &conv = toUtf8Converter();
  while (left > 0) {
    if (conv.Convert(&in, &left, out) == 0) break;
    // Undecodable: a user-defined pair counts as one character, anything
    // else as one byte.
    size_t skip = CharLength(std::string_view(in, left), 0);
    out.append(kReplacementUtf8);
    in += skip;
    left -= skip;
  }
  return out;
}

std::string FromUtf8(std::string_view utf8, bool *lossless) {
  if (lossless) *lossless = true;
  if (isAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  const char *in = utf8.data();
  size_t left = utf8.size();
  Converter &conv = fromUtf8Converter();
  while (left > 0) {
    if (conv.Convert(&in, &left, out) == 0) break;
    if (lossless) *lossless = false;
    out.push_back('?');
    size_t skip = utf8Length(static_cast<unsigned char>(*in));
    // Step over the continuation bytes that really belong to this character.
    size_t n = 1;
    while (n < skip && n < left && (static_cast<unsigned char>(in[n]) & 0xC0) == 0x80) ++n;
    in += n;
    left -= n;
  }
  return out;
}

std::string TruncateToBytes(std::string_view bytes, size_t max) {
  if (bytes.size() <= max) return std::string(bytes);
  size_t end = 0;
  while (end < bytes.size()) {
    size_t len = CharLength(bytes, end);
    if (end + len > max) break;
    end += len;
  }
  return std::string(bytes.substr(0, end));
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  size_t i = 0;
  while (i < a.size()) {
    if (CharLength(a, i) == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      i += 2;
    } else {
      if (FoldAscii(static_cast<unsigned char>(a[i])) != FoldAscii(static_cast<unsigned char>(b[i]))) return false;
      ++i;
    }
  }
  return true;
}

std::string FoldCase(std::string_view bytes) {
  std::string out(bytes);
  size_t i = 0;
  while (i < out.size()) {
    if (CharLength(out, i) == 2) {
      i += 2;
    } else {
      out[i] = static_cast<char>(FoldAscii(static_cast<unsigned char>(out[i])));
      ++i;
    }
  }
  return out;
}

}  // namespace cp936
