import QtQuick
import QtQuick.Controls
import Velari.Shell
import Velari.Account

// The login form over the settings background, with the e-mail domain suggestions.
Item {
    id: view
    required property LoginController controller

    Image {
        anchors.fill: parent
        source: "image://skin/ImageBGSettingsKey"
        MouseArea { anchors.fill: parent; onClicked: view.controller.backgroundTouched() }
    }
    BorderImage {
        x: 80; y: 20; width: 160; height: 44
        source: "image://skin/ImageBGLogoButtonKey"
        border.left: 4
        Text {
            anchors.centerIn: parent
            text: "Velari"
            font.pixelSize: 20
            font.bold: true
            color: Qt.rgba(200 / 255, 95 / 255, 75 / 255, 1)
        }
    }
    Rectangle {
        x: 60; y: 70; width: 200; height: 30
        radius: 4
        border.color: "#cccccc"
        TextField {
            id: account
            x: 5; y: 3; width: 195; height: 24
            background: null
            padding: 0
            placeholderText: "邮箱或手机号"
            text: view.controller.account
            font.pixelSize: 14
            inputMethodHints: Qt.ImhEmailCharactersOnly | Qt.ImhNoAutoUppercase
            focus: view.controller.focusedField === LoginController.Account
            onTextEdited: view.controller.accountEdited(text)
            onAccepted: view.controller.accountReturned()
        }
    }
    Rectangle {
        x: 60; y: 110; width: 200; height: 30
        radius: 4
        border.color: "#cccccc"
        TextField {
            x: 5; y: 3; width: 195; height: 24
            background: null
            padding: 0
            placeholderText: "密码"
            echoMode: TextInput.Password
            text: view.controller.password
            font.pixelSize: 14
            focus: view.controller.focusedField === LoginController.Password
            onTextEdited: view.controller.password = text
            onAccepted: view.controller.login()
        }
    }
    Text {
        x: 60; y: 155; width: 200; height: 20
        horizontalAlignment: Text.AlignHCenter
        text: view.controller.registerTitle
        color: "#222222"
        font.pixelSize: 14
        font.bold: true
        MouseArea { anchors.fill: parent; onClicked: view.controller.userRegister() }
    }
    Button {
        x: 100; y: 190; width: 120
        text: "登录"
        onClicked: view.controller.login()
    }
    ListView {
        x: 60; y: 100; width: 200
        height: view.controller.suggestionRows * 30
        visible: view.controller.suggestionsVisible
        clip: true
        model: view.controller.suggestions
        Rectangle {
            anchors.fill: parent
            z: -1
            radius: 4
            color: Qt.rgba(1, 1, 1, 0.7)
            border.color: "#aaaaaa"
        }
        delegate: Text {
            required property string modelData
            required property int index
            width: 200; height: 30
            leftPadding: 6
            verticalAlignment: Text.AlignVCenter
            text: modelData
            font.pixelSize: 14
            MouseArea { anchors.fill: parent; onClicked: view.controller.chooseSuggestion(parent.index) }
        }
    }
}
