import QtQuick
import QtQuick.Controls

ApplicationWindow {
    id: window
    width: 320
    height: 568
    visible: true
    title: qsTr("Velari")

    Label {
        anchors.centerIn: parent
        text: qsTr("Velari")
        font.pixelSize: 24
    }
}
