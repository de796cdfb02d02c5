#pragma once

#include <QObject>

class QWidget;

namespace zeror::ui {

// Makes Enter/Return work like Tab in a dialog: it moves the focus to the next control in tab
// order, with Shift to the previous one, and never puts a character into the field. This holds
// for line edits, check boxes, combo boxes, multi-line text edits and buttons alike: a button is
// pressed by Space, its accelerator or a click, never by Enter, so walking back over a row of
// buttons with Shift+Enter opens nothing and changes nothing.
//
// The navigator watches the dialog and all its descendants, including children added after
// install(); widgets of other windows (completer and combo box pop-ups) are left alone.
class EnterNavigator : public QObject {
    Q_OBJECT
public:
    // Creates a navigator owned by the dialog and starts watching it. Calling it again for
    // the same dialog returns the existing navigator.
    static EnterNavigator* install(QWidget* dialog);

    QWidget* dialog() const { return m_dialog; }

    // Moves the focus from `from` to the next (or previous) control of its window that takes
    // Tab focus; returns false when there is none.
    static bool moveFocus(QWidget* from, bool forward);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit EnterNavigator(QWidget* dialog);
    void watch(QObject* object);

    QWidget* m_dialog;
};

} // namespace zeror::ui
