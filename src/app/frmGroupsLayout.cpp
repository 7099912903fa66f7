// The main window's controls and their layout in twips: the default layout
// of the group screen, and the layout of an enlarged window.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <map>
#include "app/AppState.h"
#include "app/ChannelGrid.h"
#include "app/Twips.h"
#include "app/ViewBinder.h"
#include "app/frmGroups.h"
#include "image/NumText.h"

namespace orv {

namespace {

// Default layout sizes (twips).
constexpr int kGridLeft = 0;
constexpr int kGridTop = 960;
constexpr int kGridHeaderHeight = 270;
constexpr int kFrameLeft = 6600;
constexpr int kCheckTop = 1230;
constexpr int kCheckStep = 255;
constexpr int kCheckSize = 210;
constexpr std::array<int, kGridColumns> kColumnWidths{690, 1110, 750, 1110, 750, 990};

void fill(QComboBox* cbo, const std::vector<std::string>& entries) {
    for (const auto& e : entries) cbo->addItem(listEntryText(e));
}

}  // namespace

// The separator lines that lead from the flag labels to their check box
// columns; ends in twips, drawn under the controls.
class LinesOverlay : public QWidget {
public:
    explicit LinesOverlay(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    struct Line { int x1, y1, x2, y2; };
    std::array<Line, 6> lines{};  // Line1 .. Line6

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::WindowText), 1));
        for (const auto& l : lines)
            p.drawLine(twipsToPx(l.x1), twipsToPx(l.y1), twipsToPx(l.x2), twipsToPx(l.y2));
    }
};

void frmGroups::place(QWidget* w, int x, int y, int width, int height) {
    twips_[w] = QRect(x, y, width, height);
    applyGeometry(w);
}

void frmGroups::applyGeometry(QWidget* w) {
    // Both edges converted, so controls that meet in twips meet in pixels.
    const QRect& r = twips_[w];
    const int left = twipsToPx(r.x()), top = twipsToPx(r.y());
    w->setGeometry(left, top, twipsToPx(r.x() + r.width()) - left, twipsToPx(r.y() + r.height()) - top);
}

QRect frmGroups::twipsGeometry(QWidget* w) const {
    auto it = twips_.find(w);
    return it == twips_.end() ? QRect() : it->second;
}

