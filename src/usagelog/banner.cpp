#include "usagelog/banner.h"

#include "usagelog/maker.h"

#include <cmath>

namespace orbek {
namespace {

constexpr std::size_t InnerWidth = FramedLineWidth - 2;
constexpr std::size_t Indent = 3; // where the maker's contact lines start inside the frame

Text framed(TextView inner) {
    Text line = u"*";
    line += inner;
    line.append(InnerWidth - std::min(inner.size(), InnerWidth), u' ');
    line += u'*';
    return line;
}

Text row_of_asterisks() {
    return Text(FramedLineWidth, u'*');
}

Text blank() {
    return framed(u"");
}

Text centred(TextView text) {
    // An odd space left over goes to the right.
    return framed(Text((InnerWidth - std::min(text.size(), InnerWidth)) / 2, u' ') + Text(text));
}

Text indented(TextView text) {
    return framed(Text(Indent, u' ') + Text(text));
}

Text right_aligned(TextView text) {
    return framed(Text(InnerWidth - std::min(text.size(), InnerWidth), u' ') + Text(text));
}

} // namespace

std::vector<Text> maker_frame(MakerFrame frame) {
    std::vector<Text> lines{row_of_asterisks(),
                            blank(),
                            centred(maker::CompanyName),
                            blank(),
                            indented(maker::StreetAndTelephone),
                            blank()};
    if (frame == MakerFrame::Full) {
        lines.push_back(indented(maker::DistrictCityPostcode));
        lines.push_back(blank());
        lines.push_back(indented(maker::InternationalTelephone));
        lines.push_back(blank());
    }
    lines.push_back(indented(maker::HomePage));
    lines.push_back(blank());
    lines.push_back(indented(maker::SalesEmail));
    lines.push_back(indented(maker::SupportEmail));
    lines.push_back(right_aligned(maker::Initials));
    lines.push_back(row_of_asterisks());
    return lines;
}

Text version_line(TextView prefix, TextView version, TextView date_text) {
    Text line(prefix);
    line += version;
    line += u' ';
    line += date_text;
    line += u" *****";
    return line;
}

Text banner_date_text(SysTools& tools, const Clock& clock) {
    const double today = std::floor(clock.now());
    return tools.DateToText(Variant::date(today), u"E", u"", true, true);
}

void write_banner(AppendFile& file, MakerFrame frame, TextView prefix, TextView version,
                  SysTools& tools, const Clock& clock) {
    for (const Text& line : maker_frame(frame)) {
        file.write_line(line);
    }
    file.write_line(u"");
    file.write_line(version_line(prefix, version, banner_date_text(tools, clock)));
    file.write_line(u"");
}

} // namespace orbek
