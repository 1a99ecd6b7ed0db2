import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Velari.Shell

// The alert or action sheet waiting for an answer.
Rectangle {
    id: view
    required property VELAlert alert
    color: Qt.rgba(0, 0, 0, 0.4)
    MouseArea { anchors.fill: parent }
    Rectangle {
        width: view.alert.actionSheet ? parent.width : 270
        height: content.implicitHeight + 24
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.verticalCenter: view.alert.actionSheet ? undefined : parent.verticalCenter
        anchors.bottom: view.alert.actionSheet ? parent.bottom : undefined
        radius: view.alert.actionSheet ? 0 : 10
        color: "#f7f7f7"
        ColumnLayout {
            id: content
            anchors.fill: parent
            anchors.margins: 12
            spacing: 8
            Text {
                Layout.fillWidth: true
                visible: text !== ""
                text: view.alert.title
                font.bold: true
                font.pixelSize: 16
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
            Text {
                Layout.fillWidth: true
                visible: text !== ""
                text: view.alert.message
                font.pixelSize: 14
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
            Repeater {
                model: view.alert.buttons
                Button {
                    required property string modelData
                    required property int index
                    Layout.fillWidth: true
                    text: modelData
                    font.bold: index === view.alert.cancelButtonIndex
                    palette.buttonText: index === view.alert.destructiveButtonIndex ? "#c83232" : "#1f5f8b"
                    onClicked: view.alert.press(index)
                }
            }
        }
    }
}
