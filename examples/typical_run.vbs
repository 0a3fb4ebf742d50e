' A host routine that posts a batch of records, calling Orbek_DLL as the host program does:
' the usage log is opened, a progress window follows the records, the worked times of each
' record are added up and checked against a whole day, the user's rights are asked for a
' module, and the log is closed. Calls of services this build does not carry yet are made
' all the same and say so.
Option Explicit

Dim orbek, tools, records, record, count, index, worked, total, seconds, rights, module
Dim settings, result

Sub Outcome(what)
    If Err.Number = 0 Then
        WScript.Echo "  " & what & ": done"
    ElseIf Err.Number = 445 Then
        WScript.Echo "  " & what & ": not available in this build"
    Else
        WScript.Echo "  " & what & ": error " & Err.Number & " (" & Err.Description & ")"
    End If
    Err.Clear
End Sub

Function Padded(text, width)
    Padded = text & Space(width - Len(text))
End Function

Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
Set tools = CreateObject("MireldaSys.SysTools")

WScript.Echo "Starting work"
On Error Resume Next
orbek.Log 1, "Posting"
Outcome "Log, start line"
settings = orbek.RdINIStr("Posting", "Department")
Outcome "RdINIStr, the routine's options"
On Error GoTo 0

' Each record: who, the worked time, the extra time.
records = Array(Array("Ana", "07:45:00", "00:30:00"), _
                Array("Bruno", "08:10:30", "01:05:00"), _
                Array("Carmen", "06:55:15", "00:00:00"), _
                Array("Diego", "09:20:00", "02:15:45"))
count = UBound(records) + 1
total = "00:00:00"

WScript.Echo "Posting " & count & " records"
For index = 0 To count - 1
    record = records(index)
    On Error Resume Next
    result = orbek.ProgressBar(index + 1, 0, count, "Record " & (index + 1), "Posting")
    If index = 0 Then Outcome "ProgressBar, the progress window"
    Err.Clear
    On Error GoTo 0
    worked = orbek.SumaHoras(record(1), record(2))
    total = orbek.SumaHoras(total, worked)
    WScript.Echo "  " & Padded(record(0), 8) & record(1) & " + " & record(2) & " = " & worked & _
                 " (" & FormatNumber(orbek.HrsNumericas(Left(worked, 5)), 2) & " h)" & _
                 "   running total " & total
Next

seconds = orbek.Hrs2Seg(total)
WScript.Echo "Total worked: " & total & " (" & seconds & " seconds)"
If orbek.MasDeUnDia(seconds) Then
    WScript.Echo "The batch adds up to more than a whole day of work."
Else
    WScript.Echo "The batch stays within one day of work."
End If
WScript.Echo "Longest record beyond the shortest: " & _
             orbek.RestaHoras(orbek.SumaHoras(records(3)(1), records(3)(2)), _
                              orbek.SumaHoras(records(2)(1), records(2)(2)))

' The user's rights as the host stores them: modules 1 and 3 granted.
rights = tools.EncodeText("5")
WScript.Echo "Rights text " & rights & ":"
For module = 1 To 4
    If orbek.Acceso(rights, module) Then
        WScript.Echo "  module " & module & ": granted"
    Else
        WScript.Echo "  module " & module & ": denied"
    End If
Next

WScript.Echo "Leaving"
On Error Resume Next
orbek.Log 2, "Posting", "Ana", Date, Date, "Batch of " & count & " records posted"
Outcome "Log, record line"
orbek.Log 3, "Posting"
Outcome "Log, end line"
On Error GoTo 0
