import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Velari.Shell

// The window: three tabs of screens, the screens shown modally over them, and the alerts.
ApplicationWindow {
    id: window
    width: 320
    height: 568
    visible: true
    title: "Velari"
    readonly property TabBarController tabs: Shell.tabBarController

    StackLayout {
        anchors.fill: parent
        anchors.bottomMargin: tabBar.height
        currentIndex: window.tabs.selectedIndex
        Repeater {
            model: window.tabs.tabs
            NavigationStack {
                required property NavigationController modelData
                navigation: modelData
            }
        }
    }

    Rectangle {
        id: tabBar
        anchors.bottom: parent.bottom
        width: parent.width
        height: 49
        color: "black"
        Row {
            anchors.fill: parent
            Repeater {
                model: window.tabs.titles
                Item {
                    required property string modelData
                    required property int index
                    width: tabBar.width / 3
                    height: tabBar.height
                    readonly property bool selected: index === window.tabs.selectedIndex
                    Image {
                        anchors.horizontalCenter: parent.horizontalCenter
                        y: 4
                        width: 30
                        height: 30
                        source: "image://skin/" + window.tabs.imageKeys[parent.index]
                        opacity: parent.selected ? 1 : 0.55
                    }
                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        anchors.bottom: parent.bottom
                        anchors.bottomMargin: 2
                        text: parent.modelData
                        font.pixelSize: 10
                        color: parent.selected ? Qt.rgba(200 / 255, 95 / 255, 75 / 255, 1) : "#aaaaaa"
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: window.tabs.selectedIndex = parent.index
                    }
                }
            }
        }
    }

    Loader {
        anchors.fill: parent
        active: window.tabs.modalController !== null
        sourceComponent: NavigationStack { navigation: window.tabs.modalController }
    }

    Loader {
        anchors.fill: parent
        active: window.tabs.currentAlert !== null
        sourceComponent: AlertView { alert: window.tabs.currentAlert }
    }
}
