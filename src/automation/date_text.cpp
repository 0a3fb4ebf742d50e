#include "automation/date_text.h"

#include "automation/ole_date.h"

#include <vector>

namespace orbek {

namespace {

bool is_blank(char16_t unit) {
    return unit == u' ' || unit == u'\t';
}
bool is_digit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

TextView trim_blanks(TextView text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The pieces of `text` between `separator`s; nullopt unless every piece is a non-empty run
// of digits.
std::optional<std::vector<TextView>> digit_fields(TextView text, char16_t separator) {
    std::vector<TextView> fields;
    while (true) {
        std::size_t end = text.find(separator);
        TextView field = text.substr(0, end);
        if (field.empty())
            return std::nullopt;
        for (char16_t unit : field) {
            if (!is_digit(unit))
                return std::nullopt;
        }
        fields.push_back(field);
        if (end == TextView::npos)
            return fields;
        text.remove_prefix(end + 1);
    }
}

int number_of(TextView digits) {
    int value = 0;
    for (char16_t unit : digits)
        value = value * 10 + (unit - u'0');
    return value;
}

bool is_short(TextView field) {
    return field.size() == 1 || field.size() == 2;
}

// Two-digit years fall in 1930-2029.
int full_year(TextView field) {
    int year = number_of(field);
    if (field.size() == 2)
        return year < 30 ? 2000 + year : 1900 + year;
    return year;
}

// d/m/yyyy, d/m/yy, d-m-yyyy or yyyy-mm-dd. Calendar validity is checked later.
std::optional<DateParts> parse_date(TextView text) {
    DateParts parts;
    if (auto fields = digit_fields(text, u'/')) {
        const std::vector<TextView>& f = *fields;
        if (f.size() != 3 || !is_short(f[0]) || !is_short(f[1]) ||
            (f[2].size() != 2 && f[2].size() != 4))
            return std::nullopt;
        parts.day = number_of(f[0]);
        parts.month = number_of(f[1]);
        parts.year = full_year(f[2]);
        return parts;
    }
    if (auto fields = digit_fields(text, u'-')) {
        const std::vector<TextView>& f = *fields;
        if (f.size() != 3)
            return std::nullopt;
        if (f[0].size() == 4 && f[1].size() == 2 && f[2].size() == 2) {
            parts.year = number_of(f[0]);
            parts.month = number_of(f[1]);
            parts.day = number_of(f[2]);
            return parts;
        }
        if (is_short(f[0]) && is_short(f[1]) && f[2].size() == 4) {
            parts.day = number_of(f[0]);
            parts.month = number_of(f[1]);
            parts.year = number_of(f[2]);
            return parts;
        }
    }
    return std::nullopt;
}

// H:MM or H:MM:SS; the ranges are checked with the date.
bool parse_time(TextView text, DateParts& parts) {
    auto fields = digit_fields(text, u':');
    if (!fields || fields->size() < 2 || fields->size() > 3)
        return false;
    const std::vector<TextView>& f = *fields;
    if (!is_short(f[0]) || f[1].size() != 2 || (f.size() == 3 && f[2].size() != 2))
        return false;
    parts.hour = number_of(f[0]);
    parts.minute = number_of(f[1]);
    parts.second = f.size() == 3 ? number_of(f[2]) : 0;
    return true;
}

void append_number(Text& out, int value, std::size_t width) {
    char16_t digits[10]; // least significant first
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value > 0);
    if (count < width)
        out.append(width - count, u'0');
    while (count > 0)
        out += digits[--count];
}

void append_short_date(Text& out, const DateParts& parts) {
    append_number(out, parts.day, 2);
    out += u'/';
    append_number(out, parts.month, 2);
    out += u'/';
    append_number(out, parts.year, 4);
}

void append_time(Text& out, const DateParts& parts) {
    append_number(out, parts.hour, 2);
    out += u':';
    append_number(out, parts.minute, 2);
    out += u':';
    append_number(out, parts.second, 2);
}

Text short_date_of(const DateParts& parts) {
    Text out;
    append_short_date(out, parts);
    return out;
}

Text time_of(const DateParts& parts) {
    Text out;
    append_time(out, parts);
    return out;
}

} // namespace

std::optional<double> parse_date_text(TextView text) {
    text = trim_blanks(text);
    DateParts parts; // a time alone falls on the epoch day, serial 0
    std::size_t blank = 0;
    while (blank < text.size() && !is_blank(text[blank]))
        ++blank;
    if (blank < text.size()) {
        auto date = parse_date(text.substr(0, blank));
        if (!date || !parse_time(trim_blanks(text.substr(blank)), *date))
            return std::nullopt;
        parts = *date;
    } else if (auto date = parse_date(text)) {
        parts = *date;
    } else if (!parse_time(text, parts)) {
        return std::nullopt;
    }
    return ole_date_from_parts(parts);
}

Text format_short_date(double date) {
    return short_date_of(parts_from_ole_date(date));
}

Text format_time(double date) {
    return time_of(parts_from_ole_date(date));
}

void append_date_and_time(Text& out, double date) {
    const DateParts parts = parts_from_ole_date(date);
    append_short_date(out, parts);
    out += u' ';
    append_time(out, parts);
}

Text format_date_and_time(double date) {
    Text out;
    out.reserve(19);
    append_date_and_time(out, date);
    return out;
}

Text format_date_value(double date) {
    DateParts parts = parts_from_ole_date(date);
    DateParts epoch_day;
    bool on_epoch_day = parts.year == epoch_day.year && parts.month == epoch_day.month &&
                        parts.day == epoch_day.day;
    if (on_epoch_day)
        return time_of(parts);
    if (parts.hour == 0 && parts.minute == 0 && parts.second == 0)
        return short_date_of(parts);
    return short_date_of(parts) + u' ' + time_of(parts);
}

} // namespace orbek
