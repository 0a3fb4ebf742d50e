#include "sys_tools_impl.h"

#include "automation/conversions.h"
#include "automation/ole_date.h"
#include "automation/vb_error.h"
#include "bit_text.h"
#include "date_wording.h"
#include "padding.h"
#include "text_encoding.h"

#include <optional>

namespace orbek {

void SysToolsImpl::ShowSystemInfo(const Variant& /*show*/, bool /*wait*/) {
    windows_.show_system_info();
}

void SysToolsImpl::CloseEffect(std::int32_t start, std::int32_t height, std::int32_t style,
                               const Variant& window) {
    windows_.close_effect(window, start, height, style);
}

Text SysToolsImpl::PadText(TextView text, std::int16_t width, const Variant& fill) {
    char16_t fill_character = u'0';
    if (!fill.is_missing()) {
        Text storage;
        const TextView fill_text = text_view_of(fill, storage);
        if (fill_text.empty()) {
            throw VbError(vb::InvalidProcedureCall);
        }
        fill_character = fill_text.front();
    }
    return pad_to_width(text, width, fill_character);
}

Text SysToolsImpl::DecodeText(TextView encoded) {
    return decode_text(encoded);
}

Text SysToolsImpl::EncodeText(TextView plain) {
    return encode_text(plain);
}

Text SysToolsImpl::ToBitText(TextView number) {
    const std::optional<double> value = parse_number_text(number);
    if (!value) {
        throw VbError(vb::TypeMismatch);
    }
    return binary_digits(double_to_long(*value));
}

std::int16_t SysToolsImpl::DaysInMonth(std::int16_t month, std::int16_t year) {
    if (month < 1 || month > 12 || year < 100 || year > 9999) {
        throw VbError(vb::InvalidProcedureCall);
    }
    return static_cast<std::int16_t>(days_in_month(month, year));
}

Text SysToolsImpl::DateToText(const Variant& date, TextView style, TextView prefix,
                              bool with_weekday, bool with_year) {
    const double serial = to_date(date);
    const DateStyle chosen = date_style_named(style);
    return Text(prefix) + date_wording(serial, chosen, with_weekday, with_year);
}

} // namespace orbek
