#include "dispatch_torture.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace wine_checks {

namespace {

// One argument as a client builds it, with the storage a by-reference argument points into.
struct Argument {
    VARIANT sent;
    VARIANT storage;
    LONG nested = 3;       // what a reference inside `storage` may point to
    bool owns_sent = true; // false when `sent` only refers to `storage`

    Argument() {
        VariantInit(&sent);
        VariantInit(&storage);
    }
    ~Argument() {
        if (owns_sent) {
            VariantClear(&sent);
        }
        VariantClear(&storage);
    }
    Argument(const Argument&) = delete;
    Argument& operator=(const Argument&) = delete;

    // A by-reference argument to a value of the storage's type.
    void refer_to_storage() {
        V_VT(&sent) = VT_BYREF | V_VT(&storage);
        V_BYREF(&sent) = &V_UI1(&storage);
        owns_sent = false;
    }
    void refer_to_variant() {
        V_VT(&sent) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&sent) = &storage;
        owns_sent = false;
    }
};

struct Sample {
    const char* name;
    std::function<void(Argument&, IDispatch*)> build;
};

SAFEARRAY* long_array() {
    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 2);
    LONG index = 0;
    LONG value = 7;
    SafeArrayPutElement(array, &index, &value);
    return array;
}

void set_text(VARIANT* target, const wchar_t* text) {
    V_VT(target) = VT_BSTR;
    V_BSTR(target) = text != nullptr ? SysAllocString(text) : nullptr;
}

// The values a client may send, by value.
void build_plain(VARIANT* target, int kind, IDispatch* self) {
    switch (kind) {
    case 0:
        V_VT(target) = VT_EMPTY;
        break;
    case 1:
        V_VT(target) = VT_NULL;
        break;
    case 2:
        V_VT(target) = VT_I2;
        V_I2(target) = 7;
        break;
    case 3:
        V_VT(target) = VT_I4;
        V_I4(target) = 100000;
        break;
    case 4:
        V_VT(target) = VT_R4;
        V_R4(target) = 1.5f;
        break;
    case 5:
        V_VT(target) = VT_R8;
        V_R8(target) = 1e300;
        break;
    case 6:
        V_VT(target) = VT_CY;
        V_CY(target).int64 = 123456789;
        break;
    case 7:
        V_VT(target) = VT_DATE;
        V_DATE(target) = 45000.5;
        break;
    case 8:
        set_text(target, L"12:30:00");
        break;
    case 9:
        set_text(target, L"");
        break;
    case 10:
        set_text(target, nullptr);
        break;
    case 11:
        set_text(target, L"abc");
        break;
    case 12: {
        const std::wstring long_text(20000, L'9');
        set_text(target, long_text.c_str());
        break;
    }
    case 13:
        V_VT(target) = VT_BOOL;
        V_BOOL(target) = VARIANT_TRUE;
        break;
    case 14:
        V_VT(target) = VT_ERROR;
        V_ERROR(target) = DISP_E_PARAMNOTFOUND;
        break;
    case 15:
        V_VT(target) = VT_ERROR;
        V_ERROR(target) = 5;
        break;
    case 16:
        V_VT(target) = VT_DISPATCH;
        V_DISPATCH(target) = nullptr;
        break;
    case 17:
        V_VT(target) = VT_DISPATCH;
        V_DISPATCH(target) = self;
        self->AddRef();
        break;
    case 18:
        V_VT(target) = VT_UNKNOWN;
        V_UNKNOWN(target) = nullptr;
        break;
    case 19:
        V_VT(target) = VT_UNKNOWN;
        V_UNKNOWN(target) = self;
        self->AddRef();
        break;
    case 20:
        V_DECIMAL(target).Lo64 = 3;
        V_VT(target) = VT_DECIMAL;
        break;
    case 21:
        V_VT(target) = VT_I1;
        V_I1(target) = -3;
        break;
    case 22:
        V_VT(target) = VT_UI1;
        V_UI1(target) = 200;
        break;
    case 23:
        V_VT(target) = VT_UI2;
        V_UI2(target) = 60000;
        break;
    case 24:
        V_VT(target) = VT_UI4;
        V_UI4(target) = 4000000000u;
        break;
    case 25:
        V_VT(target) = VT_I8;
        V_I8(target) = 1LL << 40;
        break;
    case 26:
        V_VT(target) = VT_UI8;
        V_UI8(target) = 5;
        break;
    case 27:
        V_VT(target) = VT_INT;
        V_INT(target) = -1;
        break;
    case 28:
        V_VT(target) = VT_UINT;
        V_UINT(target) = 5;
        break;
    case 29:
        V_VT(target) = VT_ARRAY | VT_I4;
        V_ARRAY(target) = long_array();
        break;
    case 30:
        V_VT(target) = VT_ARRAY | VT_BSTR;
        V_ARRAY(target) = nullptr;
        break;
    case 31:
        V_VT(target) = VT_I4;
        V_I4(target) = -2147483647 - 1;
        break;
    case 32:
        V_VT(target) = VT_R8;
        V_R8(target) = -0.5;
        break;
    }
}
constexpr int PlainKinds = 33;

