#pragma once
// The skin-file format, without Qt. A skin file is a 24-byte header (the
// signature "KwoKit_TB" padded with NULs to 12 bytes, the header length,
// four reserved bytes, the offset of the first entry header), then a chain
// of 77-byte entry headers (a 64-byte name, a kind byte, the data offset,
// the data size, the offset of the next header). The header whose next
// offset is 0 closes the chain and is no entry. Integers are 32-bit signed
// little-endian; offsets count from the start of the file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kwo {

inline constexpr size_t kSkinFileHeaderSize = 24;
inline constexpr size_t kSkinEntryHeaderSize = 77;
inline constexpr size_t kSkinEntryNameSize = 64;
// Larger files are refused unread.
inline constexpr size_t kSkinFileMaxSize = size_t{64} << 20;
inline constexpr std::string_view kSkinFileSignature = "KwoKit_TB";

// Entry kinds as stored.
enum class SkinEntryKind : uint8_t { Image = 0, Integer = 1, Bool = 2, Text = 3 };

// What a skin file holds, by list. Names are views into the bytes that were
// parsed and stay valid only while those bytes do. Each list holds the
// first entry in the chain of every name, sorted by name; names compare
// ignoring ASCII case.
struct SkinFileContents {
  struct Range {
    size_t offset = 0;
    size_t size = 0;
  };
  template <typename Value>
  struct Named {
    std::string_view name;
    Value value;
  };

  // False when the file was refused: nothing was read then.
  bool accepted = false;
  std::vector<Named<Range>> images;    // the bytes of a BMP file
  std::vector<Named<int32_t>> integers;
  std::vector<Named<uint8_t>> bools;   // the stored byte; non-zero is true
  std::vector<Named<Range>> texts;

  std::optional<Range> image(std::string_view name) const;
  std::optional<int32_t> integer(std::string_view name) const;
  std::optional<uint8_t> boolean(std::string_view name) const;
  std::optional<Range> text(std::string_view name) const;
};

// Reads the entries of a skin file. The file is refused when it is under
// 24 bytes or over 64 MiB, when its header length is under 24 (a longer
// header is accepted; 24 bytes are read), or when its first entry header
// does not lie wholly inside it. The chain stops at a header cut by the end
// of the file or at an offset already visited, keeping what it read. An
// entry is skipped when its offset or size is negative, when its data (for
// an integer its 4 bytes, for a bool its 1 byte, whatever the size says)
// runs past the end of the file, or when its kind is unknown. The signature
// is not looked at here. Nothing is allocated by what a size field claims.
// The names and ranges point into the file's bytes, which must outlive the
// contents: a temporary buffer is refused at compile time.
SkinFileContents ParseSkinFile(std::span<const std::byte> file);
SkinFileContents ParseSkinFile(std::vector<std::byte> &&file) = delete;

// What the integer entry stored for theme item `position` (1..42) reads
// as: items of kind Integer are pixel sizes and offsets, held to
// -kPixelLimit..kPixelLimit so that the layouts can add them up; colours
// and every other position read as stored.
int32_t SkinItemInteger(int position, int32_t stored);

// The first 16 bytes are there and the first 12, up to their first NUL,
// read "KwoKit_TB" (case-sensitive).
bool SkinFileSignatureMatches(std::span<const std::byte> start);
// The same test on a file: false when it is missing, cannot be opened or is
// too short.
bool CheckSkinFileSignature(const std::string &path);

}  // namespace kwo
