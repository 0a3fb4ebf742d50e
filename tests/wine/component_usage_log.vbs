' The usage log and the folder markers as the host writes them, read back byte for byte once
' the component has closed them: both sides of each comparison pass through the ANSI code page
' (Chr, and the file system object reading ANSI text), and a file's size must be the number
' of characters expected. "{now}" at the end of an expected line stands for a moment of this
' run, "dd/mm/yyyy HH:MM:SS".
Dim fso, orbek, started, today, a, b, c, d, mode, held, closed, markerLines
Set fso = CreateObject("Scripting.FileSystemObject")
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
started = Now
today = CreateObject("MireldaSys.SysTools").DateToText(Date, "E", "", True, True)

Const BaseLog = "C:\Kalvix\Tesmara.Log"
Const Marker = "C:\Kalvix\Log\Log.Dir"
Dim Stars, Blank, Company, Street, Web, Sales, Support, Initials, Start, Finish
Stars = String(60, "*")
Blank = "*" & Space(58) & "*"
Company = "*              Kalvix Sistemas, S.A. de C.V.               *"
Street = "*   Av. Miramar 2140, Piso 3 - Tel. (33) 3555-0142         *"
Web = "*   http://www.kalvix-sistemas.example                     *"
Sales = "*   Ventas: ventas@kalvix-sistemas.example                 *"
Support = "*   Soporte: soporte@kalvix-sistemas.example               *"
Initials = "*                                                     (QLB)*"
Start = "ana: Inicia el Uso de Tesmara. {now}"
Finish = "ana, Finaliza el Uso de Tesmara. {now}"

Function Closing(version)
    Closing = "***** " & Chr(171) & "Tesmara 2" & Chr(187) & ", Versi" & Chr(243) & "n: " & _
              version & " " & today & " *****"
End Function

Function Lines(list) ' as a file holds them, each ended by CR LF
    Dim line
    Lines = ""
    For Each line In list
        Lines = Lines & line & vbCrLf
    Next
End Function

Function Banner(version)
    Banner = Lines(Array(Stars, Blank, Company, Blank, Street, Blank, Web, Blank, Sales, _
                         Support, Initials, Stars, "", "***** Tesmara 2, Versi" & Chr(243) & _
                         "n: " & version & " " & today & " *****", ""))
End Function

Function Two(number)
    Two = Right("0" & number, 2)
End Function

' The line with its last 19 characters replaced by "{now}" when they are a moment of this run.
Function WithoutMoment(line)
    Dim t
    WithoutMoment = line
    For t = CDbl(started) - 1 / 86400 To CDbl(Now) + 1 / 86400 Step 1 / 86400
        If Right(line, 19) = Two(Day(t)) & "/" & Two(Month(t)) & "/" & Year(t) & " " & _
                             Two(Hour(t)) & ":" & Two(Minute(t)) & ":" & Two(Second(t)) Then
            WithoutMoment = Left(line, Len(line) - 19) & "{now}"
        End If
    Next
End Function

Function FileText(path)
    Dim stream
    FileText = ""
    If fso.GetFile(path).Size > 0 Then
        Set stream = fso.OpenTextFile(path, 1, False, 0)
        FileText = stream.ReadAll
        stream.Close
    End If
End Function

Sub CheckFile(name, path, expected)
    Dim got, wanted, i
    If Not fso.FileExists(path) Then
        Check name, False, path & " is missing"
        Exit Sub
    End If
    got = Split(FileText(path), vbCrLf)
    wanted = Split(expected, vbCrLf)
    For i = 0 To UBound(wanted)
        If i > UBound(got) Then
            Check name, False, "line " & (i + 1) & " missing: " & Quoted(wanted(i))
            Exit Sub
        ElseIf WithoutMoment(got(i)) <> wanted(i) Then
            Check name, False, "line " & (i + 1) & " is " & Quoted(got(i)) & ", expected " & _
                  Quoted(wanted(i))
            Exit Sub
        End If
    Next
    ' Each "{now}" is 5 characters for a moment's 19.
    Check name, UBound(got) = UBound(wanted) And fso.GetFile(path).Size = _
          Len(expected) + 14 * UBound(Split(expected, "{now}")), "more lines or bytes than expected"
End Sub

Sub FreshKalvix()
    If fso.FolderExists("C:\Kalvix") Then fso.DeleteFolder "C:\Kalvix", True
    fso.CreateFolder "C:\Kalvix"
End Sub

