// Reading the completion sound's RIFF WAVE: what DirectSound is given.
#include "assets/assets.h"
#include "wizard/sound.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Chunk(const char* id, const std::string& body) {
    std::string chunk(id, 4);
    unsigned size = (unsigned)body.size();
    for (int i = 0; i < 4; i++)
        chunk += char((size >> (8 * i)) & 0xFF);
    return chunk + body + (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string Riff(const std::string& chunks) {
    std::string body = "WAVE" + chunks;
    std::string riff = "RIFF";
    unsigned size = (unsigned)body.size();
    for (int i = 0; i < 4; i++)
        riff += char((size >> (8 * i)) & 0xFF);
    return riff + body;
}

// PCM, mono, 22050 Hz, 16 bit.
const std::string kFormat("\x01\x00\x01\x00\x22\x56\x00\x00\x44\xAC\x00\x00\x02\x00\x10\x00", 16);

bool Parse(const std::string& bytes, WaveParts* parts) {
    return ParseWave((const unsigned char*)bytes.data(), bytes.size(), parts);
}

TEST(Wave, TheCompletionSoundIsAbout2Point4SecondsOf16BitPcm) {
    WaveParts parts;
    ASSERT_TRUE(ParseWave(CompletionSound, CompletionSoundSize(), &parts));
    EXPECT_EQ(parts.format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(parts.format.wBitsPerSample, 16);
    double seconds = double(parts.sampleBytes) / parts.format.nAvgBytesPerSec;
    EXPECT_GT(seconds, 2.0);
    EXPECT_LT(seconds, 3.0);
    EXPECT_LE(parts.samples + parts.sampleBytes, CompletionSound + CompletionSoundSize());
}

TEST(Wave, ChunksAreFoundInAnyOrderPastOthersAndOddSizesArePadded) {
    std::string samples(400, '\x11');
    WaveParts parts;
    ASSERT_TRUE(Parse(Riff(Chunk("LIST", "odd") + Chunk("data", samples) + Chunk("fmt ", kFormat)),
                      &parts));
    EXPECT_EQ(parts.sampleBytes, 400u);
    EXPECT_EQ(parts.samples[0], 0x11);
    EXPECT_EQ(parts.format.nSamplesPerSec, 22050u);
    EXPECT_EQ(parts.format.nBlockAlign, 2);
}

TEST(Wave, DamagedOrForeignDataIsRefusedAndACutSoundKeepsWhatIsThere) {
    std::string good = Riff(Chunk("fmt ", kFormat) + Chunk("data", std::string(400, '\x22')));
    WaveParts parts;
    ASSERT_TRUE(Parse(good, &parts));
    EXPECT_FALSE(Parse("", &parts));
    EXPECT_FALSE(Parse("RIFF\x04\x00\x00\x00WAVX", &parts));
    EXPECT_FALSE(Parse(good.substr(0, 30), &parts)) << "format cut short";
    EXPECT_FALSE(Parse(Riff(Chunk("fmt ", kFormat)), &parts)) << "no samples";
    std::string compressed = kFormat;
    compressed[0] = 2; // ADPCM
    EXPECT_FALSE(Parse(Riff(Chunk("fmt ", compressed) + Chunk("data", "abcd")), &parts));
    ASSERT_TRUE(Parse(good.substr(0, good.size() - 100), &parts));
    EXPECT_EQ(parts.sampleBytes, 300u);
}

TEST(Wave, PlayingWithOrWithoutASoundDeviceReturnsAndReleases) {
    EXPECT_FALSE(PlayWave((const unsigned char*)"RIFF", 4));
    PlayWave(CompletionSound, CompletionSoundSize()); // no device here: silent, no hang
    ReleaseSound();
    ReleaseSound();
}

} // namespace
