' The usage log and the folder markers as the host writes them: C:\Kalvix\Tesmara.Log with its
' banner, start, record, end and closing version lines, the marker that moves the log into
' C:\Kalvix\Log\, the errors ArchStay reports, and Log calls that must never raise. Files are
' read back whole once the component has closed them and compared byte for byte: both sides
' of the comparison go through the ANSI code page (Chr, and the file system object reading
' ANSI text), and the file's size must be the number of characters expected.
Dim fso, orbek, tools, started, today, a, b, c, d

Const Kalvix = "C:\Kalvix\"
Const BaseLog = "C:\Kalvix\Tesmara.Log"
Const SubLog = "C:\Kalvix\Log\Tesmara.Log"
Const Marker = "C:\Kalvix\Log\Log.Dir"

Set fso = CreateObject("Scripting.FileSystemObject")
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
Set tools = CreateObject("MireldaSys.SysTools")
started = Now
today = tools.DateToText(Date, "E", "", True, True)

Dim Stars, Blank, Company, Street, Postal, Abroad, Web, Sales, Support, Initials
Stars = String(60, "*")
Blank = "*" & Space(58) & "*"
Company = "*              Kalvix Sistemas, S.A. de C.V.               *"
Street = "*   Av. Miramar 2140, Piso 3 - Tel. (33) 3555-0142         *"
Postal = "*   Col. Arboledas, Valdera, Jal., C.P. 45120              *"
Abroad = "*   Internacional: +52 (33) 3555-0142                      *"
Web = "*   http://www.kalvix-sistemas.example                     *"
Sales = "*   Ventas: ventas@kalvix-sistemas.example                 *"
Support = "*   Soporte: soporte@kalvix-sistemas.example               *"
Initials = "*                                                     (QLB)*"

Function OpeningVersion(version)
    OpeningVersion = "***** Tesmara 2, Versi" & Chr(243) & "n: " & version & " " & today & " *****"
End Function

Function ClosingVersion(version)
    ClosingVersion = "***** " & Chr(171) & "Tesmara 2" & Chr(187) & ", Versi" & Chr(243) & _
                     "n: " & version & " " & today & " *****"
End Function

' Lines as a file holds them, each ended by CR LF.
Function Lines(list)
    Dim line
    Lines = ""
    For Each line In list
        Lines = Lines & line & vbCrLf
    Next
End Function

' The fifteen lines a new log begins with.
Function Banner(version)
    Banner = Lines(Array(Stars, Blank, Company, Blank, Street, Blank, Web, Blank, Sales, Support, _
                         Initials, Stars, "", OpeningVersion(version), ""))
End Function

Function Two(number)
    Two = Right("0" & number, 2)
End Function

Function MomentText(t)
    MomentText = Two(Day(t)) & "/" & Two(Month(t)) & "/" & Year(t) & " " & Two(Hour(t)) & ":" & _
                 Two(Minute(t)) & ":" & Two(Second(t))
End Function

' The "dd/mm/yyyy HH:MM:SS" that ends `line` when it is a moment of this run, else "{now}".
Function MomentAtEnd(line)
    Dim m, t
    MomentAtEnd = "{now}"
    m = Right(line, 19)
    If Len(m) <> 19 Then Exit Function
    If Not (IsNumeric(Left(m, 2)) And IsNumeric(Mid(m, 4, 2)) And IsNumeric(Mid(m, 7, 4)) And _
            IsNumeric(Mid(m, 12, 2)) And IsNumeric(Mid(m, 15, 2)) And IsNumeric(Mid(m, 18, 2))) Then
        Exit Function
    End If
    t = DateSerial(CInt(Mid(m, 7, 4)), CInt(Mid(m, 4, 2)), CInt(Left(m, 2))) + _
        TimeSerial(CInt(Mid(m, 12, 2)), CInt(Mid(m, 15, 2)), CInt(Mid(m, 18, 2)))
    If MomentText(t) = m And CDbl(t) >= CDbl(started) - 1 / 86400 And _
       CDbl(t) <= CDbl(Now) + 1 / 86400 Then
        MomentAtEnd = m
    End If
End Function

Function FileText(path)
    FileText = ""
    Dim stream
    If fso.GetFile(path).Size > 0 Then
        Set stream = fso.OpenTextFile(path, 1, False, 0)
        FileText = stream.ReadAll
        stream.Close
    End If
End Function

