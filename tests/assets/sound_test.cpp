// The completion sound: a RIFF WAVE the sound loader can take from its start alone.
#include "assets/assets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

uint16_t U16(const unsigned char* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t U32(const unsigned char* p) {
    return uint32_t(U16(p)) | uint32_t(U16(p + 2)) << 16;
}

} // namespace

TEST(AssetSound, IsAMono22kHz16BitPcmWaveWithOneDataChunkFillingTheRest) {
    const unsigned char* p = CompletionSound;
    ASSERT_EQ(0, std::memcmp(p, "RIFF", 4));
    ASSERT_EQ(0, std::memcmp(p + 8, "WAVE", 4));
    ASSERT_EQ(0, std::memcmp(p + 12, "fmt ", 4));
    EXPECT_EQ(16u, U32(p + 16));
    EXPECT_EQ(1, U16(p + 20));      // PCM
    EXPECT_EQ(1, U16(p + 22));      // channels
    EXPECT_EQ(22050u, U32(p + 24)); // samples per second
    EXPECT_EQ(44100u, U32(p + 28)); // bytes per second
    EXPECT_EQ(2, U16(p + 32));      // block align
    EXPECT_EQ(16, U16(p + 34));     // bits per sample
    ASSERT_EQ(0, std::memcmp(p + 36, "data", 4));
    uint32_t data = U32(p + 40);
    EXPECT_EQ(data + 36, U32(p + 4));
    EXPECT_EQ(44 + size_t(data), CompletionSoundSize());
    // The sound is the last block: nothing follows its data.
    EXPECT_EQ(uintptr_t(AssetsEnd) - uintptr_t(CompletionSound), CompletionSoundSize());
    double seconds = data / 44100.0;
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 3.0);
}

TEST(AssetSound, IsAudibleAndEndsWithoutAClick) {
    const unsigned char* samples = CompletionSound + 44;
    size_t count = U32(CompletionSound + 40) / 2;
    ASSERT_GT(count, 1000u);
    int peak = 0;
    for (size_t i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(int16_t(U16(samples + 2 * i))));
    EXPECT_GT(peak, 16000);
    EXPECT_LT(peak, 32767) << "clipped";
    for (size_t i = count - 50; i < count; ++i)
        EXPECT_LT(std::abs(int16_t(U16(samples + 2 * i))), 200) << "sample " << i;
}
