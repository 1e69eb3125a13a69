// The background picture: its file format, and decoding it (and damaged copies of it) into
// image 1.
#include "assets/assets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

uint16_t BigU16(const unsigned char* p) {
    return uint16_t(p[0] << 8 | p[1]);
}

struct Segment {
    unsigned char marker;
    std::vector<unsigned char> body;
};

// The marker segments before the first scan.
std::vector<Segment> HeaderSegments(const unsigned char* p, size_t size) {
    std::vector<Segment> out;
    size_t pos = 2;
    while (pos + 4 <= size && p[pos] == 0xFF) {
        unsigned char marker = p[pos + 1];
        size_t length = BigU16(p + pos + 2);
        if (length < 2 || pos + 2 + length > size) break;
        out.push_back({marker, std::vector<unsigned char>(p + pos + 4, p + pos + 2 + length)});
        if (marker == 0xDA) break;
        pos += 2 + length;
    }
    return out;
}

std::vector<unsigned char> Picture() {
    return std::vector<unsigned char>(BackgroundImage, BackgroundImage + BackgroundImageSize());
}

// Mean of the three channels over a rectangle of decoded BGR rows.
double Brightness(const std::vector<unsigned char>& bgr, int width, int x0, int y0, int x1,
                  int y1) {
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c)
                sum += bgr[(size_t(y) * width + x) * 3 + c];
    return sum / (3.0 * (x1 - x0) * (y1 - y0));
}

} // namespace

TEST(AssetPicture, IsABaselineJfif102PictureOf640x480At100Dpi) {
    ASSERT_GT(BackgroundImageSize(), 4u);
    ASSERT_EQ(0xFF, BackgroundImage[0]);
    ASSERT_EQ(0xD8, BackgroundImage[1]);
    std::vector<Segment> segments = HeaderSegments(BackgroundImage, BackgroundImageSize());
    ASSERT_FALSE(segments.empty());

    const Segment& app0 = segments.front();
    ASSERT_EQ(0xE0, app0.marker);
    ASSERT_GE(app0.body.size(), 14u);
    EXPECT_EQ("JFIF", std::string(app0.body.begin(), app0.body.begin() + 4));
    EXPECT_EQ(0, app0.body[4]);
    EXPECT_EQ(1, app0.body[5]); // version 1.02
    EXPECT_EQ(2, app0.body[6]);
    EXPECT_EQ(1, app0.body[7]); // dots per inch
    EXPECT_EQ(100, BigU16(&app0.body[8]));
    EXPECT_EQ(100, BigU16(&app0.body[10]));

    int frames = 0;
    for (const Segment& s : segments) {
        bool frame = s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8 &&
                     s.marker != 0xCC;
        if (!frame) continue;
        ++frames;
        EXPECT_EQ(0xC0, s.marker) << "not baseline sequential DCT with Huffman coding";
        ASSERT_GE(s.body.size(), 6u);
        EXPECT_EQ(8, s.body[0]);
        EXPECT_EQ(480, BigU16(&s.body[1]));
        EXPECT_EQ(640, BigU16(&s.body[3]));
        EXPECT_EQ(3, s.body[5]);
    }
    EXPECT_EQ(1, frames);
    EXPECT_EQ(0xDA, segments.back().marker) << "no scan";
}

TEST(AssetPicture, DecodesTo640x480WithTheArtInItsPlace) {
    int width = 0, height = 0;
    std::vector<unsigned char> bgr;
    ASSERT_TRUE(DecodeJpeg(BackgroundImage, BackgroundImageSize(), &width, &height, &bgr));
    ASSERT_EQ(640, width);
    ASSERT_EQ(480, height);
    ASSERT_EQ(size_t(640) * 480 * 3, bgr.size());
    // The setting sun near the horizon is warm: red well above blue (catches swapped channels
    // and upside-down rows).
    const unsigned char* sun = &bgr[(size_t(240) * 640 + 388) * 3];
    EXPECT_GT(sun[2], 200);
    EXPECT_GT(sun[2], sun[0] + 60);
    // The band behind the buttons and the status line stays dark, so they read well on it.
    EXPECT_LT(Brightness(bgr, width, 0, 430, 640, 480), 16.0);
    EXPECT_GT(Brightness(bgr, width, 0, 200, 640, 262), 40.0);
}

