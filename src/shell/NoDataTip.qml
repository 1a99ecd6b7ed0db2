import QtQuick
import QtQuick.Controls
import Velari.Shell

// The empty-list tip: a picture, the text and a retry button.
Column {
    required property EVBaseViewController controller
    visible: controller.noDataTipVisible
    x: 40
    y: 104
    width: 240
    spacing: 8
    Image { anchors.horizontalCenter: parent.horizontalCenter; source: "image://skin/ImageNoDataErrorKey" }
    Text {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        text: controller.noDataTipText
        color: Qt.rgba(70 / 255, 70 / 255, 70 / 255, 1)
        font.pixelSize: 14
    }
}
