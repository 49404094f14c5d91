#include "PartNative.hpp"

#include "Text850.hpp"

#include <algorithm>

namespace rt::gui {

QRect toToolkit(Pos pos, Size size, int parentHeight)
{
    return QRect(pos.x, parentHeight - pos.y - size.height, size.width, size.height);
}

WindowPlace placeWindow(Pos pos, Size size, QMargins frame, QRect available)
{
    QRect whole = toToolkit(pos, size, available.height()).translated(available.topLeft());
    if (available.isValid()) {
        whole.moveRight(std::min(whole.right(), available.right()));
        whole.moveBottom(std::min(whole.bottom(), available.bottom()));
        whole.moveLeft(std::max(whole.left(), available.left()));
        whole.moveTop(std::max(whole.top(), available.top()));
    }
    const QSize inside(std::max(0, size.width - frame.left() - frame.right()),
                       std::max(0, size.height - frame.top() - frame.bottom()));
    return {whole, inside};
}

QFont fontFromCompoundName(const QString &compound, const QFont &base)
{
    QFont font = base;
    const qsizetype dot = compound.indexOf('.');
    // The dot ends the size, so it is a whole number of points; read as one, it keeps the
    // floating-point parser and its tables out of the program's start.
    bool sized = false;
    const int points = compound.left(dot).trimmed().toInt(&sized);
    if (dot > 0 && sized && points > 0 && points < 200)
        font.setPointSize(points);
    const QString face = compound.mid(dot + 1).trimmed();
    if (!face.isEmpty())
        font.setFamilies({face});
    return font;
}

QString fromOem(const std::string &bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        out += QChar(static_cast<char16_t>(fromCp850(static_cast<unsigned char>(c))));
    return out;
}

} // namespace rt::gui
