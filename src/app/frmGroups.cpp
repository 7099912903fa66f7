#include "app/frmGroups.h"
#include "app/FileOpenSave.h"
#include "app/RadioCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "app/AppState.h"
#include "app/Beep.h"
#include "app/ChannelGrid.h"
#include "image/CodecError.h"
#include "app/FrequencyCheck.h"
#include "image/NumText.h"
#include "app/Twips.h"
#include "db/WriteDefaults.h"
#include "db/clsDBUtil.h"
#include "app/frmAbout.h"
#include "app/frmGlobals.h"
#include "app/frmHelp.h"

namespace orv {

namespace {

// Default layout sizes (twips).
constexpr int kFormWidth = 9180;
constexpr int kFormHeight = 6570;
constexpr int kGridLeft = 0;
constexpr int kGridTop = 960;
constexpr int kGridWidth = 5715;
constexpr int kGridHeight = 4560;
constexpr int kGridHeaderHeight = 270;
constexpr int kFrameLeft = 6600;
constexpr int kCheckTop = 1230;
constexpr int kCheckStep = 255;
constexpr int kCheckSize = 210;
constexpr std::array<int, kGridColumns> kColumnWidths{690, 1110, 750, 1110, 750, 990};

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& t) { return t.toStdString(); }

void fill(QComboBox* cbo, const std::vector<std::string>& entries) {
    for (const auto& e : entries) cbo->addItem(q(e));
}

int checkValue(const QCheckBox* c) {
    switch (c->checkState()) {
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        default: return 0;
    }
}

void setCheckValue(QCheckBox* c, int v) {
    c->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void setIndex(QComboBox* cbo, int i) { cbo->setCurrentIndex(i >= 0 && i < cbo->count() ? i : -1); }

void setPair(QRadioButton* a, bool va, QRadioButton* b, bool vb) {
    // Either button may be set by a codec; both clear is allowed too.
    a->setAutoExclusive(false);
    b->setAutoExclusive(false);
    a->setChecked(va);
    b->setChecked(vb);
    a->setAutoExclusive(true);
    b->setAutoExclusive(true);
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

frmGroups::frmGroups(QWidget* parent) : QMainWindow(parent) {
    initAppIdentity();
    setWindowTitle(QStringLiteral("ORVEDIT  -  ORV Editor"));
    setObjectName(QStringLiteral("frmGroups"));
    // The layout is fixed in twips: the editor's small face keeps every
    // caption and list entry inside its control.
    applyEditorFace(this);

    // Load, in order: link constants (the radio commands own the port), the
    // global codec, the current group, the group codecs, the working table,
    // the grid sizes, the start texts, the first group entry, the start values,
    // the check box rows, the window's place.
    link_ = std::make_unique<RadioLink>(this);  // its link module runs initComm
    GLOBALS_ = makeMainGlobalsCodec();  // acts on the one global window, loading it when needed
    clsDBUtil::setMessageSink([this](const QString& text) {
        showMessage(isVisible() ? this : nullptr, text, QString(), MsgIcon::None, MsgButtons::OK);
    });
    buildMenus();
    connectCommands();
    buildControls();
    intCurrentGroup = cboCurrentGroup->currentIndex() >= 0 ? cboCurrentGroup->currentIndex() : 0;
    for (int g = 0; g < kGroups; ++g) groupList.push_back(std::make_unique<clsGroup>(theImage(), view));
    bindGrid();
    rowTwips_ = 255;
    txtPassWord->setText(QStringLiteral("482916"));
    txtID->setText(QStringLiteral("0000000"));
    txtGrpLab->setText(QStringLiteral("GROUP 0"));
    isFirstActivation = true;
    cboCurrentGroup->setCurrentIndex(0);
    cboCurrentGroup_Click();
    optBattSaveOn->setChecked(true);
    optUCGDisabled->setChecked(true);
    cboPri1Chan->setCurrentIndex(1);
    cboPri2Chan->setCurrentIndex(1);
    cboUCGChan->setCurrentIndex(1);
    cboDisplay->setCurrentIndex(0);
    cboBackLight->setCurrentIndex(0);
    cboDuration->setCurrentIndex(0);
    cboBCI->setCurrentIndex(0);
    cboANI->setCurrentIndex(0);
    cboTOT->setCurrentIndex(0);
    cboScan->setCurrentIndex(0);
    defaultLayout();
    if (QScreen* scr = QGuiApplication::primaryScreen()) {
        const QRect a = scr->availableGeometry();
        move(a.left() + (a.width() - width()) / 2, a.top() + (a.height() - height()) / 2);
    }
    currentFileName_.clear();

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &frmGroups::onFocusWindowChanged);
}

frmGroups::~frmGroups() {
    // Nothing may switch groups while the window comes apart.
    disconnect(qApp, nullptr, this, nullptr);
    if (cboCurrentGroup) {
        cboCurrentGroup->blockSignals(true);
        cboCurrentGroup->removeEventFilter(this);
    }
    if (Grid) Grid->cancelEdit();
    clsDBUtil::setMessageSink({});
    groupList.clear();
    if (dataORVInfo) {
        delete dataORVInfo;
        dataORVInfo = nullptr;
    }
    if (!connName_.isEmpty()) QSqlDatabase::removeDatabase(connName_);
}

// ---------------------------------------------------------------- menus

void frmGroups::buildMenus() {
    QMenuBar* bar = menuBar();
    auto act = [this](QMenu* menu, const QString& caption, const QString& name, const QKeySequence& key = {}) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        addAction(a);
        return a;
    };
    auto sep = [](QMenu* menu, const QString& name) {
        QAction* a = menu->addSeparator();
        a->setObjectName(name);
        return a;
    };

    mnuFile = bar->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuSave = act(mnuFile, QStringLiteral("&Save"), QStringLiteral("mnuSave"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveAs = act(mnuFile, QStringLiteral("Sa&ve As"), QStringLiteral("mnuSaveAs"));
    mnuSep1 = sep(mnuFile, QStringLiteral("mnuSep1"));
    mnuOpen = act(mnuFile, QStringLiteral("&Open"), QStringLiteral("mnuOpen"), QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSep4 = sep(mnuFile, QStringLiteral("mnuSep4"));
    mnuLoad = mnuFile->addMenu(QStringLiteral("Load"));
    mnuLoad->setObjectName(QStringLiteral("mnuLoad"));
    mnuLast = act(mnuLoad, QStringLiteral("&Last Screen"), QStringLiteral("mnuLast"), QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuDefault = act(mnuLoad, QStringLiteral("&Default Screen"), QStringLiteral("mnuDefault"), QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuBlank = act(mnuLoad, QStringLiteral("&Blank Screen"), QStringLiteral("mnuBlank"), QKeySequence(Qt::CTRL | Qt::Key_B));
    for (QAction* a : {mnuLast, mnuDefault, mnuBlank}) a->setCheckable(true);
    mnuP = mnuFile->addMenu(QStringLiteral("Print"));
    mnuP->setObjectName(QStringLiteral("mnuP"));
    mnuPrint = act(mnuP, QStringLiteral("&Print Displayed ORV Setup"), QStringLiteral("mnuPrint"), QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuSetup = act(mnuFile, QStringLiteral("Print Set&up"), QStringLiteral("mnuSetup"));
    mnuSep2 = sep(mnuFile, QStringLiteral("mnuSep2"));
    mnuExit = act(mnuFile, QStringLiteral("&Exit"), QStringLiteral("mnuExit"));

    mnuRadio = bar->addMenu(QStringLiteral("Radio"));
    mnuRadio->setObjectName(QStringLiteral("mnuRadio"));
    mnuRead = act(mnuRadio, QStringLiteral("Read Radio"), QStringLiteral("mnuRead"), QKeySequence(Qt::Key_F2));
    mnuReadGlobal = act(mnuRadio, QStringLiteral("Read Global Information from Radio"), QStringLiteral("mnuReadGlobal"));
    mnuReadGroup = act(mnuRadio, QStringLiteral("Read Group from Radio"), QStringLiteral("mnuReadGroup"));
    mnuWriteAll = act(mnuRadio, QStringLiteral("Write Radio"), QStringLiteral("mnuWriteAll"), QKeySequence(Qt::Key_F3));
    mnuWriteGlobal = act(mnuRadio, QStringLiteral("Write Global Information To Radio"), QStringLiteral("mnuWriteGlobal"));
    mnuWriteGroup = act(mnuRadio, QStringLiteral("Write Current Group to Radio"), QStringLiteral("mnuWriteGroup"), QKeySequence(Qt::Key_F4));
    mnuSep3 = sep(mnuRadio, QStringLiteral("mnuSep3"));
    mnuReadCurrGroup = act(mnuRadio, QStringLiteral("Read Current Group"), QStringLiteral("mnuReadCurrGroup"));
    mnuWriteCurrGroup = act(mnuRadio, QStringLiteral("Write Current Group"), QStringLiteral("mnuWriteCurrGroup"));
    // Kept for other commands to run; never offered to the user.
    for (QAction* a : {mnuSep3, mnuReadCurrGroup, mnuWriteCurrGroup}) a->setVisible(false);

    mnuEdit = bar->addMenu(QStringLiteral("Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuGlobals = act(mnuEdit, QStringLiteral("Global Parameters"), QStringLiteral("mnuGlobals"));
    mnuUndo = act(mnuEdit, QStringLiteral("Undo"), QStringLiteral("mnuUndo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuCopy = mnuEdit->addMenu(QStringLiteral("Copy"));
    mnuCopy->setObjectName(QStringLiteral("mnuCopy"));
    mnuAll = act(mnuCopy, QStringLiteral("Copy All"), QStringLiteral("mnuAll"), QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuRow = act(mnuCopy, QStringLiteral("Copy a row"), QStringLiteral("mnuRow"), QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuPaste = act(mnuEdit, QStringLiteral("Paste"), QStringLiteral("mnuPaste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuMove = act(mnuEdit, QStringLiteral("Move"), QStringLiteral("mnuMove"), QKeySequence(Qt::CTRL | Qt::Key_M));

    mnuTuneRadio = bar->addAction(QStringLiteral("Tune"));
    mnuTuneRadio->setObjectName(QStringLiteral("mnuTuneRadio"));

    mnuCommPortx = bar->addMenu(QStringLiteral("Comm-Port"));
    mnuCommPortx->setObjectName(QStringLiteral("mnuCommPortx"));
    for (int n = 1; n <= 4; ++n) {
        QAction* a = act(mnuCommPortx, QStringLiteral("Use Comm Port %1").arg(n), QStringLiteral("mnuCommPort%1").arg(n));
        a->setCheckable(true);
        a->setData(n);
        mnuCommPort[size_t(n - 1)] = a;
    }

    mnuH = bar->addMenu(QStringLiteral("Help"));
    mnuH->setObjectName(QStringLiteral("mnuH"));
    mnuAbout = act(mnuH, QStringLiteral("About ORVEDIT"), QStringLiteral("mnuAbout"));
    mnuHelp = act(mnuH, QStringLiteral("Help"), QStringLiteral("mnuHelp"), QKeySequence(Qt::CTRL | Qt::Key_H));

    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuHelp, &QAction::triggered, this, &frmGroups::mnuHelp_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmGroups::mnuAbout_Click);
}

// ---------------------------------------------------------------- controls

void frmGroups::place(QWidget* w, int x, int y, int width, int height) {
    twips_[w] = QRect(x, y, width, height);
    applyGeometry(w);
}

void frmGroups::applyGeometry(QWidget* w) {
    const QRect& r = twips_[w];
    w->setGeometry(twipsToPx(r.x()), twipsToPx(r.y()), twipsToPx(r.width()), twipsToPx(r.height()));
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

    auto label = [&](QWidget* parent, const QString& text, const QString& name, int x, int y, int w, int h = 240,
                     Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(name);
        l->setAlignment(align);
        place(l, x, y, w, h);
        return l;
    };
    auto combo = [&](QWidget* parent, const QString& name, const std::vector<std::string>& entries, int x, int y,
                     int w) {
        auto* c = new QComboBox(parent);
        c->setObjectName(name);
        fill(c, entries);
        c->setMaxVisibleItems(18);
        place(c, x, y, w, 300);
        return c;
    };
    auto text = [&](QWidget* parent, const QString& name, int x, int y, int w) {
        auto* t = new QLineEdit(parent);
        t->setObjectName(name);
        place(t, x, y, w, 300);
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
    lblCurrentGroup = label(central, QStringLiteral("Current Group:"), QStringLiteral("lblCurrentGroup"), 45, 60, 1050);
    cboCurrentGroup = combo(central, QStringLiteral("cboCurrentGroup"), lists::cboCurrentGroup(), 1095, 30, 705);
    cboCurrentGroup->setEditable(true);
    cboCurrentGroup->setInsertPolicy(QComboBox::NoInsert);
    // Real key events reach the combo box (which hands them to its line edit
    // directly), so the typed-group rule watches the combo box.
    cboCurrentGroup->installEventFilter(this);
    label(central, QStringLiteral("Group Label:"), QStringLiteral("lblGrpLab"), 1920, 60, 900);
    txtGrpLab = text(central, QStringLiteral("txtGrpLab"), 2820, 30, 1290);
    txtGrpLab->setMaxLength(8);
    label(central, QStringLiteral("Pass Word:"), QStringLiteral("lblPassWord"), 60, 370, 1000);
    txtPassWord = text(central, QStringLiteral("txtPassWord"), 1080, 340, 720);
    txtPassWord->setMaxLength(6);
    label(central, QStringLiteral("ANI/ID Number:"), QStringLiteral("lblID"), 1920, 370, 1100);
    txtID = text(central, QStringLiteral("txtID"), 3030, 340, 1080);
    txtID->setMaxLength(8);
    label(central, QStringLiteral("Tx Time Out Timer:"), QStringLiteral("lblTOT"), 60, 680, 1400);
    cboTOT = combo(central, QStringLiteral("cboTOT"), lists::cboTOT(), 1470, 650, 720);
    label(central, QStringLiteral("Scan Hold Time:"), QStringLiteral("lblScanHold"), 2270, 680, 1180);
    cboScan = combo(central, QStringLiteral("cboScan"), lists::cboScan(), 3450, 650, 700);

    chkGroupScanList = check(central, QStringLiteral("Group Scan List"), QStringLiteral("chkGroupScanList"), 4785, 40, 1700);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    lblLoPower = label(central, QStringLiteral("Low Power"), QStringLiteral("lblLoPower"), 4845, 300, 855, 210, right);
    lblNarr = label(central, QStringLiteral("Narrow Band"), QStringLiteral("lblNarr"), 4710, 510, 990, 210, right);
    lblScan = label(central, QStringLiteral("SCAN List"), QStringLiteral("lblScan"), 4920, 720, 780, 210, right);

    // The frames down the right side.
    fraDisplyControl = frame(QStringLiteral("Display Control"), QStringLiteral("fraDisplyControl"), 0, 1155);
    label(fraDisplyControl, QStringLiteral("Display:"), QStringLiteral("lblDisplay"), 90, 240, 800);
    cboDisplay = combo(fraDisplyControl, QStringLiteral("cboDisplay"), lists::cboDisplay(), 870, 210, 1530);
    label(fraDisplyControl, QStringLiteral("Duration:"), QStringLiteral("lblDuration"), 90, 540, 800);
    cboDuration = combo(fraDisplyControl, QStringLiteral("cboDuration"), lists::cboDuration(), 870, 510, 1530);
    label(fraDisplyControl, QStringLiteral("Back Light:"), QStringLiteral("lblBackLight"), 90, 840, 800);
    cboBackLight = combo(fraDisplyControl, QStringLiteral("cboBackLight"), lists::cboBackLight(), 870, 810, 1530);

    fraDualPri = frame(QStringLiteral("Dual Priority"), QStringLiteral("fraDualPri"), 1170, 1110);
    label(fraDualPri, QStringLiteral("Priority 1:"), QStringLiteral("lblPri1"), 90, 240, 800);
    cboPri1Chan = combo(fraDualPri, QStringLiteral("cboPri1Chan"), lists::cboPriChan(), 900, 210, 1000);
    label(fraDualPri, QStringLiteral("Priority 2:"), QStringLiteral("lblPri2"), 90, 540, 800);
    cboPri2Chan = combo(fraDualPri, QStringLiteral("cboPri2Chan"), lists::cboPriChan(), 900, 510, 1000);
    chkPriTX = check(fraDualPri, QStringLiteral("Transmit on Priority 1"), QStringLiteral("chkPriTX"), 90, 825, 2300);

    fraBattSave = frame(QStringLiteral("Battery Saver"), QStringLiteral("fraBattSave"), 2295, 495);
    optBattSaveOff = option(fraBattSave, QStringLiteral("Off"), QStringLiteral("optBattSaveOff"), 150, 225, 900);
    optBattSaveOn = option(fraBattSave, QStringLiteral("On"), QStringLiteral("optBattSaveOn"), 1200, 225, 900);

    fraUCG = frame(QStringLiteral("User Code Guard"), QStringLiteral("fraUCG"), 2805, 840);
    optUCGDisabled = option(fraUCG, QStringLiteral("Disabled"), QStringLiteral("optUCGDisabled"), 150, 225, 1050);
    optUCGEnabled = option(fraUCG, QStringLiteral("Enabled"), QStringLiteral("optUCGEnabled"), 1260, 225, 1050);
    label(fraUCG, QStringLiteral("Chan:"), QStringLiteral("lblUCGChan"), 150, 530, 420);
    cboUCGChan = combo(fraUCG, QStringLiteral("cboUCGChan"), lists::cboUCGChan(), 580, 500, 620);
    chkUCGEncode = check(fraUCG, QStringLiteral("Encode Only"), QStringLiteral("chkUCGEncode"), 1230, 530, 1220);

    fraLockout = frame(QStringLiteral("Keyboard Lockouts"), QStringLiteral("fraLockout"), 3660, 765);
    chkENTCLRLock = check(fraLockout, QStringLiteral("'ENT'/'CLR' Key Lockout"), QStringLiteral("chkENTCLRLock"), 150, 225, 2280);
    chkPriKeyLock = check(fraLockout, QStringLiteral("Priority Key Lockout"), QStringLiteral("chkPriKeyLock"), 150, 480, 2280);

    fraBCI = frame(QStringLiteral("Busy Channel Indicator"), QStringLiteral("fraBCI"), 4440, 555);
    cboBCI = combo(fraBCI, QStringLiteral("cboBCI"), lists::cboBCI(), 150, 210, 2160);

    fraANI = frame(QStringLiteral("Resident ANI/DTMF"), QStringLiteral("fraANI"), 5010, 555);
    cboANI = combo(fraANI, QStringLiteral("cboANI"), lists::cboANI(), 150, 210, 2160);

    // The offset entry is shown only while an offset is being entered.
    frmOffset = frame(QStringLiteral("Offset"), QStringLiteral("frmOffset"), 5580, 555);
    txtOffset = text(frmOffset, QStringLiteral("txtOffset"), 150, 210, 2160);
    frmOffset->setVisible(false);

    for (int i = 0; i < kChannels; ++i) {
        const int y = kCheckTop + kCheckStep * i + (kCheckStep - kCheckSize) / 2;
        auto mk = [&](const char* name, int x) {
            auto* c = new QCheckBox(central);
            c->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(i));
            c->setToolTip(QStringLiteral("Ch %1").arg(i + 1));
            place(c, x, y, kCheckSize, kCheckSize);
            return c;
        };
        chkScan[size_t(i)] = mk("chkScan", 5820);
        chkNarr[size_t(i)] = mk("chkNarr", 6075);
        chkLoPower[size_t(i)] = mk("chkLoPower", 6330);
    }

    Grid = new ChannelGrid(central);
    Grid->setObjectName(QStringLiteral("Grid"));
    place(Grid, kGridLeft, kGridTop, kGridWidth, kGridHeight);
    Grid->beforeColEdit = [this](const QModelIndex& i) { return gridBeforeColEdit(i); };
    Grid->keyDownHook = [this](int key) { gridKeyDown(key); };
    Grid->keyUpHook = [this](int key) { gridKeyUp(key); };
    Grid->afterColEdit = [this](const QModelIndex& i, const QString& t) { gridAfterColEdit(i, t); };
    Grid->clickHook = [this] { undoArmed = true; };

    connect(cboCurrentGroup, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int) {
        cboCurrentGroup_Click();
    });
    lines_->lower();
}

void frmGroups::bindGrid() {
    // This editor's working copies (private ones when another editor runs);
    // a damaged working file has been recreated: say so.
    workingFiles_ = std::make_unique<WorkingFiles>();
    dataDir_ = workingFiles_->dir();
    for (const QString& repaired : workingFiles_->repairs()) clsDBUtil::message(repaired);
    static int counter = 0;
    connName_ = QStringLiteral("dataORVInfo_%1").arg(++counter);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connName_);
    const QString file = QDir(dataDir_).filePath(QLatin1String(clsDBUtil::kCurrentFile));
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    // The grid stays empty when the working file is missing; the group still
    // travels between the image and the window's view.
    if (dataDir_.isEmpty() || !QFileInfo::exists(file) || !db.open()) return;
    auto* model = new QSqlTableModel(this, db);
    model->setTable(QStringLiteral("tblChannel"));
    if (model->lastError().isValid() || model->columnCount() < kGridColumns) {
        delete model;
        return;
    }
    model->setEditStrategy(QSqlTableModel::OnRowChange);
    model->setSort(0, Qt::AscendingOrder);
    const char* captions[kGridColumns] = {"Chan", "Rec Freq", "Rec CG", "Tx Freq", "Tx CG", "Ch Label"};
    for (int c = 0; c < kGridColumns; ++c) model->setHeaderData(c, Qt::Horizontal, QLatin1String(captions[c]));
    model->select();
    dataORVInfo = model;
    Grid->setModel(model);
    applyGridGeometry();
}

// ---------------------------------------------------------------- layout

void frmGroups::applyGridGeometry() {
    applyGeometry(Grid);
    Grid->horizontalHeader()->setFixedHeight(twipsToPx(kGridHeaderHeight));
    Grid->verticalHeader()->setDefaultSectionSize(twipsToPx(rowTwips_));
    Grid->verticalHeader()->setMinimumSectionSize(1);
    for (int c = 0; c < kGridColumns; ++c) Grid->setColumnWidth(c, twipsToPx(colTwips_[size_t(c)]));
}

void frmGroups::placeCheckRows(bool alignToRows) {
    for (int i = 0; i < kChannels; ++i) {
        for (auto* arr : {&chkScan, &chkNarr, &chkLoPower}) {
            QCheckBox* c = (*arr)[size_t(i)];
            QRect r = twips_[c];
            if (alignToRows) {
                // Keep each row of boxes level with its grid row as drawn
                // (whole pixels per row, so the rows are measured, not summed).
                const int rowPx = Grid->viewport()->mapTo(centralWidget(), QPoint(0, Grid->rowViewportPosition(i))).y();
                const int centrePx = rowPx + Grid->rowHeight(i) / 2;
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
    twips_[Grid] = QRect(kGridLeft, kGridTop, kGridWidth, kGridHeight);
    rowTwips_ = 250;
    colTwips_ = kColumnWidths;
    applyGridGeometry();
    for (QWidget* f : std::initializer_list<QWidget*>{fraDisplyControl, fraDualPri, fraBattSave, fraUCG, fraLockout,
                                                      fraBCI, frmOffset, fraANI}) {
        twips_[f].moveLeft(kFrameLeft);
        applyGeometry(f);
    }
    auto left = [this](QWidget* w, int x) {
        twips_[w].moveLeft(x);
        applyGeometry(w);
    };
    left(lblLoPower, 4845);
    left(lblNarr, 4710);
    left(lblScan, 4920);
    left(chkGroupScanList, 4785);
    for (int i = 0; i < kChannels; ++i) {
        left(chkScan[size_t(i)], 5820);
        left(chkNarr[size_t(i)], 6075);
        left(chkLoPower[size_t(i)], 6330);
    }
    placeCheckRows(false);
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
    if (W > kFormWidth && H > kFormHeight) {
        const int dx = W - savedFormWidth;
        auto moveRight = [&](QWidget* w) {
            twips_[w].translate(dx, 0);
            applyGeometry(w);
        };
        for (QWidget* w : std::initializer_list<QWidget*>{lblLoPower, lblNarr, lblScan, chkGroupScanList}) moveRight(w);
        for (int i = 0; i < kChannels; ++i) {
            moveRight(chkScan[size_t(i)]);
            moveRight(chkNarr[size_t(i)]);
            moveRight(chkLoPower[size_t(i)]);
        }
        for (auto& l : lines_->lines) {
            l.x1 += dx;
            l.x2 += dx;
        }
        int newHeight = H - 1100;
        // The grid never reaches past the bottom of the window's client area.
        const int room = pxToTwips(centralWidget()->height()) - twips_[Grid].y();
        if (room > 0) newHeight = std::min(newHeight, room);
        const int newWidth = twips_[chkScan[0]].x() - 20;
        if (newHeight > 0 && newWidth > 0) {
            twips_[Grid].setHeight(newHeight);
            twips_[Grid].setWidth(newWidth);
            rowTwips_ = static_cast<int>(newHeight / 17.5);
        }
        const int step = static_cast<int>(roundHalfEven((twips_[Grid].width() - savedGridWidth) / 6.0));
        for (auto& w : colTwips_) w += step;
        applyGridGeometry();
        for (QWidget* f : std::initializer_list<QWidget*>{fraDisplyControl, fraDualPri, fraBattSave, fraUCG, fraLockout,
                                                          fraBCI, frmOffset, fraANI}) {
            twips_[f].moveLeft(W - 2600);
            applyGeometry(f);
        }
        placeCheckRows(true);
        lines_->setGeometry(0, 0, 8000, 8000);
        lines_->update();
    } else if (!isMinimized()) {
        defaultLayout();
    }
}

void frmGroups::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (inLayout_) return;
    savedWindowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    if (!isFirstActivation && savedWindowState != 1) {
        inLayout_ = true;
        layoutWindow();
        inLayout_ = false;
        savedFormWidth = pxToTwips(width());
        savedFormHeight = pxToTwips(height());
        savedGridWidth = twips_[Grid].width();
        savedGridHeight = twips_[Grid].height();
    }
}

// ---------------------------------------------------------------- activation

void frmGroups::onFocusWindowChanged(QWindow* w) {
    if (!w) return;  // the program lost the focus; nothing to record
    if (w == windowHandle()) {
        // The activation of the window comes only from another window of this
        // program (not from another program, nor from a stock message box or
        // file dialog), and always the first time.
        // (The help viewer counts as another program.)
        const bool fromOwnForm = !prevFocusClass_.isEmpty() && !prevFocusClass_.startsWith(QLatin1Char('Q')) &&
                                 prevFocusClass_ != QLatin1String("orv::frmHelp");
        if (isFirstActivation || fromOwnForm) Form_Activate();
        prevFocusClass_.clear();
        Form_GotFocus();
        return;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() == w) {
            prevFocusClass_ = QLatin1String(top->metaObject()->className());
            return;
        }
    }
    prevFocusClass_ = QStringLiteral("Q");
}

void frmGroups::Form_Activate() {
    if (isFirstActivation) {
        writeGlobalDefaults(theImage());
        for (int g = 0; g < kGroups; ++g) writeGroupDefaults(theImage(), g);
        savedFormWidth = kFormWidth;
        savedFormHeight = kFormHeight;
        savedGridWidth = kGridWidth;
        savedGridHeight = kGridHeight;
        savedWindowState = 0;
        readGroup(0);
    }
    // The stored port is applied again, which closes the open port: never
    // while a radio exchange is using it (the window can be activated in the
    // middle of a transfer, by a click on it or by the window manager).
    if (!link_->busy().isBusy()) {
        QSettings settings;
        int port = settings.value(QStringLiteral("Comm/Port"), 1).toInt();
        if (port < 1 || port > 4) port = 1;
        closeCommPort();
        commPort = port;
        link_->setPortNumber(port);
        for (int n = 1; n <= 4; ++n) mnuCommPort[size_t(n - 1)]->setChecked(n == port);
        showCommPortDevices();
    }
    const bool first = isFirstActivation;
    isFirstActivation = false;
    if (QClipboard* cb = QGuiApplication::clipboard()) cb->clear();
    mnuPaste->setEnabled(false);
    pasteRowMode = false;
    pasteAllMode = false;
    copiedLength = -1;
    lastOffsetText.clear();
    setGridCurrent(0, Grid->currentIndex().isValid() ? Grid->currentIndex().column() : 0);
    // The window may have been resized before it was first active.
    if (first && (width() != twipsToPx(kFormWidth) || height() != twipsToPx(kFormHeight))) {
        inLayout_ = true;
        layoutWindow();
        inLayout_ = false;
        savedFormWidth = pxToTwips(width());
        savedFormHeight = pxToTwips(height());
        savedGridWidth = twips_[Grid].width();
        savedGridHeight = twips_[Grid].height();
    }
}

void frmGroups::Form_GotFocus() {
    const QClipboard* cb = QGuiApplication::clipboard();
    const long len = cb ? cb->text().length() : 0;
    mnuPaste->setEnabled(copiedLength >= 0 && len == copiedLength);
}

void frmGroups::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
}

void frmGroups::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // The first activation must run even where the window manager does not
    // hand the focus to a new window: the image defaults depend on it.
    if (isFirstActivation)
        QTimer::singleShot(0, this, [this] {
            if (isFirstActivation) Form_Activate();
        });
}

// ---------------------------------------------------------------- closing

QMessageBox::StandardButton frmGroups::askSaveBeforeExit() {
    return QMessageBox::question(this, QString::fromLatin1(kAppTitle), QStringLiteral("Save before exit?"),
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
}

bool frmGroups::saveFileAsForExit() {
    return saveAsForExitHook ? saveAsForExitHook() : FileOpenSave::saveFileAsForExit(*this);
}

void frmGroups::closeCommPort() { link_->closePort(); }

void frmGroups::openOffsetEntry(int row) {
    if (offsetEntryHook) offsetEntryHook(row);
}

void frmGroups::closeEvent(QCloseEvent* e) {
    // A close request during a radio exchange (the window system delivers it
    // even while the window is disabled) is refused without a question: the
    // exchange still uses the port, the progress dialog and this window.
    if (link_->busy().isBusy()) {
        e->ignore();
        return;
    }
    // A loaded global window (shown or hidden) is closed first and asks its
    // own "Save Global Parameters?": Yes stores its values into the image so
    // that the save offered next includes them, No drops them, Cancel keeps
    // both windows open.
    if (frmGlobals* globals = frmGlobals::instance()) {
        if (!globals->close()) {
            e->ignore();
            return;
        }
    }
    const auto answer = askSaveBeforeExit();
    if (answer == QMessageBox::Cancel || answer == QMessageBox::Escape || answer == QMessageBox::NoButton) {
        e->ignore();
        return;
    }
    if (answer == QMessageBox::Yes && !saveFileAsForExit()) {
        e->ignore();
        return;
    }
    closeCommPort();
    e->accept();
}

// ---------------------------------------------------------------- group transfer

void frmGroups::fillViewFromWidgets() {
    view.txtGrpLab = s(txtGrpLab->text());
    view.txtPassWord = s(txtPassWord->text());
    view.txtID = s(txtID->text());
    view.cboTOT = cboTOT->currentIndex();
    view.cboScan = s(cboScan->currentText());
    view.cboPri1Chan = cboPri1Chan->currentIndex();
    view.cboPri2Chan = cboPri2Chan->currentIndex();
    view.chkPriTX = checkValue(chkPriTX);
    view.optBattSaveOn = optBattSaveOn->isChecked();
    view.optBattSaveOff = optBattSaveOff->isChecked();
    view.chkGroupScanList = checkValue(chkGroupScanList);
    view.chkPriKeyLock = checkValue(chkPriKeyLock);
    view.chkENTCLRLock = checkValue(chkENTCLRLock);
    view.cboDisplay = cboDisplay->currentIndex();
    view.cboBackLight = cboBackLight->currentIndex();
    view.cboDuration = cboDuration->currentIndex();
    view.cboBCI = cboBCI->currentIndex();
    view.cboANI = cboANI->currentIndex();
    view.optUCGEnabled = optUCGEnabled->isChecked();
    view.optUCGDisabled = optUCGDisabled->isChecked();
    view.cboUCGChan = cboUCGChan->currentIndex();
    view.chkUCGEncode = checkValue(chkUCGEncode);
    auto& ch = view.channels;
    for (int r = 0; r < kChannels; ++r) {
        if (dataORVInfo && r < dataORVInfo->rowCount())
            for (int c = 0; c < kGridColumns; ++c) ch.cells[size_t(r)][size_t(c)] = s(cellText(r, c));
        ch.chkScan[size_t(r)] = checkValue(chkScan[size_t(r)]);
        ch.chkNarr[size_t(r)] = checkValue(chkNarr[size_t(r)]);
        ch.chkLoPower[size_t(r)] = checkValue(chkLoPower[size_t(r)]);
    }
}

void frmGroups::applyViewToWidgets() {
    txtGrpLab->setText(q(view.txtGrpLab));
    txtPassWord->setText(q(view.txtPassWord));
    txtID->setText(q(view.txtID));
    setIndex(cboTOT, view.cboTOT);
    setIndex(cboScan, cboScan->findText(q(view.cboScan)));
    setIndex(cboPri1Chan, view.cboPri1Chan);
    setIndex(cboPri2Chan, view.cboPri2Chan);
    setCheckValue(chkPriTX, view.chkPriTX);
    setPair(optBattSaveOn, view.optBattSaveOn, optBattSaveOff, view.optBattSaveOff);
    setCheckValue(chkGroupScanList, view.chkGroupScanList);
    setCheckValue(chkPriKeyLock, view.chkPriKeyLock);
    setCheckValue(chkENTCLRLock, view.chkENTCLRLock);
    setIndex(cboDisplay, view.cboDisplay);
    setIndex(cboBackLight, view.cboBackLight);
    setIndex(cboDuration, view.cboDuration);
    setIndex(cboBCI, view.cboBCI);
    setIndex(cboANI, view.cboANI);
    setPair(optUCGEnabled, view.optUCGEnabled, optUCGDisabled, view.optUCGDisabled);
    setIndex(cboUCGChan, view.cboUCGChan);
    setCheckValue(chkUCGEncode, view.chkUCGEncode);
    const auto& ch = view.channels;
    for (int r = 0; r < kChannels; ++r) {
        setCheckValue(chkScan[size_t(r)], ch.chkScan[size_t(r)]);
        setCheckValue(chkNarr[size_t(r)], ch.chkNarr[size_t(r)]);
        setCheckValue(chkLoPower[size_t(r)], ch.chkLoPower[size_t(r)]);
    }
    if (!dataORVInfo) return;
    Grid->cancelEdit();
    beginBulkEdit();
    for (int r = 0; r < kChannels && r < dataORVInfo->rowCount(); ++r) {
        const auto& cells = ch.cells[size_t(r)];
        dataORVInfo->setData(dataORVInfo->index(r, 1), numericValue(cells[1]));
        dataORVInfo->setData(dataORVInfo->index(r, 2), q(cells[2]));
        dataORVInfo->setData(dataORVInfo->index(r, 3), numericValue(cells[3]));
        dataORVInfo->setData(dataORVInfo->index(r, 4), q(cells[4]));
        dataORVInfo->setData(dataORVInfo->index(r, 5), q(cells[5]));
    }
    endBulkEdit();
}

void frmGroups::beginBulkEdit() {
    if (!dataORVInfo) return;
    const QModelIndex cur = Grid->currentIndex();
    dataORVInfo->submitAll();
    dataORVInfo->setEditStrategy(QSqlTableModel::OnManualSubmit);
    if (cur.isValid()) setGridCurrent(cur.row(), cur.column());
}

void frmGroups::endBulkEdit() {
    if (!dataORVInfo) return;
    const QModelIndex cur = Grid->currentIndex();
    dataORVInfo->submitAll();
    dataORVInfo->setEditStrategy(QSqlTableModel::OnRowChange);
    if (cur.isValid()) setGridCurrent(cur.row(), cur.column());
}

bool frmGroups::writeGroupSafely(int g) {
    if (g < 0 || g >= kGroups) return true;
    Grid->finishEdit();
    fillViewFromWidgets();
    // Write into a copy first: a value the image cannot hold leaves the image
    // exactly as it was.
    MemoryImage scratch = theImage();
    try {
        clsGroup grp(scratch, view);
        grp.Write_Group(g);
    } catch (const CodecError&) {
        beep();
        return false;
    }
    theImage() = scratch;
    return true;
}

void frmGroups::readGroup(int g) {
    if (g < 0 || g >= kGroups) return;
    groupList[size_t(g)]->Read_Group(g);
    applyViewToWidgets();
}

bool frmGroups::storeCurrentGroup() {
    const int idx = cboCurrentGroup->currentIndex();
    if (idx < 0) return true;
    return writeGroupSafely(idx);
}

void frmGroups::readCurrentGroup() {
    const int idx = cboCurrentGroup->currentIndex();
    readGroup(idx < 0 ? 0 : idx);
}

void frmGroups::mnuReadCurrGroup_Click() {
    readCurrentGroup();
    intCurrentGroup = std::max(0, cboCurrentGroup->currentIndex());
}

bool frmGroups::mnuWriteCurrGroup_Click() {
    const int idx = std::max(0, cboCurrentGroup->currentIndex());
    const bool ok = writeGroupSafely(idx);
    intCurrentGroup = std::max(0, cboCurrentGroup->currentIndex());
    return ok;
}

void frmGroups::displayGroupMemory() {
    const int g = static_cast<int>(roundHalfEven(numericValue(s(cboCurrentGroup->currentText())))) - 1;
    readGroup(g);
}

GlobalsView& frmGroups::globalsView() { return frmGlobals::view(); }

QString frmGroups::currentGroupText() const { return cboCurrentGroup->currentText(); }

void frmGroups::setShellCaption(const QString& caption) { setWindowTitle(caption); }

void frmGroups::cboCurrentGroup_Click() {
    if (!cboCurrentGroup || !Grid) return;
    if (intCurrentGroup >= 0 && !isFirstActivation) {
        if (!writeGroupSafely(intCurrentGroup)) {
            // The group on screen holds a value the image cannot take: stay on it.
            QSignalBlocker block(cboCurrentGroup);
            cboCurrentGroup->setCurrentIndex(intCurrentGroup);
            return;
        }
    }
    if (!isFirstActivation) intCurrentGroup = cboCurrentGroup->currentIndex();
    if (intCurrentGroup >= 0 && !isFirstActivation) readGroup(intCurrentGroup);
    Grid->clearSelection();
    undoColumn = -1;
    setGridCurrent(0, Grid->currentIndex().isValid() ? Grid->currentIndex().column() : 0);
    lastGoodGroupText = 0;
    if (groupSwitchedHook) groupSwitchedHook();
}

// ---------------------------------------------------------------- group number typing

bool frmGroups::eventFilter(QObject* obj, QEvent* e) {
    if (cboCurrentGroup && obj == cboCurrentGroup) {
        if (e->type() == QEvent::KeyPress) groupComboKeyDown();
        if (e->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat()) groupComboKeyUp();
    }
    return QMainWindow::eventFilter(obj, e);
}

void frmGroups::groupComboKeyDown() {
    if (lastGoodGroupText == 0)
        lastGoodGroupText = toInt16(numericValue(s(cboCurrentGroup->lineEdit()->text())));
}

void frmGroups::groupComboKeyUp() {
    const double v = numericValue(s(cboCurrentGroup->lineEdit()->text()));
    if (v < 1 || v > 15) {
        beep();
        cboCurrentGroup->lineEdit()->setText(QString::number(lastGoodGroupText));
        lastGoodGroupText = 0;
    }
}

// ---------------------------------------------------------------- grid

int frmGroups::gridRow() const {
    const QModelIndex i = Grid->currentIndex();
    return i.isValid() ? i.row() : 0;
}

void frmGroups::setGridCurrent(int row, int col) {
    if (!dataORVInfo || row < 0 || row >= dataORVInfo->rowCount()) return;
    Grid->setCurrentIndex(dataORVInfo->index(row, std::clamp(col, 0, kGridColumns - 1)));
}

QString frmGroups::cellText(int row, int col) const {
    if (!dataORVInfo) return q(view.channels.cells[size_t(std::clamp(row, 0, kChannels - 1))][size_t(std::clamp(col, 0, 5))]);
    return Grid->shownText(row, col);
}

void frmGroups::setCell(int row, int col, const QVariant& value) {
    if (!dataORVInfo || row < 0 || row >= dataORVInfo->rowCount()) return;
    QVariant v = value;
    if (ChannelGrid::isFrequencyColumn(col) && v.userType() == QMetaType::QString)
        v = numericValue(s(v.toString()));
    dataORVInfo->setData(dataORVInfo->index(row, col), v);
}

void frmGroups::refreshData() {
    if (!dataORVInfo) return;
    Grid->cancelEdit();
    dataORVInfo->select();
}

bool frmGroups::gridBeforeColEdit(const QModelIndex& index) {
    if (index.column() == 0) return false;  // "Chan" cannot be edited
    editColumn = index.column();
    const QString t = cellText(index.row(), index.column());
    editOldText_ = t;
    if (isNumeric(s(t))) editOldValue = numericValue(s(t));
    return true;
}

void frmGroups::gridKeyDown(int key) {
    Q_UNUSED(key);
    if (undoArmed) {
        const QModelIndex i = Grid->currentIndex();
        undoColumn = i.isValid() ? i.column() : -1;
        undoRow = i.isValid() ? i.row() : 0;
        undoText = i.isValid() ? cellText(i.row(), i.column()) : QString();
        undoArmed = false;
    }
}

void frmGroups::copyReceiveToTransmit(int col, bool allRows) {
    if (!dataORVInfo) return;
    const int row = gridRow();
    if (!allRows) {
        setCell(row, col, dataORVInfo->data(dataORVInfo->index(row, col - 2), Qt::EditRole));
        return;
    }
    beginBulkEdit();
    setCell(row, col, dataORVInfo->data(dataORVInfo->index(row, col - 2), Qt::EditRole));
    for (int r = 0; r < kChannels && r < dataORVInfo->rowCount(); ++r) {
        setGridCurrent(r, col);
        setCell(r, col, dataORVInfo->data(dataORVInfo->index(r, col - 2), Qt::EditRole));
    }
    endBulkEdit();
    setGridCurrent(0, 0);
}

void frmGroups::gridKeyUp(int key) {
    const int c = editColumn;
    const int row = gridRow();
    if (key == Qt::Key_Home) {
        Grid->finishEdit();
        setGridCurrent(row, 1);
        return;
    }
    const bool txColumn = (c == 3 || c == 4);
    const bool inColumn = Grid->currentIndex().column() == c;
    if (txColumn && inColumn && key == Qt::Key_C) {
        Grid->cancelEdit();
        copyReceiveToTransmit(c, true);
        return;
    }
    if (txColumn && inColumn && key == Qt::Key_S) {
        Grid->cancelEdit();
        copyReceiveToTransmit(c, false);
        return;
    }
    if (c == 3 && inColumn && key == Qt::Key_Space) {
        Grid->cancelEdit();
        setCell(row, 3, editOldValue);
        openOffsetEntry(row);
        return;
    }
    if ((c == 1 || c == 3) && inColumn) {
        static const int passKeys[] = {Qt::Key_Up,      Qt::Key_Down,   Qt::Key_Left,  Qt::Key_Right,
                                       Qt::Key_Tab,     Qt::Key_Backtab, Qt::Key_Backspace, Qt::Key_Return,
                                       Qt::Key_Enter,   Qt::Key_Shift,  Qt::Key_Control, Qt::Key_Alt,
                                       Qt::Key_Meta,    Qt::Key_Escape};
        for (int k : passKeys)
            if (k == key) return;
        const QString content = cellText(row, c);
        if (!isNumeric(s(content))) {
            beep();
            const QString old = QString::fromStdString(formatFreqCell(editOldValue));
            if (Grid->activeEditor())
                Grid->setEditorText(old);
            else
                setCell(row, c, editOldValue);
        }
    }
}

void frmGroups::gridAfterColEdit(const QModelIndex& index, const QString& text) {
    const int col = index.column();
    const int row = index.row();
    if (col == 0 || !dataORVInfo) return;
    if (ChannelGrid::isFrequencyColumn(col)) {
        if (isNumeric(s(text))) {
            setGridCurrent(row, col);
            validateFrequency(numericValue(s(text)), col);
        } else if (text.trimmed().isEmpty()) {
            setCell(row, col, 0.0);  // an emptied cell holds no frequency
        } else {
            beep();
            setCell(row, col, editOldValue);
        }
        return;
    }
    if (col == 2 || col == 4) {
        // A code guard must be a tone or a digital code the image can hold.
        if (!clsChannel::codeGuardTextValid(s(text))) {
            beep();
            return;
        }
        setCell(row, col, text);
        return;
    }
    setCell(row, col, text);
}

bool frmGroups::validateFrequency(double value, int column) {
    const FrequencyCheck r = checkFrequency(value);
    const int row = gridRow();
    switch (r.outcome) {
        case FrequencyCheck::Outcome::Store:
            setCell(row, column, r.value);
            return true;
        case FrequencyCheck::Outcome::Unchanged:
            setCell(row, column, value);
            return true;
        case FrequencyCheck::Outcome::Refuse:
            setCell(row, column, editOldValue);
            beep();
            return false;
    }
    return false;
}

// ---------------------------------------------------------------- help and about

void frmGroups::helpScreen(int context) {
    if (context == 1)
        QMessageBox::information(this, QString::fromLatin1(kAppTitle),
                                 QStringLiteral("Enter the frequency offset, eg: -2, 7"), QMessageBox::Ok);
}

void frmGroups::mnuHelp_Click() { frmHelp::showHelp(this); }

void frmGroups::mnuAbout_Click() {
    frmAbout about(this);
    about.exec();
}

}  // namespace orv
