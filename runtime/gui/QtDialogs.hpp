#pragma once
// The graphical dialogs: ALERT, CONFIRMBOX and MSGBOX as modal message boxes with German button
// texts. Private to the GUI layer; DesktopSession installs them. Each box carries an object name
// ("alertBox", "confirmBox", "messageBox") so that tests can find and answer the real box.

#include "Dialogs.hpp"

namespace rt::gui {

class QtDialogs : public DialogService
{
public:
    // Cold like ALERT, CONFIRMBOX and MSGBOX themselves.
    [[gnu::cold]] int alert(const Text &message, const std::vector<Text> &options) override;
    [[gnu::cold]] int confirmBox(const Text &text, const Text &title, int buttons,
                                 int style) override;
    [[gnu::cold]] void msgBox(const Text &text, const Text &title) override;
};

} // namespace rt::gui