' The file holds exactly the text `expected`; a line ending in "{now}" ends in a moment of
' this run instead.
Sub CheckFile(name, path, expected)
    Dim actual, got, wanted, i, line
    If Not fso.FileExists(path) Then
        Check name, False, path & " is missing"
        Exit Sub
    End If
    actual = FileText(path)
    got = Split(actual, vbCrLf)
    wanted = Split(expected, vbCrLf)
    expected = ""
    For i = 0 To UBound(wanted) - 1
        line = wanted(i)
        If Right(line, 5) = "{now}" And i <= UBound(got) Then
            line = Left(line, Len(line) - 5) & MomentAtEnd(got(i))
        End If
        expected = expected & line & vbCrLf
    Next
    If actual = expected And fso.GetFile(path).Size = Len(expected) Then
        Check name, True, ""
        Exit Sub
    End If
    wanted = Split(expected, vbCrLf)
    For i = 0 To UBound(wanted)
        If i > UBound(got) Then
            Check name, False, "line " & (i + 1) & " missing: " & Quoted(wanted(i))
            Exit Sub
        End If
        If got(i) <> wanted(i) Then
            Check name, False, "line " & (i + 1) & " is " & Quoted(got(i)) & ", expected " & _
                  Quoted(wanted(i))
            Exit Sub
        End If
    Next
    Check name, False, fso.GetFile(path).Size & " bytes, expected " & Len(expected)
End Sub

Sub FreshKalvix()
    If fso.FolderExists("C:\Kalvix") Then fso.DeleteFolder "C:\Kalvix", True
    fso.CreateFolder "C:\Kalvix"
End Sub

Check "the ANSI code page is a single-byte one", Len(Chr(243)) = 1 And Asc(Chr(243)) = 243, _
      "Chr(243) is " & Quoted(Chr(243))

' A period of use on a new log, then a second one: no banner the second time.
FreshKalvix
orbek.Log 1, "Posting", , , , , "", "  ana  ", "7.1"
a = " Juan "
b = DateSerial(2023, 3, 15)
c = "16/03/2023"
d = "ok"
orbek.Log 2, " Posting ", a, b, c, d, "", "ana"
CheckEqual "Log writes back Empleado trimmed, with its separator", a, "Juan, "
CheckEqual "Log writes back a date as its short text", b, "15/03/2023, "
CheckEqual "Log writes back FecFin", c, "16/03/2023, "
CheckEqual "Log writes back Comentario", d, "ok, "
orbek.Log 2, "Posting", , , , , "", "ana"
a = Null
b = "15/03/2023"
c = Null
d = Null
orbek.Log 2, "Posting", a, b, c, d, "", "ana"
CheckEqual "Log writes back a Null value as empty text", a, ""
CheckEqual "Log writes back the one value given", b, "15/03/2023, "
a = "Juan"
orbek.Log 2, "   ", a, , , , "", "   "
b = ""
orbek.Log 2, "Posting", , b, , , "", "ana"
CheckEqual "Log writes back an empty text with its separator", b, ", "
orbek.Log 3, "Posting", , , , , "", "ana", "7.1"
Dim firstPeriod
firstPeriod = Banner("7.1") & Lines(Array( _
    "ana: Inicia el Uso de Tesmara. {now}", _
    "ana, Posting, Juan, 15/03/2023, 16/03/2023, ok,  {now}", _
    "ana, Posting {now}", _
    "ana, Posting, 15/03/2023,  {now}", _
    "Usuario, Juan,  {now}", _
    "ana, Posting, ,  {now}", _
    "ana, Finaliza el Uso de Tesmara. {now}", "", ClosingVersion("7.1"), ""))
CheckFile "a new log: banner, start line, records with all, none and some values, end", _
          BaseLog, firstPeriod
orbek.Log 1, "Posting", , , , , "", "bea", "7.2"
orbek.Log 3, "Posting", , , , , "", "bea"
CheckFile "a second period of use on the same log has no banner", BaseLog, _
          firstPeriod & Lines(Array("bea: Inicia el Uso de Tesmara. {now}", _
                                    "bea, Finaliza el Uso de Tesmara. {now}", "", _
                                    ClosingVersion(""), ""))

' The marker C:\Kalvix\Log\Log.Dir moves the log into that folder.
FreshKalvix
On Error Resume Next
orbek.ArchStay "C:\Kalvix\Log\", "Log", "2.0 " & Chr(171) & Chr(128) & Chr(187)
CheckErr "ArchStay makes C:\Kalvix\Log\ and its marker", 0
orbek.ArchStay "C:\Kalvix\Log\", "Log", "7.1"
CheckErr "ArchStay writes an existing marker anew", 0
On Error GoTo 0
Dim markerLines
markerLines = Array("", Stars, Blank, Company, Blank, Street, Blank, Postal, Blank, Abroad, _
                    Blank, Web, Blank, Sales, Support, Initials, Stars, "", _
                    ClosingVersion("7.1"), "")
CheckFile "the marker holds one copy of its twenty lines", Marker, Lines(markerLines)
orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
orbek.Log 3, "Posting", , , , , "", "ana", "7.1"
CheckFile "with the marker the log goes into C:\Kalvix\Log\", SubLog, _
          Banner("7.1") & Lines(Array("ana: Inicia el Uso de Tesmara. {now}", _
                                      "ana, Finaliza el Uso de Tesmara. {now}", "", _
                                      ClosingVersion("7.1"), ""))