TEST(AssetPicture, BecomesImage1AsA640x480BitmapWithTheDecodedPixels) {
    HBITMAP image = DecodeBackgroundImage();
    ASSERT_NE(nullptr, image);
    DIBSECTION dib = {};
    ASSERT_EQ(int(sizeof dib), GetObjectA(image, sizeof dib, &dib));
    EXPECT_EQ(640, dib.dsBm.bmWidth);
    EXPECT_EQ(480, dib.dsBm.bmHeight);
    EXPECT_EQ(24, dib.dsBm.bmBitsPixel);
    ASSERT_NE(nullptr, dib.dsBm.bmBits);

    int width = 0, height = 0;
    std::vector<unsigned char> bgr;
    ASSERT_TRUE(DecodeJpeg(BackgroundImage, BackgroundImageSize(), &width, &height, &bgr));
    // Rows in the bitmap run top-down like the decoder's: compare a few whole rows.
    const unsigned char* bits = static_cast<const unsigned char*>(dib.dsBm.bmBits);
    for (int y : {0, 100, 256, 479})
        EXPECT_EQ(
            0, memcmp(bits + size_t(dib.dsBm.bmWidthBytes) * y, &bgr[size_t(y) * 640 * 3], 640 * 3))
            << "row " << y;
    DeleteObject(image);
}

// Damaged pictures: each must be refused, without ending the process, and leave no bitmap.
struct Damage {
    const char* name;
    std::vector<unsigned char> (*make)();
};

const Damage kDamages[] = {
    {"empty", [] { return std::vector<unsigned char>(); }},
    {"start marker only",
     [] {
         return std::vector<unsigned char>{0xFF, 0xD8};
     }},
    {"not a JPEG", [] { return std::vector<unsigned char>(4096, 0x5A); }},
    {"cut inside the headers",
     [] {
         std::vector<unsigned char> p = Picture();
         p.resize(300);
         return p;
     }},
    {"cut halfway through the scan",
     [] {
         std::vector<unsigned char> p = Picture();
         p.resize(p.size() / 2);
         return p;
     }},
    {"end marker missing",
     [] {
         std::vector<unsigned char> p = Picture();
         p.resize(p.size() - 2);
         return p;
     }},
    {"zero width in the frame header",
     [] {
         std::vector<unsigned char> p = Picture();
         for (size_t i = 2; i + 9 < p.size(); i += 2 + BigU16(&p[i + 2]))
             if (p[i + 1] == 0xC0) {
                 p[i + 7] = 0;
                 p[i + 8] = 0;
                 break;
             }
         return p;
     }},
    {"Huffman tables removed",
     [] {
         std::vector<unsigned char> p = Picture();
         std::vector<unsigned char> out(p.begin(), p.begin() + 2);
         size_t i = 2;
         while (i + 4 <= p.size() && p[i + 1] != 0xDA) {
             size_t next = i + 2 + BigU16(&p[i + 2]);
             if (p[i + 1] != 0xC4) out.insert(out.end(), p.begin() + i, p.begin() + next);
             i = next;
         }
         out.insert(out.end(), p.begin() + i, p.end());
         return out;
     }},
};

TEST(AssetPicture, DamagedPicturesAreRefusedWithoutEndingTheProcess) {
    for (const Damage& d : kDamages) {
        std::vector<unsigned char> data = d.make();
        int width = -1, height = -1;
        std::vector<unsigned char> bgr;
        EXPECT_FALSE(DecodeJpeg(data.data(), data.size(), &width, &height, &bgr)) << d.name;
        HBITMAP image = JpegToBitmap(data.data(), data.size());
        EXPECT_EQ(nullptr, image) << d.name;
        if (image) DeleteObject(image);
    }
    // And the decoder is still in order afterwards.
    int width = 0, height = 0;
    std::vector<unsigned char> bgr;
    EXPECT_TRUE(DecodeJpeg(BackgroundImage, BackgroundImageSize(), &width, &height, &bgr));
}
