#pragma once

#include <QDialog>

namespace zeror {

// The splash window shown while the program starts; it closes itself after three seconds.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr, int closeAfterMs = 3000);
};

} // namespace zeror
