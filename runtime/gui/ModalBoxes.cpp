#include "ModalBoxes.hpp"

#include "RuntimeState.hpp"

#include <QDialog>

namespace rt::gui {

bool runModal(QDialog &box)
{
    auto &open = state().gui.openBoxes;
    if (state().sessionEnding)
        return false; // nobody is there to answer it any more
    open.push_back({[&box] { box.done(0); }});
    box.exec();
    const bool ended = open.back().ended;
    open.pop_back();
    return !ended;
}

void endModalBoxes()
{
    auto &open = state().gui.openBoxes;
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        it->ended = true;
        it->end();
    }
}

} // namespace rt::gui
