// Both servers late-bound through IDispatch::Invoke: every kind of value in a VARIANT,
// write-back, named arguments, malformed requests, and nothing left behind in memory.
#include "host_checks.h"
#include "shell/orbek_interface.h"
#include "sys_tools_interface.h"

#include <algorithm>
#include <cstdio>
#include <windows.h>

using namespace wine_checks;
using orbek::MethodDecl;

namespace {

struct Server {
    const char* label;
    const wchar_t* prog_id;
    const orbek::InterfaceDecl& declared;
    std::vector<std::wstring> unsafe; // open windows, write files or pause: never sent junk
    IDispatch* object = nullptr;

    bool is_safe(const MethodDecl& method) const {
        return std::find(unsafe.begin(), unsafe.end(), wide(method.name)) == unsafe.end();
    }
};

// A value a client may put in a VARIANT, and what PadText(value, 0) gives for it: the value
// read as text, or `failure`.
struct Kind {
    const char* name;
    VARTYPE type;
    void (*fill)(VARIANT&, IDispatch* self);
    const wchar_t* text;
    HRESULT failure = DISP_E_TYPEMISMATCH;
};

const std::wstring LongText(20000, L'9');

const Kind Kinds[] = {
    {"Empty", VT_EMPTY, [](VARIANT&, IDispatch*) {}, L""},
    {"Null", VT_NULL, [](VARIANT&, IDispatch*) {}, nullptr},
    {"Integer", VT_I2, [](VARIANT& v, IDispatch*) { V_I2(&v) = -7; }, L"-7"},
    {"Long", VT_I4, [](VARIANT& v, IDispatch*) { V_I4(&v) = -2147483647 - 1; }, L"-2147483648"},
    {"Single", VT_R4, [](VARIANT& v, IDispatch*) { V_R4(&v) = 1.5f; }, L"1.5"},
    {"Double", VT_R8, [](VARIANT& v, IDispatch*) { V_R8(&v) = -0.5; }, L"-0.5"},
    {"Currency", VT_CY, [](VARIANT& v, IDispatch*) { V_CY(&v).int64 = 123456789; }, L"12345.6789"},
    {"Date", VT_DATE, [](VARIANT& v, IDispatch*) { V_DATE(&v) = 45000.5; }, L"15/03/2023 12:00:00"},
    {"text", VT_BSTR, [](VARIANT& v, IDispatch*) { V_BSTR(&v) = SysAllocString(L"M\u00f3d"); },
     L"M\u00f3d"},
    {"null text", VT_BSTR, [](VARIANT& v, IDispatch*) { V_BSTR(&v) = nullptr; }, L""},
    {"long text", VT_BSTR,
     [](VARIANT& v, IDispatch*) { V_BSTR(&v) = SysAllocString(LongText.c_str()); },
     LongText.c_str()},
    {"Boolean", VT_BOOL, [](VARIANT& v, IDispatch*) { V_BOOL(&v) = VARIANT_TRUE; }, L"True"},
    {"missing", VT_ERROR, [](VARIANT& v, IDispatch*) { V_ERROR(&v) = DISP_E_PARAMNOTFOUND; },
     nullptr, DISP_E_PARAMNOTOPTIONAL},
    {"Error 5", VT_ERROR, [](VARIANT& v, IDispatch*) { V_ERROR(&v) = 5; }, nullptr},
    {"Nothing", VT_DISPATCH, [](VARIANT& v, IDispatch*) { V_DISPATCH(&v) = nullptr; }, nullptr},
    {"an object", VT_DISPATCH,
     [](VARIANT& v, IDispatch* self) { (V_DISPATCH(&v) = self)->AddRef(); }, nullptr},
    {"an IUnknown", VT_UNKNOWN,
     [](VARIANT& v, IDispatch* self) { (V_UNKNOWN(&v) = self)->AddRef(); }, nullptr},
    {"Decimal", VT_DECIMAL, [](VARIANT& v, IDispatch*) { VarDecFromR8(2.5, &V_DECIMAL(&v)); },
     L"2.5"},
    {"Byte", VT_UI1, [](VARIANT& v, IDispatch*) { V_UI1(&v) = 200; }, L"200"},
    {"UI2", VT_UI2, [](VARIANT& v, IDispatch*) { V_UI2(&v) = 60000; }, L"60000"},
    {"UI4", VT_UI4, [](VARIANT& v, IDispatch*) { V_UI4(&v) = 4000000000u; }, L"4000000000"},
    {"I8", VT_I8, [](VARIANT& v, IDispatch*) { V_I8(&v) = 1LL << 40; }, L"1099511627776"},
    {"UINT", VT_UINT, [](VARIANT& v, IDispatch*) { V_UINT(&v) = 5; }, L"5"},
    {"an array", VT_ARRAY | VT_I4,
     [](VARIANT& v, IDispatch*) { V_ARRAY(&v) = SafeArrayCreateVector(VT_I4, 0, 2); }, nullptr},
    {"an unknown VARTYPE", 0x7F, [](VARIANT&, IDispatch*) {}, nullptr},
};

// How the value reaches the method.
enum class Wrapper { Value, Variable, Typed, TypedInVariable, Chain, NullTyped };
const std::pair<Wrapper, const char*> Wrappers[] = {
    {Wrapper::Value, "by value"},
    {Wrapper::Variable, "in a script variable"},
    {Wrapper::Typed, "by typed reference"},
    {Wrapper::TypedInVariable, "in a variant that refers to a typed one"},
    {Wrapper::Chain, "behind two variant references"},
    {Wrapper::NullTyped, "as a null typed reference"},
};

// One argument as a client builds it, with the variables its references point into.
struct Argument {
    VARIANT storage;
    VARIANT middle;
    VARIANT sent;

