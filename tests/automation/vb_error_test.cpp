#include "automation/vb_error.h"

#include <gtest/gtest.h>
#include <string>

namespace orbek {
namespace {

TEST(VbError, CarriesNumberAndStandardDescription) {
    struct Case {
        int number;
        const char* description;
    };
    const Case cases[] = {
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {7, "Out of memory"},
        {9, "Subscript out of range"},
        {11, "Division by zero"},
        {13, "Type mismatch"},
        {51, "Internal error"},
        {52, "Bad file name or number"},
        {53, "File not found"},
        {55, "File already open"},
        {57, "Device I/O error"},
        {61, "Disk full"},
        {70, "Permission denied"},
        {75, "Path/File access error"},
        {76, "Path not found"},
        {91, "Object variable or With block variable not set"},
        {94, "Invalid use of Null"},
        {429, "ActiveX component can't create object"},
        {430, "Class does not support Automation or does not support expected interface"},
        {438, "Object doesn't support this property or method"},
        {440, "Automation error"},
        {445, "Object doesn't support this action"},
        {448, "Named argument not found"},
        {449, "Argument not optional"},
        {450, "Wrong number of arguments or invalid property assignment"},
        {451, "Property let procedure not defined and property get procedure did not return an "
              "object"},
        {0, "Application-defined or object-defined error"},
        {8, "Application-defined or object-defined error"},
        {1004, "Application-defined or object-defined error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_STREQ(vb_error_description(c.number), c.description);
        VbError error(c.number);
        EXPECT_EQ(error.number(), c.number);
        EXPECT_STREQ(error.what(), c.description);
    }
}

TEST(VbError, KeepsAnOwnDescription) {
    VbError error(5, "Fecha no valida");
    EXPECT_EQ(error.number(), 5);
    EXPECT_EQ(std::string(error.what()), "Fecha no valida");
}

} // namespace
} // namespace orbek
