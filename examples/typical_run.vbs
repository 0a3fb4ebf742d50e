' A host routine that posts a batch of records, calling Orbek_DLL as the host program does:
' the splash greets the user, the usage log is opened, the routine's options are read from the
' component's settings file, the posting date is checked as the host's masked date box would
' have it, a progress window follows the records while their worked times are added up and
' each gets a line in the log, the total is checked against a whole day, the user's rights
' are asked for a module, and the log is closed.
Option Explicit

' The host's masked date box and the form that holds it, as FechaValida reaches them.
Class DateBox
    Public Name
    Public Text
End Class

Class PostingForm
    Public Controls
End Class

Dim orbek, tools, records, record, count, index, worked, total, seconds, rights, module
Dim department, perPage, settingsFile, box, form, prefix, typed, user, version

Function Padded(text, width)
    Padded = text & Space(width - Len(text))
End Function

Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
Set tools = CreateObject("MireldaSys.SysTools")
user = "ana"
version = "2.5"

' The splash closes by itself a few seconds later; the routine goes on meanwhile.
orbek.sSplash "Kalvix Sistemas", "Copyright " & Chr(169) & " 2026", "Versión " & version, "Tesmara"

WScript.Echo "Starting work"
orbek.Log 1, "Posting", , , , , "", user, version
WScript.Echo "  usage log opened for " & user

' The routine's options live in the component's own settings file, beside the DLL; the first
' run writes them. The file name written back tells where that file is.
settingsFile = ""
If orbek.RdINIStr("Posting", "Department", settingsFile) = "" Then
    orbek.WrINI "Posting", "Department", "Ventas"
    orbek.WrINI "Posting", "RecordsPerPage", "4"
End If
settingsFile = ""
department = orbek.RdINIStr("Posting", "Department", settingsFile, "General")
perPage = orbek.RdINIInt("Posting", "RecordsPerPage", , 10)
WScript.Echo "  options from " & settingsFile & ": department " & department & _
             ", " & perPage & " records a page"

' The posting date as the user typed it into the form's masked date box "txtFec1".
Set box = New DateBox
box.Name = "txtFec1"
box.Text = ""
Set form = New PostingForm
form.Controls = Array(box)
prefix = " txtfec "
typed = "31/11/2026"
If orbek.FechaValida(typed, prefix, form) Then
    WScript.Echo "  posting date " & typed & " rejected"
Else
    WScript.Echo "  posting date typed " & typed & ", the box now shows " & box.Text & _
                 " (prefix " & prefix & ")"
End If

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
    orbek.ProgressBar index, 0, count, "Registro " & (index + 1) & " de " & count, "Posting"
    worked = orbek.SumaHoras(record(1), record(2))
    total = orbek.SumaHoras(total, worked)
    WScript.Echo "  " & Padded(record(0), 8) & record(1) & " + " & record(2) & " = " & worked & _
                 " (" & FormatNumber(orbek.HrsNumericas(Left(worked, 5)), 2) & " h)" & _
                 "   running total " & total
    ' Log writes back into the values the texts it used ("Ana, "), as the host expects.
    orbek.Log 2, "Posting", record(0), box.Text, , "worked " & worked, "", user
Next
' The finishing call runs the bar down, plays the closing effect and hides the window.
orbek.ProgressBar count, 0, count, "Listo", "Posting", True, True

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
orbek.Log 3, "Posting", , , , , "", user, version
WScript.Echo "  usage log closed"