    Argument(const Kind& kind, Wrapper wrapper, IDispatch* self) {
        VariantInit(&storage);
        kind.fill(storage, self);
        V_VT(&storage) = kind.type; // after the value: a Decimal covers the VARTYPE
        void* typed = kind.type == VT_DECIMAL ? static_cast<void*>(&storage) : &V_UI1(&storage);
        middle = wrapper == Wrapper::Chain ? reference(VT_VARIANT, &storage)
                                           : reference(kind.type, typed);
        sent = wrapper == Wrapper::Value       ? storage
               : wrapper == Wrapper::Variable  ? reference(VT_VARIANT, &storage)
               : wrapper == Wrapper::Typed     ? middle
               : wrapper == Wrapper::NullTyped ? reference(kind.type, nullptr)
                                               : reference(VT_VARIANT, &middle);
    }
    ~Argument() {
        if (V_VT(&storage) != 0x7F) {
            VariantClear(&storage);
        }
    }
    Argument(const Argument&) = delete;
    Argument& operator=(const Argument&) = delete;
};

// Every kind of value in every way of passing it, read as a text by the companion's PadText.
void check_argument_kinds(Report& report, IDispatch* tools) {
    const DISPID pad = member_id(tools, L"PadText");
    for (const auto& [wrapper, how] : Wrappers) {
        std::string wrong;
        for (const Kind& kind : Kinds) {
            Argument text(kind, wrapper, tools);
            const CallResult outcome = call(tools, pad, {text.sent, *Value(0L)});
            const bool refers = wrapper == Wrapper::Typed || wrapper == Wrapper::TypedInVariable;
            const bool unread = wrapper == Wrapper::Chain || wrapper == Wrapper::NullTyped ||
                                (refers && (kind.type == VT_EMPTY || kind.type == VT_NULL));
            const HRESULT failure = unread ? DISP_E_TYPEMISMATCH : kind.failure;
            const bool right = unread || kind.text == nullptr
                                   ? outcome.result == failure && (failure != DISP_E_TYPEMISMATCH ||
                                                                   outcome.argument_error == 1)
                                   : outcome.result == S_OK && outcome.value.text() == kind.text;
            if (!right) {
                wrong += std::string(" ") + kind.name + " (" + hresult_text(outcome.result) +
                         " \"" + utf8(outcome.value.text()).substr(0, 30) + "\")";
            }
        }
        report.check(std::string("every kind of value read ") + how, wrong.empty(),
                     "wrong for" + wrong);
    }
}

// An answer a client can act on: a result, an argument failure, or the method's own error.
bool is_defined_answer(const CallResult& outcome) {
    switch (outcome.result) {
    case S_OK:
    case DISP_E_TYPEMISMATCH:
    case DISP_E_OVERFLOW:
    case DISP_E_PARAMNOTOPTIONAL:
    case DISP_E_BADPARAMCOUNT:
        return true;
    case DISP_E_EXCEPTION:
        return HRESULT_FACILITY(outcome.scode) == FACILITY_CONTROL;
    default:
        return false;
    }
}

// Every kind in every way in every place of every method that may be sent junk, the other
// arguments ordinary values. Returns the first undefined answers.
std::string send_every_kind(const Server& server) {
    std::string wrong;
    const Value one(L"1");
    const Value nothing = Value::of_type(VT_DISPATCH);
    for (const MethodDecl& method : server.declared.methods) {
        for (std::size_t varied = 0; server.is_safe(method) && varied < method.args.size();
             ++varied) {
            for (const auto& [wrapper, how] : Wrappers) {
                for (const Kind& kind : Kinds) {
                    Argument junk(kind, wrapper, server.object);
                    std::vector<VARIANT> sent;
                    for (std::size_t i = 0; i < method.args.size(); ++i) {
                        const bool object = method.args[i].type == orbek::ValueType::Object;
                        sent.push_back(i == varied ? junk.sent : object ? *nothing : *one);
                    }
                    const CallResult outcome = call(server.object, method.dispid, sent);
                    if (!is_defined_answer(outcome) && wrong.size() < 300) {
                        wrong += ' ';
                        wrong += utf8(wide(method.name)) + " argument " +
                                 std::to_string(varied + 1) + " " + kind.name + " " + how + ": " +
                                 hresult_text(outcome.result) + ";";
                    }
                }
            }
        }
    }
    return wrong;
}

// Today as the date services write it.
std::wstring today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t text[16];
    std::swprintf(text, 16, L"%02u/%02u/%04u", now.wDay, now.wMonth, now.wYear);
    return text;
}

