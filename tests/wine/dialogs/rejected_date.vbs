' FechaValida of one rejected date through the DLL, for date_dialog.sh. Arguments: the DLL
' folder, the case (year, month, day or mask), and the file whose creation lets the watcher
' press OK on the user's message box.
Class DateBox
    Public Name
    Public Text
End Class

Class Form
    Public Controls
End Class

Dim orbek, typed, cont, box, form, rejected
Select Case WScript.Arguments(1)
    Case "year": typed = "15/06/2030"
    Case "month": typed = "15/13/2029"
    Case "day": typed = "00/05/2024"
    Case "mask": typed = "  /  /    "
End Select
Set box = New DateBox
box.Name = "txtFec1"
box.Text = ""
Set form = New Form
form.Controls = Array(box)
cont = "txtFec"
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")
rejected = orbek.FechaValida(typed, cont, form)
Check "FechaValida " & Quoted(typed) & " returns once the user pressed OK", _
      CreateObject("Scripting.FileSystemObject").FileExists(WScript.Arguments(2)), _
      "it returned while the box was up"
CheckEqual "FechaValida " & Quoted(typed) & " is rejected", rejected, True
CheckEqual "FechaValida " & Quoted(typed) & " changes no box", box.Text, ""
Done
