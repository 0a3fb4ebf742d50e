#include "automation/variant.h"

namespace orbek {

bool operator==(const Variant& a, const Variant& b) {
    if (a.type_ != b.type_) {
        return false;
    }
    switch (a.type_) {
    case VarType::Empty:
    case VarType::Null:
        return true;
    case VarType::Boolean:
        return a.scalar_.boolean == b.scalar_.boolean;
    case VarType::Byte:
        return a.scalar_.byte == b.scalar_.byte;
    case VarType::Integer:
        return a.scalar_.integer == b.scalar_.integer;
    case VarType::Long:
        return a.scalar_.whole == b.scalar_.whole;
    case VarType::Single:
        return a.scalar_.single == b.scalar_.single;
    case VarType::Double:
        return a.scalar_.real == b.scalar_.real;
    case VarType::Currency:
        return a.scalar_.money == b.scalar_.money;
    case VarType::Date:
        return a.scalar_.date == b.scalar_.date;
    case VarType::Error:
        return a.scalar_.error == b.scalar_.error;
    case VarType::String:
        return a.text() == b.text();
    case VarType::Object:
        return a.object_ == b.object_;
    }
    return false;
}

} // namespace orbek
