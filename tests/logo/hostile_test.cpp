// Broken and lying picture files through the import, from a fixed seed: each one ends either in
// the reset, empty frame or in a shown picture, without a message and without bringing the
// program down.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/form1.h"
#include "logo/logo.h"
#include "logo/logo_test_util.h"
#include "platform/ui/picturebox.h"
#include "support/kaza_test.h"

namespace kaza {
namespace {

void Put(std::string& b, size_t at, uint32_t v, int bytes) {
    if (b.size() < at + bytes) b.resize(at + bytes, '\0');
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}
void PutBigEndian16(std::string& b, size_t at, uint32_t v) {
    if (at + 2 > b.size()) return;
    b[at] = static_cast<char>(v >> 8);
    b[at + 1] = static_cast<char>(v);
}

// An uncompressed BMP of w × h at the given depth (1, 4, 8 or 24 bits), a palette where needed.
std::string Bmp(int w, int h, int bits) {
    const uint32_t colours = bits <= 8 ? 1u << bits : 0, row = (uint32_t(w) * bits + 31) / 32 * 4;
    std::string b(54 + colours * 4 + row * h, '\0');
    b[0] = 'B', b[1] = 'M';
    Put(b, 2, static_cast<uint32_t>(b.size()), 4);
    Put(b, 10, 54 + colours * 4, 4);
    Put(b, 14, 40, 4), Put(b, 18, w, 4), Put(b, 22, h, 4), Put(b, 26, 1, 2), Put(b, 28, bits, 2);
    for (uint32_t i = 0; i < colours; ++i) Put(b, 54 + i * 4, i * 0x010101u * (255 / std::max(1u, colours - 1)), 4);
    for (size_t i = 54 + colours * 4; i < b.size(); ++i) b[i] = static_cast<char>(i * 7);
    return b;
}

// An 8-bit run-length BMP whose few runs paint a w × h picture.
std::string RleBmp(int w, int h) {
    std::string b(54 + 1024, '\0');
    b[0] = 'B', b[1] = 'M';
    Put(b, 10, 54 + 1024, 4), Put(b, 14, 40, 4), Put(b, 18, w, 4), Put(b, 22, h, 4);
    Put(b, 26, 1, 2), Put(b, 28, 8, 2), Put(b, 30, BI_RLE8, 4);
    for (int i = 0; i < 256; ++i) Put(b, 54 + i * 4, i * 0x010101u, 4);
    for (int y = 0; y < std::min(h, 8); ++y) b += std::string("\x04\x20\x04\x80\x00\x00", 6);  // two runs, end of line
    b += std::string("\x00\x01", 2);  // end of bitmap
    Put(b, 2, static_cast<uint32_t>(b.size()), 4);
    Put(b, 34, static_cast<uint32_t>(b.size() - 54 - 1024), 4);
    return b;
}

// A 16 × 16 icon at 4 bits with its mask.
std::string Ico() {
    std::string b;
    Put(b, 0, 0, 2), Put(b, 2, 1, 2), Put(b, 4, 1, 2);  // reserved, type icon, one image
    b += std::string("\x10\x10\x10\x00\x01\x00\x04\x00", 8);  // 16 × 16, 16 colours, planes, bits
    const uint32_t size = 40 + 64 + 128 + 64;
    Put(b, 14, size, 4), Put(b, 18, 22, 4);
    Put(b, 22, 40, 4), Put(b, 26, 16, 4), Put(b, 30, 32, 4), Put(b, 34, 1, 2), Put(b, 36, 4, 2);
    for (int i = 0; i < 16; ++i) Put(b, 62 + i * 4, i * 0x111111u, 4);
    for (int i = 0; i < 128; ++i) b.push_back(static_cast<char>(i * 13));
    b.append(64, '\0');
    return b;
}

// The smallest GIF: one pixel of a two-colour table.
const std::string kTinyGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                           "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
                           35);

enum class Kind { Bmp, Gif, Jpeg, Ico };
struct Seed {
    const char* name;
    Kind kind;
    std::string bytes;
};

// Where each format keeps the picture's size, so that a header can be made to lie.
void LieAboutSize(std::string& b, Kind kind, uint32_t w, uint32_t h) {
    switch (kind) {
    case Kind::Bmp:
        Put(b, 18, w, 4), Put(b, 22, h, 4);
        break;
    case Kind::Gif:
        Put(b, 6, w, 2), Put(b, 8, h, 2);
        for (size_t i = 13; i + 9 < b.size(); ++i)
            if (b[i] == '\x2c') {  // the first image descriptor
                Put(b, i + 5, w, 2), Put(b, i + 7, h, 2);
                break;
            }
        break;
    case Kind::Jpeg:
        for (size_t i = 2; i + 9 < b.size(); ++i)
            if (b[i] == '\xff' && (b[i + 1] == '\xc0' || b[i + 1] == '\xc2')) {  // start of frame
                PutBigEndian16(b, i + 5, h);
                PutBigEndian16(b, i + 7, w);
                break;
            }
        break;
    case Kind::Ico:
        b[6] = static_cast<char>(w), b[7] = static_cast<char>(h);
        Put(b, 26, w, 4), Put(b, 30, h * 2, 4);
        break;
    }
}

struct Case {
    std::string what;
    std::string bytes;
};

// The cases, always the same for one seed. Raw draws of the engine only, so that every library
// makes the same files.
std::vector<Case> BrokenPictures(const std::vector<Seed>& seeds, uint32_t seed, int count) {
    std::mt19937 rng(seed);
    auto below = [&](uint32_t n) { return n ? static_cast<uint32_t>(rng() % n) : 0u; };
    const uint32_t lies[] = {0, 1, 30000, 32768, 65535, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, static_cast<uint32_t>(-30000)};
    std::vector<Case> cases;
    cases.push_back({"empty file", ""});
    for (const Seed& s : seeds) {
        std::string b = s.bytes;
        LieAboutSize(b, s.kind, 30000, 30000);
        cases.push_back({std::string(s.name) + " promising 30000 x 30000", b});
    }
    while (static_cast<int>(cases.size()) < count) {
        const Seed& s = seeds[below(static_cast<uint32_t>(seeds.size()))];
        std::string b = s.bytes;
        std::string what = s.name;
        switch (below(7)) {
        case 0: {  // random bytes, sometimes behind the format's signature
            b.assign(1 + below(700), '\0');
            for (char& c : b) c = static_cast<char>(rng());
            if (below(2)) b.replace(0, std::min<size_t>(b.size(), 6), s.bytes.substr(0, std::min<size_t>(b.size(), 6)));
            what += " signature with random bytes";
            break;
        }
        case 1:
        case 2: {  // cut short
            b.resize(below(static_cast<uint32_t>(b.size())));
            what += " cut at " + std::to_string(b.size());
            break;
        }
        case 3: {  // bits flipped anywhere
            int flips = 1 + below(16);
            for (int i = 0; i < flips; ++i) b[below(static_cast<uint32_t>(b.size()))] ^= static_cast<char>(1 << below(8));
            what += " with " + std::to_string(flips) + " bits flipped";
            break;
        }
        case 4: {  // header bytes overwritten with extreme values
            const char extremes[] = {'\0', '\xff', '\x80', '\x7f', '\x01'};
            int n = 1 + below(6);
            for (int i = 0; i < n; ++i)
                b[below(std::min<uint32_t>(64, static_cast<uint32_t>(b.size())))] = extremes[below(5)];
            what += " with header bytes overwritten";
            break;
        }
        case 5: {  // a size that lies
            uint32_t w = lies[below(9)], h = lies[below(9)];
            LieAboutSize(b, s.kind, w, h);
            what += " claiming " + std::to_string(w) + " x " + std::to_string(h);
            break;
        }
        case 6: {  // lying sizes, offsets and counts in the BMP headers, or a lie cut short
            if (s.kind == Kind::Bmp) {
                const size_t fields[] = {2, 10, 14, 26, 28, 30, 34, 46};
                size_t at = fields[below(8)];
                Put(b, at, lies[below(9)], at == 26 || at == 28 ? 2 : 4);
                what += " with field " + std::to_string(at) + " lying";
            } else {
                LieAboutSize(b, s.kind, lies[below(9)], lies[below(9)]);
                b.resize(below(static_cast<uint32_t>(b.size())));
                what += " lying and cut at " + std::to_string(b.size());
            }
            break;
        }
        }
        cases.push_back({what, b});
    }
    return cases;
}

class HostilePictures : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = test::ScratchFolder("hostile_pictures");
        main_.Load();
    }
    test::ProgramFolder program_;
    test::ScriptedDialogs dialogs_;
    std::string folder_;
    Form1 main_;
};