const char* const plain_names[PlainKinds] = {
    "Empty",           "Null",     "Integer 7",    "Long 100000", "Single 1.5", "Double 1e300",
    "Currency",        "Date",     "\"12:30:00\"", "\"\"",        "null BSTR",  "\"abc\"",
    "20000 digits",    "True",     "missing",      "Error 5",     "Nothing",    "an object",
    "null IUnknown",   "IUnknown", "Decimal 3",    "I1 -3",       "Byte 200",   "UI2 60000",
    "UI4 4e9",         "I8 2^40",  "UI8 5",        "INT -1",      "UINT 5",     "Long array",
    "null BSTR array", "Long min", "Double -0.5"};

std::vector<Sample> every_sample() {
    std::vector<Sample> samples;
    for (int kind = 0; kind < PlainKinds; ++kind) {
        samples.push_back({plain_names[kind], [kind](Argument& argument, IDispatch* self) {
                               build_plain(&argument.sent, kind, self);
                           }});
    }
    // The same values behind a VT_BYREF|VT_VARIANT reference, as scripts pass variables.
    for (int kind = 0; kind < PlainKinds; ++kind) {
        samples.push_back({plain_names[kind], [kind](Argument& argument, IDispatch* self) {
                               build_plain(&argument.storage, kind, self);
                               argument.refer_to_variant();
                           }});
    }
    // Typed references, as compiled clients pass variables.
    const int referable[] = {2, 3, 4, 5, 6, 7, 8, 10, 11, 13, 14, 16, 21, 22, 23, 24, 25};
    for (const int kind : referable) {
        samples.push_back({plain_names[kind], [kind](Argument& argument, IDispatch* self) {
                               build_plain(&argument.storage, kind, self);
                               argument.refer_to_storage();
                           }});
    }
    samples.push_back({"null Long reference", [](Argument& argument, IDispatch*) {
                           V_VT(&argument.sent) = VT_BYREF | VT_I4;
                           V_BYREF(&argument.sent) = nullptr;
                           argument.owns_sent = false;
                       }});
    samples.push_back({"null variant reference", [](Argument& argument, IDispatch*) {
                           V_VT(&argument.sent) = VT_BYREF | VT_VARIANT;
                           V_BYREF(&argument.sent) = nullptr;
                           argument.owns_sent = false;
                       }});
    samples.push_back({"reference to a Long reference", [](Argument& argument, IDispatch*) {
                           V_VT(&argument.storage) = VT_BYREF | VT_I4;
                           V_I4REF(&argument.storage) = &argument.nested;
                           argument.refer_to_variant();
                       }});
    samples.push_back({"unknown VARTYPE 0x7F", [](Argument& argument, IDispatch*) {
                           V_VT(&argument.sent) = 0x7F;
                           argument.owns_sent = false;
                       }});
    samples.push_back({"VT_VARIANT by value", [](Argument& argument, IDispatch*) {
                           V_VT(&argument.sent) = VT_VARIANT;
                           argument.owns_sent = false;
                       }});
    return samples;
}

// What the other arguments carry while one is being varied: a plain value of its type.
void build_ordinary(VARIANT* target, VARTYPE declared) {
    switch (declared) {
    case VT_BSTR:
    case VT_VARIANT:
        set_text(target, L"1");
        break;
    case VT_BOOL:
        V_VT(target) = VT_BOOL;
        V_BOOL(target) = VARIANT_FALSE;
        break;
    case VT_DISPATCH:
        V_VT(target) = VT_DISPATCH;
        V_DISPATCH(target) = nullptr;
        break;
    default:
        V_VT(target) = VT_I4;
        V_I4(target) = 1;
        break;
    }
}

bool is_defined_answer(HRESULT result) {
    switch (result) {
    case S_OK:
    case DISP_E_TYPEMISMATCH:
    case DISP_E_OVERFLOW:
    case DISP_E_BADVARTYPE:
    case DISP_E_PARAMNOTOPTIONAL:
    case DISP_E_PARAMNOTFOUND:
    case DISP_E_BADPARAMCOUNT:
    case E_INVALIDARG:
        return true;
    default:
        return false;
    }
}

struct Method {
    std::wstring name;
    DISPID id;
    std::vector<VARTYPE> parameters; // declared, without the return value
};

