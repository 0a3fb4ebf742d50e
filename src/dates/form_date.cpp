#include "dates/form_date.h"

#include "automation/conversions.h"
#include "dates/date_controls.h"
#include "dates/date_mask.h"

#include <algorithm>
#include <cstdint>

namespace orbek {
namespace {

constexpr std::int16_t FirstYear = 1930;
constexpr std::int16_t LastYear = 2029;
constexpr std::int16_t LastMonth = 12;
constexpr std::int16_t DayWidth = 2;
constexpr std::int16_t YearWidth = 4;
constexpr std::size_t YearLength = 4;

constexpr TextView MessageTitle = u"ERROR en la Fecha";
constexpr TextView LineBreak = u"\r\n";

// All 0 when value-initialised, as for the empty mask.
struct TypedDate {
    std::int16_t day;
    std::int16_t month;
    std::int16_t year;
};

TextView right(TextView text, std::size_t count) {
    return text.substr(text.size() - std::min(count, text.size()));
}

std::int16_t whole_number_of(TextView piece) {
    return to_integer(Variant(Text(piece)));
}

// The pieces stand at fixed places, whatever separates them.
TypedDate read_pieces(TextView typed) {
    TypedDate date;
    date.day = whole_number_of(mid(typed, 1, 2));
    date.month = whole_number_of(mid(typed, 4, 2));
    date.year = whole_number_of(right(typed, YearLength));
    return date;
}

bool year_in_range(std::int16_t year) {
    return year >= FirstYear && year <= LastYear;
}

bool month_in_range(std::int16_t month) {
    return month >= 1 && month <= LastMonth;
}

Text padded(std::int16_t number, std::int16_t width, SysTools& tools) {
    Text text = to_text(Variant(number));
    return tools.PadText(text, width, Variant::missing());
}

void append_line_breaks(Text& message, int count) {
    for (int i = 0; i < count; ++i) {
        message += LineBreak;
    }
}

Text rejection_message(TextView typed, const TypedDate& date) {
    Text message = u"Atención Sr. Usuario:";
    append_line_breaks(message, 3);
    message += u"Ud. capturó incorrectamente está fecha: ";
    message += typed;
    append_line_breaks(message, 3);
    if (!year_in_range(date.year)) {
        message += u"El rango de Años es de: 1930 al 2029, Ud. capturó: ";
        message += to_text(Variant(date.year));
        append_line_breaks(message, 2);
    }
    if (!month_in_range(date.month)) {
        message += u"El rango de Meses es del: 1 al 12, Ud. capturó: ";
        message += to_text(Variant(date.month));
        append_line_breaks(message, 2);
    }
    message += u"Favor de Verificar y Corregir, Gracias..";
    append_line_breaks(message, 2);
    return message;
}

bool reject(TextView typed, const TypedDate& date, UserMessageBox& box) {
    box.show_information(rejection_message(typed, date), MessageTitle);
    return true;
}

} // namespace

bool check_form_date(TextView typed, Text& prefix, const Variant& form, SysTools& tools,
                     UserMessageBox& box) {
    const Variant form_object = convert_to(form, VarType::Object);
    prefix = to_upper(trim_spaces(prefix));
    if (typed == EmptyDateMask) {
        return reject(typed, TypedDate{}, box);
    }
    TypedDate date = read_pieces(typed);
    if (!year_in_range(date.year) || !month_in_range(date.month)) {
        return reject(typed, date, box);
    }
    const std::int16_t last_day = tools.DaysInMonth(date.month, date.year);
    date.day = std::min(date.day, last_day);
    if (date.day < 1) {
        return reject(typed, date, box);
    }
    // One statement each: the companion sees day, month and year in that order.
    Text cleaned = padded(date.day, DayWidth, tools) + u"/";
    cleaned += padded(date.month, DayWidth, tools) + u"/";
    cleaned += padded(date.year, YearWidth, tools);
    fill_date_controls(form_object.as<Variant::ObjectRef>(), prefix, cleaned);
    return false;
}

} // namespace orbek
