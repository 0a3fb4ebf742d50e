// Log never fails its caller, whatever it is given and whatever state the disk is in: random
// modes, texts, values, missing folders, markers appearing and going, a log held open by
// another thread, a read-only log and a companion that fails.
#include "usage_log_support.h"
#include "usagelog/usage_log.h"

#include <cmath>
#include <limits>
#include <random>
#include <sys/stat.h>

namespace orbek {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// Equal, counting NaN as equal to itself.
bool unchanged(const Variant& now, const Variant& before) {
    if (now.holds<double>() && before.holds<double>() && std::isnan(now.as<double>())) {
        return std::isnan(before.as<double>());
    }
    return now == before;
}

class LogFuzz : public DriveC {
  protected:
    std::mt19937 random_{7};

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    Text any_text() {
        static constexpr char16_t Units[] = {
            u'a',      u'Z',      u' ',      u' ',      u'\t', u'\r', u'\n', u'\0', u',', u'\u00e9',
            u'\u20ac', u'\u65e5', u'\xd800', u'\xdc00', u'N',  u'o',  u'\\', u':',  u'*', u'|'};
        Text text;
        for (int length = pick(24); length > 0; --length) {
            text += Units[pick(std::size(Units))];
        }
        return text;
    }

    Variant any_value() {
        switch (pick(12)) {
        case 0:
            return Variant::missing();
        case 1:
            return Variant::null();
        case 2:
            return Variant();
        case 3:
            return Variant(any_text());
        case 4:
            return Variant(static_cast<std::int32_t>(random_()));
        case 5:
            return Variant(std::numeric_limits<double>::quiet_NaN());
        case 6:
            return Variant(1e300 * (pick(2) ? 1 : -1));
        case 7:
            return Variant::date(pick(2) ? 45000.25 : 1e10); // the second is no date
        case 8:
            return Variant(pick(2) == 1);
        case 9:
            return Variant(Variant::ErrorValue{pick(2) ? 5 : MissingArgumentCode});
        case 10:
            return Variant(Variant::ObjectRef());
        default:
            return Variant(Currency::from_scaled(static_cast<std::int64_t>(random_()) << 20));
        }
    }

    Text any_choice(std::initializer_list<TextView> choices) {
        const int index = pick(static_cast<int>(choices.size()) + 1);
        return index < static_cast<int>(choices.size()) ? Text(choices.begin()[index]) : any_text();
    }

    // One change to the disk or the companion.
    void disturb() {
        switch (pick(7)) {
        case 0:
            fs::remove_all(at("Kalvix"));
            break;
        case 1:
            fs::create_directories(at("Kalvix/Log"));
            break;
        case 2:
            if (fs::is_directory(at("Kalvix/Log"))) {
                put_file("Kalvix/Log/Log.Dir");
            }
            break;
        case 3:
            fs::remove(at("Kalvix/Log/Log.Dir"));
            break;
        case 4:
            if (held_) {
                held_.reset();
            } else {
                try {
                    held_ = other_thread_.open_for_append(u"C:\\Kalvix\\Tesmara.Log");
                } catch (const VbError&) {
                }
            }
            break;
        case 5:
            ::chmod(at("Kalvix/Tesmara.Log").c_str(), pick(2) ? 0444 : 0644);
            break;
        default:
            tools_.fail = !tools_.fail;
            break;
        }
    }

    PosixFileSystem other_thread_{WindowsPaths(root_)};
    std::unique_ptr<AppendFile> held_;
};

TEST_F(LogFuzz, NeverFailsAndWritesBackOnlyFromARecord) {
    int records_written_back = 0;
    for (int step = 0; step < 4000; ++step) {
        if (pick(5) == 0) {
            disturb();
            continue;
        }
        const std::uint8_t mode = static_cast<std::uint8_t>(pick(3) ? 1 + pick(3) : random_());
        const Text module = any_text();
        Variant values[4] = {any_value(), any_value(), any_value(), any_value()};
        const Text log_file_op = any_choice({u"", u"No", u"no"});
        const Text user = any_text();
        const Text version = any_choice({u"", u"7.1"});
        const bool open_before = state_.log.has_value();
        Variant given[4] = {values[0], values[1], values[2], values[3]};

        usage_log(state_, platform(), mode, module, values[0], values[1], values[2], values[3],
                  log_file_op, user, version);

        const bool record_ran = mode == 2 && open_before && log_file_op != u"No";
        for (int i = 0; i < 4; ++i) {
            if (unchanged(values[i], given[i])) {
                continue;
            }
            ASSERT_TRUE(record_ran) << "step " << step;
            ASSERT_TRUE(values[i].holds<Text>()) << "step " << step;
            const Text& text = values[i].as<Text>();
            ASSERT_TRUE(text.empty() || text.ends_with(u", ")) << "step " << step;
            ++records_written_back;
        }
        if (open_before && mode != 1 && mode != 3) {
            ASSERT_TRUE(state_.log) << "step " << step;
        }
        for (const char* log : {"Kalvix/Tesmara.Log", "Kalvix/Log/Tesmara.Log"}) {
            const std::string bytes = bytes_of(log);
            ASSERT_TRUE(bytes.empty() || bytes.ends_with("\r\n")) << "step " << step;
        }
    }
    EXPECT_GT(records_written_back, 100); // the records did run
}

} // namespace
} // namespace orbek
