#include "platform/win32/com_sys_tools.h"

#include "MireldaSys.h"
#include "automation/vb_error.h"
#include "platform/win32/automation/com_error.h"
#include "platform/win32/automation/com_text.h"
#include "platform/win32/automation/com_variant.h"

#include <array>
#include <oaidl.h>
#include <windows.h>

namespace orbek {

namespace {

using com::OwnedBstr;
using com::OwnedVariant;

// The number texts a thread pads are few and come again and again ("0" to "59" for the pieces
// of a time): each is made as a BSTR once and handed over by reference as often as needed.
// The companion may replace the text behind the reference; then the new one is kept instead.
class ReusedTexts {
  public:
    ReusedTexts() = default;
    ~ReusedTexts() {
        for (BSTR& text : texts_) {
            SysFreeString(text);
        }
    }
    ReusedTexts(const ReusedTexts&) = delete;
    ReusedTexts& operator=(const ReusedTexts&) = delete;

    // A slot holding a BSTR equal to `text`, valid until the next call.
    BSTR* slot_for(TextView text) {
        for (BSTR& held : texts_) {
            if (held != nullptr && SysStringLen(held) == text.size() &&
                TextView(reinterpret_cast<const char16_t*>(held), text.size()) == text) {
                return &held;
            }
        }
        BSTR& slot = texts_[next_];
        next_ = (next_ + 1) % texts_.size();
        com::replace_bstr(&slot, text);
        return &slot;
    }

  private:
    std::array<BSTR, 32> texts_{};
    std::size_t next_ = 0;
};

// The thread's SysTools object reached through its vtable interface. It lives in the
// module state of the thread that created it, so every call and the release happen there.
class ComSysTools final : public SysTools {
  public:
    ComSysTools(_SysTools* tools, bool reports_errors)
        : tools_(tools), reports_errors_(reports_errors) {}
    ~ComSysTools() override { tools_->Release(); }
    ComSysTools(const ComSysTools&) = delete;
    ComSysTools& operator=(const ComSysTools&) = delete;

    void ShowSystemInfo(const Variant& show, bool wait) override {
        OwnedVariant shown(show);
        VARIANT_BOOL waited = wait ? VARIANT_TRUE : VARIANT_FALSE;
        check(tools_->ShowSystemInfo(shown.get(), &waited));
    }

    void CloseEffect(std::int32_t start, std::int32_t height, std::int32_t style,
                     const Variant& window) override {
        OwnedVariant target(window);
        LONG from = start;
        LONG tall = height;
        check(tools_->CloseEffect(&from, &tall, style, target.value()));
    }

    Text PadText(TextView text, std::int16_t width, const Variant& fill) override {
        OwnedVariant filler(fill);
        OwnedBstr padded;
        BSTR* argument = pad_arguments_.slot_for(text);
        check(tools_->PadText(argument, width, filler.value(), padded.slot()));
        return padded.text();
    }

    Text DecodeText(TextView encoded) override {
        return text_call(&_SysTools::DecodeText, encoded);
    }

    Text ToBitText(TextView number) override { return text_call(&_SysTools::ToBitText, number); }

    std::int16_t DaysInMonth(std::int16_t month, std::int16_t year) override {
        short month_value = month;
        short year_value = year;
        short days = 0;
        check(tools_->DaysInMonth(&month_value, &year_value, &days));
        return days;
    }

    Text DateToText(const Variant& date, TextView style, TextView prefix, bool with_weekday,
                    bool with_year) override {
        OwnedVariant day(date);
        OwnedBstr style_text(style);
        OwnedBstr prefix_text(prefix);
        OwnedBstr text;
        check(tools_->DateToText(day.value(), style_text.get(), prefix_text.get(),
                                 with_weekday ? VARIANT_TRUE : VARIANT_FALSE,
                                 with_year ? VARIANT_TRUE : VARIANT_FALSE, text.slot()));
        return text.text();
    }

    Text EncodeText(TextView plain) override { return text_call(&_SysTools::EncodeText, plain); }

  private:
    // The companion's methods that take one text and give back another.
    using TextMethod = HRESULT (STDMETHODCALLTYPE _SysTools::*)(BSTR, BSTR*);

    Text text_call(TextMethod method, TextView text) const {
        OwnedBstr argument(text);
        OwnedBstr result;
        check((tools_->*method)(argument.get(), result.slot()));
        return result.text();
    }

    // A failed call becomes the companion's error: its number, and its description when the
    // object says it leaves error information.
    void check(HRESULT outcome) const {
        if (SUCCEEDED(outcome)) {
            return;
        }
        throw reports_errors_ ? com::error_of_failed_call(outcome) : com::error_of_failure(outcome);
    }

    _SysTools* tools_;
    bool reports_errors_;
    ReusedTexts pad_arguments_;
};

bool supports_error_info(_SysTools* tools) {
    ISupportErrorInfo* support = nullptr;
    if (FAILED(tools->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
        return false;
    }
    const bool supported = support->InterfaceSupportsErrorInfo(__uuidof(_SysTools)) == S_OK;
    support->Release();
    return supported;
}

} // namespace

std::shared_ptr<SysTools> create_com_sys_tools() {
    _SysTools* tools = nullptr;
    const HRESULT outcome = CoCreateInstance(__uuidof(::SysTools), nullptr, CLSCTX_INPROC_SERVER,
                                             __uuidof(_SysTools), reinterpret_cast<void**>(&tools));
    if (FAILED(outcome) || tools == nullptr) {
        throw VbError(vb::CannotCreateObject);
    }
    try {
        return std::make_shared<ComSysTools>(tools, supports_error_info(tools));
    } catch (...) {
        tools->Release();
        throw;
    }
}

} // namespace orbek
