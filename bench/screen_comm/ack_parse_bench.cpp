// Reply parsing speed: 10,000 lines of 64 parameters, fed to the line
// cutter in reads of at most 4096 bytes, each read followed by a collection
// as one Qd_GetAck call makes it. Lines per second must reach 20,000; a
// cutter that rescans or moves its whole buffer per line falls far short.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "screen_comm/ack_receiver.h"
#include "screen_comm/screen_vars.h"
#include "tests/support/screen_codec.h"

using testsupport::ScreenCodec;

namespace {

constexpr int kLines = 10000;

std::string Stream() {
  testsupport::ScreenFrameFields frame{0, 0, ScreenCodec::kSet, 0, {}};
  for (uint32_t i = 0; i < 64; ++i)
    frame.params.push_back({static_cast<uint16_t>(0x0101 + i % 10), ScreenCodec::dword(i)});
  const std::string line = ScreenCodec::line(ScreenCodec::encode(frame));
  std::string stream;
  stream.reserve(line.size() * kLines);
  for (int i = 0; i < kLines; ++i) stream += line;
  return stream;
}

void BM_AckLines(benchmark::State &state) {
  const std::string stream = Stream();
  const auto *bytes = reinterpret_cast<const uint8_t *>(stream.data());
  quodel::LineCutter cutter;
  AckParam params[QD_ACK_MAX_PARAMS];
  uint8_t status = 0;
  int32_t count = 0;
  int64_t entries = 0;
  for (auto _ : state) {
    size_t at = 0;
    cutter.clear();
    while (at < stream.size() || cutter.count() > 0) {
      at += cutter.append(bytes + at, stream.size() - at);
      quodel::AckCollector collector(quodel::ScreenVarsStore::process(), &status, &count, params);
      quodel::CollectLines(cutter, collector);
      entries += count;
    }
  }
  if (entries != static_cast<int64_t>(state.iterations()) * kLines * 64)
    state.SkipWithError("not every parameter was taken");
  state.SetItemsProcessed(state.iterations() * kLines);
  state.counters["lines_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kLines, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AckLines)->Unit(benchmark::kMillisecond);

}  // namespace
