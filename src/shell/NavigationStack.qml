import QtQuick
import QtQuick.Controls
import Velari.Shell

// Follows one navigation stack of screens.
StackView {
    id: stack
    required property NavigationController navigation

    Component {
        id: screen
        ScreenFrame {
            canGoBack: StackView.index > 0
            onBack: stack.navigation.pop(true)
        }
    }
    Component.onCompleted: push(screen, { controller: navigation.topController }, StackView.Immediate)
    Connections {
        target: stack.navigation
        function onPushed(controller, animated) {
            stack.push(screen, { controller: controller }, animated ? StackView.PushTransition : StackView.Immediate)
        }
        function onPoppedTo(depth, animated) {
            stack.pop(stack.get(depth - 1), animated ? StackView.PopTransition : StackView.Immediate)
        }
    }
}
