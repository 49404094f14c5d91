#include "Dialog.hpp"

#include "ErrorRouting.hpp"
#include "EventQueue.hpp"
#include "PartNative.hpp"
#include "RuntimeState.hpp"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace rt::gui {
namespace {

// A platform that cannot pass size constraints on to a window manager (the offscreen one) warns
// on standard error each time they change on a shown window; nothing is lost there, and the
// program's standard error stays for what matters. Every other message passes on.
QtMessageHandler &forwardedMessages()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

void withoutSizeHintWarning(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg &&
        text == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (QtMessageHandler forward = forwardedMessages()) {
        forward(type, context, text);
        return;
    }
    qInstallMessageHandler(nullptr); // the toolkit's own output, for this one message
    qt_message_output(type, context, text);
    qInstallMessageHandler(withoutSizeHintWarning);
}

void setFixedSizeQuietly(QWidget &window, QSize size)
{
    forwardedMessages() = qInstallMessageHandler(withoutSizeHintWarning);
    window.setFixedSize(size);
    qInstallMessageHandler(forwardedMessages());
}

// The window of a dialog: a close request becomes an event for the dialog's handleEvent. The
// dialog's position and size are those of the whole window; the frame the platform puts around
// it (told only once the window is shown, on X11 when the window manager has framed it) is
// taken from the drawing area, and the window is placed again whenever the frame changes.
class DialogWindow : public QWidget
{
public:
    explicit DialogWindow(std::weak_ptr<Part> part) : m_part(std::move(part)) {}

    void fitToFrame()
    {
        const std::shared_ptr<Part> part = m_part.lock();
        const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        if (!part || frame == m_placedIn)
            return;
        m_placedIn = frame;
        const QScreen *desktop = screen() ? screen() : QGuiApplication::primaryScreen();
        const WindowPlace place = placeWindow(part->pos(), part->size(), frame,
                                              desktop ? desktop->availableGeometry() : QRect());
        setFixedSizeQuietly(*this, place.inside);
        move(place.whole.topLeft()); // a window's position is its frame's
        part->placeChildren();
    }

protected:
    bool event(QEvent *event) override
    {
        const bool handled = QWidget::event(event);
        const QEvent::Type type = event->type();
        if (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize ||
            type == QEvent::ScreenChangeInternal)
            fitToFrame();
        return handled;
    }

    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        if (auto part = m_part.lock())
            postEvent(EventCode::Close, NIL, NIL, Value(std::static_pointer_cast<Object>(part)));
    }

private:
    std::weak_ptr<Part> m_part;
    QMargins m_placedIn{-1, -1, -1, -1}; // the frame last placed for; none yet
};

// A screen reader presents a dialog's window as the dialog it is, not as a plain pane.
QAccessibleInterface *dialogAccessible(const QString &, QObject *object)
{
    if (auto *window = dynamic_cast<DialogWindow *>(object))
        return new QAccessibleWidget(window, QAccessible::Dialog);
    return nullptr;
}

// The drawing area shares its dialog's window: the controls sit directly in the client area.
class DrawingArea : public Part
{
public:
    DrawingArea(std::shared_ptr<Part> dialog, Size size)
        : Part(std::move(dialog), {0, 0}, size, {}, true)
    {
    }
    std::string className() const override { return "DrawingArea"; }

    std::optional<Value> receive(std::string_view message, Args &args, Where w) override
    {
        if (sameName(message, "setFontCompoundName") && !args.empty() && args[0].isText()) {
            setFontCompoundName(args[0].text());
            return NIL;
        }
        return Part::receive(message, args, w);
    }

    void setFontCompoundName(const Text &compound)
    {
        QWidget *w = native().widget;
        w->setFont(fontFromCompoundName(fromOem(compound), w->font()));
    }

protected:
    void realise(PartNative &native) override
    {
        native.widget = parent()->native().widget;
        native.container = native.widget;
        native.borrowed = true;
    }
};

} // namespace

Desktop::Desktop() : Part(nullptr, {0, 0}, {0, 0}, {}, true) {}

void Desktop::realise(PartNative &) {}

Value APPDESKTOP()
{
    static const std::shared_ptr<Desktop> desktop = std::make_shared<Desktop>();
    return Value(desktop);
}

void requestClose()
{
    if (auto dialog = state().gui.newestDialog.lock())
        postEvent(EventCode::Close, NIL, NIL, Value(dialog));
    else
        state().gui.closeRequested = true;
}

std::shared_ptr<Dialog> Dialog::New(const Value &parent, const Value &owner, Pos pos, Size size,
                                    PresParams pres, bool visible)
{
    auto dialog = gui::New<Dialog>(parent, owner, pos, size, std::move(pres), visible);
    state().gui.newestDialog = dialog;
    if (std::exchange(state().gui.closeRequested, false))
        postEvent(EventCode::Close, NIL, NIL, Value(dialog));
    return dialog;
}

void Dialog::realise(PartNative &native)
{
    [[maybe_unused]] static const bool presentedAsDialog =
        (QAccessible::installFactory(dialogAccessible), true);
    auto *window = new DialogWindow(std::static_pointer_cast<Part>(shared_from_this()));
    native.widget = window;
    native.ownsWidget = true;
    window->setWindowTitle(fromOem(title));
    if (!taskList)
        window->setWindowFlag(Qt::Tool);
    window->fitToFrame();
}

std::shared_ptr<Part> Dialog::drawingArea()
{
    if (!m_drawingArea) {
        m_drawingArea = std::make_shared<DrawingArea>(
            std::static_pointer_cast<Part>(shared_from_this()), size());
        m_drawingArea->create();
    }
    return m_drawingArea;
}

void Dialog::show()
{
    if (QWidget *w = native().widget) {
        w->show();
        w->activateWindow();
    }
}

Value Dialog::handleEvent(int code, const Value &, const Value &, Where)
{
    if (code == static_cast<int>(EventCode::Close)) {
        if (QWidget *w = native().widget)
            w->hide();
    }
    return NIL;
}

std::optional<Value> Dialog::receive(std::string_view message, Args &args, Where w)
{
    if (sameName(message, "show")) {
        show();
        return NIL;
    }
    if (sameName(message, "drawingArea"))
        return Value(drawingArea());
    return Part::receive(message, args, w);
}

} // namespace rt::gui
