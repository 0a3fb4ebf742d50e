#include "padding.h"

#include <algorithm>

namespace orbek {

Text pad_to_width(TextView text, std::int16_t width, char16_t fill) {
    if (width < 1 || text.size() >= static_cast<std::size_t>(width)) {
        return Text(text);
    }
    const std::size_t sign = fill == u'0' && !text.empty() && text.front() == u'-' ? 1 : 0;
    Text out(static_cast<std::size_t>(width), fill);
    std::copy(text.begin(), text.begin() + sign, out.begin());
    std::copy(text.begin() + sign, text.end(), out.end() - (text.size() - sign));
    return out;
}

} // namespace orbek
