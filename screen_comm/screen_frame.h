#pragma once
// The screen command frame under construction: an 11-byte header, the
// parameters appended since, then a one-byte checksum when it is sent. All
// multi-byte fields are little-endian.
//
//   0 address(2) 2 command(1) 3 type(2) 5 length(2) 7 index(2) 9 count(2)
//   11 parameters ... checksum
//
// The length field counts the frame without its checksum.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quodel {

inline constexpr size_t kFrameHeaderSize = 11;
inline constexpr size_t kFrameCapacity = 1028;  // header, parameters and checksum

class ScreenFrame {
 public:
  enum class State { Idle, HeaderMade, ParamsAdded };

  // Starts over with a header of no parameters.
  void makeHeader(uint16_t address, uint8_t command, uint16_t type, uint16_t index);

  // A request parameter: the bare id.
  bool appendRequest(uint16_t id);
  // A set parameter: id, length, then the n data bytes.
  bool appendSet(uint16_t id, const uint8_t *data, size_t n);

  // Adds the checksum and returns the whole frame; the frame is then done
  // (Idle) and stays readable through bytes() until the next header. false
  // (nothing changes) unless parameters were added.
  bool finish();

  State state() const { return state_; }
  // The frame so far: with its checksum once finished.
  const uint8_t *bytes() const { return buffer_.data(); }
  size_t size() const { return length_; }

  // Forgets the frame being built (the bytes stay).
  void abandon() { state_ = State::Idle; }

 private:
  // False when there is no header or k more bytes would leave no room for
  // the checksum.
  bool hasRoom(size_t k) const;
  void appendBytes(const uint8_t *data, size_t n);
  void appendWord(uint16_t v);
  void countParameter();

  std::array<uint8_t, kFrameCapacity> buffer_{};
  size_t length_ = 0;
  uint16_t count_ = 0;
  State state_ = State::Idle;
};

// The serial form of a frame: ':' and two lower-case hex digits per byte,
// then CR LF.
std::string FrameText(const uint8_t *bytes, size_t n);

}  // namespace quodel