// A variable of the caller's, how it is passed, and what it holds after the call.
enum class Passed { Variable, Typed, TypedInVariable };
struct WriteBack {
    const char* name;
    const wchar_t* method;
    Passed passed;
    Value variable;
    HRESULT result;
    VARTYPE type_after;
    std::wstring text_after;
};

std::vector<WriteBack> write_backs() {
    return {
        {"Fillhours leaves a Long variable it does not change", L"Fillhours", Passed::Variable,
         Value(930L), S_OK, VT_I4, L"930"},
        {"Fillhours into a typed text", L"Fillhours", Passed::Typed, Value(L""), S_OK, VT_BSTR,
         L"00:00"},
        {"Fillhours into a null typed text", L"Fillhours", Passed::Typed, Value::of_type(VT_BSTR),
         S_OK, VT_BSTR, L"00:00"},
        {"Fillhours into a typed text behind a script variable", L"Fillhours",
         Passed::TypedInVariable, Value(L""), S_OK, VT_BSTR, L"00:00"},
        {"FechaTxtBox puts today's date text into a Long script variable", L"FechaTxtBox",
         Passed::Variable, Value(7L), S_OK, VT_BSTR, today()},
        {"FechaTxtBox cannot put a date text into a typed Long", L"FechaTxtBox", Passed::Typed,
         Value(7L), DISP_E_TYPEMISMATCH, VT_I4, L"7"},
    };
}

// Runs the table; returns how many rows went otherwise (`report` null: a silent round).
int check_write_backs(Report* report, IDispatch* component) {
    int wrong = 0;
    for (WriteBack& row : write_backs()) {
        VARIANT* variable = row.variable.get();
        VARIANT typed = reference(V_VT(variable), &V_UI1(variable));
        std::vector<VARIANT> arguments{
            row.passed == Passed::Variable ? reference(VT_VARIANT, variable)
            : row.passed == Passed::Typed  ? typed
                                           : reference(VT_VARIANT, &typed)};
        if (row.method == std::wstring(L"FechaTxtBox")) {
            arguments.insert(arguments.begin(), *Value(1L));
        }
        const CallResult outcome = call(component, row.method, arguments);
        const bool right = outcome.result == row.result && V_VT(variable) == row.type_after &&
                           row.variable.text() == row.text_after &&
                           (row.result != DISP_E_TYPEMISMATCH || outcome.argument_error == 0);
        wrong += right ? 0 : 1;
        if (report != nullptr) {
            report->check(std::string("write-back: ") + row.name, right,
                          hresult_text(outcome.result) + " at " +
                              std::to_string(outcome.argument_error) + "; the variable holds " +
                              std::to_string(V_VT(variable)) + " " + utf8(row.variable.text()));
        }
    }
    return wrong;
}

