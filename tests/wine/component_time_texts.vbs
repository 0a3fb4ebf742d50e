' The time texts of OrbekDLL as the host calls them: conversions, sums and differences,
' the whole-day test and the pause, with their by-reference write-backs.
Dim orbek, c, value, hours, result
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")

For Each c In Array(Array("01:30:15", 5415), Array("", 0), Array("   ", 0), _
                    Array("1:30", 3630), Array("123:45:00", 43200), Array("5", 18005), _
                    Array("00:00:59", 59), Array("23:59:59", 86399))
    CheckEqual "Hrs2Seg(" & Quoted(c(0)) & ")", orbek.Hrs2Seg(c(0)), c(1)
Next
CheckType "Hrs2Seg gives a Long", orbek.Hrs2Seg("00:00:01"), "Long"

For Each c In Array(Array(5415, "01:30:15"), Array(0, "00:00:00"), Array(90000, "25:00:00"), _
                    Array(360000, "100:00:00"), Array(59, "00:00:59"), _
                    Array(-30, "-1:-1:-30"))
    CheckEqual "Seg2Hrs(" & c(0) & ")", orbek.Seg2Hrs(c(0)), c(1)
Next

For Each c In Array(Array("", "00:00"), Array("930", "09:30"), Array("12:30", "12:30"), _
                    Array("12", "00:12"), Array("9:5", "09:00"))
    hours = c(0)
    CheckEqual "Fillhours(" & Quoted(c(0)) & ")", orbek.Fillhours(hours), c(1)
Next
hours = ""
result = orbek.Fillhours(hours)
CheckEqual "Fillhours writes ""00:00"" into an empty variable", hours, "00:00"
hours = "930"
result = orbek.Fillhours(hours)
CheckEqual "Fillhours leaves a variable that was not empty", hours, "930"
hours = "1"
On Error Resume Next
result = orbek.Fillhours(hours)
CheckErr "Fillhours(""1"")", 5
On Error GoTo 0
CheckEqual "Fillhours(""1"") leaves its variable", hours, "1"

For Each c In Array(Array("08:30", 8.5), Array("08:20", 8.33), Array("abc", 0), _
                    Array("9:30", 9), Array("00:59", 0.98), Array("00:01", 0.01))
    CheckEqual "HrsNumericas(" & Quoted(c(0)) & ")", orbek.HrsNumericas(c(0)), c(1)
Next
CheckType "HrsNumericas gives a Currency", orbek.HrsNumericas("08:30"), "Currency"

CheckEqual "SumaHoras of two times", orbek.SumaHoras("01:30:00", "00:45:30"), "02:15:30"
CheckEqual "SumaHoras of three times", _
           orbek.SumaHoras("01:30:00", "00:45:30", "00:00:30"), "02:16:00"
CheckEqual "SumaHoras does not wrap at 24 hours", _
           orbek.SumaHoras("23:00:00", "02:00:00"), "25:00:00"
CheckEqual "SumaHoras skips an empty Hora4 and adds Hora5", _
           orbek.SumaHoras("01:00:00", "00:00:00", "00:00:00", "", "00:30:00"), "01:30:00"
CheckEqual "SumaHoras of two empty times", orbek.SumaHoras("", ""), "00:00:00"
CheckEqual "SumaHoras of six times", orbek.SumaHoras("01:00:00", "01:00:00", "01:00:00", _
           "01:00:00", "01:00:00", "01:00:00"), "06:00:00"

CheckEqual "RestaHoras of a later and an earlier time", _
           orbek.RestaHoras("10:00:00", "08:30:00"), "01:30:00"
CheckEqual "RestaHoras of an earlier and a later time", _
           orbek.RestaHoras("08:30:00", "10:00:00"), "-2:-30:00"

For Each c In Array(Array(86399, False), Array(86400, True), Array(86401, True), _
                    Array(-5, False), Array(0, False))
    CheckEqual "MasDeUnDia(" & c(0) & ")", orbek.MasDeUnDia(c(0)), c(1)
Next

On Error Resume Next
orbek.Delay
CheckErr "Delay without its level takes the default", 0
orbek.Delay 1
CheckErr "Delay 1", 0
On Error GoTo 0

Done
