' Result lines for the Wine harness, put in front of every test script by run.sh; Done prints
' "# done", as a runtime error stops a script under Wine without a word and with exit code 0.
Option Explicit

Dim LastErrorNumber, LastErrorSource, LastErrorDescription

Sub Check(name, condition, detail)
    If condition Then
        WScript.Echo "ok " & name
    Else
        WScript.Echo "not ok " & name & ": " & detail
    End If
End Sub

' A value with its type, for the detail of a failed check.
Function Shown(value)
    Shown = TypeName(value)
    If Not IsObject(value) And Not IsArray(value) And Not IsNull(value) Then
        Shown = Shown & " """ & CStr(value) & """"
    End If
End Function

' Equal values; a text only equals a text (so "5" is not 5).
Sub CheckEqual(name, actual, expected)
    Dim same
    same = False
    If Not IsObject(actual) And Not IsArray(actual) And Not IsNull(actual) Then
        same = (VarType(actual) = vbString) = (VarType(expected) = vbString)
        If same Then same = (actual = expected)
    End If
    Check name, same, "got " & Shown(actual) & ", expected " & Shown(expected)
End Sub

Sub CheckType(name, value, expected_type_name)
    Check name, TypeName(value) = expected_type_name, _
          "got " & Shown(value) & ", expected a " & expected_type_name
End Sub

' Checks the error that the statement just before left, under On Error Resume Next, and
' clears it; its source and description stay in LastErrorSource and LastErrorDescription.
' (Wine's VBScript has neither Execute nor ExecuteGlobal, so the statement cannot be passed.)
Sub CheckErr(name, expected_number)
    LastErrorNumber = Err.Number
    LastErrorSource = Err.Source
    LastErrorDescription = Err.Description
    Err.Clear
    Check name, LastErrorNumber = expected_number, "error " & LastErrorNumber & " (" & _
          LastErrorDescription & "), expected " & expected_number
End Sub

' A text in quotes, for check names.
Function Quoted(text)
    Quoted = """" & text & """"
End Function

Sub Done()
    WScript.Echo "# done"
End Sub
