#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace zeror::test {

// Answers a modal window from the test: once a new modal window is active, the action runs on it
// (typically filling fields and pressing a button). Gives up after the timeout so a test fails
// fast instead of hanging.
inline void whenModal(std::function<void(QWidget*)> action, int timeoutMs = 10000,
                      QWidget* notThis = nullptr)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, timeoutMs, notThis] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != notThis && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            action(modal);
            return;
        }
        if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            delete clock;
            qWarning("whenModal: no modal window appeared");
            // Close whatever is modal so the test does not hang.
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
        }
    });
    timer->start(20);
}

} // namespace zeror::test
