#include "TAboutBox.h"

#include <QFont>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace zeror {

TAboutBox::TAboutBox(QWidget* parent, int closeAfterMs) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Betöltés..."));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Ravuraruvida reva "), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* year = new QLabel(QStringLiteral("2016."), this);
    year->setAlignment(Qt::AlignCenter);
    auto* maker = new QLabel(QStringLiteral("Zeror Szoftver\nFelvásárlási jegy nyilvántartó program\n"
                                            "Ügyfélszolgálat: a Segédlet / Névjegy menüpontban"),
                             this);
    maker->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(year);
    layout->addSpacing(12);
    layout->addWidget(maker);
    setMinimumSize(420, 220);
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &QDialog::accept);
    timer->start(closeAfterMs);
}

} // namespace zeror
