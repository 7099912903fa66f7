// One running editor: the memory image, the programming file, the global
// parameters (their model and window), the help window, the radio link with
// the one "radio busy" state, the working databases and the prompts through
// which everything asks the user. main() makes one and hands
// it to the windows by reference; nothing else in the editor is program-wide.
#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include "app/GlobalsModel.h"
#include "app/RadioRun.h"
#include "app/UserPrompts.h"
#include "image/MemoryImage.h"

class QWidget;

namespace orv {

class RadioLink;
class RadioBusy;
class ReportPrinting;
class WorkingFiles;
class frmGlobals;
class frmHelp;
class frmTune;

// The programming file: its path (empty at start) and the path before the
// last file dialog, restored after a failure. The caption and the report
// header show currentFileName, the file last opened or saved.
struct FileState {
    QString filePath;
    QString previousFilePath;
    QString currentFileName;
};

class EditorSession : public QObject {
    Q_OBJECT
public:
    EditorSession();
    ~EditorSession() override;
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    MemoryImage& image() { return image_; }
    // The image as it was at the last file opened or saved, or radio read or
    // written in full: what "unsaved changes" are measured against.
    void markImageClean() { cleanImage_ = image_; }
    // The same for the image a job took and the radio now holds, which the
    // session's image may have left meanwhile.
    void markImageClean(const MemoryImage& asOf) { cleanImage_ = asOf; }
    const MemoryImage& cleanImage() const { return cleanImage_; }
    UserPrompts& prompts() { return prompts_; }
    FileState& file() { return file_; }
    GlobalsModel& globals() { return globals_; }
    RadioLink& link() { return *link_; }
    RadioBusy& busy();
    // The printer and page layout chosen for this session's prints.
    ReportPrinting& printing() { return *printing_; }
    // This editor's working databases (private copies when another editor
    // runs; see WorkingFiles).
    WorkingFiles& workingFiles();

    // The main window: owner of the dialogs, disabled during transfers.
    void setMainWindow(QWidget* window);
    QWidget* mainWindow() const { return mainWindow_; }

    // True while the global parameters window is loaded (shown or hidden):
    // from its load until it is closed for good.
    bool GlobalsWindowOpen() const;
    // The loaded global window, or null.
    frmGlobals* globalsWindow() const;
    // Loads the global window when it is not loaded (which shows it and
    // decodes the image into it) and returns it.
    frmGlobals& loadGlobalsWindow();
    // Asks the loaded global window to close, as its close box does ("Save
    // Global Parameters?"); a window that closes is released at once. True
    // when no global window is loaded afterwards.
    bool closeGlobalsWindow();
    // The main window's "Global Parameters": a loaded window (also a hidden
    // one) is shown again as it is, without reading the image.
    void showGlobalsWindow();
    // The main window's GLOBALS codec: decodes page 0 into the global window
    // and encodes the window into page 0. A window that is not loaded is
    // loaded first. Throw FieldError for a value the image cannot hold.
    void readGlobals();
    void writeGlobals();
    // The global window's values encoded into `image` (not the session's).
    void writeGlobalsInto(MemoryImage& image) const;

    // The help window, one for the session: opens it (or brings the open one
    // forward), at `anchor` when one is given, or says that the guide cannot
    // be found beside the program.
    void openHelpWindow(QWidget* parent, const QString& anchor = QString());

    // The open alignment window, or null. While it is open the radio holds
    // test channels: the main window keeps its radio commands disabled.
    frmTune* alignmentWindow() const;
    // Asks the open alignment window to close, as its close box does (the
    // restore, and the question when the restore fails). The run is ok once
    // no alignment window is open (at once when none was).
    RadioRun closeAlignmentWindow();

    // The last command's report for the status bar ("Saved /path/x.orv",
    // "Read group 3 from /dev/ttyUSB0 ..."); a failure or a cancel replaces a
    // success, so no success stays shown after a command failed.
    void showStatus(const QString& text);
    const QString& statusText() const { return statusText_; }

signals:
    // True when the alignment window has opened, false when it has closed.
    void alignmentOpenChanged(bool open);
    void statusChanged(const QString& text);

private:
    friend class frmTune;
    void setAlignmentWindow(frmTune* window);

    MemoryImage image_;
    MemoryImage cleanImage_;
    UserPrompts prompts_;
    FileState file_;
    GlobalsModel globals_;
    QPointer<QWidget> mainWindow_;
    std::unique_ptr<RadioLink> link_;
    std::unique_ptr<ReportPrinting> printing_;
    std::unique_ptr<WorkingFiles> workingFiles_;
    // Cleared by the windows' own end (a closed window deletes itself).
    QPointer<frmGlobals> globalsWindow_;
    QPointer<frmHelp> helpWindow_;
    QPointer<frmTune> alignmentWindow_;
    QString statusText_;
};

}  // namespace orv
