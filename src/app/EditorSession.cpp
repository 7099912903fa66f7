#include "app/EditorSession.h"

#include "app/PrintCommands.h"
#include "app/RadioCommands.h"
#include "app/frmGlobals.h"
#include "app/frmHelp.h"
#include "app/frmTune.h"
#include "db/clsDBUtil.h"
#include "image/clsGlobals.h"

namespace orv {

EditorSession::EditorSession()
    : link_(std::make_unique<RadioLink>(prompts_)), printing_(std::make_unique<ReportPrinting>(prompts_)) {}

EditorSession::~EditorSession() {
    // The windows go before the model, the link and the image they use.
    delete alignmentWindow_.data();
    delete globalsWindow_.data();
    delete helpWindow_.data();
}

RadioBusy& EditorSession::busy() { return link_->busy(); }

WorkingFiles& EditorSession::workingFiles() {
    if (!workingFiles_) workingFiles_ = std::make_unique<WorkingFiles>();
    return *workingFiles_;
}

void EditorSession::setMainWindow(QWidget* window) {
    mainWindow_ = window;
    link_->setMainWindow(window);
}

bool EditorSession::GlobalsWindowOpen() const { return !globalsWindow_.isNull(); }

frmGlobals* EditorSession::globalsWindow() const { return globalsWindow_.data(); }

frmGlobals& EditorSession::loadGlobalsWindow() {
    if (!globalsWindow_) {
        globalsWindow_ = new frmGlobals(*this, mainWindow_);
        globalsWindow_->Form_Load();
    }
    return *globalsWindow_;
}

bool EditorSession::closeGlobalsWindow() {
    if (!globalsWindow_) return true;
    if (!globalsWindow_->close()) return false;
    // The close has queued the window's deletion; it goes now, so that
    // what follows sees no loaded window.
    delete globalsWindow_.data();
    return true;
}

void EditorSession::showGlobalsWindow() {
    if (globalsWindow_) {
        globalsWindow_->show();
        globalsWindow_->raise();
        globalsWindow_->activateWindow();
        return;
    }
    loadGlobalsWindow();
}

void EditorSession::readGlobals() {
    // A decode while the window is not loaded loads and shows it first.
    loadGlobalsWindow();
    clsGlobals(static_cast<const MemoryImage&>(image_), globals_.view()).Read_Globals();
    globals_.notifyDecoded();
}

void EditorSession::writeGlobalsInto(MemoryImage& image) const {
    GlobalsView view = globals_.view();
    clsGlobals(image, view).Write_Globals();
}

void EditorSession::writeGlobals() {
    loadGlobalsWindow();
    clsGlobals(image_, globals_.view()).Write_Globals();
}

frmTune* EditorSession::alignmentWindow() const { return alignmentWindow_.data(); }

RadioRun EditorSession::closeAlignmentWindow() {
    if (!alignmentWindow_) return RadioRun::ended(true);
    return alignmentWindow_->requestClose();
}

void EditorSession::setAlignmentWindow(frmTune* window) {
    const bool wasOpen = alignmentWindow_ != nullptr;
    alignmentWindow_ = window;
    if (wasOpen != (window != nullptr)) emit alignmentOpenChanged(window != nullptr);
}

void EditorSession::openHelpWindow(QWidget* parent, const QString& anchor) {
    const QString file = frmHelp::helpFilePath();
    if (file.isEmpty()) {
        prompts_.message(parent, tr("The help file cannot be found beside the program."), QString(),
                         MsgIcon::Information, MsgButtons::OK);
        return;
    }
    if (!helpWindow_) {
        helpWindow_ = new frmHelp(file, parent);
        helpWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    helpWindow_->show();
    if (!anchor.isEmpty()) helpWindow_->showSection(anchor);
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void EditorSession::showStatus(const QString& text) {
    statusText_ = text;
    emit statusChanged(text);
}

}  // namespace orv