void frmGroups::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    lines_ = new LinesOverlay(central);

    // A text or list box is named for assistive technology after the label
    // made just before it in the same parent, or else after its frame.
    std::map<QWidget*, QString> pendingCaption;
    auto nameAfterLabel = [&](QWidget* control, QWidget* parent) {
        auto it = pendingCaption.find(parent);
        if (it != pendingCaption.end()) {
            nameAfterCaption(control, it->second);
            pendingCaption.erase(it);
        } else if (auto* frame = qobject_cast<QGroupBox*>(parent)) {
            nameAfterCaption(control, frame->title());
        }
    };
    auto label = [&](QWidget* parent, const QString& text, const QString& name, int x, int y, int w, int h = 240,
                     Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(name);
        l->setAlignment(align);
        place(l, x, y, w, h);
        pendingCaption[parent] = text;
        return l;
    };
    auto combo = [&](QWidget* parent, const QString& name, const std::vector<std::string>& entries, int x, int y,
                     int w) {
        auto* c = new QComboBox(parent);
        c->setObjectName(name);
        fill(c, entries);
        c->setMaxVisibleItems(18);
        place(c, x, y, w, 300);
        nameAfterLabel(c, parent);
        return c;
    };
    auto text = [&](QWidget* parent, const QString& name, int x, int y, int w) {
        auto* t = new QLineEdit(parent);
        t->setObjectName(name);
        place(t, x, y, w, 300);
        nameAfterLabel(t, parent);
        return t;
    };
    auto check = [&](QWidget* parent, const QString& caption, const QString& name, int x, int y, int w) {
        auto* c = new QCheckBox(caption, parent);
        c->setObjectName(name);
        place(c, x, y, w, 240);
        return c;
    };
    auto option = [&](QWidget* parent, const QString& caption, const QString& name, int x, int y, int w) {
        auto* o = new QRadioButton(caption, parent);
        o->setObjectName(name);
        place(o, x, y, w, 240);
        return o;
    };
    auto frame = [&](const QString& caption, const QString& name, int y, int h) {
        auto* f = new QGroupBox(caption, central);
        f->setObjectName(name);
        place(f, kFrameLeft, y, 2460, h);
        return f;
    };

    // Group selection and the group's own fields.
    label(central, tr("Current Group:"), QStringLiteral("lblCurrentGroup"), 45, 60, 1050);
    cboCurrentGroup_ = combo(central, QStringLiteral("cboCurrentGroup"), lists::cboCurrentGroup(), 1095, 30, 705);
    cboCurrentGroup_->setEditable(true);
    cboCurrentGroup_->setInsertPolicy(QComboBox::NoInsert);
    // Only a group number of the list can be typed: any other key is refused
    // at once instead of leaving text such as "1f" behind.
    cboCurrentGroup_->setValidator(new QIntValidator(1, cboCurrentGroup_->count(), cboCurrentGroup_));
    // Real key events reach the combo box (which hands them to its line edit
    // directly), so the typed-group rule watches the combo box.
    cboCurrentGroup_->installEventFilter(this);
    label(central, tr("Group Label:"), QStringLiteral("lblGrpLab"), 1920, 60, 900);
    txtGrpLab_ = text(central, QStringLiteral("txtGrpLab"), 2820, 30, 1290);
    txtGrpLab_->setMaxLength(8);
    label(central, tr("Pass Word:"), QStringLiteral("lblPassWord"), 60, 370, 1000);
    txtPassWord_ = text(central, QStringLiteral("txtPassWord"), 1080, 340, 720);
    txtPassWord_->setMaxLength(6);
    label(central, tr("ANI/ID Number:"), QStringLiteral("lblID"), 1920, 370, 1100);
    txtID_ = text(central, QStringLiteral("txtID"), 3030, 340, 1080);
    txtID_->setMaxLength(8);
    label(central, tr("Tx Time Out Timer:"), QStringLiteral("lblTOT"), 60, 680, 1400);
    cboTOT_ = combo(central, QStringLiteral("cboTOT"), lists::cboTOT(), 1470, 650, 720);
    label(central, tr("Scan Hold Time:"), QStringLiteral("lblScanHold"), 2270, 680, 1180);
    cboScan_ = combo(central, QStringLiteral("cboScan"), lists::cboScan(), 3450, 650, 700);

    chkGroupScanList_ = check(central, tr("Group Scan List"), QStringLiteral("chkGroupScanList"), 4785, 40, 1700);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    lblLoPower_ = label(central, tr("Low Power"), QStringLiteral("lblLoPower"), 4845, 300, 855, 210, right);
    lblNarr_ = label(central, tr("Narrow Band"), QStringLiteral("lblNarr"), 4710, 510, 990, 210, right);
    lblScan_ = label(central, tr("SCAN List"), QStringLiteral("lblScan"), 4920, 720, 780, 210, right);

    // The frames down the right side.
    fraDisplyControl_ = frame(tr("Display Control"), QStringLiteral("fraDisplyControl"), 0, 1155);
    label(fraDisplyControl_, tr("Display:"), QStringLiteral("lblDisplay"), 90, 240, 780);
    combo(fraDisplyControl_, QStringLiteral("cboDisplay"), lists::cboDisplay(), 870, 210, 1530);
    label(fraDisplyControl_, tr("Duration:"), QStringLiteral("lblDuration"), 90, 540, 780);
    combo(fraDisplyControl_, QStringLiteral("cboDuration"), lists::cboDuration(), 870, 510, 1530);
    label(fraDisplyControl_, tr("Back Light:"), QStringLiteral("lblBackLight"), 90, 840, 780);
    combo(fraDisplyControl_, QStringLiteral("cboBackLight"), lists::cboBackLight(), 870, 810, 1530);

    fraDualPri_ = frame(tr("Dual Priority"), QStringLiteral("fraDualPri"), 1170, 1110);
    label(fraDualPri_, tr("Priority 1:"), QStringLiteral("lblPri1"), 90, 240, 800);
    combo(fraDualPri_, QStringLiteral("cboPri1Chan"), lists::cboPriChan(), 900, 210, 1000);
    label(fraDualPri_, tr("Priority 2:"), QStringLiteral("lblPri2"), 90, 540, 800);
    combo(fraDualPri_, QStringLiteral("cboPri2Chan"), lists::cboPriChan(), 900, 510, 1000);
    check(fraDualPri_, tr("Transmit on Priority 1"), QStringLiteral("chkPriTX"), 90, 825, 2300);

    fraBattSave_ = frame(tr("Battery Saver"), QStringLiteral("fraBattSave"), 2295, 495);
    option(fraBattSave_, tr("Off"), QStringLiteral("optBattSaveOff"), 150, 225, 900);
    option(fraBattSave_, tr("On"), QStringLiteral("optBattSaveOn"), 1200, 225, 900);

    fraUCG_ = frame(tr("User Code Guard"), QStringLiteral("fraUCG"), 2805, 840);
    option(fraUCG_, tr("Disabled"), QStringLiteral("optUCGDisabled"), 150, 225, 1050);
    option(fraUCG_, tr("Enabled"), QStringLiteral("optUCGEnabled"), 1260, 225, 1050);
    label(fraUCG_, tr("Chan:"), QStringLiteral("lblUCGChan"), 150, 530, 420);
    combo(fraUCG_, QStringLiteral("cboUCGChan"), lists::cboUCGChan(), 580, 500, 620);
    check(fraUCG_, tr("Encode Only"), QStringLiteral("chkUCGEncode"), 1230, 530, 1220);

    fraLockout_ = frame(tr("Keyboard Lockouts"), QStringLiteral("fraLockout"), 3660, 765);
    check(fraLockout_, tr("'ENT'/'CLR' Key Lockout"), QStringLiteral("chkENTCLRLock"), 150, 225, 2280);
    check(fraLockout_, tr("Priority Key Lockout"), QStringLiteral("chkPriKeyLock"), 150, 480, 2280);

    fraBCI_ = frame(tr("Busy Channel Indicator"), QStringLiteral("fraBCI"), 4440, 555);
    combo(fraBCI_, QStringLiteral("cboBCI"), lists::cboBCI(), 150, 210, 2160);

    fraANI_ = frame(tr("Resident ANI/DTMF"), QStringLiteral("fraANI"), 5010, 555);
    combo(fraANI_, QStringLiteral("cboANI"), lists::cboANI(), 150, 210, 2160);

    // The offset entry is shown only while an offset is being entered.
    frmOffset_ = frame(tr("Offset"), QStringLiteral("frmOffset"), 5580, 555);
    txtOffset_ = text(frmOffset_, QStringLiteral("txtOffset"), 150, 210, 2160);
    frmOffset_->setVisible(false);

    for (int i = 0; i < kChannels; ++i) {
        const int y = kCheckTop + kCheckStep * i + (kCheckStep - kCheckSize) / 2;
        // Each box is named after its channel and its column's label ("Ch 3 Narrow Band").
        auto mk = [&](const char* name, int x, const QLabel* column) {
            auto* c = new QCheckBox(central);
            c->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(i));
            c->setToolTip(tr("Ch %1").arg(i + 1));
            nameAfterCaption(c, tr("Ch %1").arg(i + 1) + QLatin1Char(' ') + column->text());
            place(c, x, y, kCheckSize, kCheckSize);
            return c;
        };
        chkScan_[size_t(i)] = mk("chkScan", 5820, lblScan_);
        chkNarr_[size_t(i)] = mk("chkNarr", 6075, lblNarr_);
        chkLoPower_[size_t(i)] = mk("chkLoPower", 6330, lblLoPower_);
    }

    Grid_ = new ChannelGrid(central);
    Grid_->setObjectName(QStringLiteral("Grid"));
    nameAfterCaption(Grid_, tr("Channels"));
    place(Grid_, kGridLeft, kGridTop, kGridWidth, kGridHeight);
    lines_->lower();
    // The channels come right after the group selector in the tab order.
    setTabOrder(cboCurrentGroup_, Grid_);
}

