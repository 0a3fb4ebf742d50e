#include "timecalc/time_text.h"

#include "automation/conversions.h"
#include "automation/date_text.h"
#include "automation/vb_error.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace orbek {
namespace {

constexpr std::int16_t PieceWidth = 2;
constexpr std::size_t LongestTimeText = 8; // HH:MM:SS

TextView right(TextView text, std::size_t count) {
    return text.substr(text.size() - std::min(count, text.size()));
}

Text padded(const Variant& number, SysTools& tools) {
    return tools.PadText(to_text(number), PieceWidth, Variant::missing());
}

// The pieces with a colon between each two, made in one allocation.
Text joined(std::initializer_list<TextView> pieces) {
    std::size_t length = pieces.size() - 1;
    for (TextView piece : pieces) {
        length += piece.size();
    }
    Text time;
    time.reserve(length);
    for (const TextView* piece = pieces.begin(); piece != pieces.end(); ++piece) {
        if (piece != pieces.begin()) {
            time += u':';
        }
        time += *piece;
    }
    return time;
}

// Division rounded towards minus infinity; the remainders stay truncated (sign of the
// dividend), which is what gives the negative pieces of a negative number of seconds.
std::int64_t floor_divide(std::int64_t dividend, std::int64_t divisor) {
    std::int64_t quotient = dividend / divisor;
    if (dividend % divisor != 0 && (dividend < 0) != (divisor < 0)) {
        --quotient;
    }
    return quotient;
}

} // namespace

double piece_number(TextView piece) {
    auto digit = [](char16_t unit) { return unit >= u'0' && unit <= u'9'; };
    // A digit followed by nothing that could continue a number: "05", "12", "1:", "7".
    if (piece.size() <= 2 && !piece.empty() && digit(piece[0])) {
        if (piece.size() == 1) {
            return piece[0] - u'0';
        }
        if (digit(piece[1])) {
            return (piece[0] - u'0') * 10 + (piece[1] - u'0');
        }
        if (piece[1] == u':' || piece[1] == u'/' || piece[1] == u'-') {
            return piece[0] - u'0';
        }
    }
    return leading_number(piece);
}

double through_decimal_text(double number) {
    const std::optional<double> read_back = parse_number_text(double_to_text(number));
    if (!read_back) {
        throw VbError(vb::TypeMismatch);
    }
    return *read_back;
}

std::int32_t time_text_to_seconds(const Variant& time) {
    Text storage;
    const TextView cut = left(trim_spaces(text_view_of(time, storage)), LongestTimeText);
    if (cut.empty()) {
        return 0;
    }
    // Each piece's number would go through its text and back (through_decimal_text); for
    // pieces of two characters that changes nothing, so it is left out.
    const double hours = piece_number(left(cut, 2));
    const double minutes = piece_number(mid(cut, 4, 2));
    const double seconds = piece_number(right(cut, 2));
    return double_to_long(hours * 3600 + minutes * 60 + seconds);
}

Text seconds_to_time_text(std::int32_t seconds, SysTools& tools) {
    const std::int64_t hours = floor_divide(seconds, 3600);
    const std::int64_t rest = seconds % 3600;
    const std::int64_t minutes = floor_divide(rest, 60);
    const std::int64_t rest_seconds = rest % 60;

    const Text hours_text = padded(Variant(static_cast<std::int32_t>(hours)), tools);
    const Text minutes_text = padded(Variant(static_cast<std::int32_t>(minutes)), tools);
    const Text seconds_text = padded(Variant(static_cast<std::int32_t>(rest_seconds)), tools);
    return joined({hours_text, minutes_text, seconds_text});
}

Text fill_hours(Text& hours, SysTools& tools) {
    // Stored before anything can fail: the caller keeps "00:00" even when padding fails.
    if (hours.empty()) {
        hours = u"00:00";
    }
    const TextView value = hours;
    if (value.size() < 2) {
        // Everything but the last two characters is a negative count of characters.
        throw VbError(vb::InvalidProcedureCall);
    }
    const std::size_t length = value.size();
    const double hour = leading_number(left(value, length - 2));
    const double minute = leading_number(mid(value, static_cast<long>(length) - 1, 2));

    const Text hour_text = padded(Variant(hour), tools);
    const Text minute_text = padded(Variant(minute), tools);
    return joined({hour_text, minute_text});
}

Currency decimal_hours(TextView time) {
    if (!parse_date_text(time)) {
        return Currency();
    }
    const TextView trimmed = trim_spaces(time);
    const Currency hours = Currency::from_double(leading_number(mid(trimmed, 1, 2)));
    const double minutes = leading_number(mid(trimmed, 4, 2));
    // Minutes become whole hundredths of an hour, cut rather than rounded (20 minutes: 0.33).
    const double hundredths = std::floor(minutes * 100 / 60);
    return hours + Currency::from_double(hundredths / 100);
}

} // namespace orbek