// Named arguments, which scripts cannot send: in any order and letter case, after positional
// ones. rgvarg holds the named ones first, in the order of their names, then the positional
// ones last first.
int check_named_calls(Report* report, const std::vector<Server>& servers) {
    const struct {
        std::size_t server;
        std::vector<const wchar_t*> names; // the method, then the named arguments
        std::vector<const wchar_t*> sent;  // as rgvarg holds them
        const wchar_t* result;
    } calls[] = {
        {1, {L"PadText", L"WIDTH", L"text"}, {L"3", L"5"}, L"005"},
        {1, {L"PadText", L"fill", L"width"}, {L"*", L"3", L"5"}, L"**5"},
        {0, {L"RestaHoras", L"Hora2", L"hora1"}, {L"08:30:00", L"10:00:00"}, L"01:30:00"},
        {0,
         {L"SumaHoras", L"Hora5", L"Hora2", L"Hora1"},
         {L"00:00:30", L"00:30:00", L"01:00:00"},
         L"01:30:30"},
    };
    int wrong = 0;
    for (const auto& c : calls) {
        std::vector<DISPID> ids(c.names.size());
        servers[c.server].object->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(c.names.data()),
                                                static_cast<UINT>(ids.size()), 0, ids.data());
        const std::vector<Value> values(c.sent.begin(), c.sent.end());
        std::vector<VARIANT> sent = variants(values);
        DISPPARAMS params{sent.data(), ids.data() + 1, static_cast<UINT>(sent.size()),
                          static_cast<UINT>(ids.size() - 1)};
        const CallResult outcome = invoke(servers[c.server].object, ids[0], &params);
        const bool right = outcome.result == S_OK && outcome.value.text() == c.result;
        wrong += right ? 0 : 1;
        if (report != nullptr) {
            std::string name = utf8(c.names[0]) + "(";
            for (std::size_t i = 1; i < c.names.size(); ++i) {
                name += utf8(c.names[i]) + ":=" + utf8(c.sent[i - 1]) + ", ";
            }
            report->check("named arguments: " + name + "...)", right,
                          hresult_text(outcome.result) + " " + utf8(outcome.value.text()));
        }
    }
    return wrong;
}

// A request shaped in one way: how many arguments, which of them named (DISPIDs), what is
// left out of it.
struct Shape {
    const IID* iid = &IID_NULL;
    WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    bool no_params = false;
    UINT count = 0;
    std::vector<DISPID> named;
    bool no_array = false;
    bool no_names = false;
    bool outputs = true; // places for the result, the exception and the argument's index
};

const UINT NoIndex = 0xFFFF;

