#include "WindowDriver.hpp"

#include "Converter.hpp"

#include <QApplication>
#include <QTimer>
#include <algorithm>
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

QWidget *window()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->windowTitle() == "Tarvello 16bit" && w->isVisible())
            return w;
    return nullptr;
}

std::vector<QCheckBox *> switches()
{
    std::vector<QCheckBox *> boxes(16, nullptr);
    for (QCheckBox *box : window()->findChildren<QCheckBox *>()) {
        const int bit = box->accessibleName().mid(4).toInt();
        if (box->accessibleName().startsWith("Bit ") && bit >= 0 && bit < 16)
            boxes[static_cast<size_t>(bit)] = box;
    }
    return boxes;
}

static std::vector<QPushButton *> buttonsByX()
{
    auto buttons = window()->findChildren<QPushButton *>();
    std::vector<QPushButton *> sorted(buttons.begin(), buttons.end());
    std::ranges::sort(sorted, {}, [](QPushButton *b) { return b->x(); });
    return sorted;
}

QPushButton *leftButton()
{
    return buttonsByX().front();
}

QPushButton *rightButton()
{
    return buttonsByX().back();
}

QSpinBox *spin()
{
    return window()->findChild<QSpinBox *>();
}

QLineEdit *spinEntry()
{
    return spin()->findChild<QLineEdit *>();
}

QLineEdit *twoByteField()
{
    for (QLineEdit *edit : window()->findChildren<QLineEdit *>())
        if (edit->isReadOnly())
            return edit;
    return nullptr;
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

std::vector<int> shownBytes()
{
    std::vector<int> bytes;
    for (const QString &hex :
         twoByteField()->accessibleDescription().split(' ', Qt::SkipEmptyParts))
        bytes.push_back(hex.toInt(nullptr, 16));
    return bytes;
}

} // namespace windowtest
