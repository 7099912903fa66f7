#include "app/GroupControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include "app/ControlMaker.h"
#include "app/TwipsPlaces.h"
#include "app/ViewBinder.h"
#include "edit/GroupEditor.h"

namespace orv {

namespace {
constexpr int kScanListLeft = 4785;  // the group scan list box, in the default layout
}

GroupControls::GroupControls(QWidget* area, TwipsPlaces& places, GroupEditor& editor)
    : area_(area), places_(places), editor_(editor) {
    ControlMaker make(places);
    auto frame = [&](const QString& caption, const QString& name, int y, int h) {
        return make.frame(area, caption, name, kFrameLeft, y, kFrameWidth, h);
    };

    // Group selection and the group's own fields.
    make.label(area, tr("Current Group:"), QStringLiteral("lblCurrentGroup"), 45, 60, 1050);
    cboCurrentGroup_ = make.combo(area, QStringLiteral("cboCurrentGroup"), lists::cboCurrentGroup(), 1095, 30, 705);
    cboCurrentGroup_->setEditable(true);
    cboCurrentGroup_->setInsertPolicy(QComboBox::NoInsert);
    // Only a group number of the list can be typed: any other key is refused
    // at once instead of leaving text such as "1f" behind.
    cboCurrentGroup_->setValidator(new QIntValidator(1, cboCurrentGroup_->count(), cboCurrentGroup_));
    // Real key events reach the combo box (which hands them to its line edit
    // directly), so the typed-group rule watches the combo box.
    cboCurrentGroup_->installEventFilter(this);
    make.label(area, tr("Group Label:"), QStringLiteral("lblGrpLab"), 1920, 60, 900);
    txtGrpLab_ = make.text(area, QStringLiteral("txtGrpLab"), 2820, 30, 1290);
    txtGrpLab_->setMaxLength(8);
    make.label(area, tr("Pass Word:"), QStringLiteral("lblPassWord"), 60, 370, 1000);
    txtPassWord_ = make.text(area, QStringLiteral("txtPassWord"), 1080, 340, 720);
    txtPassWord_->setMaxLength(6);
    make.label(area, tr("ANI/ID Number:"), QStringLiteral("lblID"), 1920, 370, 1100);
    txtID_ = make.text(area, QStringLiteral("txtID"), 3030, 340, 1080);
    txtID_->setMaxLength(8);
    make.label(area, tr("Tx Time Out Timer:"), QStringLiteral("lblTOT"), 60, 680, 1400);
    make.combo(area, QStringLiteral("cboTOT"), lists::cboTOT(), 1470, 650, 720);
    make.label(area, tr("Scan Hold Time:"), QStringLiteral("lblScanHold"), 2270, 680, 1180);
    make.combo(area, QStringLiteral("cboScan"), lists::cboScan(), 3450, 650, 700);

    chkGroupScanList_ =
        make.check(area, tr("Group Scan List"), QStringLiteral("chkGroupScanList"), kScanListLeft, 40, 1700);

    // The frames down the right side.
    QGroupBox* fraDisplyControl = frame(tr("Display Control"), QStringLiteral("fraDisplyControl"), 0, 1155);
    make.label(fraDisplyControl, tr("Display:"), QStringLiteral("lblDisplay"), 90, 240, 780);
    make.combo(fraDisplyControl, QStringLiteral("cboDisplay"), lists::cboDisplay(), 870, 210, 1530);
    make.label(fraDisplyControl, tr("Duration:"), QStringLiteral("lblDuration"), 90, 540, 780);
    make.combo(fraDisplyControl, QStringLiteral("cboDuration"), lists::cboDuration(), 870, 510, 1530);
    make.label(fraDisplyControl, tr("Back Light:"), QStringLiteral("lblBackLight"), 90, 840, 780);
    make.combo(fraDisplyControl, QStringLiteral("cboBackLight"), lists::cboBackLight(), 870, 810, 1530);

    QGroupBox* fraDualPri = frame(tr("Dual Priority"), QStringLiteral("fraDualPri"), 1170, 1110);
    make.label(fraDualPri, tr("Priority 1:"), QStringLiteral("lblPri1"), 90, 240, 800);
    make.combo(fraDualPri, QStringLiteral("cboPri1Chan"), lists::cboPriChan(), 900, 210, 1000);
    make.label(fraDualPri, tr("Priority 2:"), QStringLiteral("lblPri2"), 90, 540, 800);
    make.combo(fraDualPri, QStringLiteral("cboPri2Chan"), lists::cboPriChan(), 900, 510, 1000);
    make.check(fraDualPri, tr("Transmit on Priority 1"), QStringLiteral("chkPriTX"), 90, 825, 2300);

    QGroupBox* fraBattSave = frame(tr("Battery Saver"), QStringLiteral("fraBattSave"), 2295, 495);
    make.option(fraBattSave, tr("Off"), QStringLiteral("optBattSaveOff"), 150, 225, 900);
    make.option(fraBattSave, tr("On"), QStringLiteral("optBattSaveOn"), 1200, 225, 900);

    QGroupBox* fraUCG = frame(tr("User Code Guard"), QStringLiteral("fraUCG"), 2805, 840);
    make.option(fraUCG, tr("Disabled"), QStringLiteral("optUCGDisabled"), 150, 225, 1050);
    make.option(fraUCG, tr("Enabled"), QStringLiteral("optUCGEnabled"), 1260, 225, 1050);
    make.label(fraUCG, tr("Chan:"), QStringLiteral("lblUCGChan"), 150, 530, 420);
    make.combo(fraUCG, QStringLiteral("cboUCGChan"), lists::cboUCGChan(), 580, 500, 620);
    make.check(fraUCG, tr("Encode Only"), QStringLiteral("chkUCGEncode"), 1230, 530, 1220);

    QGroupBox* fraLockout = frame(tr("Keyboard Lockouts"), QStringLiteral("fraLockout"), 3660, 765);
    make.check(fraLockout, tr("'ENT'/'CLR' Key Lockout"), QStringLiteral("chkENTCLRLock"), 150, 225, 2280);
    make.check(fraLockout, tr("Priority Key Lockout"), QStringLiteral("chkPriKeyLock"), 150, 480, 2280);

    QGroupBox* fraBCI = frame(tr("Busy Channel Indicator"), QStringLiteral("fraBCI"), 4440, 555);
    make.combo(fraBCI, QStringLiteral("cboBCI"), lists::cboBCI(), 150, 210, 2160);

    QGroupBox* fraANI = frame(tr("Resident ANI/DTMF"), QStringLiteral("fraANI"), 5010, 555);
    make.combo(fraANI, QStringLiteral("cboANI"), lists::cboANI(), 150, 210, 2160);

    frames_ = {fraDisplyControl, fraDualPri, fraBattSave, fraUCG, fraLockout, fraBCI, fraANI};
}

int GroupControls::selectedGroup() const { return cboCurrentGroup_->currentIndex(); }

void GroupControls::showStartTexts() {
    txtPassWord_->setText(QStringLiteral("482916"));
    txtID_->setText(QStringLiteral("0000000"));
    txtGrpLab_->setText(QStringLiteral("GROUP 0"));
}

void GroupControls::showStartValues() {
    GroupView start;
    toView(start);
    start.optBattSaveOn = true;
    start.optBattSaveOff = false;
    start.optUCGDisabled = true;
    start.optUCGEnabled = false;
    start.cboPri1Chan = start.cboPri2Chan = start.cboUCGChan = 1;
    start.cboDisplay = start.cboBackLight = start.cboDuration = start.cboBCI = start.cboANI = 0;
    start.cboTOT = 0;
    start.cboScan = "0.0";
    fromView(start);
}

void GroupControls::toView(GroupView& view) const { controlsToGroupView(*area_, view); }

void GroupControls::fromView(const GroupView& view) { groupViewToControls(view, *area_); }

void GroupControls::defaultLayout() {
    for (QGroupBox* f : frames_) places_.moveLeft(f, kFrameLeft);
    places_.moveLeft(chkGroupScanList_, kScanListLeft);
}

void GroupControls::widen(int frameLeft, int dx) {
    places_.moveRight(chkGroupScanList_, dx);
    for (QGroupBox* f : frames_) places_.moveLeft(f, frameLeft);
}

// The typed group number, on the keys the combo box receives.
bool GroupControls::eventFilter(QObject* obj, QEvent* e) {
    if (obj == cboCurrentGroup_) {
        QLineEdit* text = cboCurrentGroup_->lineEdit();
        if (e->type() == QEvent::KeyPress) editor_.groupKeyDown(text->text().toStdString());
        if (e->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat())
            if (auto back = editor_.groupKeyUp(text->text().toStdString())) text->setText(QString::fromStdString(*back));
    }
    return QObject::eventFilter(obj, e);
}

}  // namespace orv
