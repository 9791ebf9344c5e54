import QtQuick
import QtTest
import Zettelwerk.Ui
import Zettelwerk.Test

// The panel driven by the mouse; its rules: tst_panelcontroller and tst_noteeditorcontroller.
PanelTestCase {
    id: testCase
    name: "Panel"

    function init() {
        Fixture.reset()
        panel = createTemporaryObject(content, testCase, { controller: Fixture.controller })
        waitForRendering(panel)
    }

    // An editor button, once the editor has slid in so that it sits where the click lands.
    function editorItem(name) {
        const cancel = item("editorCancel")
        tryVerify(() => cancel.mapToItem(panel, 0, 0).x < 20)
        return item(name)
    }

    function openCard(title) {
        // Once an earlier editor has slid out of the way.
        tryVerify(() => !findChild(panel, "editorCancel"))
        click(item("tabNotizen"))
        click(item("card-" + Fixture.idOf(title)))
        compare(Fixture.controller.screen, PanelController.Editor)
        // Slid in and taking typing: a click before that can miss on a busy machine.
        tryVerify(() => item("editorText").activeFocus)
    }

    // A day tapped again, or another month: tst_minicalendarcontroller.
    function test_tappingADaySelectsIt() {
        const twelfth = item("day-12")
        click(twelfth)
        verify(twelfth.cell.isSelected)
        compare(item("dayLabel").text, "Samstag, 12. Dezember")
        click(item("nextMonth"))
        compare(item("monthTitle").text, "Januar 2027")
        click(item("previousMonth"))
        compare(item("monthTitle").text, "Dezember 2026")
    }

    function test_plusCreatesWhatTheTabHolds_data() {
        return [
            { tag: "Heute, 12. gewählt", tab: "tabHeute", day: "day-12", alarm: "2026-12-12T10:00" },
            { tag: "Termine", tab: "tabTermine", day: "", alarm: "2026-12-07T10:00" },
            { tag: "Notizen", tab: "tabNotizen", day: "", alarm: "" },
        ]
    }

    function test_plusCreatesWhatTheTabHolds(data) {
        if (data.day !== "")
            click(item(data.day))
        click(item(data.tab))
        const before = Fixture.recordCount()

        click(item("addButton"))
        compare(Fixture.recordCount(), before + 1)
        compare(Fixture.controller.screen, PanelController.Editor)
        compare(Fixture.alarmOf(Fixture.controller.editingNoteId), data.alarm)
        // Cancel, not Escape, which would ask about the typed text first.
        item("editorText").text = "Doch nicht"
        click(editorItem("editorCancel"))
        compare(Fixture.recordCount(), before)
    }

    // Ctrl+Return saves too: tst_endtoend's keyboardAlone types it on the real panel.
    function test_editorSavesAndAsksBeforeDeleting() {
        openCard("Ideen")
        compare(item("editorText").text, "Ideen")
        keyClick(Qt.Key_End)
        keyClick(Qt.Key_Exclam)
        click(editorItem("editorSave"))
        compare(Fixture.controller.editingNoteId, "")

        openCard("Ideen!")
        const before = Fixture.recordCount()
        const question = item("editorDeleteQuestion")
        click(editorItem("editorTrash"))
        tryVerify(() => question.visible)
        verify(!item("editorSave").visible)
        click(item("editorDeleteNo"))
        tryVerify(() => !question.visible)
        click(item("editorTrash"))
        keyClick(Qt.Key_Escape)
        verify(!question.visible)
        click(item("editorTrash"))
        click(item("editorDeleteYes"))
        compare(Fixture.recordCount(), before - 1)
    }

    function test_backdropCancelsTheDeleteQuestion() {
        click(item("tabNotizen"))
        const card = item("card-" + Fixture.idOf("Ideen"))
        const before = Fixture.recordCount()
        click(item("deleteButton", card))
        const question = item("deleteQuestion")
        tryCompare(question, "text", "\"Ideen\" löschen?")
        tryCompare(item("deleteDialog"), "scale", 1)

        // A click inside the dialog is no click on the backdrop.
        mouseClick(question)
        compare(Fixture.controller.deleteTitle, "Ideen")
        mouseClick(item("deleteBackdrop"), 10, 10)
        compare(Fixture.controller.deleteTitle, "")
        compare(Fixture.recordCount(), before)

        // Faded, it lets clicks through again. ("Löschen": tst_endtoend's keyboardAlone.)
        tryCompare(item("deleteBackdrop"), "visible", false)
        click(item("deleteButton", card))
        tryCompare(item("deleteDialog"), "scale", 1)
    }

    function test_quitThenNoReturns() {
        let quits = 0
        panel.quitConfirmed.connect(() => ++quits)
        const quit = item("quitButton")
        click(quit)
        verify(Fixture.controller.showQuitConfirm)
        verify(!quit.visible)
        click(item("quitNo"))
        verify(!Fixture.controller.showQuitConfirm)
        verify(quit.visible)
        // "Ja" ends the app: tst_endtoend's quitFromThePanel.
        compare(quits, 0)
    }

    // The drop-down list is drawn by the style, outside the screens' own colours.
    function test_pickerListFollowsTheAppearance() {
        Fixture.setDark(true)
        click(item("card-" + Fixture.idOf("Zahnarzt")))
        const picker = editorItem("repeatPicker")
        click(picker)
        tryVerify(() => picker.popup.opened)
        // Near its lower right corner, once settled: on a busy machine it may still be growing.
        const list = picker.popup.background
        let drawn
        tryVerify(() => {
            const corner = list.mapToItem(panel, list.width - 6, list.height - 6)
            drawn = grabImage(panel).pixel(corner.x, corner.y)
            return Qt.colorEqual(drawn, Colors.controlBackground)
        }, 5000, "the list is drawn in " + drawn)
    }

    function test_userTextIsNeverMarkup() {
        Fixture.addMarkup()
        const markup = Fixture.markup()
        for (const tab of ["tabHeute", "tabTermine", "tabNotizen"]) {
            click(item(tab))
            waitForRendering(panel)
            compare(Fixture.markupRenderedIn(panel), [], tab)
        }
        Fixture.controller.requestDelete(Fixture.idOf(markup.substring(0, 50)))
        tryCompare(item("deleteQuestion"), "text", "\"" + markup.substring(0, 50) + "\" löschen?")
        compare(Fixture.markupRenderedIn(panel), [])
    }

    function test_termineStartsAtToday() {
        Fixture.addAppointments(30)
        click(item("tabTermine"))
        const list = item("timeline")
        // Scrolled past the month ahead, to the "Heute" divider.
        tryVerify(() => list.contentY > list.originY + list.height)
        const divider = item("today-divider", list)
        const y = divider.mapToItem(list, 0, 0).y
        verify(y >= 0 && y + divider.height <= list.height, "divider at " + y)
    }
}