// What Invoke answers a shape with before it reads any value: the HRESULT and the index in
// puArgErr. S_FALSE: the call goes ahead and gets any defined answer.
std::pair<HRESULT, UINT> expected_answer(const Shape& shape, const MethodDecl& method) {
    const std::size_t declared = method.args.size();
    if (*shape.iid != IID_NULL) {
        return {DISP_E_UNKNOWNINTERFACE, NoIndex};
    }
    if ((shape.flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0) {
        return {DISP_E_MEMBERNOTFOUND, NoIndex};
    }
    if (shape.no_params || (shape.count > 0 && shape.no_array) ||
        shape.named.size() > shape.count || (!shape.named.empty() && shape.no_names)) {
        return {E_INVALIDARG, NoIndex};
    }
    if (shape.count > declared) {
        return {DISP_E_BADPARAMCOUNT, NoIndex};
    }
    std::vector<bool> given(declared);
    std::fill_n(given.begin(), shape.count - shape.named.size(), true);
    for (UINT place = 0; place < shape.named.size(); ++place) {
        const DISPID id = shape.named[place];
        if (id < 0 || static_cast<std::size_t>(id) >= declared || given[id]) {
            return {DISP_E_PARAMNOTFOUND, shape.outputs ? place : NoIndex};
        }
        given[id] = true;
    }
    for (std::size_t i = 0; i < declared; ++i) {
        if (!given[i] && !method.args[i].optional) {
            return {DISP_E_PARAMNOTOPTIONAL, NoIndex};
        }
    }
    return {S_FALSE, NoIndex};
}

// The shapes: a few wrong headers, then every count of arguments (none, one, all, one too
// many) with every list of up to two named ones among the DISPIDs -1, 0, 1, the last and the
// one after it, each with and without its arrays.
std::vector<Shape> shapes_for(const MethodDecl& method) {
    std::vector<Shape> shapes(4);
    shapes[0].iid = &IID_IDispatch;
    shapes[1].flags = DISPATCH_PROPERTYPUT;
    shapes[2].flags = 0;
    shapes[3].no_params = true;
    const auto declared = static_cast<DISPID>(method.args.size());
    const DISPID ids[] = {-1, 0, 1, declared - 1, declared};
    std::vector<std::vector<DISPID>> lists{{}};
    for (const DISPID first : ids) {
        lists.push_back({first});
        for (const DISPID second : ids) {
            lists.push_back({first, second});
        }
    }
    for (const UINT count :
         {0u, 1u, static_cast<UINT>(declared), static_cast<UINT>(declared + 1)}) {
        for (const auto& named : lists) {
            for (int missing = 0; missing < 3; ++missing) {
                Shape shape;
                shape.count = count;
                shape.named = named;
                shape.no_array = missing == 1;
                shape.no_names = missing == 2;
                shape.outputs = shapes.size() % 2 == 0;
                shapes.push_back(shape);
            }
        }
    }
    return shapes;
}

CallResult send(IDispatch* object, DISPID member, const Shape& shape) {
    const Value one(L"1");
    std::vector<VARIANT> values(std::max<UINT>(shape.count, 1), *one);
    std::vector<DISPID> named = shape.named;
    DISPPARAMS params{shape.no_array ? nullptr : values.data(),
                      shape.no_names || named.empty() ? nullptr : named.data(), shape.count,
                      static_cast<UINT>(named.size())};
    return invoke(object, member, shape.no_params ? nullptr : &params, shape.flags, *shape.iid,
                  shape.outputs);
}

// Every shape to every method that may be sent junk, and a call to DISPIDs no method has.
std::string send_malformed(const Server& server) {
    std::string wrong;
    for (const MethodDecl& method : server.declared.methods) {
        for (const Shape& shape :
             server.is_safe(method) ? shapes_for(method) : std::vector<Shape>{}) {
            const auto [result, index] = expected_answer(shape, method);
            const CallResult outcome = send(server.object, method.dispid, shape);
            // Without EXCEPINFO a method's own error shows only as DISP_E_EXCEPTION.
            const bool raised = !shape.outputs && outcome.result == DISP_E_EXCEPTION;
            const bool right = result == S_FALSE
                                   ? is_defined_answer(outcome) || raised
                                   : outcome.result == result && outcome.argument_error == index;
            if (!right && wrong.size() < 300) {
                wrong += ' ';
                wrong += utf8(wide(method.name)) + " " + std::to_string(shape.count) +
                         " arguments, " + std::to_string(shape.named.size()) +
                         " named: " + hresult_text(outcome.result) + " at " +
                         std::to_string(outcome.argument_error) + ";";
            }
        }
    }
    const DISPID first = server.declared.methods.front().dispid;
    const DISPID last = server.declared.methods.back().dispid;
    for (const DISPID absent : {first - 1, last + 1, DISPID(0), DISPID(DISPID_NEWENUM)}) {
        const HRESULT answer = call(server.object, absent, {}).result;
        if (answer != DISP_E_MEMBERNOTFOUND) {
            wrong += " DISPID " + std::to_string(absent) + ": " + hresult_text(answer) + ";";
        }
    }
    return wrong;
}

// Bytes in the busy blocks of every heap of the process: BSTRs and the servers' own
// allocations alike. A fixed array, so that the walk allocates nothing itself.
long long heap_bytes() {
    HANDLE heaps[256];
    const DWORD count = std::min<DWORD>(GetProcessHeaps(256, heaps), 256);
    long long total = 0;
    for (DWORD index = 0; index < count; ++index) {
        HeapLock(heaps[index]);
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[index], &entry)) {
            total += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
        }
        HeapUnlock(heaps[index]);
    }
    return total;
}

