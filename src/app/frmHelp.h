// The help window: the user guide kept beside the program (help/OrvHelp.html)
// with its table of contents and a search over its sections.
#pragma once
#include <QDialog>
#include <QString>
#include <vector>

class QLineEdit;
class QListWidget;
class QPalette;
class QTextBrowser;
class QTreeWidget;

namespace orv {

class frmHelp : public QDialog {
    Q_OBJECT
public:
    struct Section {
        int level;       // 2 or 3
        QString anchor;  // the heading's id
        QString title;
        QString text;    // plain text of the section, for the search
    };

    explicit frmHelp(const QString& helpFile, QWidget* parent = nullptr);

    // The guide beside the program; empty when it is not there.
    static QString helpFilePath();
    // Shows the guide at the section with this anchor.
    void showSection(const QString& anchor);

    static std::vector<Section> parseSections(const QString& html);
    // The guide with the colours of its style sheet taken from `palette`, so
    // that it reads on a dark page as on a light one.
    static QString withPaletteColours(const QString& html, const QPalette& palette);
    // Anchors of the sections that hold every word of `query` (any case).
    std::vector<QString> search(const QString& query) const;

    QTreeWidget* contents = nullptr;
    QLineEdit* txtSearch = nullptr;
    QListWidget* lstResults = nullptr;
    QTextBrowser* browser = nullptr;

private:
    std::vector<Section> sections_;
};

}  // namespace orv
