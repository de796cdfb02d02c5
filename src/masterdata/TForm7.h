#pragma once

#include "ProductRegister.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zeror {

class TData;

// The product entry window "Termék": a new product or a change of the current row of ZQ40, as
// productEntryMode says when the window opens.
class TForm7 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm7(QWidget* parent = nullptr);
    ~TForm7() override;

    // False when the current product could not be shown; the window is not to be shown.
    bool isReady() const { return m_ready; }
    bool isNewMode() const { return m_new; }
    // True once a store ran (successfully or not) and the list was re-run.
    bool listReopened() const { return m_listReopened; }

    QLineEdit* field(ProductField f) const { return m_fields[static_cast<size_t>(f)]; }
    ProductInput input() const;

public slots:
    void okClicked();

private:
    TData* m_data;
    bool m_new = true;
    bool m_ready = true;
    bool m_listReopened = false;
    std::array<QLineEdit*, kProductFieldCount> m_fields{};
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace zeror
