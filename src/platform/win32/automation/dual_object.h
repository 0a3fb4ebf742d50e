// A COM object that offers a declared dual interface: its table of methods for early-bound
// callers and IDispatch for late-bound ones, both made from the interface declaration, both
// ending in the one call engine; plus ISupportErrorInfo. Plain COM underneath: two interface
// pointers, each the address of a table of functions, and a reference count.
//
// `Server` supplies what differs between servers:
//   using Methods = MethodTable<...>;            the declaration and its implementation
//   static constexpr const wchar_t* error_source; what scripts see as Err.Source
//   Server();                                     makes the implementing object (may throw)
//   Methods::Implementation& implementation();
//   HRESULT type_info(ITypeInfo** info);          the interface's type information
#pragma once

#include "platform/win32/automation/com_variant.h"
#include "platform/win32/automation/dispatch_call.h"
#include "platform/win32/automation/server_module.h"

#include <array>
#include <cstring>
#include <new>
#include <oaidl.h>
#include <span>
#include <tuple>
#include <utility>
#include <windows.h>

namespace orbek::com {

namespace dual {

// What a COM caller holds: the address of a table of functions; `owner` finds the object.
struct Face {
    const void* const* table;
    void* owner;
};

constexpr VARTYPE vartype_of(ValueType type) {
    switch (type) {
    case ValueType::Variant:
        return VT_VARIANT;
    case ValueType::Text:
        return VT_BSTR;
    case ValueType::Long:
        return VT_I4;
    case ValueType::Integer:
        return VT_I2;
    case ValueType::Byte:
        return VT_UI1;
    case ValueType::Double:
        return VT_R8;
    case ValueType::Currency:
        return VT_CY;
    case ValueType::Boolean:
        return VT_BOOL;
    case ValueType::Object:
        return VT_DISPATCH;
    }
    return VT_VARIANT;
}

// The C++ type of a parameter of the dual interface's own table.
template <ValueType Type> struct ValueOf;
template <> struct ValueOf<ValueType::Variant> { using type = VARIANT; };
template <> struct ValueOf<ValueType::Text> { using type = BSTR; };
template <> struct ValueOf<ValueType::Long> { using type = LONG; };
template <> struct ValueOf<ValueType::Integer> { using type = SHORT; };
template <> struct ValueOf<ValueType::Byte> { using type = BYTE; };
template <> struct ValueOf<ValueType::Double> { using type = DOUBLE; };
template <> struct ValueOf<ValueType::Currency> { using type = CY; };
template <> struct ValueOf<ValueType::Boolean> { using type = VARIANT_BOOL; };
template <> struct ValueOf<ValueType::Object> { using type = IDispatch*; };

template <ValueType Type, Passing How>
using ParameterOf = std::conditional_t<How == Passing::ByRef, typename ValueOf<Type>::type*,
                                       typename ValueOf<Type>::type>;

// A parameter as the VARIANT a late-bound caller would have passed for it: a reference to the
// caller's variable, or the value itself (still the caller's: never cleared here).
template <ValueType Type, Passing How> VARIANT as_argument(ParameterOf<Type, How> parameter) {
    VARIANT argument;
    VariantInit(&argument);
    if constexpr (How == Passing::ByRef) {
        return reference_to(vartype_of(Type), parameter);
    } else if constexpr (Type == ValueType::Variant) {
        return parameter;
    } else {
        V_VT(&argument) = vartype_of(Type);
        std::memcpy(&V_UI1(&argument), &parameter, sizeof parameter);
        return argument;
    }
}

} // namespace dual

template <typename Server> class DualObject {
    using Methods = typename Server::Methods;
    static constexpr const InterfaceDecl& Interface = Methods::declaration;

  public:
    // A new object on the calling thread, handed out through `iid`.
    static HRESULT create(REFIID iid, void** object) {
        DualObject* created = nullptr;
        try {
            created = new DualObject();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
        const HRESULT result = query_interface(&created->dual_, iid, object);
        created->release();
        return result;
    }

  private:
    using Face = dual::Face;

    DualObject() { hold_server(); }
    ~DualObject() { release_server(); }
    DualObject(const DualObject&) = delete;
    DualObject& operator=(const DualObject&) = delete;

    static DualObject& owner(Face* face) { return *static_cast<DualObject*>(face->owner); }
    static REFIID interface_id() {
        static const GUID id = guid_of(Interface.interface_id);
        return id;
    }

    ULONG release() {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IUnknown, shared by both faces.
    static HRESULT STDMETHODCALLTYPE query_interface(Face* face, REFIID iid, void** object) {
        if (object == nullptr) {
            return E_POINTER;
        }
        DualObject& self = owner(face);
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, interface_id())) {
            *object = &self.dual_;
        } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
            *object = &self.support_;
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        InterlockedIncrement(&self.references_);
        return S_OK;
    }
    static ULONG STDMETHODCALLTYPE add_ref(Face* face) {
        return static_cast<ULONG>(InterlockedIncrement(&owner(face).references_));
    }
    static ULONG STDMETHODCALLTYPE release(Face* face) { return owner(face).release(); }

    // IDispatch
    static HRESULT STDMETHODCALLTYPE get_type_info_count(Face*, UINT* count) {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 1;
        return S_OK;
    }

    static HRESULT STDMETHODCALLTYPE get_type_info(Face* face, UINT index, LCID, ITypeInfo** info) {
        if (info == nullptr) {
            return E_POINTER;
        }
        *info = nullptr;
        if (index != 0) {
            return DISP_E_BADINDEX;
        }
        return owner(face).server_.type_info(info);
    }

    // Method names and, after the method, names of its arguments (whose DISPIDs are their
    // 0-based places), in any letter case.
    static HRESULT STDMETHODCALLTYPE get_ids_of_names(Face*, REFIID iid, LPOLESTR* names,
                                                      UINT count, LCID, DISPID* ids) {
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
        auto text = [](const wchar_t* name) {
            return name == nullptr ? TextView() : TextView(reinterpret_cast<const char16_t*>(name));
        };
        const MethodDecl* method = find_method(Interface, text(names[0]));
        if (method == nullptr) {
            return DISP_E_UNKNOWNNAME;
        }
        ids[0] = method->dispid;
        HRESULT result = S_OK;
        for (UINT i = 1; i < count; ++i) {
            if (const auto index = find_argument(*method, text(names[i]))) {
                ids[i] = static_cast<DISPID>(*index);
            } else {
                result = DISP_E_UNKNOWNNAME;
            }
        }
        return result;
    }

    static HRESULT STDMETHODCALLTYPE invoke(Face* face, DISPID member, REFIID iid, LCID, WORD flags,
                                            DISPPARAMS* params, VARIANT* result,
                                            EXCEPINFO* exception, UINT* argument_error) {
        if (!IsEqualIID(iid, IID_NULL)) {
            return DISP_E_UNKNOWNINTERFACE;
        }
        const MethodDecl* method = find_method(Interface, static_cast<std::int32_t>(member));
        if (method == nullptr || (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0) {
            return DISP_E_MEMBERNOTFOUND;
        }
        if (params == nullptr) {
            return E_INVALIDARG;
        }
        try {
            CallerArguments arguments;
            UINT bad_position = 0;
            HRESULT placing = place_arguments(*method, *params, arguments, bad_position);
            if (SUCCEEDED(placing)) {
                placing = read_arguments(*method, arguments, method->reentrant, bad_position);
            }
            if (FAILED(placing)) {
                if ((placing == DISP_E_PARAMNOTFOUND || placing == DISP_E_TYPEMISMATCH) &&
                    argument_error != nullptr) {
                    *argument_error = bad_position;
                }
                return placing;
            }
            CallerVariables variables(arguments);
            const CallOutcome outcome = Methods::call(owner(face).server_.implementation(), *method,
                                                      arguments.value.values(), variables);
            return late_bound_outcome(outcome, arguments, result, exception, argument_error,
                                      Server::error_source, interface_id());
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    // The dual interface's own methods: each wraps its parameters as the VARIANTs a late-bound
    // caller would pass and takes the same way through the engine.
    static HRESULT early_bound(Face* face, std::size_t index, VARIANT* given, std::size_t count) {
        try {
            const MethodDecl& method = Interface.methods[index];
            CallerArguments arguments;
            for (std::size_t i = 0; i < method.args.size(); ++i) {
                VARIANT& argument = given[i];
                if ((V_VT(&argument) & VT_BYREF) != 0 && V_BYREF(&argument) == nullptr) {
                    if (!method.args[i].optional) {
                        return E_POINTER;
                    }
                    continue; // a null pointer leaves an optional argument out
                }
                arguments.given[i] = &argument;
                arguments.position[i] = static_cast<UINT>(i);
            }
            const VARIANT* result = method.result ? &given[count - 1] : nullptr;
            if (result != nullptr && V_BYREF(result) == nullptr) {
                return E_POINTER;
            }
            UINT bad_position = 0;
            CallOutcome outcome;
            if (FAILED(read_arguments(method, arguments, method.reentrant, bad_position))) {
                outcome.kind = CallOutcome::Kind::ArgumentMismatch;
                outcome.argument = bad_position;
            } else {
                CallerVariables variables(arguments);
                outcome = Methods::call(owner(face).server_.implementation(), method,
                                        arguments.value.values(), variables);
            }
            return early_bound_outcome(outcome, result, Server::error_source, interface_id());
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    template <std::size_t Index, std::size_t Position> struct Parameter {
        static constexpr const MethodDecl& method = Interface.methods[Index];
        static constexpr bool is_result = Position == method.args.size();
        static constexpr ValueType type = is_result ? *method.result : method.args[Position].type;
        static constexpr Passing passing =
            is_result ? Passing::ByRef : method.args[Position].passing;
        using type_t = dual::ParameterOf<type, passing>;
    };

    template <std::size_t Index, typename Positions> struct Entry;
    template <std::size_t Index, std::size_t... Positions>
    struct Entry<Index, std::index_sequence<Positions...>> {
        static HRESULT STDMETHODCALLTYPE
        call(Face* face, typename Parameter<Index, Positions>::type_t... parameters) {
            std::array<VARIANT, sizeof...(Positions) + 1> given{
                dual::as_argument<Parameter<Index, Positions>::type,
                                  Parameter<Index, Positions>::passing>(parameters)...};
            return early_bound(face, Index, given.data(), sizeof...(Positions));
        }
    };

    template <std::size_t Index> static const void* entry() {
        constexpr const MethodDecl& method = Interface.methods[Index];
        constexpr std::size_t count = method.args.size() + (method.result ? 1 : 0);
        static_assert(method.args.size() <= MaxArguments);
        return reinterpret_cast<const void*>(&Entry<Index, std::make_index_sequence<count>>::call);
    }

    template <std::size_t... Indexes>
    static const void* const* dual_table(std::index_sequence<Indexes...>) {
        static const std::array<const void*, 7 + sizeof...(Indexes)> table{
            reinterpret_cast<const void*>(&query_interface),
            reinterpret_cast<const void*>(static_cast<ULONG(STDMETHODCALLTYPE*)(Face*)>(&add_ref)),
            reinterpret_cast<const void*>(static_cast<ULONG(STDMETHODCALLTYPE*)(Face*)>(&release)),
            reinterpret_cast<const void*>(&get_type_info_count),
            reinterpret_cast<const void*>(&get_type_info),
            reinterpret_cast<const void*>(&get_ids_of_names),
            reinterpret_cast<const void*>(&invoke),
            entry<Indexes>()...};
        return table.data();
    }

    // ISupportErrorInfo
    static HRESULT STDMETHODCALLTYPE interface_supports_error_info(Face*, REFIID iid) {
        return IsEqualIID(iid, interface_id()) ? S_OK : S_FALSE;
    }
    static const void* const* support_table() {
        static const std::array<const void*, 4> table{
            reinterpret_cast<const void*>(&query_interface),
            reinterpret_cast<const void*>(static_cast<ULONG(STDMETHODCALLTYPE*)(Face*)>(&add_ref)),
            reinterpret_cast<const void*>(static_cast<ULONG(STDMETHODCALLTYPE*)(Face*)>(&release)),
            reinterpret_cast<const void*>(&interface_supports_error_info)};
        return table.data();
    }

    Face dual_{dual_table(std::make_index_sequence<Interface.methods.size()>{}), this};
    Face support_{support_table(), this};
    LONG references_ = 1;
    Server server_;
};

} // namespace orbek::com