// ---------------------------------------------------------------- layout

void frmGroups::applyGridGeometry() {
    applyGeometry(Grid_);
    Grid_->horizontalHeader()->setFixedHeight(twipsToPx(kGridHeaderHeight));
    Grid_->verticalHeader()->setDefaultSectionSize(twipsToPx(rowTwips_));
    Grid_->verticalHeader()->setMinimumSectionSize(1);
    for (int c = 0; c < kGridColumns; ++c) Grid_->setColumnWidth(c, twipsToPx(colTwips_[size_t(c)]));
}

void frmGroups::placeCheckRows() {
    for (int i = 0; i < kChannels; ++i) {
        for (auto* arr : {&chkScan_, &chkNarr_, &chkLoPower_}) {
            QCheckBox* c = (*arr)[size_t(i)];
            QRect r = twips_[c];
            if (Grid_->model() && i < Grid_->model()->rowCount()) {
                // Keep each row of boxes level with its grid row as drawn
                // (whole pixels per row, so the rows are measured, not summed);
                // the rows start below the grid's frame and header.
                const int rowPx = Grid_->y() + Grid_->frameWidth() + Grid_->horizontalHeader()->height() +
                                  Grid_->rowViewportPosition(i);
                const int centrePx = rowPx + Grid_->rowHeight(i) / 2;
                r.moveTop(pxToTwips(centrePx) - kCheckSize / 2);
            } else {
                r.moveTop(kCheckTop + kCheckStep * i + (kCheckStep - kCheckSize) / 2);
            }
            twips_[c] = r;
            applyGeometry(c);
        }
    }
}

