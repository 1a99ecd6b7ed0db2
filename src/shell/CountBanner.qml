import QtQuick
import Velari.Shell

// "n new events", shown for a moment under the bar.
Item {
    required property EVBaseViewController controller
    x: 10
    y: 44 + controller.bannerY
    width: 300
    height: 30
    visible: controller.bannerVisible
    opacity: controller.bannerFading ? 0 : 1
    Behavior on opacity { NumberAnimation { duration: 1000; easing.type: Easing.InOutQuad } }
    BorderImage {
        anchors.fill: parent
        source: "image://skin/ImageBGLoadResultKey"
        border.left: 4
    }
    Text {
        y: 6
        width: 300
        height: 20
        horizontalAlignment: Text.AlignHCenter
        text: controller.bannerText
        color: "white"
        font.pixelSize: 14
        font.bold: true
        style: Text.Raised
        styleColor: Qt.rgba(0, 0, 0, 0.5)
    }
}
