#include "cstmDialog.h"

#include <QLabel>

namespace tillscribe {

TfrmBeforeInstallDialog::TfrmBeforeInstallDialog(QWidget *parent) : QWidget(parent)
{
    QFont arial(QStringLiteral("Arial"));
    arial.setStyleHint(QFont::SansSerif);
    arial.setPixelSize(11);
    setFont(arial);
    // pnlcstmDialog1: 337 by 185, 64 pixels from the top of the page's right part.
    auto *panel = new QWidget(this);
    panel->setGeometry(0, 64, 337, 185);
    Label1 = new QLabel(QStringLiteral("VELDRAN SYSTEMS PRESENTS"), panel);
    QFont presents = arial;
    presents.setPixelSize(21);
    Label1->setFont(presents);
    Label1->setStyleSheet(QStringLiteral("color: navy"));
    Label1->adjustSize();
    Label1->move((337 - Label1->width()) / 2, 48);
    lblcstmDialog2 = new QLabel(QStringLiteral("VIVUDIV TILLSCRIBE"), panel);
    QFont product = arial;
    product.setPixelSize(27);
    product.setBold(true);
    lblcstmDialog2->setFont(product);
    lblcstmDialog2->setStyleSheet(QStringLiteral("color: rgb(255, 111, 40)"));
    lblcstmDialog2->adjustSize();
    lblcstmDialog2->move((337 - lblcstmDialog2->width()) / 2, 104);
}

} // namespace tillscribe
