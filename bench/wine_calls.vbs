' Cost of late-bound calls into the component from the host's script engine, as ratios to a
' loop calling a builtin of the engine, measured in the same run. Prints a Markdown table.
Option Explicit

Const Rounds = 50000
Dim orbek, i, start, baseline, s, result

Set orbek = CreateObject("Orbek_DLL.OrbekDLL")

Function Elapsed(since)
    Elapsed = Timer - since
    If Elapsed <= 0 Then Elapsed = 0.001
End Function

Sub Report(name, seconds)
    WScript.Echo "| " & name & " | " & FormatNumber(seconds * 1000000 / Rounds, 2) & " us | " & _
                 FormatNumber(seconds / baseline, 1) & " |"
End Sub

start = Timer
For i = 1 To Rounds
    result = Len("01:30:15")
Next
baseline = Elapsed(start)

WScript.Echo "| loop | time a call | ratio to baseline |"
WScript.Echo "|---|---|---|"
Report "Len (baseline, the engine's builtin)", baseline

start = Timer
For i = 1 To Rounds
    result = orbek.MasDeUnDia(86400)
Next
Report "MasDeUnDia", Elapsed(start)

start = Timer
For i = 1 To Rounds
    result = orbek.Hrs2Seg("01:30:15")
Next
Report "Hrs2Seg", Elapsed(start)

start = Timer
For i = 1 To Rounds
    s = ""
    result = orbek.Fillhours(s)
Next
Report "Fillhours with write-back", Elapsed(start)

start = Timer
For i = 1 To Rounds
    result = orbek.SumaHoras("01:30:00", "00:45:30", "02:00:15", "00:00:45", "10:10:10", "03:03:03")
Next
Report "SumaHoras of six times", Elapsed(start)
