' Both servers as a script reaches them: results in their declared types, the script's own
' variables passed by reference and written back, and errors as Err.Number, Err.Source and
' Err.Description.
Dim orbek, tools, hours, ignored
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
Set tools = CreateObject("MireldaSys.SysTools")

CheckEqual "Hrs2Seg(""01:30:15"")", orbek.Hrs2Seg("01:30:15"), 5415
CheckType "Hrs2Seg gives a Long", orbek.Hrs2Seg("01:30:15"), "Long"
CheckType "HrsNumericas gives a Currency", orbek.HrsNumericas("08:30"), "Currency"
CheckEqual "MasDeUnDia(86400)", orbek.MasDeUnDia(86400), True
CheckEqual "the companion's PadText(""7"", 2)", tools.PadText("7", 2), "07"
CheckType "the companion's DaysInMonth gives an Integer", tools.DaysInMonth(2, 2024), "Integer"

hours = ""
CheckEqual "Fillhours of an empty variable", orbek.Fillhours(hours), "00:00"
CheckEqual "Fillhours writes ""00:00"" into the variable", hours, "00:00"
hours = 930
CheckEqual "Fillhours of a number", orbek.Fillhours(hours), "09:30"
CheckType "Fillhours leaves a number it does not change as it was", hours, "Integer"

On Error Resume Next
hours = "1"
ignored = orbek.Fillhours(hours)
CheckErr "Fillhours(""1"")", 5
CheckEqual "Fillhours(""1""): Err.Source", LastErrorSource, "Orbek_DLL"
CheckEqual "Fillhours(""1""): Err.Description", LastErrorDescription, _
           "Invalid procedure call or argument"
CheckEqual "a failing Fillhours leaves its variable", hours, "1"
ignored = tools.DaysInMonth(13, 2024)
CheckErr "the companion's DaysInMonth(13, 2024)", 5
CheckEqual "the companion's error: Err.Source", LastErrorSource, "MireldaSys"
ignored = orbek.Seg2Hrs("abc")
CheckErr "Seg2Hrs(""abc"") is a type mismatch", 13
ignored = orbek.Seg2Hrs(3000000000)
CheckErr "Seg2Hrs(3000000000) overflows a Long", 6
ignored = orbek.Hrs2Seg("01:00:00", "02:00:00")
CheckErr "Hrs2Seg with two arguments", 450
ignored = orbek.SumaHoras("01:00:00")
CheckErr "SumaHoras without its second time", 449
ignored = orbek.NoSuchMethod()
CheckErr "a method OrbekDLL does not have", 438
On Error GoTo 0

Done
