// Failures as the host's language reports them: an error number and its description.
#pragma once

#include <stdexcept>
#include <string>

namespace orbek {

namespace vb {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int InternalError = 51;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIoError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int CannotCreateObject = 429;
inline constexpr int NoAutomationInterface = 430;
inline constexpr int MemberNotFound = 438;
inline constexpr int AutomationError = 440;
inline constexpr int ActionNotSupported = 445;
inline constexpr int NamedArgumentNotFound = 448;
inline constexpr int ArgumentNotOptional = 449;
inline constexpr int WrongArgumentCount = 450;
inline constexpr int NotAnObjectProperty = 451;
} // namespace vb

// The standard English description of an error number ("Type mismatch" for 13);
// "Application-defined or object-defined error" for numbers without one.
const char* vb_error_description(int number);

class VbError : public std::runtime_error {
  public:
    explicit VbError(int number);
    VbError(int number, const std::string& description);
    int number() const noexcept { return number_; }

  private:
    int number_;
};

} // namespace orbek
