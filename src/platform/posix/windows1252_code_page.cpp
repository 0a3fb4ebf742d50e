#include "platform/posix/windows1252_code_page.h"

#include "automation/windows1252.h"

namespace orbek {

std::string Windows1252CodePage::encode(TextView text) const {
    return to_windows1252(text);
}

Text Windows1252CodePage::decode(std::string_view bytes) const {
    return from_windows1252(bytes);
}

} // namespace orbek
