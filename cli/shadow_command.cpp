#include "shadow_command.h"

#include "automation/vb_error.h"
#include "splash/capture_and_shade.h"
#include "splash/colour_parts.h"
#include "splash/draw_shadow.h"
#include "splash/picture.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace orbek {

const char* const ShadowUsage =
    "usage: orbek shadow IN.ppm OUT.ppm [margin=N] [colour=R,G,B] [offset=X,Y] [radius=N]\n"
    "                    [size=N] [rect=LEFT,TOP,WIDTH,HEIGHT]\n"
    "Paints the splash window's drop shadow into a binary PPM picture (P6, 8 bits).\n";

namespace {

struct Settings {
    std::int32_t margin = SplashMargin;
    std::int32_t colour[3] = {50, 50, 40};
    std::int32_t offset[2] = {SplashShadowOffsetX, SplashShadowOffsetY};
    std::int32_t radius = 0;
    std::optional<std::int32_t> size;
    std::optional<std::vector<std::int32_t>> rect;
};

// Whole numbers separated by commas, exactly `count` of them.
std::optional<std::vector<std::int32_t>> numbers(const std::string& text, std::size_t count) {
    std::vector<std::int32_t> values;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (true) {
        std::int32_t value = 0;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc() || next == at)
            return std::nullopt;
        values.push_back(value);
        at = next;
        if (at == end)
            break;
        if (*at != ',')
            return std::nullopt;
        ++at;
    }
    if (values.size() != count)
        return std::nullopt;
    return values;
}

// Reads one NAME=VALUE setting; an error message when it is not one.
std::optional<std::string> apply(const std::string& setting, Settings& settings) {
    const std::size_t equals = setting.find('=');
    const std::string name = setting.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : setting.substr(equals + 1);
    const auto one = [&](std::int32_t& target) -> std::optional<std::string> {
        const auto parsed = numbers(value, 1);
        if (!parsed)
            return name + " takes a whole number: " + setting;
        target = (*parsed)[0];
        return std::nullopt;
    };
    if (equals == std::string::npos)
        return "a setting is NAME=VALUE: " + setting;
    if (name == "margin")
        return one(settings.margin);
    if (name == "radius")
        return one(settings.radius);
    if (name == "size") {
        std::int32_t size = 0;
        if (auto error = one(size))
            return error;
        settings.size = size;
        return std::nullopt;
    }
    if (name == "colour" || name == "color") {
        const auto parts = numbers(value, 3);
        if (!parts || std::any_of(parts->begin(), parts->end(),
                                  [](std::int32_t part) { return part < 0 || part > 255; }))
            return "colour takes three parts from 0 to 255: " + setting;
        std::copy(parts->begin(), parts->end(), settings.colour);
        return std::nullopt;
    }
    if (name == "offset") {
        const auto parts = numbers(value, 2);
        if (!parts)
            return "offset takes two whole numbers: " + setting;
        std::copy(parts->begin(), parts->end(), settings.offset);
        return std::nullopt;
    }
    if (name == "rect") {
        settings.rect = numbers(value, 4);
        if (!settings.rect)
            return "rect takes four whole numbers: " + setting;
        return std::nullopt;
    }
    return "unknown setting: " + setting;
}

// The next header field of a PPM: a whole number after blanks and # comments.
std::optional<int> header_number(std::istream& in, long largest) {
    while (true) {
        const int next = in.peek();
        if (next == '#') {
            std::string comment;
            std::getline(in, comment);
        } else if (next == ' ' || next == '\t' || next == '\r' || next == '\n') {
            in.get();
        } else {
            break;
        }
    }
    long value = -1;
    if (!(in >> value) || value < 1 || value > largest)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<Picture> read_ppm(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    char magic[2] = {};
    in.read(magic, 2);
    if (!in || magic[0] != 'P' || magic[1] != '6') {
        error = path + " is not a binary PPM picture (P6)";
        return std::nullopt;
    }
    // Sides up to 32768 pixels; the largest value may be up to 65535 (16-bit PPM).
    const auto width = header_number(in, 32768);
    const auto height = header_number(in, 32768);
    const auto depth = header_number(in, 65535);
    if (!width || !height || !depth) {
        error = path + " has no valid PPM header";
        return std::nullopt;
    }
    if (*depth != 255) {
        error = path + " has " + std::to_string(*depth) + " as its largest value; only 255 is read";
        return std::nullopt;
    }
    in.get(); // the one blank that ends the header
    std::vector<unsigned char> bytes(static_cast<std::size_t>(*width) *
                                     static_cast<std::size_t>(*height) * 3);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        error = path + " ends before its last pixel";
        return std::nullopt;
    }
    Picture picture(*width, *height);
    std::size_t at = 0;
    for (int y = 0; y < *height; ++y)
        for (int x = 0; x < *width; ++x, at += 3)
            picture.at(x, y) = (std::uint32_t{bytes[at]} << 16) |
                               (std::uint32_t{bytes[at + 1]} << 8) | bytes[at + 2];
    return picture;
}

bool write_ppm(const std::string& path, const Picture& picture) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width() << " " << picture.height() << "\n255\n";
    std::vector<char> bytes;
    bytes.reserve(picture.pixels().size() * 3);
    for (const std::uint32_t pixel : picture.pixels()) {
        bytes.push_back(static_cast<char>((pixel >> 16) & 0xFF));
        bytes.push_back(static_cast<char>((pixel >> 8) & 0xFF));
        bytes.push_back(static_cast<char>(pixel & 0xFF));
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

std::string describe(const ShadowSpec& s) {
    std::ostringstream text;
    text << "shadow: rectangle " << s.Left << "," << s.Top << " " << s.Width << "x" << s.Height
         << ", radius " << s.Radius << ", ring " << s.Size << ", offset " << s.OffsetX << ","
         << s.OffsetY << ", colour " << int{s.Red} << "," << int{s.Green} << "," << int{s.Blue};
    return text.str();
}

} // namespace

int run_shadow_command(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2) {
        err << ShadowUsage;
        return 2;
    }
    Settings settings;
    for (const std::string& setting : args.subspan(2)) {
        if (const auto error = apply(setting, settings)) {
            err << *error << "\n" << ShadowUsage;
            return 2;
        }
    }
    std::string error;
    std::optional<Picture> picture = read_ppm(args[0], error);
    if (!picture) {
        err << error << "\n";
        return 1;
    }
    try {
        const ColourValue colour =
            compose_colour(settings.colour[0], settings.colour[1], settings.colour[2]);
        ShadowSpec spec =
            capture_shadow_spec(settings.margin, colour, settings.offset[0], settings.offset[1],
                                picture->width(), picture->height());
        spec.Radius = settings.radius;
        if (settings.size)
            spec.Size = *settings.size;
        if (settings.rect) {
            spec.Left = (*settings.rect)[0];
            spec.Top = (*settings.rect)[1];
            spec.Width = (*settings.rect)[2];
            spec.Height = (*settings.rect)[3];
        }
        if (spec.Size < 1) {
            err << "the ring must be at least 1 pixel wide (size=, or the margin)\n" << ShadowUsage;
            return 2;
        }
        DrawShadow(picture->buffer(), spec);
        if (!write_ppm(args[1], *picture)) {
            err << "cannot write " << args[1] << "\n";
            return 1;
        }
        out << describe(spec) << "\n";
    } catch (const VbError& failure) {
        err << "error " << failure.number() << ": " << failure.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace orbek
