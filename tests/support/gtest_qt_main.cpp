// GoogleTest entry point with a QApplication, for tests that create widgets or fonts. The harness is
// strict: a question or file dialog without a queued answer fails the test, so does an answer the
// test queued but nothing used, and so does any message box or file dialog that appears on the
// screen instead of going through the scripted Dialogs.
#include "Dialogs.h"
#include "FocusStyle.h"
#include "QtTranslations.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using zeror::ui::Dialogs;

bool g_harnessFailed = false;

// Fails the running test and records the failure for the exit status too.
void harnessFailure(const QString& what)
{
    g_harnessFailed = true;
    ADD_FAILURE() << qPrintable(what);
}

class UnexpectedBoxFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show
            && (qobject_cast<QMessageBox*>(watched) || qobject_cast<QFileDialog*>(watched))) {
            auto* box = static_cast<QDialog*>(watched);
            const QString text = qobject_cast<QMessageBox*>(watched) ? static_cast<QMessageBox*>(watched)->text()
                                                                      : box->windowTitle();
            harnessFailure(QStringLiteral("a window the test did not answer appeared: \"%1\"").arg(text));
            QPointer<QDialog> p(box);
            QTimer::singleShot(0, [p] {
                if (p)
                    p->reject();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

class StrictDialogsListener : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override
    {
        Dialogs::clear();
        Dialogs::setOnUnanswered([](const QString& what) { harnessFailure(what); });
    }
    void OnTestEnd(const ::testing::TestInfo& info) override
    {
        if (Dialogs::pendingAnswers() > 0 || Dialogs::pendingFileNames() > 0) {
            g_harnessFailed = true;
            fprintf(stderr, "%s.%s: %d queued answer(s) and %d file name(s) were never used\n",
                    info.test_suite_name(), info.name(), Dialogs::pendingAnswers(), Dialogs::pendingFileNames());
        }
        Dialogs::clear();
    }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Dialogs::setScripted(true);
    // The screens look and speak as in the program: visible focus, Qt's dialogs in Hungarian.
    zeror::ui::installFocusStyle();
    zeror::ui::installQtTranslations();
    UnexpectedBoxFilter filter;
    app.installEventFilter(&filter);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new StrictDialogsListener);
    const int result = RUN_ALL_TESTS();
    return result != 0 ? result : (g_harnessFailed ? 1 : 0);
}
