' Acceso on rights texts made by the companion's own encoding, as the host stores them.
Dim orbek, tools, c, module, rights, granted, expected, wrong
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
Set tools = CreateObject("MireldaSys.SysTools")

For Each c In Array(1, 32768, 65535, 0, 5)
    rights = tools.EncodeText(CStr(c))
    wrong = ""
    For module = 1 To 16
        expected = ((c \ (2 ^ (module - 1))) Mod 2) = 1
        granted = orbek.Acceso(rights, module)
        If granted <> expected Then wrong = wrong & " " & module
    Next
    Check "Acceso on the rights of " & c & " grants exactly its flagged modules", wrong = "", _
          "wrong for modules" & wrong
Next
CheckType "Acceso gives a Boolean", orbek.Acceso(tools.EncodeText("1"), 1), "Boolean"
CheckEqual "Acceso grants with True (-1)", CInt(orbek.Acceso(tools.EncodeText("1"), 1)), -1

On Error Resume Next
granted = orbek.Acceso(tools.EncodeText("1"), 17)
CheckErr "Acceso for module 17", 5
granted = orbek.Acceso(tools.EncodeText("1"), 0)
CheckErr "Acceso for module 0", 13
granted = orbek.Acceso("not an encoded text", 1)
CheckErr "Acceso with a rights text that was never encoded", 5
On Error GoTo 0

Done
