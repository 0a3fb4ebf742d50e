' The methods this build of OrbekDLL does not carry yet answer error 445 ("Object doesn't
' support this action") instead of doing something else. Remove a method's line when it is
' built; its own script then tests it.
Dim orbek
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")

On Error Resume Next
orbek.sSplash "Kalvix", "(c)", "2.0", "Tesmara"
CheckErr "sSplash is not built yet", 445
On Error GoTo 0

Done
