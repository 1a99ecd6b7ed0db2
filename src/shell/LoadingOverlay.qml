import QtQuick
import QtQuick.Controls
import Velari.Shell

// The loading overlay with its success and error states.
Item {
    required property EVBaseViewController controller
    visible: controller.overlayState !== EVBaseViewController.Hidden
    Rectangle {
        anchors.centerIn: parent
        width: 160
        height: 120
        radius: 10
        color: Qt.rgba(0, 0, 0, 0.8)
        BusyIndicator {
            anchors.horizontalCenter: parent.horizontalCenter
            y: 16
            running: controller.overlayState === EVBaseViewController.Loading
            visible: running
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            y: 16
            visible: controller.overlayState !== EVBaseViewController.Loading
            text: controller.overlayState === EVBaseViewController.Success ? "✓" : "!"
            color: "white"
            font.pixelSize: 40
        }
        Text {
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 14
            width: parent.width - 16
            x: 8
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            text: controller.overlayText
            color: "white"
            font.pixelSize: 14
        }
    }
}