TEST_F(HostilePictures, EachEndsInTheEmptyFrameOrAShownPicture) {
    const std::string plugins = KAZA_PLUGINS_DIR;
    std::vector<Seed> seeds = {
        {"24-bit BMP", Kind::Bmp, Bmp(16, 8, 24)},  {"8-bit BMP", Kind::Bmp, Bmp(9, 5, 8)},
        {"4-bit BMP", Kind::Bmp, Bmp(7, 3, 4)},     {"1-bit BMP", Kind::Bmp, Bmp(33, 2, 1)},
        {"RLE BMP", Kind::Bmp, RleBmp(16, 8)},      {"icon", Kind::Ico, Ico()},
        {"tiny GIF", Kind::Gif, kTinyGif},          {"page GIF", Kind::Gif, test::ReadBytes(plugins + "\\2k.gif")},
        {"JPEG", Kind::Jpeg, test::ReadBytes(plugins + "\\XP.jpg")},
    };
    for (const Seed& s : seeds) ASSERT_GT(s.bytes.size(), 30u) << s.name;

    ui::PictureBoxWindow& frame = *main_.Picture1().pictureBox();
    const std::vector<Case> cases = BrokenPictures(seeds, 20261207, 1100);
    int shown = 0, reset = 0;
    const bool progress = GetEnvironmentVariableA("KAZA_TEST_PROGRESS", nullptr, 0) != 0;
    const auto started = std::chrono::steady_clock::now();
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i) + ": " + c.what);
        if (progress) std::printf("case %zu: %s\n", i, c.what.c_str()), std::fflush(stdout);
        // Each file under a name of its own, as a user would pick one.
        const std::string path = folder_ + "\\p" + std::to_string(i) + (i % 2 ? ".bmp" : ".gif");
        test::WriteBytes(path, c.bytes);
        // Every third import starts in centre mode, whose frame takes the picture's size.
        frame.SetAutoSize(i % 3 == 0);
        main_.TRF = Variant::Text("before");
        dialogs_.openAnswers.push_back(path);
        main_.Raise("G", -1, ui::Event::Click);

        if (frame.Picture().empty()) {
            ++reset;
            EXPECT_FALSE(frame.AutoSize());
            EXPECT_FLOAT_EQ(frame.Width(), 3150);
            EXPECT_FLOAT_EQ(frame.Height(), 1590);
            EXPECT_FLOAT_EQ(frame.Left(), 240);
            EXPECT_FLOAT_EQ(frame.Top(), 3480);
            EXPECT_EQ(main_.TRF.AsText(), "before");
        } else {
            ++shown;
            EXPECT_EQ(main_.TRF.AsText(), path);
            EXPECT_GT(frame.Picture().width(), 0);
            EXPECT_GT(frame.Picture().height(), 0);
            ASSERT_NE(frame.Bits(), nullptr);
        }
        EXPECT_EQ(main_.Panel(1), "BMP,JPG,GIF,ico取り込めます。");
        ASSERT_TRUE(dialogs_.messages.empty());
        DeleteFileA(path.c_str());
        ui::DoEvents();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%zu broken pictures imported in %.1f s: %d shown, %d refused\n", cases.size(), seconds, shown, reset);
    EXPECT_GE(cases.size(), 1000u);
    // The seeds themselves are pictures: the mutations must not all be refused for one reason.
    EXPECT_GT(shown, 50);
    EXPECT_GT(reset, 300);
}

