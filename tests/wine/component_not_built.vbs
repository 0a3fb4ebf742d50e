' The methods this build of OrbekDLL does not carry yet answer error 445 ("Object doesn't
' support this action") instead of doing something else. Remove a method's line when it is
' built; its own script then tests it.
Dim orbek, result
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")

On Error Resume Next
orbek.WrINI "Section", "Key", "Value"
CheckErr "WrINI is not built yet", 445
result = orbek.RdINIStr("Section", "Key")
CheckErr "RdINIStr is not built yet", 445
result = orbek.RdINIInt("Section", "Key")
CheckErr "RdINIInt is not built yet", 445
On Error GoTo 0

Done
