#include "orbek_com_object.h"

#include "method_call.h"
#include "module_file.h"
#include "platform/win32/automation/com_error.h"
#include "platform/win32/automation/com_text.h"
#include "platform/win32/automation/com_variant.h"

#include <new>
#include <vector>

namespace orbek::server {
namespace {

// The source every error of the component names.
constexpr wchar_t ErrorSource[] = L"Orbek_DLL";

// Leaves the error in the thread's error information and returns its HRESULT.
HRESULT report_error(const VbError& error) {
    return com::report_error(error, ErrorSource, IID__OrbekDLL);
}

// Early-bound arguments as the VARIANTs a late-bound caller would pass: a reference to the
// caller's variable of the declared type, or the by-value text itself.
using com::reference_to;

VARIANT ref(VARIANT* variable) {
    return reference_to(VT_VARIANT, variable);
}
VARIANT ref(BSTR* variable) {
    return reference_to(VT_BSTR, variable);
}
VARIANT ref(LONG* variable) {
    return reference_to(VT_I4, variable);
}
VARIANT ref(short* variable) {
    return reference_to(VT_I2, variable);
}
VARIANT ref(unsigned char* variable) {
    return reference_to(VT_UI1, variable);
}
VARIANT ref(double* variable) {
    return reference_to(VT_R8, variable);
}
VARIANT ref(CURRENCY* variable) {
    return reference_to(VT_CY, variable);
}
VARIANT ref(IDispatch** variable) {
    return reference_to(VT_DISPATCH, variable);
}
// VARIANT_BOOL is a short: booleans need a name of their own.
VARIANT boolean_ref(VARIANT_BOOL* variable) {
    return reference_to(VT_BOOL, variable);
}

VARIANT text_value(BSTR text) {
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = text; // still the caller's: never cleared here
    return value;
}

// [out, retval] slots hold garbage on entry: empty them before the result is stored.
template <typename Number> VARIANT result_ref(Number* slot) {
    if (slot != nullptr) {
        *slot = Number{};
    }
    return ref(slot);
}
VARIANT result_ref(BSTR* slot) {
    if (slot != nullptr) {
        *slot = nullptr;
    }
    return ref(slot);
}
VARIANT result_ref(VARIANT* slot) {
    if (slot != nullptr) {
        VariantInit(slot);
    }
    return ref(slot);
}
VARIANT boolean_result(VARIANT_BOOL* slot) {
    if (slot != nullptr) {
        *slot = VARIANT_FALSE;
    }
    return boolean_ref(slot);
}

const MethodSpec* method_with_dispid(DISPID member) {
    for (const MethodSpec& method : orbek_methods()) {
        if (method.dispid == member) {
            return &method;
        }
    }
    return nullptr;
}

} // namespace

HRESULT OrbekComObject::create(REFIID iid, void** object) {
    try {
        auto* created = new OrbekComObject(calling_thread_record());
        const HRESULT result = created->QueryInterface(iid, object);
        created->Release();
        return result;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

OrbekComObject::OrbekComObject(std::shared_ptr<ThreadRecord> record)
    : record_(std::move(record)), core_(record_->state, record_->environment) {}

OrbekComObject::~OrbekComObject() = default;

HRESULT OrbekComObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID__OrbekDLL)) {
        *object = static_cast<_OrbekDLL*>(this);
    } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
        *object = static_cast<ISupportErrorInfo*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG OrbekComObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG OrbekComObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT OrbekComObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 1;
    return S_OK;
}

HRESULT OrbekComObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    *info = nullptr;
    if (index != 0) {
        return DISP_E_BADINDEX;
    }
    return load_interface_type_info(info);
}

// Method names and, after the method, names of its arguments (whose DISPIDs are their
// 0-based places), in any letter case.
HRESULT OrbekComObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (count == 0) {
        return S_OK;
    }
    if (names == nullptr || ids == nullptr) {
        return E_INVALIDARG;
    }
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    const MethodSpec* method = find_method(com::text_view_of(names[0]));
    if (method == nullptr) {
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = method->dispid;
    HRESULT result = S_OK;
    for (UINT i = 1; i < count; ++i) {
        const auto index = find_argument(*method, com::text_view_of(names[i]));
        if (index) {
            ids[i] = static_cast<DISPID>(*index);
        } else {
            result = DISP_E_UNKNOWNNAME;
        }
    }
    return result;
}

