#include "ModalBoxes.hpp"

#include "SessionEnding.hpp"

#include <QDialog>
#include <algorithm>
#include <vector>

namespace rt::gui {
namespace {

struct Running
{
    QDialog *box;
    bool ended;
};

std::vector<Running> &running()
{
    static std::vector<Running> boxes;
    return boxes;
}

} // namespace

bool runModal(QDialog &box)
{
    if (sessionEnding())
        return false; // nobody is there to answer it any more
    running().push_back({&box, false});
    box.exec();
    const bool ended = running().back().ended;
    running().pop_back();
    return !ended;
}

void endModalBoxes()
{
    for (auto it = running().rbegin(); it != running().rend(); ++it) {
        it->ended = true;
        it->box->done(0);
    }
}

} // namespace rt::gui
