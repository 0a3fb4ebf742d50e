#include "padding.h"

namespace orbek {

Text pad_to_width(TextView text, std::int16_t width, char16_t fill) {
    if (width < 1 || text.size() >= static_cast<std::size_t>(width)) {
        return Text(text);
    }
    const std::size_t missing = static_cast<std::size_t>(width) - text.size();
    const std::size_t sign = fill == u'0' && !text.empty() && text.front() == u'-' ? 1 : 0;
    Text out(text.substr(0, sign));
    out.append(missing, fill);
    out.append(text.substr(sign));
    return out;
}

} // namespace orbek