std::vector<Method> methods_of(IDispatch* object) {
    std::vector<Method> methods;
    ITypeInfo* info = nullptr;
    if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info))) {
        return methods;
    }
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    for (UINT index = 0; attributes != nullptr && index < attributes->cFuncs; ++index) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(index, &function))) {
            continue;
        }
        BSTR name = nullptr;
        UINT count = 0;
        info->GetNames(function->memid, &name, 1, &count);
        Method method{name != nullptr ? name : L"", function->memid, {}};
        SysFreeString(name);
        for (SHORT parameter = 0; parameter < function->cParams; ++parameter) {
            const ELEMDESC& element = function->lprgelemdescParam[parameter];
            if (element.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
                continue;
            }
            const TYPEDESC& type = element.tdesc;
            method.parameters.push_back(type.vt == VT_PTR ? type.lptdesc->vt : type.vt);
        }
        const bool inherited = function->memid >= 0x60000000 && function->memid < 0x60020000;
        info->ReleaseFuncDesc(function);
        if (!inherited) {
            methods.push_back(std::move(method));
        }
    }
    if (attributes != nullptr) {
        info->ReleaseTypeAttr(attributes);
    }
    info->Release();
    return methods;
}

// One call with `count` arguments; argument `varied` (if any) built by `sample`.
HRESULT send(IDispatch* object, const Method& method, std::size_t count, int varied,
             const Sample* sample, HRESULT* scode) {
    std::vector<Argument> arguments(count);
    for (std::size_t index = 0; index < count; ++index) {
        if (static_cast<int>(index) == varied) {
            sample->build(arguments[index], object);
        } else {
            const VARTYPE declared =
                index < method.parameters.size() ? method.parameters[index] : VARTYPE(VT_VARIANT);
            build_ordinary(&arguments[index].sent, declared);
        }
    }
    std::vector<VARIANT> sent(count);
    for (std::size_t index = 0; index < count; ++index) {
        sent[count - 1 - index] = arguments[index].sent; // DISPPARAMS holds them in reverse
    }
    DISPPARAMS params{count == 0 ? nullptr : sent.data(), nullptr, static_cast<UINT>(count), 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    UINT argument_error = 0;
    const HRESULT answer = object->Invoke(method.id, IID_NULL, LOCALE_USER_DEFAULT,
                                          DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, &result,
                                          &exception, &argument_error);
    *scode = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    VariantClear(&result);
    return answer;
}

bool acceptable(HRESULT answer, HRESULT scode) {
    if (answer == DISP_E_EXCEPTION) {
        return HRESULT_FACILITY(scode) == FACILITY_CONTROL && FAILED(scode);
    }
    return is_defined_answer(answer);
}

struct MethodOutcome {
    std::wstring name;
    int calls = 0;
    int wrong = 0;
    std::string first_wrong; // what the first call with an undefined answer sent and got
};

// Sends the whole set once, printing nothing.
std::vector<MethodOutcome> send_every_argument_kind(IDispatch* object,
                                                    const std::vector<std::wstring>& skipped) {
    const std::vector<Sample> samples = every_sample();
    std::vector<MethodOutcome> outcomes;
    for (const Method& method : methods_of(object)) {
        if (std::find(skipped.begin(), skipped.end(), method.name) != skipped.end()) {
            continue;
        }
        MethodOutcome outcome;
        outcome.name = method.name;
        auto try_call = [&](std::size_t count, int varied, const Sample* sample, const char* what) {
            HRESULT scode = S_OK;
            const HRESULT answer = send(object, method, count, varied, sample, &scode);
            ++outcome.calls;
            if (acceptable(answer, scode)) {
                return;
            }
            if (++outcome.wrong == 1) {
                const std::string argument =
                    varied < 0 ? std::string() : "argument " + std::to_string(varied + 1) + " = ";
                outcome.first_wrong = argument + what + " gave " + hresult_text(answer) +
                                      " (scode " + hresult_text(scode) + ")";
            }
        };
        const std::size_t declared = method.parameters.size();
        try_call(0, -1, nullptr, "no arguments");
        try_call(declared + 1, -1, nullptr, "one argument too many");
        for (std::size_t parameter = 0; parameter < declared; ++parameter) {
            for (const Sample& sample : samples) {
                try_call(declared, static_cast<int>(parameter), &sample, sample.name);
            }
        }
        outcomes.push_back(std::move(outcome));
    }
    return outcomes;
}

} // namespace

void check_every_argument_kind(Report& report, IDispatch* object, const std::string& label,
                               const std::vector<std::wstring>& skipped) {
    const std::vector<MethodOutcome> outcomes = send_every_argument_kind(object, skipped);
    report.check(label + ": the type information lists methods", !outcomes.empty(),
                 "GetTypeInfo gave no methods");
    for (const MethodOutcome& outcome : outcomes) {
        report.check(label + ": " + utf8(outcome.name) + " answers " +
                         std::to_string(outcome.calls) +
                         " kinds of arguments with defined HRESULTs",
                     outcome.wrong == 0, outcome.first_wrong);
    }
}

int count_undefined_answers(IDispatch* object, const std::vector<std::wstring>& skipped) {
    int wrong = 0;
    for (const MethodOutcome& outcome : send_every_argument_kind(object, skipped)) {
        wrong += outcome.wrong;
    }
    return wrong;
}

} // namespace wine_checks