// A file that is a picture but one no memory can hold is refused like a broken one, whatever
// mode the frame is in.
TEST_F(HostilePictures, PictureTooLargeForMemoryIsRefused) {
    ui::PictureBoxWindow& frame = *main_.Picture1().pictureBox();
    // Run-length BMPs describe huge pictures in a few bytes, all of them valid.
    for (auto size : {std::pair<int, int>{30000, 30000}, {60000, 20000}, {200000, 2}, {2, 200000}}) {
        for (bool centred : {false, true}) {
            SCOPED_TRACE(std::to_string(size.first) + " x " + std::to_string(size.second));
            const std::string path = folder_ + "\\huge.bmp";
            test::WriteBytes(path, RleBmp(size.first, size.second));
            frame.SetAutoSize(centred);
            main_.TRF = Variant::Text("before");
            dialogs_.openAnswers.push_back(path);
            main_.Raise("G", -1, ui::Event::Click);
            EXPECT_TRUE(frame.Picture().empty());
            EXPECT_FALSE(frame.AutoSize());
            EXPECT_FLOAT_EQ(frame.Width(), 3150);
            EXPECT_FLOAT_EQ(frame.Height(), 1590);
            EXPECT_EQ(main_.TRF.AsText(), "before");
            EXPECT_TRUE(dialogs_.messages.empty());
        }
    }
    // A large picture that does fit is still taken.
    const std::string path = folder_ + "\\large.bmp";
    test::WriteBytes(path, RleBmp(2000, 1500));
    dialogs_.openAnswers.push_back(path);
    main_.Raise("G", -1, ui::Event::Click);
    EXPECT_EQ(frame.Picture().width(), 2000);
    EXPECT_EQ(main_.TRF.AsText(), path);
}

}  // namespace
}  // namespace kaza
