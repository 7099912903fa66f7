// A dark palette as a desktop's dark theme gives one (light text on dark
// windows, lists and buttons), for the tests and the screenshot launcher.
#pragma once
#include <QPalette>

namespace orv::test {

inline QPalette darkPalette() {
    QPalette p(QColor(45, 45, 48));   // buttons and windows; the light and dark shades follow
    const QColor text(230, 230, 230);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        p.setColor(role, text);
    p.setColor(QPalette::Base, QColor(30, 30, 32));
    p.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    // The stock dark blue, as many themes leave it: unreadable on a dark page.
    p.setColor(QPalette::Link, QColor(0, 0, 255));
    return p;
}

}  // namespace orv::test
