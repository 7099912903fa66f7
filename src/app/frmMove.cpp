#include "app/frmMove.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include "app/AppState.h"
#include "app/Twips.h"

namespace orv {

namespace {

void place(QWidget* w, int x, int y, int width, int height) {
    const int left = twipsToPx(x), top = twipsToPx(y);
    w->setGeometry(left, top, twipsToPx(x + width) - left, twipsToPx(y + height) - top);
}

QComboBox* bankList(QWidget* parent, const QString& name, int x, int y) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    // A drop-down combo: a position may be chosen or typed.
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (int p = 1; p <= 15; ++p) c->addItem(QString::number(p));
    place(c, x, y, 855, 315);
    return c;
}

}  // namespace

frmMove::frmMove(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmMove"));
    setWindowTitle(tr("Move Banks"));
    setModal(true);
    // A fixed dialog with its close box and no help button.
    makeFixedDialog(this);
    applyEditorFace(this);

    lblFromBank_ = new QLabel(tr("From Bank"), this);
    lblFromBank_->setObjectName(QStringLiteral("lblFromBank"));
    place(lblFromBank_, 240, 300, 1080, 255);
    cboFromBank_ = bankList(this, QStringLiteral("cboFromBank"), 1440, 270);
    cboFromBank_->setCurrentIndex(14);  // "15"
    nameAfterCaption(cboFromBank_, lblFromBank_->text());

    lblToBank_ = new QLabel(tr("To Bank"), this);
    lblToBank_->setObjectName(QStringLiteral("lblToBank"));
    place(lblToBank_, 240, 780, 1080, 255);
    cboToBank_ = bankList(this, QStringLiteral("cboToBank"), 1440, 750);
    cboToBank_->setCurrentIndex(0);  // "1"
    nameAfterCaption(cboToBank_, lblToBank_->text());

    Line1_ = new QFrame(this);
    Line1_->setObjectName(QStringLiteral("Line1"));
    Line1_->setFrameShape(QFrame::HLine);
    Line1_->setFrameShadow(QFrame::Sunken);
    place(Line1_, 120, 1260, 2400, 30);

    btnMoveOK_ = new QPushButton(tr("OK"), this);
    btnMoveOK_->setObjectName(QStringLiteral("btnMoveOK"));
    btnMoveOK_->setDefault(true);
    place(btnMoveOK_, 840, 1440, 960, 375);

    setFixedSize(twipsToPx(2640), twipsToPx(2040));
    connect(btnMoveOK_, &QPushButton::clicked, this, &frmMove::btnMoveOK_Click);
}

void frmMove::showCentred() {
    if (isVisible()) return;
    if (QScreen* scr = QGuiApplication::primaryScreen()) {
        const QRect s = scr->geometry();
        move(s.left() + (s.width() - width()) / 2, s.top() + (s.height() - height()) / 2);
    }
    exec();
}

void frmMove::btnMoveOK_Click() {
    if (moveRequested && !moveRequested(cboFromBank_->currentText(), cboToBank_->currentText())) return;
    accept();  // hidden, kept for the next move
}

}  // namespace orv
