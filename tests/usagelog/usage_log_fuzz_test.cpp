// Log never fails its caller whatever it is given and whatever the disk holds: random modes,
// texts, values and switches, while folders and markers come and go, another thread holds the
// log, the log turns read-only and the companion fails. Its files only ever end in CR LF, and
// only a record call on an open log writes texts back.
#include "usage_log_support.h"
#include "usagelog/usage_log.h"

#include <random>
#include <sys/stat.h>

namespace orbek {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class LogFuzz : public DriveC {
  protected:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    Text any_text() {
        constexpr char16_t Units[] = {u'a', u' ',    u'\t',     u'\r',     u'\n', u'\0', u'N',
                                      u'o', u'\xe9', u'\u20ac', u'\xd800', u'\\', u':',  u'|'};
        Text text;
        for (int length = pick(12); length > 0; --length) {
            text += Units[pick(std::size(Units))];
        }
        return pick(4) ? text : Text(u"No");
    }

    Variant any_value() {
        const Variant values[] = {Variant::missing(),
                                  Variant::null(),
                                  Variant(),
                                  Variant(any_text()),
                                  Variant(static_cast<std::int32_t>(random_())),
                                  Variant(1e300),
                                  Variant::date(pick(2) ? 45000.25 : 1e10),
                                  Variant(true),
                                  Variant(Variant::ErrorValue{5}),
                                  Variant(Variant::ObjectRef())};
        return values[pick(std::size(values))];
    }

    void disturb() {
        switch (pick(6)) {
        case 0:
            fs::remove_all(at("Kalvix"));
            break;
        case 1:
            fs::create_directories(at("Kalvix/Log"));
            break;
        case 2:
            put_file(pick(2) ? "Kalvix/Log/Log.Dir" : "Kalvix/Log/Other");
            break;
        case 3:
            held_ = held_ ? nullptr : hold();
            break;
        case 4:
            ::chmod(at("Kalvix/Tesmara.Log").c_str(), pick(2) ? 0444 : 0644);
            break;
        default:
            companion_fails_ = !companion_fails_;
            break;
        }
    }

    std::unique_ptr<AppendFile> hold() try {
        return other_thread_.open_for_append(u"C:\\Kalvix\\Tesmara.Log");
    } catch (const VbError&) {
        return nullptr;
    }

    std::mt19937 random_{7};
    PosixFileSystem other_thread_{WindowsPaths(root_)};
    std::unique_ptr<AppendFile> held_;
};

TEST_F(LogFuzz, NeverFailsAndWritesBackOnlyFromARecord) {
    int written_back = 0;
    for (int step = 0; step < 4000; ++step) {
        if (pick(5) == 0) {
            disturb();
            continue;
        }
        const auto mode = static_cast<std::uint8_t>(pick(4) ? 1 + pick(3) : random_());
        const Text op = any_text();
        const bool record = mode == 2 && state_.log && op != u"No";
        Variant given[4] = {any_value(), any_value(), any_value(), any_value()};
        Variant values[4] = {given[0], given[1], given[2], given[3]};
        usage_log(state_, platform(), mode, any_text(), values[0], values[1], values[2], values[3],
                  op, any_text(), any_text());
        for (int i = 0; i < 4; ++i) {
            if (values[i] != given[i]) {
                ASSERT_TRUE(record && values[i].holds<Text>()) << "step " << step;
                const Text& text = values[i].as<Text>();
                ASSERT_TRUE(text.empty() || text.ends_with(u", ")) << "step " << step;
                ++written_back;
            }
        }
        for (const char* log : {"Kalvix/Tesmara.Log", "Kalvix/Log/Tesmara.Log"}) {
            const std::string bytes = bytes_of(log);
            ASSERT_TRUE(bytes.empty() || bytes.ends_with("\r\n")) << "step " << step;
        }
    }
    EXPECT_GT(written_back, 100); // the record calls did run
}

} // namespace
} // namespace orbek
