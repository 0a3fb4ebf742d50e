' Objects of OrbekDLL on one thread: they share the thread's companion object, class start
' can be run again, and the errors of the host's language come back as their numbers.
Dim first, second, result
Set first = CreateObject("Orbek_DLL.OrbekDLL")
CheckEqual "the first object reaches the companion", first.Seg2Hrs(5415), "01:30:15"
Set second = CreateObject("Orbek_DLL.OrbekDLL")
CheckEqual "a second object reaches the companion", second.Seg2Hrs(61), "00:01:01"
CheckEqual "the first object still reaches it", first.Seg2Hrs(3600), "01:00:00"
Set first = Nothing
CheckEqual "releasing one object leaves the other's companion", second.Seg2Hrs(7), "00:00:07"

On Error Resume Next
second.Class_Initialize
CheckErr "Class_Initialize on a live object", 0
On Error GoTo 0
CheckEqual "after Class_Initialize the object still works", second.Seg2Hrs(59), "00:00:59"
CheckEqual "after Class_Initialize Hrs2Seg still works", second.Hrs2Seg("00:01:00"), 60

On Error Resume Next
result = second.Seg2Hrs("abc")
CheckErr "Seg2Hrs(""abc"") is a type mismatch", 13
result = second.Seg2Hrs(3000000000)
CheckErr "Seg2Hrs(3000000000) overflows a Long", 6
result = second.Fillhours("1")
CheckErr "Fillhours(""1"") is an invalid argument", 5
result = second.Hrs2Seg("01:00:00", "02:00:00")
CheckErr "Hrs2Seg with two arguments", 450
result = second.SumaHoras("01:00:00")
CheckErr "SumaHoras without its second time", 449
result = second.NoSuchMethod()
CheckErr "a method OrbekDLL does not have", 438
result = second.MasDeUnDia(Null)
CheckErr "MasDeUnDia(Null) cannot become its Long", 13
On Error GoTo 0

Done
