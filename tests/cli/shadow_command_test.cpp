#include "shadow_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace orbek {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = run_shadow_command(args, out, err);
    return {code, out.str(), err.str()};
}

struct Rgb {
    int red, green, blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << c.red << "," << c.green << "," << c.blue;
}

class ShadowCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() /
            ("orbek-shadow-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }

    // A picture of one colour, with a comment in its header as some programs write.
    std::string plain(const std::string& name, int width, int height, Rgb colour) const {
        std::string bytes = "P6\n# made by the test\n" + std::to_string(width) + " " +
                            std::to_string(height) + "\n255\n";
        for (int i = 0; i < width * height; ++i) {
            bytes += static_cast<char>(colour.red);
            bytes += static_cast<char>(colour.green);
            bytes += static_cast<char>(colour.blue);
        }
        return write(name, bytes);
    }

    struct Read {
        std::string header;
        std::vector<unsigned char> pixels;
        int width;
        Rgb at(int x, int y) const {
            const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
            return {pixels[i], pixels[i + 1], pixels[i + 2]};
        }
    };

    Read read(const std::string& name, int width) const {
        std::ifstream in(path(name), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::size_t end = bytes.find("\n255\n");
        Read result{bytes.substr(0, end + 5), {}, width};
        result.pixels.assign(bytes.begin() + static_cast<std::ptrdiff_t>(end + 5), bytes.end());
        return result;
    }

  private:
    fs::path folder_;
};

TEST_F(ShadowCommand, PaintsTheSplashShadowByDefault) {
    const std::string in = plain("white.ppm", 797, 445, {255, 255, 255});
    const Outcome r = run({in, path("out.ppm")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "shadow: rectangle 32,32 724x370, radius 0, ring 32, offset 8,10, colour "
                     "50,50,40\n");
    const Read out = read("out.ppm", 797);
    EXPECT_EQ(out.header, "P6\n797 445\n255\n");
    ASSERT_EQ(out.pixels.size(), 797u * 445 * 3);
    struct Point {
        int x, y;
        Rgb colour;
    };
    const Point points[] = {
        {40, 200, {50, 50, 40}},    // the inner left edge, shifted by 8
        {24, 200, {152, 152, 148}}, // half-way through the ring
        {8, 200, {255, 255, 255}},  // its outer edge
        {100, 42, {50, 50, 40}},    // the inner top edge, shifted by 10
    };
    for (const Point& p : points)
        EXPECT_EQ(out.at(p.x, p.y), p.colour) << p.x << "," << p.y;
    EXPECT_EQ(out.at(796, 444), (Rgb{255, 255, 255})) << "the ring's last pixel keeps its colour";
    EXPECT_EQ(out.at(300, 200), (Rgb{255, 255, 255})) << "inside the rectangle";
}

TEST_F(ShadowCommand, SettingsChangeTheShadow) {
    struct Case {
        const char* name;
        std::vector<std::string> settings;
        std::vector<std::pair<std::pair<int, int>, Rgb>> pixels;
    };
    const Case cases[] = {
        {"margin, colour and offset",
         {"margin=4", "colour=0,0,0", "offset=0,0"},
         {{{2, 10}, {128, 128, 128}},
          {{4, 10}, {0, 0, 0}},
          {{0, 10}, {255, 255, 255}},
          {{15, 10}, {0, 0, 0}}}},
        {"the brightest colour",
         {"margin=4", "colour=255,255,0", "offset=0,0"},
         {{{4, 10}, {255, 255, 0}}, {{2, 10}, {255, 255, 128}}}},
        {"a ring of its own width",
         {"margin=4", "colour=0,0,0", "offset=0,0", "size=2"},
         {{{3, 10}, {128, 128, 128}}, {{2, 10}, {255, 255, 255}}}},
        {"a rectangle of its own",
         {"rect=2,3,5,6", "size=1", "colour=10,20,30", "offset=1,1"},
         {{{3, 4}, {10, 20, 30}},
          {{8, 10}, {10, 20, 30}},
          {{5, 10}, {10, 20, 30}},
          {{8, 11}, {255, 255, 255}},
          {{2, 4}, {255, 255, 255}},
          {{4, 5}, {255, 255, 255}}}},
        {"rounded corners",
         {"rect=4,4,12,12", "size=3", "radius=3", "colour=0,0,0", "offset=0,0"},
         {{{7, 4}, {0, 0, 0}},
          {{4, 4}, {106, 106, 106}},
          {{7, 1}, {255, 255, 255}},
          {{1, 1}, {255, 255, 255}}}},
        {"a ring running off the picture",
         {"rect=-5,-5,40,40", "size=10", "colour=0,0,0", "offset=0,0"},
         {{{0, 0}, {255, 255, 255}}, {{19, 19}, {255, 255, 255}}}},
    };
    const std::string in = plain("white.ppm", 20, 20, {255, 255, 255});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args{in, path("out.ppm")};
        args.insert(args.end(), c.settings.begin(), c.settings.end());
        const Outcome r = run(args);
        ASSERT_EQ(r.code, 0) << r.err;
        const Read out = read("out.ppm", 20);
        for (const auto& [point, colour] : c.pixels)
            EXPECT_EQ(out.at(point.first, point.second), colour)
                << point.first << "," << point.second;
    }
}

// Every byte outside the ring comes out as it went in: the channels keep their order and
// their pixels, also in the widest picture read.
TEST_F(ShadowCommand, PixelsOutsideTheRingPassThrough) {
    for (const auto& [width, height] : {std::pair{7, 5}, std::pair{32768, 1}}) {
        std::string header =
            "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
        std::string bytes = header;
        for (int i = 0; i < width * height * 3; ++i)
            bytes += static_cast<char>((i * 37 + i / 3) & 0xFF);
        const std::string in = write("varied.ppm", bytes);
        const Outcome r = run({in, path("out.ppm"), "rect=100000,100000,5,5", "size=1"});
        ASSERT_EQ(r.code, 0) << r.err;
        std::ifstream out(path("out.ppm"), std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(out)),
                                  std::istreambuf_iterator<char>());
        EXPECT_EQ(written, bytes) << width << "x" << height;
    }
}

