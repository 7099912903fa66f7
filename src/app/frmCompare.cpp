#include "app/frmCompare.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/EditorShell.h"
#include "app/Twips.h"
#include "files/ImageFile.h"

namespace orv {

namespace {

constexpr int kGroupRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;

}  // namespace

frmCompare::frmCompare(QWidget* owner, UserPrompts& prompts, GoTo goTo)
    : QWidget(owner, Qt::Window), prompts_(prompts), goTo_(std::move(goTo)) {
    setObjectName(QStringLiteral("frmCompare"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Compare with File  -  ORV Editor"));
    applyEditorFace(this);

    auto* layout = new QVBoxLayout(this);
    lblThis_ = new QLabel(this);
    lblThis_->setObjectName(QStringLiteral("lblThis"));
    lblThat_ = new QLabel(this);
    lblThat_->setObjectName(QStringLiteral("lblThat"));
    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    for (QLabel* l : {lblThis_, lblThat_}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblThis_);
    layout->addWidget(lblThat_);
    layout->addWidget(lblSummary_);

    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName(QStringLiteral("tblDifferences"));
    nameAfterCaption(table_, tr("Differences"));
    table_->setHorizontalHeaderLabels({tr("Where"), tr("This"), tr("That")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setWordWrap(false);
    layout->addWidget(table_, 1);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { rowDoubleClicked(row); });

    auto* hint = new QLabel(tr("Double-click a row to show its group."), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hint, 1);
    cmdClose_ = new QPushButton(tr("Close"), this);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(cmdClose_);
    layout->addLayout(buttons);
    resize(twipsToPx(11400), twipsToPx(6300));
}

void frmCompare::showDifferences(const std::vector<Difference>& diffs, const QString& thisName,
                                 const QString& thatName) {
    lblThis_->setText(tr("This: %1").arg(thisName));
    lblThat_->setText(tr("That: %1").arg(thatName));
    lblSummary_->setText(diffs.empty() ? tr("No differences: both hold the same programming.")
                         : diffs.size() == 1 ? tr("1 difference")
                                             : tr("%1 differences").arg(diffs.size()));
    table_->clearContents();
    table_->setRowCount(static_cast<int>(diffs.size()));
    for (int r = 0; r < static_cast<int>(diffs.size()); ++r) {
        const Difference& d = diffs[static_cast<std::size_t>(r)];
        const QString texts[3] = {QString::fromStdString(d.where), QString::fromStdString(d.thisValue),
                                  QString::fromStdString(d.thatValue)};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setData(kGroupRole, d.group);
            item->setData(kKindRole, static_cast<int>(d.kind));
            item->setToolTip(texts[c]);
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnToContents(0);
    table_->resizeColumnToContents(1);
}

void frmCompare::rowDoubleClicked(int row) {
    const QTableWidgetItem* item = table_->item(row, 0);
    if (!item || !goTo_) return;
    const int group = item->data(kGroupRole).toInt();
    const bool field = item->data(kKindRole).toInt() == static_cast<int>(Difference::Kind::Field);
    // A byte range outside the groups (tuning bytes) has no window to show.
    if (group < 0 && !field) return;
    runGuarded(prompts_, this, [&] { goTo_(group); });
}

frmCompare* compareWithFile(EditorShell& shell, frmCompare::GoTo goTo) {
    EditorSession& session = shell.session();
    QWidget* owner = shell.shellWidget();
    if (!shell.storeCurrentGroup()) {
        session.prompts().message(owner,
                                  frmCompare::tr("The group on screen holds a value that cannot be stored.\r"
                                                 "Nothing was compared."),
                                  frmCompare::tr("Compare with File"), MsgIcon::Exclamation, MsgButtons::OK);
        return nullptr;
    }
    const QString path = session.prompts().chooseFile(owner, false, session.file().filePath);
    if (path.isEmpty()) return nullptr;
    MemoryImage that;
    if (auto st = loadImageFile(path.toStdString(), that); !st) {
        session.prompts().message(owner, QString::fromStdString(st.message), frmCompare::tr("File Error"),
                                  MsgIcon::Exclamation, MsgButtons::OK);
        return nullptr;
    }
    const std::vector<Difference> diffs = compareImages(session.image(), that);

    auto* window = owner ? owner->findChild<frmCompare*>() : nullptr;
    if (!window) {
        window = new frmCompare(owner, session.prompts(), std::move(goTo));
        // A new window opens centred on the main window.
        if (owner) window->move(owner->frameGeometry().center() - window->rect().center());
    }
    const QString current = session.file().currentFileName;
    window->showDifferences(diffs,
                            current.isEmpty() ? frmCompare::tr("the editor's programming")
                                              : frmCompare::tr("the editor's programming (last saved or opened as %1)")
                                                    .arg(current),
                            path);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace orv
