#include "shadow_command.h"

#include <array>
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
    std::string out, err;
};

Outcome run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = run_shadow_command(args, out, err);
    return {code, out.str(), err.str()};
}

using Rgb = std::array<int, 3>;

struct Pixel {
    int x, y;
    Rgb colour;
};

const Rgb White{255, 255, 255};

class ShadowCommand : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(folder_); }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }

    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // A picture of one colour, with a comment in its header as some programs write.
    std::string plain(int width, int height, Rgb colour) const {
        std::string bytes = "P6\n# made by the test\n" + std::to_string(width) + " " +
                            std::to_string(height) + "\n255\n";
        for (int i = 0; i < width * height; ++i)
            bytes += {char(colour[0]), char(colour[1]), char(colour[2])};
        return write("in.ppm", bytes);
    }

    // Each listed pixel of the written picture has its colour.
    void expect_pixels(int width, const std::vector<Pixel>& pixels) const {
        const std::string bytes = read("out.ppm");
        const std::size_t start = bytes.find("\n255\n") + 5;
        for (const Pixel& p : pixels) {
            const std::size_t i = start + (static_cast<std::size_t>(p.y) * width + p.x) * 3;
            const auto byte = [&](std::size_t at) { return int{std::uint8_t(bytes.at(at))}; };
            EXPECT_EQ((Rgb{byte(i), byte(i + 1), byte(i + 2)}), p.colour) << p.x << "," << p.y;
        }
    }

  private:
    fs::path folder_ =
        fs::temp_directory_path() /
        ("orbek-shadow-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(ShadowCommand, PaintsTheSplashShadowByDefault) {
    const Outcome r = run({plain(797, 445, White), path("out.ppm")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "shadow: rectangle 32,32 724x370, radius 0, ring 32, offset 8,10, colour "
                     "50,50,40\n");
    const std::string out = read("out.ppm");
    EXPECT_EQ(out.substr(0, 15), "P6\n797 445\n255\n");
    EXPECT_EQ(out.size(), 15 + 797u * 445 * 3);
    // The inner left and top edges shifted by 8 and 10, half-way through the ring, its outer
    // edge, its last pixel and the inside of the rectangle.
    expect_pixels(797, {{40, 200, {50, 50, 40}},
                        {100, 42, {50, 50, 40}},
                        {24, 200, {152, 152, 148}},
                        {8, 200, White},
                        {796, 444, White},
                        {300, 200, White}});
}

TEST_F(ShadowCommand, SettingsChangeTheShadow) {
    struct Case {
        std::vector<std::string> settings;
        std::vector<Pixel> pixels;
    };
    const std::string black = "colour=0,0,0", still = "offset=0,0";
    // clang-format off
    const Case cases[] = {
        {{"margin=4", black, still},
         {{2, 10, {128, 128, 128}}, {4, 10, {0, 0, 0}}, {0, 10, White}, {15, 10, {0, 0, 0}}}},
        {{"margin=4", "colour=255,255,0", still},
         {{4, 10, {255, 255, 0}}, {2, 10, {255, 255, 128}}}},
        {{"margin=4", black, still, "size=2"}, {{3, 10, {128, 128, 128}}, {2, 10, White}}},
        {{"rect=2,3,5,6", "size=1", "colour=10,20,30", "offset=1,1"},
         {{3, 4, {10, 20, 30}}, {8, 10, {10, 20, 30}}, {5, 10, {10, 20, 30}}, {8, 11, White},
          {2, 4, White}, {4, 5, White}}},
        {{"rect=4,4,12,12", "size=3", "radius=3", black, still}, // rounded corners
         {{7, 4, {0, 0, 0}}, {4, 4, {106, 106, 106}}, {7, 1, White}, {1, 1, White}}},
        {{"rect=-5,-5,40,40", "size=10", black, still}, {{0, 0, White}, {19, 19, White}}}};
    // clang-format on
    const std::string in = plain(20, 20, White);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings[0]);
        std::vector<std::string> args{in, path("out.ppm")};
        args.insert(args.end(), c.settings.begin(), c.settings.end());
        const Outcome r = run(args);
        ASSERT_EQ(r.code, 0) << r.err;
        expect_pixels(20, c.pixels);
    }
}

// Every byte outside the ring comes out as it went in: the channels keep their order and
// their pixels, also in the widest picture read.
TEST_F(ShadowCommand, PixelsOutsideTheRingPassThrough) {
    for (const auto& [width, height] : {std::pair{7, 5}, std::pair{32768, 1}}) {
        std::string bytes =
            "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
        for (int i = 0; i < width * height * 3; ++i)
            bytes += static_cast<char>((i * 37 + i / 3) & 0xFF);
        const Outcome r =
            run({write("varied.ppm", bytes), path("out.ppm"), "rect=100000,100000,5,5", "size=1"});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(read("out.ppm"), bytes) << width << "x" << height;
    }
}

TEST_F(ShadowCommand, BadUsageIsExitCode2AndWritesNothing) {
    const std::string in = plain(20, 20, White);
    std::vector<std::vector<std::string>> cases = {{}, {in}};
    for (const char* setting : {"margin", "margin=x", "margin=3.5", "colour=1,2", "colour=1,2,256",
                                "colour=-1,2,3", "colour=1,256,3", "colour=1,2,-1", "offset=1,2,3",
                                "rect=1,2,3", "size=0", "margin=0", "blur=3", "radius=99999999999"})
        cases.push_back({in, path("out.ppm"), setting});
    for (const auto& args : cases) {
        const Outcome r = run(args);
        EXPECT_EQ(r.code, 2) << (args.size() > 2 ? args[2] : "too few arguments");
        EXPECT_NE(r.err.find("usage: orbek shadow"), std::string::npos);
        EXPECT_FALSE(fs::exists(path("out.ppm")));
    }
}

TEST_F(ShadowCommand, FailuresToReadWriteOrPaintAreExitCode1) {
    const std::string out = path("out.ppm");
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"P3\n1 1\n255\n0 0 0\n", "is not a binary PPM picture"},
        {"P6\n", "has no valid PPM header"}, {"P6\n0 1\n255\n", "has no valid PPM header"},
        {"P6\n32769 1\n255\n", "has no valid PPM header"},
        {"P6\n1 32769\n255\n", "has no valid PPM header"}, {"P6\n1 1\n65535\n", "only 255 is read"},
        {"P6\n2 2\n255\n\1\2\3\4\5\6", "ends before its last pixel"}};
    // clang-format on
    for (const auto& [bytes, message] : cases) {
        const Outcome r = run({write("bad.ppm", bytes), out});
        EXPECT_EQ(r.code, 1) << bytes;
        EXPECT_NE(r.err.find(message), std::string::npos) << bytes << ": " << r.err;
    }
    const std::vector<std::string> runs[] = {{plain(4, 4, {1, 2, 3}), out, "margin=2000000000"},
                                             {path("missing.ppm"), out},
                                             {plain(4, 4, {1, 2, 3}), path("none/out.ppm")}};
    const std::string errors[] = {"error 6: Overflow\n",
                                  "cannot open " + path("missing.ppm") + "\n",
                                  "cannot write " + path("none/out.ppm") + "\n"};
    for (int i = 0; i < 3; ++i) {
        const Outcome r = run(runs[i]);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, errors[i]);
    }
}

} // namespace
} // namespace orbek