' A period of use on a new log: the banner, records with all, none and some values, the end.
FreshKalvix
orbek.Log 1, "Posting", , , , , "", "  ana  ", "7.1"
a = " Juan "
b = DateSerial(2023, 3, 15)
c = "16/03/2023"
d = ""
orbek.Log 2, " Posting ", a, b, c, d, "", "ana"
Check "Log writes back the texts it used", a & "|" & b & "|" & c & "|" & d = _
      "Juan, |15/03/2023, |16/03/2023, |, ", a & "|" & b & "|" & c & "|" & d
orbek.Log 2, "Posting", , , , , "", "ana"
a = Null
orbek.Log 2, "   ", a, "16/03/2023", , Null, "", "   "
CheckEqual "Log writes back a Null value as empty text", a, ""
orbek.Log 3, "Posting", , , , , "", "ana", "7.1"
closed = Banner("7.1") & Lines(Array(Start, "ana, Posting, Juan, 15/03/2023, 16/03/2023, ,  {now}", _
                                     "ana, Posting {now}", "Usuario, 16/03/2023,  {now}", _
                                     Finish, "", Closing("7.1"), ""))
CheckFile "a new log: banner, start, records with all, none and some values, end", BaseLog, closed
orbek.Log 1, "Posting", , , , , "", "ana"
orbek.Log 3, "Posting", , , , , "", "ana"
closed = closed & Lines(Array(Start, Finish, "", Closing(""), ""))
CheckFile "a second period of use has no banner", BaseLog, closed

' The marker C:\Kalvix\Log\Log.Dir, written anew by each ArchStay, moves the log there.
orbek.ArchStay "C:\Kalvix\Log\", "Log", "1.0"
orbek.ArchStay "C:\Kalvix\Log\", "Log", "2.0 " & Chr(171) & Chr(128) & Chr(187)
markerLines = Lines(Array("", Stars, Blank, Company, Blank, Street, Blank, _
                          "*   Col. Arboledas, Valdera, Jal., C.P. 45120              *", Blank, _
                          "*   Internacional: +52 (33) 3555-0142                      *", Blank, _
                          Web, Blank, Sales, Support, Initials, Stars, "", _
                          Closing("2.0 " & Chr(171) & Chr(128) & Chr(187)), ""))
CheckFile "ArchStay makes C:\Kalvix\Log\ and one copy of its marker", Marker, markerLines
orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
orbek.Log 3, "Posting", , , , , "", "ana", "7.1"
CheckFile "with the marker the log goes into C:\Kalvix\Log\", "C:\Kalvix\Log\Tesmara.Log", _
          Banner("7.1") & Lines(Array(Start, Finish, "", Closing("7.1"), ""))
CheckFile "and C:\Kalvix\Tesmara.Log is left alone", BaseLog, closed
' A hidden or system marker is not seen: the log stays in C:\Kalvix\.
For Each mode In Array(2, 4)
    fso.GetFile(Marker).Attributes = mode
    orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
    orbek.Log 3, "Posting", , , , , "", "ana", "7.1"
    fso.GetFile(Marker).Attributes = 0
    closed = closed & Lines(Array(Start, Finish, "", Closing("7.1"), ""))
    CheckFile "a marker with attributes " & mode & " leaves the log in C:\Kalvix\", BaseLog, closed
Next

' ArchStay's failures reach the caller and leave the marker as it was.
On Error Resume Next
orbek.ArchStay "C:\Kalvix\No\Log\", "Log", "7.1"
CheckErr "ArchStay where the folder's parent is missing", 76
orbek.ArchStay "C:\Kalvix\Log\", "LOG", "7.1"
CheckErr "ArchStay where the folder is there without the marker (named in other case)", 75
orbek.ArchStay "C:\Kalvix\Log\", "a|b", "7.1"
CheckErr "ArchStay with a name Windows refuses", 52
fso.GetFile(Marker).Attributes = 1
orbek.ArchStay "C:\Kalvix\Log\", "Log", "7.1"
CheckErr "ArchStay on a read-only marker", 75
fso.GetFile(Marker).Attributes = 0
Set held = fso.OpenTextFile(Marker, 8, False, 0)
orbek.ArchStay "C:\Kalvix\Log\", "Log", "7.1"
CheckErr "ArchStay on a marker another program holds open", 70
held.Close
On Error GoTo 0
CheckFile "a failed ArchStay leaves the marker as it was", Marker, markerLines

