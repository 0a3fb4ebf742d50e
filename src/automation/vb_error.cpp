#include "automation/vb_error.h"

namespace orbek {

namespace {

struct ErrorDescription {
    int number;
    const char* text;
};

constexpr ErrorDescription StandardDescriptions[] = {
    {vb::InvalidProcedureCall, "Invalid procedure call or argument"},
    {vb::Overflow, "Overflow"},
    {vb::OutOfMemory, "Out of memory"},
    {vb::SubscriptOutOfRange, "Subscript out of range"},
    {vb::DivisionByZero, "Division by zero"},
    {vb::TypeMismatch, "Type mismatch"},
    {vb::InternalError, "Internal error"},
    {vb::BadFileNameOrNumber, "Bad file name or number"},
    {vb::FileNotFound, "File not found"},
    {vb::FileAlreadyOpen, "File already open"},
    {vb::DeviceIoError, "Device I/O error"},
    {vb::DiskFull, "Disk full"},
    {vb::PermissionDenied, "Permission denied"},
    {vb::PathFileAccessError, "Path/File access error"},
    {vb::PathNotFound, "Path not found"},
    {vb::ObjectNotSet, "Object variable or With block variable not set"},
    {vb::InvalidUseOfNull, "Invalid use of Null"},
    {vb::CannotCreateObject, "ActiveX component can't create object"},
    {vb::NoAutomationInterface,
     "Class does not support Automation or does not support expected interface"},
    {vb::MemberNotFound, "Object doesn't support this property or method"},
    {vb::AutomationError, "Automation error"},
    {vb::ActionNotSupported, "Object doesn't support this action"},
    {vb::NamedArgumentNotFound, "Named argument not found"},
    {vb::ArgumentNotOptional, "Argument not optional"},
    {vb::WrongArgumentCount, "Wrong number of arguments or invalid property assignment"},
    {vb::NotAnObjectProperty,
     "Property let procedure not defined and property get procedure did not return an object"},
};

} // namespace

const char* vb_error_description(int number) {
    for (const ErrorDescription& entry : StandardDescriptions) {
        if (entry.number == number)
            return entry.text;
    }
    return "Application-defined or object-defined error";
}

VbError::VbError(int number) : VbError(number, vb_error_description(number)) {}

VbError::VbError(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

} // namespace orbek
