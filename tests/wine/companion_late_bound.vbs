' MireldaSys.SysTools reached late-bound, as a script or the host's own code reaches it.
Dim tools, c, text, padded, days, bits, module, plain, encoded, ignored, wrong
Set tools = CreateObject("MireldaSys.SysTools")

For Each c In Array(Array("7", 2, "07"), Array("12", 2, "12"), Array("123", 2, "123"), _
                    Array("5", 4, "0005"), Array("1999", 4, "1999"), Array("0", 2, "00"))
    CheckEqual "PadText(" & Quoted(c(0)) & ", " & c(1) & ")", tools.PadText(c(0), c(1)), c(2)
Next

CheckEqual "PadText(""7"", 4, ""*"") fills with its third argument", tools.PadText("7", 4, "*"), _
           "***7"
CheckEqual "PadText(""-5"", 4) keeps the sign in front", tools.PadText("-5", 4), "-005"

text = "9"
padded = tools.PadText(text, 2)
CheckEqual "PadText of a variable", padded, "09"
CheckEqual "PadText leaves the variable as it was", text, "9"

For Each c In Array(Array(1, 2024, 31), Array(2, 2024, 29), Array(2, 2023, 28), _
                    Array(2, 1900, 28), Array(2, 2000, 29), Array(4, 2024, 30), _
                    Array(11, 1999, 30), Array(12, 1999, 31))
    CheckEqual "DaysInMonth(" & c(0) & ", " & c(1) & ")", tools.DaysInMonth(c(0), c(1)), c(2)
Next

On Error Resume Next
days = tools.DaysInMonth(13, 2024)
CheckErr "DaysInMonth(13, 2024)", 5
CheckEqual "its error names MireldaSys", LastErrorSource, "MireldaSys"
CheckEqual "its error is described", LastErrorDescription, "Invalid procedure call or argument"
days = tools.DaysInMonth(0, 2024)
CheckErr "DaysInMonth(0, 2024)", 5
days = tools.DaysInMonth("abc", 2024)
CheckErr "DaysInMonth(""abc"", 2024)", 13
days = tools.DaysInMonth(2, 100000)
CheckErr "DaysInMonth(2, 100000)", 6
ignored = tools.DecodeText("not an encoded text")
CheckErr "DecodeText of a text that was never encoded", 5
tools.CloseEffect 0, 3135, 0, 0
CheckErr "CloseEffect on a window handle that is no window", 5
ignored = tools.NoSuchOperation()
CheckErr "an operation SysTools does not have", 438
ignored = tools.PadText("7")
CheckErr "PadText without its width", 449
On Error GoTo 0

For Each plain In Array("", "1", "65535", "M" & Chr(243) & "dulo " & Chr(241), String(300, "x"))
    encoded = tools.EncodeText(plain)
    CheckEqual "DecodeText(EncodeText(" & Quoted(Left(plain, 12)) & "))", _
               tools.DecodeText(encoded), plain
    If Len(plain) > 0 Then
        Check "EncodeText(" & Quoted(Left(plain, 12)) & ") hides its text", encoded <> plain, _
              "got " & Quoted(encoded)
    End If
Next

For Each c In Array(0, 1, 5, 32768, 65535)
    bits = tools.ToBitText(CStr(c))
    Check "ToBitText(" & Quoted(c) & ") has at least 16 digits", Len(bits) >= 16, Quoted(bits)
    wrong = ""
    For module = 1 To 16
        If Mid(bits, Len(bits) + 1 - module, 1) <> CStr((c \ (2 ^ (module - 1))) Mod 2) Then
            wrong = wrong & " " & module
        End If
    Next
    Check "ToBitText(" & Quoted(c) & ") sets exactly the flags of " & c, wrong = "", _
          "wrong flags" & wrong & " in " & Quoted(bits)
Next

text = tools.DateToText(DateSerial(2026, 12, 5), "E", "", True, True)
Check "DateToText of 5 December 2026 names the year", InStr(text, "2026") > 0, Quoted(text)
Check "DateToText of 5 December 2026 names the day", InStr(text, "5") > 0, Quoted(text)

Done