Check "with the marker nothing goes into C:\Kalvix\", Not fso.FileExists(BaseLog), _
      BaseLog & " was written"
orbek.ArchStay "C:\Kalvix\Log\", "Log", "2.0 " & Chr(171) & Chr(128) & Chr(187)
markerLines(18) = ClosingVersion("2.0 " & Chr(171) & Chr(128) & Chr(187))
CheckFile "a version line keeps the code page's characters", Marker, Lines(markerLines)

' ArchStay's failures reach the caller and leave an old marker as it was.
Dim held
On Error Resume Next
orbek.ArchStay "C:\Kalvix\No\Log\", "Log", "7.1"
CheckErr "ArchStay in a folder whose parent is missing", 76
orbek.ArchStay "C:\Kalvix\Log\", "Other", "7.1"
CheckErr "ArchStay in a folder that is there without its marker", 75
orbek.ArchStay "C:\Kalvix\Log\", "LOG", "7.1"
CheckErr "ArchStay on a marker named in another letter case", 75
orbek.ArchStay "C:\Kalvix\Log\", "a|b", "7.1"
CheckErr "ArchStay with a name Windows refuses", 52
fso.GetFile(Marker).Attributes = 1
orbek.ArchStay "C:\Kalvix\Log\", "Log", "7.1"
CheckErr "ArchStay on a read-only marker", 75
fso.GetFile(Marker).Attributes = 2
orbek.ArchStay "C:\Kalvix\Log\", "Log", "7.1"
CheckErr "ArchStay on a hidden marker, which it does not see", 75
fso.GetFile(Marker).Attributes = 0
Set held = fso.OpenTextFile(Marker, 8, False, 0)
orbek.ArchStay "C:\Kalvix\Log\", "Log", "7.1"
CheckErr "ArchStay on a marker another program holds open", 70
held.Close
On Error GoTo 0
CheckFile "a failed ArchStay leaves the marker as it was", Marker, Lines(markerLines)

' Log never raises and writes nothing where it must not.
FreshKalvix
orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
orbek.Log 3, "Posting", , , , , "", "ana", "7.1"
Dim closed
closed = FileText(BaseLog)
On Error Resume Next
orbek.Log 2, "Posting", "A", Null, Null, Null, "", "ana"
CheckErr "Log 2 with no log open", 0
orbek.Log 3, "Posting"
CheckErr "Log 3 with no log open", 0
orbek.Log 1, "Posting", , , , , "No", "ana"
CheckErr "Log 1 with LogFileOp ""No""", 0
Set held = fso.OpenTextFile(BaseLog, 8, False, 0)
orbek.Log 1, "Posting", , , , , "", "ana"
CheckErr "Log 1 on a log another program holds open", 0
held.Close
orbek.Log 2, "Posting", "A"
CheckErr "Log 2 after a start that could not open the log", 0
fso.GetFile(BaseLog).Attributes = 1
orbek.Log 1, "Posting", , , , , "", "ana"
CheckErr "Log 1 on a read-only log", 0
fso.GetFile(BaseLog).Attributes = 0
On Error GoTo 0
CheckEqual "none of them wrote a line", FileText(BaseLog), closed

orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
On Error Resume Next
Dim mode
For Each mode In Array(0, 4, 255)
    orbek.Log mode, "Posting", "A", "B", "C", "D", "", "ana", "7.1"
    CheckErr "Log with Modo123 " & mode, 0
Next
a = " A "
b = Null
orbek.Log 2, "Posting", a, b, fso, "D", "No", "ana"
CheckErr "Log 2 with LogFileOp ""No""", 0
CheckEqual "Log 2 with LogFileOp ""No"" writes nothing back", a, " A "
orbek.Log 2, "Posting", a, b, fso, "D", "", "ana"
CheckErr "Log 2 with an object among its values", 0
CheckEqual "the values before the object are written back", b, ""
orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
CheckErr "Log 1 while the log is open", 0
orbek.Log 3, "Posting", , , , , "", "ana", "7.1"
CheckErr "Log 3 after all that", 0
On Error GoTo 0
CheckFile "only the start and end lines were written", BaseLog, closed & Lines( _
          Array("ana: Inicia el Uso de Tesmara. {now}", "ana, Finaliza el Uso de Tesmara. {now}", _
                "", ClosingVersion("7.1"), ""))

fso.DeleteFolder "C:\Kalvix", True
On Error Resume Next
orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
CheckErr "Log 1 without C:\Kalvix\", 0
orbek.Log 2, "Posting", "A", Null, Null, Null, "", "ana"
CheckErr "Log 2 after it", 0
On Error GoTo 0
Check "Log makes no folder of its own", Not fso.FolderExists("C:\Kalvix"), "C:\Kalvix was made"

Done
