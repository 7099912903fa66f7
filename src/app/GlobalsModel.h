// The global parameters as the global window's controls hold them: one view
// per editor session. The codecs decode into it and encode from it; the
// window shows it and puts each of the user's edits into its own field.
#pragma once
#include <QObject>
#include "image/Views.h"

namespace orv {

class GlobalsModel : public QObject {
    Q_OBJECT
public:
    GlobalsView& view() { return view_; }
    const GlobalsView& view() const { return view_; }
    // Tells the window that a decode replaced the view.
    void notifyDecoded() { emit decoded(); }

signals:
    void decoded();

private:
    GlobalsView view_;
};

}  // namespace orv
