import QtQuick
import QtTest
import Zettelwerk.Ui
import Zettelwerk.Test

// The import screen driven by the mouse on the tests' vdir calendars; its rules: tst_calendarimportmodel.
PanelTestCase {
    id: testCase
    name: "Import"

    function init() {
        Fixture.reset()
        panel = createTemporaryObject(content, testCase, { controller: Fixture.controller })
        Fixture.controller.showSettings = true
        waitForRendering(panel)
        click(item("showImport"))
        waitForRendering(panel)
    }

    function shows(name) {
        const found = findChild(panel, name)
        return found !== null && found.visible
    }

    function allowAndTickFirstCalendar() {
        verify(item("accessPrompt").visible)
        click(item("allowAccess"))
        tryVerify(() => shows("calendarRow-0"))
        countsArrived()
        click(item("calendarRow-0"))
        tryVerify(() => shows("eventRow-3"))
    }

    // Counts come from a worker and order the rows: a late one would reorder them under the next click.
    function countsArrived() {
        tryVerify(() => {
            for (let i = 0; findChild(panel, "calendarRow-" + i); ++i) {
                if (findChild(item("calendarRow-" + i), "countText").text === "…")
                    return false
            }
            return true
        })
    }

    function test_importAndUndo() {
        allowAndTickFirstCalendar()
        compare(Fixture.controller.settings.calendarAccess, true)
        // Arbeit and familie, whose party is written in markup.
        click(item("calendarRow-2"))
        tryCompare(item("foundText"), "text", "6 Events gefunden")
        compare(Fixture.markupRenderedIn(panel), [])
        click(item("eventRow-1"))
        compare(item("selectionText").text, "5 von 6 ausgewählt")
        compare(findChild(item("toggleAll"), "label").text, "Alle")

        click(item("importButton"))
        tryCompare(item("bannerText"), "text", "5 Events importiert!")
        compare(Fixture.recordCount(), 4 + 5)
        verify(item("historyRow-0").visible)

        click(item("undoImport"))
        compare(Fixture.recordCount(), 4)
        verify(!item("history").visible)
        click(item("backButton"))
        compare(Fixture.controller.screen, PanelController.Main)
    }

    function test_duplicateThenHistoryDelete() {
        allowAndTickFirstCalendar()
        click(item("importButton"))
        tryVerify(() => shows("finishImport"))
        // Tap the calendar off and on: the same events again, all four duplicates.
        click(item("calendarRow-0"))
        click(item("calendarRow-0"))
        tryVerify(() => shows("importButton"))
        click(item("importButton"))
        tryCompare(item("collisionHeading"), "text", "4 Duplikate gefunden")
        verify(!item("appleSection").visible)
        click(item("replace-0"))
        click(item("importCollisions"))
        tryCompare(item("bannerText"), "text", "1 Events importiert!")
        compare(Fixture.recordCount(), 4 + 4)

        click(item("deleteBatch"))
        verify(item("confirmDeleteBatch").visible)
        click(item("confirmDeleteBatch"))
        tryCompare(findChild(item("historyRow-0"), "source"), "text", "Apple Kalender")
        // The one imported event is gone and the record it replaced is back.
        compare(Fixture.recordCount(), 4 + 4)
    }

    function test_rangeChangeHidesTheList() {
        allowAndTickFirstCalendar()
        click(findChild(item("startDay"), "dayButton"))
        const sheet = findChild(item("startDay"), "daySheet")
        tryVerify(() => sheet.opened)
        mouseClick(findChild(sheet.contentItem, "pickerDay-10"))
        tryCompare(findChild(item("startDay"), "dayText"), "text", "10.12.2026")
        verify(!item("eventList").visible)
        countsArrived()
        click(item("calendarRow-0"))
        click(item("calendarRow-0"))
        tryCompare(item("foundText"), "text", "3 Events gefunden")
    }
}
