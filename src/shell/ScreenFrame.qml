import QtQuick
import QtQuick.Controls
import Velari.Shell

// One screen: its navigation bar, its view, and the base screen's overlays.
Item {
    id: frame
    required property EVBaseViewController controller
    property bool canGoBack: false
    signal back()

    Image {
        id: bar
        width: parent.width
        height: 44
        source: "image://skin/ImageBGNavbarKey"
        Text {
            anchors.centerIn: parent
            text: frame.controller.title
            color: "white"
            font.pixelSize: 20
            font.bold: true
        }
        Image {
            visible: frame.canGoBack && frame.controller.leftButtonImage === ""
            x: 8
            anchors.verticalCenter: parent.verticalCenter
            source: "image://skin/ImageNavbarBackButtonKey"
            MouseArea { anchors.fill: parent; anchors.margins: -10; onClicked: frame.back() }
        }
        Image {
            visible: frame.controller.leftButtonImage !== ""
            x: 4
            anchors.verticalCenter: parent.verticalCenter
            source: visible ? "image://skin/" + frame.controller.leftButtonImage : ""
            MouseArea { anchors.fill: parent; anchors.margins: -6; onClicked: frame.controller.triggerLeftButton() }
        }
        Button {
            visible: frame.controller.rightButtonTitle !== "" || frame.controller.rightButtonImage !== ""
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            flat: true
            text: frame.controller.rightButtonTitle
            icon.source: frame.controller.rightButtonImage === "" ? "" : "image://skin/" + frame.controller.rightButtonImage
            icon.color: "transparent"
            onClicked: frame.controller.triggerRightButton()
        }
    }
    Loader {
        anchors.top: bar.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        // The view gets its controller before its bindings run.
        Component.onCompleted: setSource(frame.controller.viewSource, { controller: frame.controller })
    }
    NoDataTip { controller: frame.controller }
    CountBanner { controller: frame.controller }
    LoadingOverlay { controller: frame.controller; anchors.fill: parent }
}
