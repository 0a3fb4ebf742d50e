#include "win32_message_box.h"

#include "platform/win32/automation/com_text.h"

#include <windows.h>

namespace orbek {

// Owned by the thread's active window (the host's form, when it has one), so that the form
// waits for the answer as it does for the host's own messages. A box the system cannot show
// is not an error: the date stays rejected.
void Win32MessageBox::show_information(TextView message, TextView title) {
    const std::wstring text = com::wide_of(message);
    const std::wstring caption = com::wide_of(title);
    MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(),
                MB_OK | MB_ICONINFORMATION | MB_APPLMODAL);
}

} // namespace orbek
