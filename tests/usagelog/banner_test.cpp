#include "usagelog/banner.h"
#include "usagelog/maker.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

// Whoever changes a maker's text keeps every framed line at 60 characters.
TEST(MakerFrame, EveryLineIsSixtyCharactersAndCarriesItsText) {
    for (const MakerFrame frame : {MakerFrame::Short, MakerFrame::Full}) {
        const std::vector<Text> lines = maker_frame(frame);
        ASSERT_EQ(lines.size(), frame == MakerFrame::Short ? 12u : 16u);
        Text all;
        for (const Text& line : lines) {
            EXPECT_EQ(line.size(), FramedLineWidth) << to_utf8(line);
            EXPECT_EQ(line.front(), u'*');
            EXPECT_EQ(line.back(), u'*');
            all += line;
        }
        for (const TextView text : {maker::CompanyName, maker::StreetAndTelephone, maker::HomePage,
                                    maker::SalesEmail, maker::SupportEmail, maker::Initials}) {
            EXPECT_NE(all.find(text), Text::npos) << to_utf8(text);
        }
        const bool full = all.find(maker::DistrictCityPostcode) != Text::npos &&
                          all.find(maker::InternationalTelephone) != Text::npos;
        EXPECT_EQ(full, frame == MakerFrame::Full);
    }
}

TEST(MakerFrame, TheCompanyNameIsCentred) {
    const Text line = maker_frame(MakerFrame::Short)[2];
    const std::size_t left = line.find_first_not_of(u' ', 1) - 1;
    const std::size_t right = line.size() - 2 - line.find_last_not_of(u' ', line.size() - 2);
    EXPECT_EQ(line.substr(1 + left, maker::CompanyName.size()), maker::CompanyName);
    EXPECT_TRUE(right == left || right == left + 1) << left << " " << right;
}

} // namespace
} // namespace orbek
