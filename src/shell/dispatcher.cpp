#include "shell/dispatcher.h"

#include "automation/conversions.h"

namespace orbek {
namespace {

Variant bind_one(const ArgSpec& arg, const Variant& given) {
    if (arg.type == ValueType::Variant) {
        return given;
    }
    return convert_to(given, var_type_of(arg.type));
}

} // namespace

std::vector<Variant> bind_arguments(const MethodSpec& method, std::span<const Variant> given) {
    if (given.size() > method.args.size()) {
        throw VbError(vb::WrongArgumentCount);
    }
    std::vector<Variant> bound;
    bound.reserve(method.args.size());
    for (std::size_t i = 0; i < method.args.size(); ++i) {
        const ArgSpec& arg = method.args[i];
        const bool omitted = i >= given.size() || given[i].is_missing();
        if (omitted) {
            if (!arg.optional) {
                throw ArgumentError(i, VbError(vb::ArgumentNotOptional));
            }
            bound.push_back(omitted_argument_value(arg));
            continue;
        }
        try {
            bound.push_back(bind_one(arg, given[i]));
        } catch (const VbError& error) {
            throw ArgumentError(i, error);
        }
    }
    return bound;
}

Variant call_by_name(OrbekInterface& object, std::u16string_view name, std::vector<Variant>& args) {
    const MethodSpec* method = find_method(name);
    if (method == nullptr) {
        throw VbError(vb::MemberNotFound);
    }
    std::vector<Variant> bound = bind_arguments(*method, args);

    // The caller sees what the method stored in its by-reference arguments even when the
    // method fails afterwards, as with any by-reference call.
    auto write_back = [&] {
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (method->args[i].passing == Passing::ByRef && !args[i].is_missing()) {
                args[i] = bound[i];
            }
        }
    };
    try {
        Variant result = method->invoke(object, bound);
        write_back();
        return result;
    } catch (...) {
        write_back();
        throw;
    }
}

} // namespace orbek