' Log never raises, and writes nothing where it has nothing to do.
fso.DeleteFile Marker
On Error Resume Next
orbek.Log 1, "Posting", , , , , "No", "ana"
CheckErr "Log 1 with LogFileOp ""No""", 0
orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
For Each mode In Array(0, 4)
    orbek.Log mode, "Posting", "A", Null, Null, Null, "", "ana", "7.1"
    CheckErr "Log " & mode, 0
Next
a = " A "
b = Null
orbek.Log 2, "Posting", a, b, fso, "D", "No", "ana"
CheckErr "Log 2 with LogFileOp ""No""", 0
Check "which writes nothing back", a = " A " And IsNull(b), a
orbek.Log 2, "Posting", a, b, fso, "D", "", "ana"
CheckErr "Log 2 with an object among its values", 0
Check "which writes back the values before it", a = "A, " And b = "", a
orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
CheckErr "Log 1 while the log is open", 0
orbek.Log 3, "Posting", , , , , "", "ana", "7.1"
On Error GoTo 0
CheckFile "of all these calls only one start and one end wrote lines", BaseLog, _
          closed & Lines(Array(Start, Finish, "", Closing("7.1"), ""))
fso.DeleteFolder "C:\Kalvix", True
On Error Resume Next
orbek.Log 1, "Posting", , , , , "", "ana", "7.1"
CheckErr "Log 1 without C:\Kalvix\", 0
On Error GoTo 0
Check "which makes no folder", Not fso.FolderExists("C:\Kalvix"), "C:\Kalvix was made"

' A short random pass: Log never raises, whatever it is given and whatever the disk holds (the
' folder, its marker, a read-only log, another holder of it come and go); the values it
' changes become the texts it used: empty, or ending in ", ".
Function Same(x, y)
    If IsNull(x) Or IsNull(y) Then
        Same = IsNull(x) And IsNull(y)
    Else
        Same = VarType(x) = VarType(y) And CStr(x) = CStr(y)
    End If
End Function

Dim modes, texts, pool, given, step, x, bad, written
modes = Array(1, 2, 2, 2, 3, 0, 4, 255)
texts = Array("", "   ", "No", " ana ", "a" & vbTab & vbCrLf, Chr(128) & Chr(243), "C:\x|y*:")
pool = Array(Null, Empty, " A ", "", 1E+300, DateSerial(2023, 3, 15) + 0.5, True)
bad = ""
written = 0
x = Rnd(-1)
Randomize 7
On Error Resume Next
For step = 1 To 400
    If Rnd < 0.2 Then
        If IsObject(held) Then held.Close
        held = Empty
        Select Case Int(Rnd * 6)
            Case 0: fso.DeleteFolder "C:\Kalvix", True
            Case 1: fso.DeleteFile Marker
            Case 2: fso.CreateTextFile(Marker, True).Close
            Case 3: fso.GetFile(BaseLog).Attributes = Int(Rnd * 2)
            Case 4: Set held = fso.OpenTextFile(BaseLog, 8, True, 0)
            Case Else: fso.CreateFolder "C:\Kalvix": fso.CreateFolder "C:\Kalvix\Log"
        End Select
    Else
        given = Array(pool(Int(Rnd * 7)), pool(Int(Rnd * 7)), pool(Int(Rnd * 7)))
        a = given(0): b = given(1): c = given(2)
        If Rnd < 0.2 Then Set d = fso Else d = "D"
        orbek.Log modes(Int(Rnd * 8)), texts(Int(Rnd * 7)), a, b, c, d, texts(Int(Rnd * 7)), _
                  texts(Int(Rnd * 7)), texts(Int(Rnd * 7))
        If Err.Number <> 0 And bad = "" Then bad = "call " & step & ": error " & Err.Number
        mode = 0
        For Each x In Array(a, b, c)
            If Not Same(x, given(mode)) Then
                written = written + 1
                If VarType(x) <> vbString Then
                    bad = "call " & step & " wrote back a " & TypeName(x)
                ElseIf x <> "" And Right(x, 2) <> ", " Then
                    bad = "call " & step & " wrote back " & Quoted(x)
                End If
            End If
            mode = mode + 1
        Next
    End If
    Err.Clear
Next
If IsObject(held) Then held.Close
orbek.Log 3, "Posting"
fso.DeleteFolder "C:\Kalvix", True
On Error GoTo 0
Check "Log never raised in 400 random calls", bad = "", bad
Check "and the record calls among them wrote back", written > 50, written & " values"

Done
