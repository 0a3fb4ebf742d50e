#include "date_wording.h"

#include "automation/conversions.h"
#include "automation/date_text.h"
#include "automation/ole_date.h"
#include "automation/vb_error.h"

namespace orbek {
namespace {

// Indexed by weekday() - 1 (Sunday first) and by month - 1.
constexpr const char16_t* SpanishWeekdays[] = {u"domingo", u"lunes",   u"martes", u"miércoles",
                                               u"jueves",  u"viernes", u"sábado"};
constexpr const char16_t* SpanishMonths[] = {u"enero",      u"febrero", u"marzo",     u"abril",
                                             u"mayo",       u"junio",   u"julio",     u"agosto",
                                             u"septiembre", u"octubre", u"noviembre", u"diciembre"};
constexpr const char16_t* EnglishWeekdays[] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                               u"Thursday", u"Friday", u"Saturday"};
constexpr const char16_t* EnglishMonths[] = {u"January",   u"February", u"March",    u"April",
                                             u"May",       u"June",     u"July",     u"August",
                                             u"September", u"October",  u"November", u"December"};

Text number_text(int number) {
    return to_text(Variant(std::int32_t{number}));
}

Text spanish(const DateParts& day, int weekday_index, bool with_weekday, bool with_year) {
    Text out;
    if (with_weekday) {
        out += SpanishWeekdays[weekday_index];
        out += u", ";
    }
    out += number_text(day.day) + u" de " + SpanishMonths[day.month - 1];
    if (with_year) {
        out += u" de " + number_text(day.year);
    }
    return out;
}

Text english(const DateParts& day, int weekday_index, bool with_weekday, bool with_year) {
    Text out;
    if (with_weekday) {
        out += EnglishWeekdays[weekday_index];
        out += u", ";
    }
    out += Text(EnglishMonths[day.month - 1]) + u" " + number_text(day.day);
    if (with_year) {
        out += u", " + number_text(day.year);
    }
    return out;
}

} // namespace

DateStyle date_style_named(TextView name) {
    if (name.empty()) {
        return DateStyle::Short;
    }
    if (equals_ignoring_case(name, u"E")) {
        return DateStyle::Spanish;
    }
    if (equals_ignoring_case(name, u"I")) {
        return DateStyle::English;
    }
    throw VbError(vb::InvalidProcedureCall);
}

Text date_wording(double date, DateStyle style, bool with_weekday, bool with_year) {
    DateParts day = parts_from_ole_date(date);
    day.hour = day.minute = day.second = 0;
    // The weekday of the day as shown, also when the time of day rounded it into the next one.
    const double midnight = *ole_date_from_parts(day);
    const int weekday_index = weekday(midnight) - 1;
    switch (style) {
    case DateStyle::Spanish:
        return spanish(day, weekday_index, with_weekday, with_year);
    case DateStyle::English:
        return english(day, weekday_index, with_weekday, with_year);
    case DateStyle::Short:
        break;
    }
    return format_short_date(midnight);
}

} // namespace orbek
