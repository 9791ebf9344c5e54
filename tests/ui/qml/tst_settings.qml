import QtQuick
import QtTest
import Zettelwerk.Ui
import Zettelwerk.Test

// Settings, about and backup driven by the mouse; their rules: tst_settingscontroller, tst_exportmodel.
PanelTestCase {
    id: testCase
    name: "Settings"

    Component {
        id: windowComponent
        Panel {
            asPopup: false
            visible: true
        }
    }

    function init() {
        Fixture.reset()
    }

    function open(flag) {
        const panel = createTemporaryObject(content, testCase, { controller: Fixture.controller })
        Fixture.controller[flag] = true
        waitForRendering(panel)
        return panel
    }

    function test_deleteAllAsksFirst() {
        const panel = open("showSettings")
        const row = item("deleteAll", panel)
        compare(item("subtitle", row).text, "4 Notizen")

        click(row)
        compare(item("deleteAllQuestion", panel).text, "Alle 4 Notizen unwiderruflich löschen?")
        click(item("deleteAllCancel", panel))
        compare(Fixture.recordCount(), 4)
        click(row)
        click(item("deleteAllConfirm", panel))
        compare(Fixture.recordCount(), 0)
        compare(item("subtitle", row).text, "0 Notizen")
    }

    function test_notesSwitchBelongsToTheSyncSwitch() {
        const panel = open("showSettings")
        const notes = item("syncNotesRow", panel)
        verify(!notes.visible)
        click(item("syncRow", panel))
        verify(notes.visible)
        compare(item("subtitle", notes).text, "Aus – nur Termine")

        click(notes)
        verify(Fixture.controller.settings.syncNotes)
        verify(notes.checked)
        compare(item("subtitle", notes).text, "Als Journal-Einträge im selben Kalender")
        click(notes)
        verify(!Fixture.controller.settings.syncNotes)
        compare(item("subtitle", notes).text, "Aus – abgeglichene Notizen bleiben im Ordner")

        click(item("syncRow", panel))
        verify(!notes.visible)
    }

    function test_calendarsShownWithoutImport() {
        const panel = open("showSettings")
        const first = item("shownCalendar-0", panel)
        compare(first.title, "Arbeit")
        click(first)
        compare(Fixture.controller.settings.shownCalendars.length, 1)
        compare(item("subtitle", item("shownCalendar-0", panel)).text, "Angezeigt – nur lesen, ohne Alarm")
    }

    function test_disclaimerSwitchesLanguage() {
        const panel = open("showAbout")
        const heading = item("disclaimerHeading", panel)
        const text = item("disclaimerText", panel)
        compare(heading.text, "Haftungsausschluss")
        verify(text.text.startsWith("Diese Software wird ohne jegliche Gewährleistung"))

        click(item("language-English", panel))
        compare(heading.text, "Disclaimer")
        // A press on the chosen one leaves it chosen, also to a screen reader.
        click(item("language-English", panel))
        compare([item("choose-English", panel).checked, item("choose-Deutsch", panel).checked], [true, false])
        verify(text.text.startsWith("This software is provided \"as is\", without warranty"))

        // Not kept: the screen opens in German again.
        click(item("backButton", panel))
        Fixture.controller.showAbout = true
        waitForRendering(panel)
        compare(item("disclaimerHeading", panel).text, "Haftungsausschluss")
    }

    function test_openPanelFollowsTheSliders() {
        const window = createTemporaryObject(windowComponent, testCase, { controller: Fixture.controller })
        waitForRendering(window.contentItem)
        Fixture.controller.selectedTab = 2
        const title = item("titleText", item("notizenTab", window.contentItem))
        compare(title.font.pixelSize, 17)
        compare(window.height, 580)

        Fixture.controller.showSettings = true
        waitForRendering(window.contentItem)
        // A press at the track's right end takes the slider there.
        const font = item("fontScaleSlider", window.contentItem)
        mouseClick(font, font.width - 1, font.height / 2)
        const height = item("windowHeightSlider", window.contentItem)
        mouseClick(height, height.width - 1, height.height / 2)
        compare(Fixture.controller.settings.fontScale, 1.3)
        verify(Fixture.controller.settings.windowHeight >= 600)

        Fixture.controller.showSettings = false
        tryCompare(window, "height", Fixture.controller.settings.windowHeight)
        compare(title.font.pixelSize, Math.round(17 * 1.3))
    }

    function test_exportChoiceFollowsClicks() {
        const panel = open("showExport")
        const selection = item("selectionText", panel)
        compare(selection.text, "4 von 4 ausgewählt")

        click(item("groupButton-notes", panel))
        compare(selection.text, "2 von 4 ausgewählt")
        compare(item("groupButton-notes", panel).text, "Alle")

        click(item("exportRow-" + Fixture.idOf("Ideen"), panel))
        compare(selection.text, "3 von 4 ausgewählt")
        compare(item("exportJson", panel).text, "JSON (3)")
    }
}