TEST_F(ShadowCommand, BadUsageIsExitCode2AndWritesNothing) {
    const std::string in = plain("white.ppm", 20, 20, {255, 255, 255});
    const std::vector<std::string> cases[] = {
        {},
        {in},
        {in, path("out.ppm"), "margin"},
        {in, path("out.ppm"), "margin=x"},
        {in, path("out.ppm"), "margin=3.5"},
        {in, path("out.ppm"), "colour=1,2"},
        {in, path("out.ppm"), "colour=1,2,256"},
        {in, path("out.ppm"), "colour=-1,2,3"},
        {in, path("out.ppm"), "colour=1,256,3"},
        {in, path("out.ppm"), "colour=1,2,-1"},
        {in, path("out.ppm"), "offset=1,2,3"},
        {in, path("out.ppm"), "rect=1,2,3"},
        {in, path("out.ppm"), "size=0"},
        {in, path("out.ppm"), "margin=0"},
        {in, path("out.ppm"), "blur=3"},
        {in, path("out.ppm"), "radius=99999999999"},
    };
    for (const auto& args : cases) {
        const Outcome r = run(args);
        EXPECT_EQ(r.code, 2) << (args.size() > 2 ? args[2] : "too few arguments");
        EXPECT_NE(r.err.find("usage: orbek shadow"), std::string::npos);
        EXPECT_FALSE(fs::exists(path("out.ppm")));
    }
}

TEST_F(ShadowCommand, FailuresToReadWriteOrPaintAreExitCode1) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"text PPM", "P3\n1 1\n255\n0 0 0\n", "is not a binary PPM picture"},
        {"no header", "P6\n", "has no valid PPM header"},
        {"zero width", "P6\n0 1\n255\n", "has no valid PPM header"},
        {"too wide", "P6\n32769 1\n255\n", "has no valid PPM header"},
        {"too high", "P6\n1 32769\n255\n", "has no valid PPM header"},
        {"16 bits", "P6\n1 1\n65535\n\0\0\0\0\0\0", "only 255 is read"},
        {"cut short", "P6\n2 2\n255\n\1\2\3\4\5\6", "ends before its last pixel"},
    };
    for (const Case& c : cases) {
        const Outcome r = run({write("bad.ppm", c.bytes), path("out.ppm")});
        EXPECT_EQ(r.code, 1) << c.name;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << ": " << r.err;
    }
    const Outcome too_far =
        run({plain("white.ppm", 4, 4, {1, 2, 3}), path("out.ppm"), "margin=2000000000"});
    EXPECT_EQ(too_far.code, 1);
    EXPECT_EQ(too_far.err, "error 6: Overflow\n");
    const Outcome missing = run({path("missing.ppm"), path("out.ppm")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
    const Outcome unwritable =
        run({plain("white.ppm", 4, 4, {1, 2, 3}), path("no-such-folder/out.ppm")});
    EXPECT_EQ(unwritable.code, 1);
    EXPECT_NE(unwritable.err.find("cannot write " + path("no-such-folder/out.ppm")),
              std::string::npos);
}

} // namespace
} // namespace orbek