// Every call above 50 times between two measurements of the heaps and of the references held
// on the servers' objects, after a first round that fills what lives as long as the process.
// A round may grow the heap by half the smallest real leak (a BSTR of a few characters takes
// a 16-byte block), the references not at all. `leak`: each round also keeps a BSTR and a
// reference, which the measurement must see.
void check_growth(Report& report, const std::vector<Server>& servers, bool leak) {
    const int rounds = 50;
    auto held = [&] {
        long total = 0;
        for (const Server& server : servers) {
            server.object->AddRef();
            total += static_cast<long>(server.object->Release());
        }
        return total;
    };
    auto round = [&] {
        int wrong =
            check_write_backs(nullptr, servers[0].object) + check_named_calls(nullptr, servers);
        for (const Server& server : servers) {
            wrong += send_every_kind(server).empty() && send_malformed(server).empty() ? 0 : 1;
        }
        return wrong;
    };
    round();
    std::vector<BSTR> kept;
    kept.reserve(rounds);
    const long long bytes = heap_bytes();
    const long references = held();
    int wrong = 0;
    for (int i = 0; i < rounds; ++i) {
        if (leak) {
            kept.push_back(SysAllocString(L"x"));
            servers[0].object->AddRef();
        }
        wrong += round();
    }
    const long long grown = heap_bytes() - bytes;
    const long added = held() - references;
    for (BSTR text : kept) {
        SysFreeString(text);
        servers[0].object->Release();
    }
    const long long limit = rounds * 8;
    const std::string shown = std::to_string(grown) + " bytes and " + std::to_string(added) +
                              " references more, " + std::to_string(wrong) + " wrong answers";
    if (leak) {
        report.check("the leak check sees a BSTR and a reference left a round (" + shown + ")",
                     grown > limit && added == rounds, "the leak went unseen");
    } else {
        report.check("nothing left behind by every call above (" + shown + ")",
                     wrong == 0 && grown <= limit && added == 0, "something was left behind");
    }
}

} // namespace

int wmain() {
    Report report;
    Apartment apartment;
    std::vector<Server> servers{
        {"OrbekDLL",
         L"Orbek_DLL.OrbekDLL",
         orbek::OrbekDllInterface,
         {L"Delay", L"ProgressBar", L"STIProgressBar", L"ProgressShow", L"FechaValida", L"WrINI",
          L"sSplash", L"ArchStay", L"Log"}},
        {"SysTools",
         L"MireldaSys.SysTools",
         orbek::SysToolsInterface,
         {L"ShowSystemInfo", L"CloseEffect"}},
    };
    bool created = true;
    for (Server& server : servers) {
        HRESULT result = S_OK;
        server.object = create_by_prog_id(server.prog_id, &result);
        created = report.hresult("create " + utf8(server.prog_id), result, S_OK) && created;
    }
    if (created) {
        check_argument_kinds(report, servers[1].object);
        check_write_backs(&report, servers[0].object);
        check_named_calls(&report, servers);
        for (const Server& server : servers) {
            const std::string junk = send_every_kind(server);
            report.check(std::string(server.label) + ": every kind of value in every place",
                         junk.empty(), "undefined answers:" + junk);
            const std::string malformed = send_malformed(server);
            report.check(std::string(server.label) + ": malformed requests", malformed.empty(),
                         malformed);
        }
        check_growth(report, servers, true);
        check_growth(report, servers, false);
    }
    for (Server& server : servers) {
        if (server.object != nullptr) {
            server.object->Release();
        }
    }
    report.done();
    return 0;
}
