#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zeror::test {

// Answers a modal window from the test: once a new modal window is active, the action runs on it
// (typically filling fields and pressing a button). The test fails when no modal window appears
// within the timeout, or when the window is still open a timeout after the action ran; the
// window is then closed so that the test ends instead of hanging.
inline void whenModal(std::function<void(QWidget*)> action, int timeoutMs = 10000,
                      QWidget* notThis = nullptr)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, timeoutMs, notThis] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != notThis && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            QPointer<QWidget> answered(modal);
            action(modal);
            // The window must close after being answered.
            auto* watch = new QTimer;
            auto since = std::make_shared<QElapsedTimer>();
            since->start();
            QObject::connect(watch, &QTimer::timeout, [watch, since, answered, timeoutMs] {
                if (!answered || !answered->isVisible()) {
                    watch->stop();
                    watch->deleteLater();
                    return;
                }
                if (since->elapsed() > timeoutMs) {
                    watch->stop();
                    watch->deleteLater();
                    ADD_FAILURE() << "whenModal: the modal window \"" << qPrintable(answered->objectName())
                                  << "\" did not close after it was answered";
                    answered->close();
                }
            });
            watch->start(20);
            return;
        }
        if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "whenModal: no modal window appeared within " << timeoutMs << " ms";
            // Close whatever is modal so the test does not hang.
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
        }
    });
    timer->start(20);
}

} // namespace zeror::test
