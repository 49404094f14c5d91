#include "WindowDriver.hpp"

#include "Converter.hpp"

#include <QApplication>
#include <QTimer>
#include <memory>

namespace windowtest {

bool runMainWith(std::vector<Step> steps)
{
    auto queue = std::make_shared<std::vector<Step>>(std::move(steps));
    queue->push_back([] { window()->close(); });
    auto next = std::make_shared<std::function<void(size_t)>>();
    *next = [queue, next](size_t i) {
        (*queue)[i]();
        if (i + 1 < queue->size())
            QTimer::singleShot(0, [next, i] { (*next)(i + 1); });
    };
    QTimer::singleShot(0, [next] { (*next)(0); });
    MAIN();
    *next = nullptr; // breaks the self-reference
    return window() == nullptr;
}

int switchPattern()
{
    int n = 0;
    auto boxes = switches();
    for (int bit = 0; bit < 16; ++bit)
        if (boxes[static_cast<size_t>(bit)]->isChecked())
            n |= 1 << bit;
    return n;
}

QString hexBytes(int number)
{
    return QString::asprintf("0x%02X 0x%02X", number & 0xFF, number >> 8);
}

} // namespace windowtest
