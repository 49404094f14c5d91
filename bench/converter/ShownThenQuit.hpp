#pragma once
// Shared by the three start-up subjects: ends the process's window as soon as it has been painted
// once, so a run measures process start to window shown, and nothing after.

#include <QApplication>
#include <QEvent>
#include <QWidget>

class CloseWhenPainted : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && w && w->isWindow() && !m_done) {
            m_done = true;
            QMetaObject::invokeMethod(w, &QWidget::close, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_done = false;
};
