' The INI settings of OrbekDLL as a script host uses them: the component's own settings file
' beside the registered DLL, its path written back into the caller's variable, a file named
' without a folder, the limits of a read, and the writes the system refuses without a word.
' The argument is the folder of the registered DLL.
Dim orbek, fso, folder, windows, scratch, file, bare, locked, missing, refused, result, c

Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
Set fso = CreateObject("Scripting.FileSystemObject")
folder = WScript.Arguments(0)
windows = fso.GetSpecialFolder(0)
scratch = fso.GetSpecialFolder(2) & "\orbek-settings-check"
If fso.FolderExists(scratch) Then fso.DeleteFolder scratch, True
fso.CreateFolder scratch

Function Content(path)
    Content = fso.OpenTextFile(path).ReadAll
End Function

Sub WriteFile(path, text)
    Dim stream
    Set stream = fso.CreateTextFile(path, True)
    stream.Write text
    stream.Close
End Sub

Function Repeated(letter, count)
    Repeated = Replace(Space(count), " ", letter)
End Function

' The default file: the DLL's name beside it, with the extension asked for.
For Each c In Array("INI", "cfg")
    If fso.FileExists(folder & "\Orbek_DLL." & c) Then fso.DeleteFile folder & "\Orbek_DLL." & c
    file = ""
    orbek.WrINI "Opciones", "Color", "Azul", file, c
    CheckEqual "WrINI writes the default path back into Archivo (" & c & ")", file, _
               folder & "\Orbek_DLL." & c
    Check "the default file lies beside the DLL (" & c & ")", fso.FileExists(file), file
Next
CheckEqual "the default file holds the key", Content(folder & "\Orbek_DLL.INI"), _
           "[Opciones]" & vbCrLf & "Color=Azul" & vbCrLf
file = ""
CheckEqual "RdINIStr reads the default file", orbek.RdINIStr("opciones", "COLOR", file), "Azul"
CheckEqual "RdINIStr writes the default path back into filename", file, folder & "\Orbek_DLL.INI"
file = ""
CheckEqual "RdINIInt finds the key in the default file (a word reads as 0)", _
           orbek.RdINIInt("Opciones", "Color", file, 7), 0
CheckEqual "RdINIInt writes the default path back into filename", file, folder & "\Orbek_DLL.INI"
fso.DeleteFile folder & "\Orbek_DLL.INI"
fso.DeleteFile folder & "\Orbek_DLL.cfg"

' A name without a folder: the Windows folder, whatever the extension.
bare = "orbek_settings_check.ini"
file = bare
orbek.WrINI "S", "K", "bare", file, "XYZ"
CheckEqual "a name without a folder is kept as it is", file, bare
Check "a name without a folder lies in the Windows folder", fso.FileExists(windows & "\" & bare), _
      windows & "\" & bare & " is missing"
CheckEqual "and reads back from there", orbek.RdINIStr("S", "K", file), "bare"
fso.DeleteFile windows & "\" & bare

' What a read gives.
file = scratch & "\values.ini"
orbek.WrINI "S", "Long", Repeated("x", 300), file
CheckEqual "a value of 300 characters reads as its first 254", orbek.RdINIStr("S", "Long", file), _
           Repeated("x", 254)
orbek.WrINI "S", "Max", "4294967295", file
CheckEqual "4294967295 reads as -1", orbek.RdINIInt("S", "Max", file), -1
CheckType "RdINIInt gives a Double", orbek.RdINIInt("S", "Max", file), "Double"
CheckEqual "a missing key gives DefaultValue without its spaces", _
           orbek.RdINIStr("S", "None", file, "  x  "), "x"
CheckEqual "a missing key without DefaultValue gives empty text", _
           orbek.RdINIStr("S", "None", file), ""
CheckEqual "a missing key gives Valor", orbek.RdINIInt("S", "None", file, 7), 7
CheckEqual "a missing key without Valor gives 0", orbek.RdINIInt("S", "None", file), 0
file = scratch & "\quoted.ini"
WriteFile file, "[S]" & vbCrLf & "K=""  word  """ & vbCrLf
CheckEqual "a stored value loses the spaces around it", orbek.RdINIStr("S", "K", file), "word"

' Writes the system refuses: silent, and nothing changes. (A name far longer than a path
' overflows the stack of Wine's profile functions when it reaches them.)
locked = scratch & "\locked.ini"
WriteFile locked, "[S]" & vbCrLf & "K=old" & vbCrLf
fso.GetFile(locked).Attributes = 1
missing = scratch & "\missing\x.ini"
On Error Resume Next
fso.OpenTextFile(locked, 8).Close ' Wine run by root lets any program write a read-only file
refused = Err.Number <> 0
Err.Clear
orbek.WrINI "S", "K", "new", locked
CheckErr "a write into a read-only file raises no error", 0
orbek.WrINI "S", "K", "v", missing
CheckErr "a write into a missing folder raises no error", 0
file = scratch & "\" & Repeated("a", 40000) & ".ini"
orbek.WrINI "S", "K", "v", file
CheckErr "a write to a file name of 40000 characters raises no error", 0
result = orbek.RdINIStr("S", "K", file, "d")
CheckErr "a read of a file name of 40000 characters raises no error", 0
On Error GoTo 0
CheckEqual "a file name longer than a path reads DefaultValue", result, "d"
If refused Then
    CheckEqual "a read-only file keeps its value", orbek.RdINIStr("S", "K", locked), "old"
Else
    WScript.Echo "note: this system writes read-only files (Wine run by root): " & _
                 "only the silence is checked"
End If
fso.GetFile(locked).Attributes = 0
Check "a write into a missing folder makes no folder", _
      Not fso.FolderExists(scratch & "\missing"), "the folder was made"
CheckEqual "a missing folder reads DefaultValue", orbek.RdINIStr("S", "K", missing, "d"), "d"
CheckEqual "a missing folder reads Valor", orbek.RdINIInt("S", "K", missing, -5), -5

fso.DeleteFolder scratch, True
Done
