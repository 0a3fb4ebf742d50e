' What a record line of the usage log costs a scripted host, against the file system object's
' TextStream.WriteLine of the same text in the same run: both loops make the same assignments
' and write one line of the same length a round. Prints a Markdown table.
Option Explicit

Const Rounds = 20000
Dim fso, orbek, baseline, employee, initial, comment, line

Set fso = CreateObject("Scripting.FileSystemObject")
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
If Not fso.FolderExists("C:\Kalvix") Then fso.CreateFolder "C:\Kalvix"
If fso.FileExists("C:\Kalvix\Tesmara.Log") Then fso.DeleteFile "C:\Kalvix\Tesmara.Log", True
If fso.FileExists("C:\Kalvix\Stream.Log") Then fso.DeleteFile "C:\Kalvix\Stream.Log", True

Function Elapsed(since)
    Elapsed = Timer - since
    If Elapsed <= 0 Then Elapsed = 0.001
End Function

Sub Report(name, seconds)
    WScript.Echo "| " & name & " | " & FormatNumber(seconds * 1000000 / Rounds, 2) & " us | " & _
                 FormatNumber(seconds / baseline, 2) & " |"
End Sub

' The line Log writes below, with the moment's length.
line = "ana, Posting, Juan, 15/03/2023, ok,  06/12/2026 14:30:15"

' Best of five runs of each loop, taken in turns.
Function StreamLoop()
    Dim stream, i, start
    Set stream = fso.OpenTextFile("C:\Kalvix\Stream.Log", 8, True, 0)
    start = Timer
    For i = 1 To Rounds
        employee = " Juan "
        initial = "15/03/2023"
        comment = "ok"
        stream.WriteLine line
    Next
    StreamLoop = Elapsed(start)
    stream.Close
End Function

Function LogLoop()
    Dim i, start
    orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
    start = Timer
    For i = 1 To Rounds
        employee = " Juan "
        initial = "15/03/2023"
        comment = "ok"
        orbek.Log 2, "Posting", employee, initial, , comment, "", "ana"
    Next
    LogLoop = Elapsed(start)
    orbek.Log 3, "Posting", , , , , "", "ana", "7.1"
End Function

Dim run, streamed, logged, seconds
streamed = 1E+300
logged = 1E+300
For run = 1 To 5
    seconds = StreamLoop()
    If seconds < streamed Then streamed = seconds
    seconds = LogLoop()
    If seconds < logged Then logged = seconds
Next
baseline = streamed

WScript.Echo "| loop | time a line | ratio to WriteLine |"
WScript.Echo "|---|---|---|"
Report "TextStream.WriteLine (baseline)", streamed
Report "Log 2, a record line", logged
fso.DeleteFolder "C:\Kalvix", True
