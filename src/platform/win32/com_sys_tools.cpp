#include "platform/win32/com_sys_tools.h"

#include "MireldaSys.h"
#include "automation/vb_error.h"
#include "shell/com/com_values.h"
#include "shell/com/error_info.h"

#include <oaidl.h>
#include <windows.h>

namespace orbek {

namespace {

constexpr int CannotCreateObject = 429;
constexpr char CannotCreateObjectText[] = "ActiveX component can't create object";

// A BSTR of ours, freed on every way out of a call.
class BstrHolder {
  public:
    BstrHolder() = default;
    explicit BstrHolder(TextView text) : value_(server::make_bstr(text)) {}
    ~BstrHolder() { SysFreeString(value_); }
    BstrHolder(const BstrHolder&) = delete;
    BstrHolder& operator=(const BstrHolder&) = delete;

    BSTR get() const { return value_; }
    BSTR* slot() { return &value_; } // for [in, out] and [out] parameters
    Text text() const { return server::text_of(value_); }

  private:
    BSTR value_ = nullptr;
};

// A VARIANT holding a core value, cleared on every way out of a call.
class VariantHolder {
  public:
    explicit VariantHolder(const Variant& value) { server::to_com(value, owned_.get()); }
    VARIANT* get() { return owned_.get(); }
    const VARIANT& value() { return *owned_.get(); }

  private:
    server::OwnedVariant owned_;
};

// The error a failed call of the companion stands for: its number, with the description
// that the companion left in the thread's error information when it leaves one.
VbError error_of_call(HRESULT outcome, bool reports_errors) {
    VbError standard = server::error_of_failure(outcome);
    IErrorInfo* info = nullptr;
    if (!reports_errors || GetErrorInfo(0, &info) != S_OK || info == nullptr) {
        return standard;
    }
    BSTR description = nullptr;
    info->GetDescription(&description);
    info->Release();
    const Text text = server::text_of(description);
    SysFreeString(description);
    if (text.empty()) {
        return standard;
    }
    return VbError(standard.number(), to_utf8(text));
}

// The thread's SysTools object reached through its vtable interface. It lives in the
// module state of the thread that created it, so every call and the release happen there.
class ComSysTools final : public SysTools {
  public:
    ComSysTools(_SysTools* tools, bool reports_errors)
        : tools_(tools), reports_errors_(reports_errors) {}
    ~ComSysTools() override { tools_->Release(); }
    ComSysTools(const ComSysTools&) = delete;
    ComSysTools& operator=(const ComSysTools&) = delete;

    void ShowSystemInfo(Variant& show, bool& wait) override {
        VariantHolder shown(show);
        VARIANT_BOOL waited = wait ? VARIANT_TRUE : VARIANT_FALSE;
        const HRESULT outcome = tools_->ShowSystemInfo(shown.get(), &waited);
        show = server::variant_of(shown.value());
        wait = waited != VARIANT_FALSE;
        check(outcome);
    }

    void CloseEffect(std::int32_t& start, std::int32_t& height, std::int32_t style,
                     const Variant& window) override {
        VariantHolder target(window);
        LONG from = start;
        LONG tall = height;
        const HRESULT outcome = tools_->CloseEffect(&from, &tall, style, target.value());
        start = from;
        height = tall;
        check(outcome);
    }

    Text PadText(Text& text, std::int16_t width, const Variant& fill) override {
        BstrHolder value(text);
        VariantHolder filler(fill);
        BstrHolder padded;
        const HRESULT outcome = tools_->PadText(value.slot(), width, filler.value(), padded.slot());
        text = value.text();
        check(outcome);
        return padded.text();
    }

    Text DecodeText(Text encoded) override {
        BstrHolder argument(encoded);
        BstrHolder plain;
        check(tools_->DecodeText(argument.get(), plain.slot()));
        return plain.text();
    }

    Text ToBitText(Text number) override {
        BstrHolder argument(number);
        BstrHolder bits;
        check(tools_->ToBitText(argument.get(), bits.slot()));
        return bits.text();
    }

    std::int16_t DaysInMonth(std::int16_t& month, std::int16_t& year) override {
        short month_value = month;
        short year_value = year;
        short days = 0;
        const HRESULT outcome = tools_->DaysInMonth(&month_value, &year_value, &days);
        month = month_value;
        year = year_value;
        check(outcome);
        return days;
    }

    Text DateToText(const Variant& date, Text style, Text prefix, bool with_weekday,
                    bool with_year) override {
        VariantHolder day(date);
        BstrHolder style_text(style);
        BstrHolder prefix_text(prefix);
        BstrHolder text;
        check(tools_->DateToText(day.value(), style_text.get(), prefix_text.get(),
                                 with_weekday ? VARIANT_TRUE : VARIANT_FALSE,
                                 with_year ? VARIANT_TRUE : VARIANT_FALSE, text.slot()));
        return text.text();
    }

    Text EncodeText(Text plain) override {
        BstrHolder argument(plain);
        BstrHolder encoded;
        check(tools_->EncodeText(argument.get(), encoded.slot()));
        return encoded.text();
    }

  private:
    // A failed call becomes the companion's error: its number, and its description when the
    // object says it leaves error information.
    void check(HRESULT outcome) const {
        if (SUCCEEDED(outcome)) {
            return;
        }
        throw error_of_call(outcome, reports_errors_);
    }

    _SysTools* tools_;
    bool reports_errors_;
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
        throw VbError(CannotCreateObject, CannotCreateObjectText);
    }
    try {
        return std::make_shared<ComSysTools>(tools, supports_error_info(tools));
    } catch (...) {
        tools->Release();
        throw;
    }
}

} // namespace orbek
