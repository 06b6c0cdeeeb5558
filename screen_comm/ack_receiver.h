#pragma once
// Taking screen controller replies apart, without any I/O: the line cutter
// that turns the bytes of one serial port into ":hex...CR LF" lines, the
// check of one frame, and the collector that reports and stores the frames
// of one Qd_GetAck call within its limits.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "quodel.h"

namespace quodel {

class ScreenVarsStore;

// The bytes read from one serial port and not yet taken as lines. A line is
// ':' up to the next CR LF with no ':' inside; anything before a ':' is
// noise, and a ':' inside a line starts the line over.
class LineCutter {
 public:
  static constexpr size_t kCapacity = 4096;

  // Where the next read goes and how much fits there.
  uint8_t *space();
  size_t room() const { return kCapacity - end_; }
  // Takes n bytes just written at space() (at most room()).
  void commit(size_t n);
  // Copies in as much of data as fits; returns how much.
  size_t append(const uint8_t *data, size_t n);

  // The next complete line, ':' through LF, left in place until takeLine();
  // drops the noise on its way. A full buffer that holds no complete line is
  // emptied, so a peer that never ends a line cannot stall the port.
  std::optional<std::string_view> nextLine();
  // Removes the line nextLine() returned.
  void takeLine();

  size_t count() const { return end_ - begin_; }
  void clear() { begin_ = end_ = lineEnd_ = 0; }

 private:
  void compact();

  std::array<uint8_t, kCapacity> bytes_{};
  size_t begin_ = 0;
  size_t end_ = 0;
  size_t lineEnd_ = 0;
};

// The longest frame a line of the cutter can carry.
inline constexpr size_t kMaxLineFrame = (LineCutter::kCapacity - 3) / 2;
// Datagrams longer than this are refused.
inline constexpr size_t kMaxDatagram = 1024;
// Frames one Qd_GetAck call takes at most.
inline constexpr int kMaxFramesPerCall = 256;
// Parameters one reply frame may carry.
inline constexpr size_t kMaxFrameParams = QD_ACK_MAX_PARAMS;

// Decodes the hex digit pairs of a line (either letter case) into out, which
// holds kMaxLineFrame bytes; an odd last digit is ignored. nullopt when a
// pair is not hexadecimal.
std::optional<size_t> DecodeLine(std::string_view line, uint8_t *out);

struct FrameParam {
  uint16_t id = 0;
  const uint8_t *data = nullptr;
  uint16_t length = 0;
};

struct ReplyFrame {
  uint16_t address = 0;
  uint8_t command = 0;
  uint16_t index = 0;
  size_t count = 0;
  std::array<FrameParam, kMaxFrameParams> params{};
};

enum class FrameCheck { Empty, Bad, Good };

// Checks one reply of n bytes: Empty for n = 0; Bad for a frame shorter than
// its header and checksum, a wrong checksum, more than kMaxFrameParams
// parameters, or parameters that run into the checksum. Good fills *frame
// (its params point into bytes). Bytes after the last parameter are ignored.
FrameCheck CheckFrame(const uint8_t *bytes, size_t n, ReplyFrame *frame);

// The frames of one Qd_GetAck call: reports their parameters into the
// caller's outputs and stores their values.
class AckCollector {
 public:
  enum class Outcome {
    Taken,   // reported and stored (or empty, skipped)
    Bad,     // failed its check: drop it, the call returns 1
    NoRoom,  // the call is full: leave it for the next call
  };

  // Null outputs are not written. Sets *status to 2 and *count to 0.
  AckCollector(ScreenVarsStore &store, uint8_t *status, int32_t *count, AckParam *params);

  Outcome offer(const uint8_t *bytes, size_t n);
  // A datagram of which copied bytes were read and whose real length is
  // length.
  Outcome offerDatagram(const uint8_t *bytes, size_t copied, size_t length);

  // No further frame may be taken in this call: it took 256 frames, or one
  // found no room.
  bool full() const { return noRoom_ || frames_ >= kMaxFramesPerCall; }
  size_t entries() const { return entries_; }

 private:
  ScreenVarsStore &store_;
  uint8_t *status_;
  int32_t *count_;
  AckParam *params_;
  size_t entries_ = 0;
  int frames_ = 0;
  bool noRoom_ = false;
  ReplyFrame frame_;
};

// Takes the complete lines of a cutter until one fails its check (1), the
// call is full or no line is left (0).
int CollectLines(LineCutter &cutter, AckCollector &collector);

}  // namespace quodel
