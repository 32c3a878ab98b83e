// The logo file the program carries: its JPEG markers must describe the
// picture the main window is laid out for.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "resources/embedded.h"

namespace {

struct Segment {
  std::uint8_t marker = 0;
  std::span<const std::uint8_t> payload;  // after the two length bytes
};

int Be16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] << 8 | b[at + 1]; }

// The marker segments from SOI up to and including SOS, and the restart
// markers found in the entropy-coded data after it, in order.
struct Markers {
  std::vector<Segment> segments;
  std::vector<std::uint8_t> restarts;
  bool endsWithEoi = false;
};

Markers ReadMarkers(std::span<const std::uint8_t> file) {
  Markers m;
  std::size_t at = 2;
  while (at + 4 <= file.size()) {
    if (file[at] != 0xFF) ADD_FAILURE() << "no marker at offset " << at;
    const std::uint8_t marker = file[at + 1];
    const int length = Be16(file, at + 2);
    if (at + 2 + length > file.size()) {
      ADD_FAILURE() << "segment runs past the end";
      return m;
    }
    m.segments.push_back({marker, file.subspan(at + 4, length - 2)});
    at += 2 + length;
    if (marker == 0xDA) break;
  }
  for (; at + 1 < file.size(); ++at) {
    if (file[at] != 0xFF) continue;
    const std::uint8_t next = file[at + 1];
    if (next >= 0xD0 && next <= 0xD7) m.restarts.push_back(next);
  }
  m.endsWithEoi = file.size() >= 2 && file[file.size() - 2] == 0xFF && file.back() == 0xD9;
  return m;
}

class LogoFile : public ::testing::Test {
 protected:
  std::span<const std::uint8_t> file = LogoJpegFile();
  Markers markers = ReadMarkers(file);

  const Segment* Find(std::uint8_t marker) const {
    for (const Segment& s : markers.segments) {
      if (s.marker == marker) return &s;
    }
    return nullptr;
  }
};

TEST_F(LogoFile, StartsWithSoiAndEndsWithEoi) {
  ASSERT_GE(file.size(), 4u);
  EXPECT_EQ(file[0], 0xFF);
  EXPECT_EQ(file[1], 0xD8);
  EXPECT_TRUE(markers.endsWithEoi);
}

TEST_F(LogoFile, IsJfif102At72DotsPerInch) {
  ASSERT_FALSE(markers.segments.empty());
  const Segment& app0 = markers.segments.front();
  ASSERT_EQ(app0.marker, 0xE0) << "JFIF must be the first segment";
  const auto p = app0.payload;
  ASSERT_GE(p.size(), 14u);
  EXPECT_EQ(std::vector<std::uint8_t>(p.begin(), p.begin() + 5),
            (std::vector<std::uint8_t>{'J', 'F', 'I', 'F', 0}));
  EXPECT_EQ(p[5], 1) << "major version";
  EXPECT_EQ(p[6], 2) << "minor version";
  EXPECT_EQ(p[7], 1) << "density unit: dots per inch";
  EXPECT_EQ(Be16(p, 8), 72);
  EXPECT_EQ(Be16(p, 10), 72);
}

TEST_F(LogoFile, IsOneBaselineFrameOf100By100With3UnsubsampledComponents) {
  std::map<std::uint8_t, int> frames;
  for (const Segment& s : markers.segments) {
    if (s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8 &&
        s.marker != 0xCC) {
      ++frames[s.marker];
    }
  }
  EXPECT_EQ(frames, (std::map<std::uint8_t, int>{{0xC0, 1}})) << "exactly one SOF0 (baseline)";

  const Segment* sof = Find(0xC0);
  ASSERT_NE(sof, nullptr);
  const auto p = sof->payload;
  ASSERT_EQ(p.size(), 6u + 3 * 3);
  EXPECT_EQ(p[0], 8) << "bits per sample";
  EXPECT_EQ(Be16(p, 1), 100) << "height";
  EXPECT_EQ(Be16(p, 3), 100) << "width";
  ASSERT_EQ(p[5], 3) << "components";
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(p[6 + 3 * i + 1], 0x11) << "component " << i << " sampled 1 x 1";
  }
}

TEST_F(LogoFile, RestartsEvery13Mcus) {
  const Segment* dri = Find(0xDD);
  ASSERT_NE(dri, nullptr);
  ASSERT_EQ(dri->payload.size(), 2u);
  EXPECT_EQ(Be16(dri->payload, 0), 13);

  // 13 x 13 blocks of 8 x 8 make 169 MCUs: 13 intervals, so 12 restart
  // markers between them, counting RST0 to RST7 round and round.
  ASSERT_EQ(markers.restarts.size(), 12u);
  for (std::size_t i = 0; i < markers.restarts.size(); ++i) {
    EXPECT_EQ(markers.restarts[i], 0xD0 + i % 8);
  }
}

}  // namespace
