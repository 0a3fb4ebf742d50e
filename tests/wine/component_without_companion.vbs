' OrbekDLL while MireldaSys is not registered (run.sh takes it away for this script): the
' object still comes into existence, what needs no companion works, and what needs it fails
' as a call on an object that was never set.
Dim orbek, result
On Error Resume Next
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
CheckErr "OrbekDLL is created without its companion", 0
On Error GoTo 0
CheckEqual "Hrs2Seg needs no companion", orbek.Hrs2Seg("01:30:15"), 5415
CheckEqual "MasDeUnDia needs no companion", orbek.MasDeUnDia(86400), True

On Error Resume Next
result = orbek.Seg2Hrs(5415)
CheckErr "Seg2Hrs fails without the companion", 91
result = orbek.SumaHoras("01:00:00", "01:00:00")
CheckErr "SumaHoras fails without the companion", 91
result = orbek.Acceso("", 1)
CheckErr "Acceso fails without the companion", 91
orbek.Class_Initialize
CheckErr "Class_Initialize ignores that the companion cannot be made", 0
result = orbek.Seg2Hrs(5415)
CheckErr "Seg2Hrs still fails after Class_Initialize", 91
On Error GoTo 0

Done