void frmGroups::defaultLayout() {
    inLayout_ = true;
    const QSize want(twipsToPx(kFormWidth), twipsToPx(kFormHeight));
    if (size() != want && !isMaximized() && !isFullScreen()) resize(want);
    twips_[Grid_] = QRect(kGridLeft, kGridTop, kGridWidth, kGridHeight);
    rowTwips_ = 250;
    colTwips_ = kColumnWidths;
    applyGridGeometry();
    for (QWidget* f : std::initializer_list<QWidget*>{fraDisplyControl_, fraDualPri_, fraBattSave_, fraUCG_, fraLockout_,
                                                      fraBCI_, frmOffset_, fraANI_}) {
        twips_[f].moveLeft(kFrameLeft);
        applyGeometry(f);
    }
    auto left = [this](QWidget* w, int x) {
        twips_[w].moveLeft(x);
        applyGeometry(w);
    };
    left(lblLoPower_, 4845);
    left(lblNarr_, 4710);
    left(lblScan_, 4920);
    left(chkGroupScanList_, 4785);
    for (int i = 0; i < kChannels; ++i) {
        left(chkScan_[size_t(i)], 5820);
        left(chkNarr_[size_t(i)], 6075);
        left(chkLoPower_[size_t(i)], 6330);
    }
    // The grid's rows are whole pixels high at any scale: the boxes follow them.
    placeCheckRows();
    // Each line leads from its label to its column of check boxes.
    const int yLo = 405, yNarr = 615, yScan = 825, yDown = kCheckTop;
    lines_->lines = {{{6165, yNarr, 6165, yDown},
                      {6150, yNarr, 5715, yNarr},
                      {6435, yLo, 6435, yDown},
                      {6435, yLo, 5715, yLo},
                      {5925, yScan, 5925, yDown},
                      {5895, yScan, 5730, yScan}}};
    lines_->setGeometry(0, 0, 8000, 8000);
    lines_->update();
    inLayout_ = false;
}

void frmGroups::layoutWindow() {
    const int W = pxToTwips(width());
    const int H = pxToTwips(height());
    // Compared in pixels: a twips size read back from pixels is rounded.
    if (width() > twipsToPx(kFormWidth) && height() > twipsToPx(kFormHeight)) {
        const int dx = W - savedFormWidth_;
        auto moveRight = [&](QWidget* w) {
            twips_[w].translate(dx, 0);
            applyGeometry(w);
        };
        for (QWidget* w : std::initializer_list<QWidget*>{lblLoPower_, lblNarr_, lblScan_, chkGroupScanList_}) moveRight(w);
        for (int i = 0; i < kChannels; ++i) {
            moveRight(chkScan_[size_t(i)]);
            moveRight(chkNarr_[size_t(i)]);
            moveRight(chkLoPower_[size_t(i)]);
        }
        for (auto& l : lines_->lines) {
            l.x1 += dx;
            l.x2 += dx;
        }
        int newHeight = H - 1100;
        // The grid never reaches past the bottom of the window's client area.
        const int room = pxToTwips(centralWidget()->height()) - twips_[Grid_].y();
        if (room > 0) newHeight = std::min(newHeight, room);
        const int newWidth = twips_[chkScan_[0]].x() - 20;
        if (newHeight > 0 && newWidth > 0) {
            twips_[Grid_].setHeight(newHeight);
            twips_[Grid_].setWidth(newWidth);
            rowTwips_ = static_cast<int>(newHeight / 17.5);
        }
        const int step = static_cast<int>(roundHalfEven((twips_[Grid_].width() - savedGridWidth_) / 6.0));
        for (auto& w : colTwips_) w += step;
        applyGridGeometry();
        for (QWidget* f : std::initializer_list<QWidget*>{fraDisplyControl_, fraDualPri_, fraBattSave_, fraUCG_, fraLockout_,
                                                          fraBCI_, frmOffset_, fraANI_}) {
            twips_[f].moveLeft(W - 2600);
            applyGeometry(f);
        }
        placeCheckRows();
        lines_->setGeometry(0, 0, 8000, 8000);
        lines_->update();
    } else if (!isMinimized()) {
        defaultLayout();
    }
}

void frmGroups::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (inLayout_) return;
    savedWindowState_ = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    if (!isFirstActivation_ && savedWindowState_ != 1) relayoutAfterResize();
}

void frmGroups::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::FontChange && Grid_ && !inLayout_) {
        defaultLayout();
        relayoutAfterResize();
    }
}

// Lays the window out for its size and keeps the sizes for the next resize.
void frmGroups::relayoutAfterResize() {
    inLayout_ = true;
    layoutWindow();
    inLayout_ = false;
    savedFormWidth_ = pxToTwips(width());
    savedFormHeight_ = pxToTwips(height());
    savedGridWidth_ = twips_[Grid_].width();
    savedGridHeight_ = twips_[Grid_].height();
}

}  // namespace orv
