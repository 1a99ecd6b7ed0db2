import QtQuick
import Velari.Shell

// The view of a screen that has nothing of its own to show yet.
Rectangle {
    required property EVBaseViewController controller
    color: Qt.rgba(243 / 255, 243 / 255, 243 / 255, 1)
}