HRESULT OrbekComObject::Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* exception, UINT* argument_error) {
    if (!IsEqualIID(iid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    const MethodSpec* method = method_with_dispid(member);
    if (method == nullptr || (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (params == nullptr) {
        return E_INVALIDARG;
    }
    try {
        std::vector<CallerArgument> placed;
        UINT bad_position = 0;
        const HRESULT placing = place_arguments(*method, *params, placed, bad_position);
        if (FAILED(placing)) {
            if (placing == DISP_E_PARAMNOTFOUND && argument_error != nullptr) {
                *argument_error = bad_position;
            }
            return placing;
        }
        const CallOutcome outcome = call_method(core_, *method, placed);
        if (outcome.result == DISP_E_EXCEPTION) {
            const HRESULT failure = report_error(*outcome.error);
            if (exception == nullptr) {
                return failure;
            }
            com::fill_excepinfo(*exception, *outcome.error, ErrorSource);
            return DISP_E_EXCEPTION;
        }
        if (FAILED(outcome.result)) {
            if (outcome.argument && argument_error != nullptr) {
                *argument_error = *outcome.argument;
            }
            return outcome.result;
        }
        if (result != nullptr) {
            try {
                com::to_com(outcome.value, result);
            } catch (const VbError&) {
                return DISP_E_TYPEMISMATCH;
            }
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT OrbekComObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID__OrbekDLL) ? S_OK : S_FALSE;
}

HRESULT OrbekComObject::call_early_bound(std::size_t index,
                                         std::initializer_list<VARIANT> given_arguments,
                                         VARIANT result) {
    try {
        const MethodSpec& method = orbek_methods()[index];
        std::vector<VARIANT> arguments(given_arguments);
        std::vector<CallerArgument> callers(arguments.size());
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            VARIANT& argument = arguments[i];
            if ((V_VT(&argument) & VT_BYREF) != 0 && V_BYREF(&argument) == nullptr) {
                if (!method.args[i].optional) {
                    return E_POINTER;
                }
                continue; // a null pointer leaves an optional argument out
            }
            callers[i] = {&argument, static_cast<UINT>(i)};
        }
        if (method.result && V_BYREF(&result) == nullptr) {
            return E_POINTER;
        }
        const CallOutcome outcome = call_method(core_, method, callers);
        if (outcome.result == DISP_E_EXCEPTION) {
            return report_error(*outcome.error);
        }
        if (FAILED(outcome.result)) {
            return report_error(com::error_of_failure(outcome.result));
        }
        if (method.result) {
            try {
                com::store_through(result, outcome.value);
            } catch (const VbError& error) {
                return report_error(error);
            }
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// The dual interface's own methods, in interface order: each hands its arguments to the
// same path late-bound calls take.

HRESULT OrbekComObject::Class_Initialize() {
    return call_early_bound(0, {});
}

HRESULT OrbekComObject::Hrs2Seg(VARIANT* Horas, LONG* Result) {
    return call_early_bound(1, {ref(Horas)}, result_ref(Result));
}

HRESULT OrbekComObject::Seg2Hrs(LONG* Segundos, BSTR* Result) {
    return call_early_bound(2, {ref(Segundos)}, result_ref(Result));
}

HRESULT OrbekComObject::Fillhours(BSTR* vhours, BSTR* Result) {
    return call_early_bound(3, {ref(vhours)}, result_ref(Result));
}

HRESULT OrbekComObject::SumaHoras(VARIANT* Hora1, VARIANT* Hora2, VARIANT* Hora3, VARIANT* Hora4,
                                  VARIANT* Hora5, VARIANT* Hora6, BSTR* Result) {
    return call_early_bound(
        4, {ref(Hora1), ref(Hora2), ref(Hora3), ref(Hora4), ref(Hora5), ref(Hora6)},
        result_ref(Result));
}

HRESULT OrbekComObject::RestaHoras(VARIANT* Hora1, VARIANT* Hora2, BSTR* Result) {
    return call_early_bound(5, {ref(Hora1), ref(Hora2)}, result_ref(Result));
}

HRESULT OrbekComObject::MasDeUnDia(LONG* Segundos, VARIANT_BOOL* Result) {
    return call_early_bound(6, {ref(Segundos)}, boolean_result(Result));
}

HRESULT OrbekComObject::Delay(LONG* Nivel_1_10) {
    return call_early_bound(7, {ref(Nivel_1_10)});
}

HRESULT OrbekComObject::ProgressBar(CURRENCY* Valor, CURRENCY* Min, CURRENCY* Max,
                                    BSTR* VerRegistro, BSTR* Titulo, VARIANT_BOOL* Regresa_a_0,
                                    VARIANT_BOOL* Efecto_Salida, VARIANT* Result) {
    return call_early_bound(8,
                            {ref(Valor), ref(Min), ref(Max), ref(VerRegistro), ref(Titulo),
                             boolean_ref(Regresa_a_0), boolean_ref(Efecto_Salida)},
                            result_ref(Result));
}

HRESULT OrbekComObject::STIProgressBar(short* ipercentage, BSTR* sMessage, BSTR* sTitle,
                                       VARIANT_BOOL* Regresa_a_0, VARIANT_BOOL* Efecto_Salida,
                                       VARIANT* Result) {
    return call_early_bound(9,
                            {ref(ipercentage), ref(sMessage), ref(sTitle), boolean_ref(Regresa_a_0),
                             boolean_ref(Efecto_Salida)},
                            result_ref(Result));
}

HRESULT OrbekComObject::ProgressShow(double* Reg1, double* Reg2, BSTR* sTexto1, BSTR* sTexto2,
                                     BSTR* sTitle, VARIANT_BOOL* Regresa_a_0,
                                     VARIANT_BOOL* Efecto_Salida, VARIANT* Result) {
    return call_early_bound(10,
                            {ref(Reg1), ref(Reg2), ref(sTexto1), ref(sTexto2), ref(sTitle),
                             boolean_ref(Regresa_a_0), boolean_ref(Efecto_Salida)},
                            result_ref(Result));
}

HRESULT OrbekComObject::FechaTxtBox(VARIANT_BOOL* Modo, BSTR* Fecha, BSTR* Result) {
    return call_early_bound(11, {boolean_ref(Modo), ref(Fecha)}, result_ref(Result));
}

HRESULT OrbekComObject::HrsNumericas(BSTR* sHrs, CURRENCY* Result) {
    return call_early_bound(12, {ref(sHrs)}, result_ref(Result));
}

HRESULT OrbekComObject::FechaValida(BSTR* Fec, BSTR* Cont, IDispatch** Forma,
                                    VARIANT_BOOL* Result) {
    return call_early_bound(13, {ref(Fec), ref(Cont), ref(Forma)}, boolean_result(Result));
}

HRESULT OrbekComObject::WrINI(BSTR* Seccion, BSTR* Llave, BSTR* Valor, BSTR* Archivo,
                              BSTR* Extension) {
    return call_early_bound(14,
                            {ref(Seccion), ref(Llave), ref(Valor), ref(Archivo), ref(Extension)});
}

HRESULT OrbekComObject::RdINIInt(BSTR* Seccion, BSTR* Llave, BSTR* filename, LONG* Valor,
                                 BSTR* Extension, double* Result) {
    return call_early_bound(15,
                            {ref(Seccion), ref(Llave), ref(filename), ref(Valor), ref(Extension)},
                            result_ref(Result));
}

HRESULT OrbekComObject::RdINIStr(BSTR* SectionName, BSTR* KeyName, BSTR* filename,
                                 BSTR* DefaultValue, BSTR* Extension, BSTR* Result) {
    return call_early_bound(
        16, {ref(SectionName), ref(KeyName), ref(filename), ref(DefaultValue), ref(Extension)},
        result_ref(Result));
}

HRESULT OrbekComObject::Acceso(BSTR sDer, short* iModu, VARIANT_BOOL* Result) {
    return call_early_bound(17, {text_value(sDer), ref(iModu)}, boolean_result(Result));
}

HRESULT OrbekComObject::sSplash(VARIANT* Company, VARIANT* CopyRight, VARIANT* Version,
                                VARIANT* Producto) {
    return call_early_bound(18, {ref(Company), ref(CopyRight), ref(Version), ref(Producto)});
}

HRESULT OrbekComObject::ArchStay(BSTR* sRuta, BSTR* NomFile, BSTR* Version) {
    return call_early_bound(19, {ref(sRuta), ref(NomFile), ref(Version)});
}

HRESULT OrbekComObject::Log(unsigned char* Modo123, BSTR* Modulo, VARIANT* Empleado,
                            VARIANT* FecIni, VARIANT* FecFin, VARIANT* Comentario, BSTR* LogFileOp,
                            BSTR* gsUserCode, BSTR* Version) {
    return call_early_bound(20, {ref(Modo123), ref(Modulo), ref(Empleado), ref(FecIni), ref(FecFin),
                                 ref(Comentario), ref(LogFileOp), ref(gsUserCode), ref(Version)});
}

} // namespace orbek::server
