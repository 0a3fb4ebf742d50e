// Log never fails its caller whatever it is given and whatever the disk holds: random modes,
// texts and values while the folder and its marker come and go, another thread holds the log
// and the companion fails. Only a record call on an open log writes back, and only texts.
#include "usage_log_support.h"
#include "usagelog/usage_log.h"

#include <random>

namespace orbek {
namespace {

using namespace testing;

class LogFuzz : public DriveC {};

TEST_F(LogFuzz, NeverFailsAndWritesBackOnlyFromARecord) {
    std::mt19937 random(7);
    auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    const Text texts[] = {u"", u"  ", u"No", u"ana", u"a\tb\r\n", u"\xe9\u20ac\xd800", u"x|y:*"};
    const Variant values[] = {Variant::missing(),
                              Variant::null(),
                              Variant(),
                              Variant(u" A "),
                              Variant(1e300),
                              Variant::date(1e10),
                              Variant(true),
                              Variant(Variant::ErrorValue{5}),
                              Variant(Variant::ObjectRef())};
    PosixFileSystem other_thread{WindowsPaths(root_)};
    std::unique_ptr<AppendFile> held;
    int written_back = 0;
    for (int step = 0; step < 1500; ++step) {
        if (pick(6) == 0) {
            held.reset();
            companion_fails_ = pick(4) == 0;
            switch (pick(4)) {
            case 0:
                std::filesystem::remove_all(at("Kalvix"));
                break;
            case 1:
                std::filesystem::create_directories(at("Kalvix/Log"));
                put_file("Kalvix/Log/Log.Dir");
                break;
            case 2:
                std::filesystem::remove(at("Kalvix/Log/Log.Dir"));
                break;
            default:
                try {
                    held = other_thread.open_for_append(u"C:\\Kalvix\\Tesmara.Log");
                } catch (const VbError&) {
                }
            }
            continue;
        }
        const auto mode = static_cast<std::uint8_t>(pick(4) ? 1 + pick(3) : random());
        const Text& op = texts[pick(std::size(texts))];
        const bool record = mode == 2 && state_.log && op != u"No";
        Variant given[4] = {values[pick(9)], values[pick(9)], values[pick(9)], values[pick(9)]};
        Variant written[4] = {given[0], given[1], given[2], given[3]};
        usage_log(state_, platform(), mode, texts[pick(7)], written[0], written[1], written[2],
                  written[3], op, texts[pick(7)], texts[pick(7)]);
        for (int i = 0; i < 4; ++i) {
            if (written[i] != given[i]) {
                ASSERT_TRUE(record && written[i].holds<Text>()) << "step " << step;
                ++written_back;
            }
        }
    }
    EXPECT_GT(written_back, 100); // the record calls did run
}

} // namespace
} // namespace orbek
