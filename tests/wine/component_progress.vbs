' The progress windows through the component as the host drives them, read from outside and
' photographed into build/screenshots/ by progress_probe.exe, both found from the DLL folder
' given as the argument: <root>\dist\win64.
Dim orbek, shell, files, root, probe, scratch, shots, i, result, shot, titulo
Set shell = CreateObject("WScript.Shell")
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
Set files = CreateObject("Scripting.FileSystemObject")
root = files.GetParentFolderName(files.GetParentFolderName(WScript.Arguments(0)))
probe = """" & root & "\build\win64\tests\wine\progress_probe.exe"" "
scratch = root & "\build\wine-run\progress-probe"
shots = root & "\build\screenshots\progress-"

Function ReadProbe(path)
    Dim file
    ReadProbe = "nothing from the probe"
    If files.FileExists(path) Then
        Set file = files.OpenTextFile(path, 1, False, -1)
        ReadProbe = file.ReadAll
        file.Close
        files.DeleteFile path
    End If
End Function

' Starts the probe, waiting for its end or not. Wine now and then fails to start a program;
' one more start hides no result.
Sub Start(arguments, wait)
    On Error Resume Next
    shell.Run probe & arguments, 0, wait
    If Err.Number <> 0 Then
        Err.Clear
        shell.Run probe & arguments, 0, wait
    End If
End Sub

' Runs the probe with these arguments and the file it answers in, and returns its answer.
Function RunProbe(arguments)
    Start arguments & " """ & scratch & ".txt""", True
    RunProbe = ReadProbe(scratch & ".txt")
End Function

' A height that no call has set (a window just loaded from its design) depends on the size of
' the frame: where the expected line says "height ?", any height passes.
Sub CheckWindow(name, form, expected)
    Dim actual, anyHeight
    actual = RunProbe(form)
    If InStr(expected, "height ?") > 0 Then
        Set anyHeight = New RegExp
        anyHeight.Pattern = "height -?[0-9]+"
        actual = anyHeight.Replace(actual, "height ?")
    End If
    CheckEqual name, actual, expected
End Sub

' What an update call shows appears on the screen at the next event pass, which the same call
' made again brings about (it changes nothing, so it draws nothing else).
Sub Photograph(scene)
    CheckEqual "a picture of " & scene, RunProbe("shot """ & shots & scene & ".bmp"""), "shot"
End Sub

Function Bar(valor, text)
    Bar = "shown, ""Procesando ..."", width 4710, height 3135, dial " & valor & ", """ & _
          text & """, bar " & valor
End Function

' The single-bar window over a loop of 100 records, the last one the finishing call.
CheckWindow "no progress window before the first call", "FrmProgressBar", "not loaded"
For i = 1 To 100
    result = orbek.ProgressBar(i, 0, 100, "Registro " & i & " de 100", "Procesando ...")
    If i = 25 Then
        result = orbek.ProgressBar(i, 0, 100, "Registro " & i & " de 100", "Procesando ...")
        Photograph "bar25"
    ElseIf i = 50 Then
        CheckWindow "ProgressBar at record 50 of 100", "FrmProgressBar", Bar(50, "Registro 50 de 100")
    End If
Next
CheckType "ProgressBar returns Empty", result, "Empty"
CheckWindow "the record that reaches Max hides the window with the last update's values", _
            "FrmProgressBar", Replace(Bar(99, "Registro 99 de 100"), "shown", "hidden")

' The run-down, photographed halfway by a probe started beforehand (the script host has no
' Sleep: another probe waits for the files instead).
Start "run-down """ & shots & "rundown.bmp"" """ & scratch & ".ready"" """ & scratch & _
      ".shot""", False
Start "wait """ & scratch & ".ready""", True
ReadProbe scratch & ".ready"
result = orbek.ProgressBar(100, 0, 100, "ignored", "ignored", True, True)
Start "wait """ & scratch & ".shot""", True
shot = ReadProbe(scratch & ".shot")
Check "a picture of the run-down halfway", Left(shot, 12) = "shot at bar ", shot
CheckWindow "the run-down ends at 0 with an empty text line, and the effect rolls the window up", _
            "FrmProgressBar", "hidden, ""Procesando ..."", width 4710, height 0, dial 0, """", bar 0"
result = orbek.ProgressBar(1, 0, 100, "Otra vez", "Procesando ...")
CheckWindow "the next update shows the window at its full height again", "FrmProgressBar", _
            Bar(1, "Otra vez")

titulo = "T" & Chr(237) & "tulo"
result = orbek.STIProgressBar(40, "Mensaje", titulo)
CheckWindow "STIProgressBar 40 with its message and title", "FrmProgressBar", _
            Replace(Bar(40, "Mensaje"), "Procesando ...", titulo)
result = orbek.STIProgressBar(100, "", "", True)
CheckWindow "STIProgressBar 100 runs down and hides the window, its caption and height kept", _
            "FrmProgressBar", Replace(Replace(Bar(0, ""), "shown", "hidden"), "Procesando ...", titulo)

' The two-bar window over a loop, and its "Fin" call.
For i = 0 To 100 Step 5
    result = orbek.ProgressShow(i, 100 - i, "Clientes: " & i & " de 100", _
                                "Facturas: " & (100 - i) & " de 100")
    If i = 25 Then
        CheckWindow "ProgressShow at 25 and 75", "FrmProgShow", "shown, ""Procesando ..."", " & _
                    "width 8100, height 2085, ""Clientes: 25 de 100"", bar 25, " & _
                    """Facturas: 75 de 100"", bar 75"
        result = orbek.ProgressShow(i, 100 - i, "Clientes: " & i & " de 100", _
                                    "Facturas: " & (100 - i) & " de 100")
        Photograph "show25-75"
    End If
Next
CheckType "ProgressShow returns Empty", result, "Empty"
result = orbek.ProgressShow(0, 0, "Fin", "", "", True, True)
CheckWindow """Fin"" runs both bars down, plays the effect, and loads the window again as designed", _
            "FrmProgShow", "hidden, ""Form Progress Show 1"", width 8100, height ?, ""Label1"", " & _
            "bar 0, ""Label1"", bar 0"
result = orbek.ProgressShow(2.5, 3.5, "Fin ", "fin")
CheckWindow "the next call shows it at full height; the end word with a blank is text; halves to even", _
            "FrmProgShow", "shown, ""Procesando ..."", width 8100, height 2085, ""Fin "", bar 2, " & _
            """fin"", bar 4"
result = orbek.ProgressShow(0, 0, "Fin")
result = orbek.ProgressBar(100, 0, 100)
Done
