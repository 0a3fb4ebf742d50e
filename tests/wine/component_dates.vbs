' FechaValida from a script: the cleaned date written into the date boxes of a form made of
' script classes, and the errors those objects raise. A rejected date shows the user's message
' box, which date_dialog.sh watches.
Class DateBox
    Public Name
    Public Text
End Class

Class Label ' no Text
    Public Name
End Class

Class LockedBox ' a Text that refuses the date with an error of its own
    Public Name
    Public Property Let Text(value)
        Err.Raise 383
    End Property
End Class

Class ControlList ' a collection with only Count and Item(0 to Count - 1)
    Public Items
    Public Property Get Count
        Count = UBound(Items) + 1
    End Property
    Public Function Item(index)
        Set Item = Items(index)
    End Function
End Class

Class Form
    Public Controls
End Class

Function Control(kind, name)
    Dim made
    If kind = "label" Then
        Set made = New Label
    ElseIf kind = "locked" Then
        Set made = New LockedBox
    Else
        Set made = New DateBox
        made.Text = ""
    End If
    made.Name = name
    Set Control = made
End Function

' A form whose Controls holds the controls as a script array, a Count and Item collection, or
' a collection with an enumerator (a dictionary whose keys are the controls).
Function MadeForm(kind, controls)
    Dim made, list, c
    Set made = New Form
    If kind = "array" Then
        made.Controls = controls
    ElseIf kind = "list" Then
        Set list = New ControlList
        list.Items = controls
        Set made.Controls = list
    Else
        Set list = CreateObject("Scripting.Dictionary")
        For Each c In controls
            list.Add c, Empty
        Next
        Set made.Controls = list
    End If
    Set MadeForm = made
End Function

Function UsualControls()
    UsualControls = Array(Control("box", "TXTFEC1"), Control("box", "txtFec2"), _
                          Control("box", "DtpFecha"), Control("box", "TxtFecha3"))
End Function

Function TextsOf(boxes)
    Dim box, texts
    For Each box In boxes
        texts = texts & box.Text & "|"
    Next
    TextsOf = texts
End Function

Dim orbek, kind, controls, cont, result
Set orbek = CreateObject("Orbek_DLL.OrbekDLL")

For Each kind In Array("array", "list", "enumerated")
    controls = UsualControls()
    cont = " txtFec "
    CheckEqual "FechaValida accepts 31/04/2025 (" & kind & ")", _
               orbek.FechaValida("31/04/2025", cont, MadeForm(kind, controls)), False
    CheckEqual "FechaValida leaves the prefix cleaned (" & kind & ")", cont, "TXTFEC"
    CheckEqual "FechaValida fills the boxes named TXTFEC* in any case (" & kind & ")", _
               TextsOf(controls), "30/04/2025|30/04/2025||30/04/2025|"
Next

' Failures: the error the script sees, the prefix, and the boxes set before the failure.
On Error Resume Next
cont = " txtFec "
result = orbek.FechaValida("31/04/2025", cont, "frmCaptura")
CheckErr "FechaValida with a form that is no object", 13
CheckEqual "a form that is no object fails before the prefix is touched", cont, " txtFec "
result = orbek.FechaValida("31/04/2025", cont, Nothing)
CheckErr "FechaValida with a form that is Nothing", 91
CheckEqual "the prefix is cleaned before the form is used", cont, "TXTFEC"
result = orbek.FechaValida("31/04/2025", cont, New Label)
CheckErr "FechaValida with a form without Controls", 438

controls = Array(Control("box", "txtFecA"), Control("label", "txtFecB"), Control("box", "txtFecC"))
result = orbek.FechaValida("31/04/2025", cont, MadeForm("list", controls))
CheckErr "FechaValida with a date box without Text", 438
CheckEqual "the boxes before it keep the date", controls(0).Text & "|" & controls(2).Text, _
           "30/04/2025|"
controls = Array(Control("box", "txtFecA"), Control("locked", "txtFecB"))
result = orbek.FechaValida("31/04/2025", cont, MadeForm("enumerated", controls))
CheckErr "FechaValida with a box that refuses the date", 383
CheckEqual "the box before it keeps the date", controls(0).Text, "30/04/2025"
result = orbek.FechaValida("31/04/2025", cont, MadeForm("array", Array("txtFecA")))
CheckErr "FechaValida with a text among the controls", 13

On Error GoTo 0

Done
