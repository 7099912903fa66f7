// A pseudo-translation of the editor, made from its translation template:
// every text the template lists comes back marked (wrapped in ⟦ ⟧, its %1
// place markers, & access keys and line breaks kept), so that a window shown
// under it tells at a glance which of its texts went through a translation
// and which did not. Qt's own texts (standard buttons and the like) come
// back marked too, as Qt's installed translation would give them.
#pragma once
#include <QHash>
#include <QString>
#include <QTranslator>

namespace orv::test {

// The template in the source tree (translations/orvedit_en.ts).
QString translationTemplatePath();

// `text` as the pseudo-translation shows it.
QString pseudoText(const QString& text);

// The text that is left of `shown` once every marked part is taken out
// (marked parts may nest: a translated text with a translated value).
QString unmarkedRest(const QString& shown);

class PseudoTranslator : public QTranslator {
public:
    // Reads every context and source text of the .ts file at `tsPath`;
    // a file that cannot be read leaves the translator empty.
    explicit PseudoTranslator(const QString& tsPath);
    bool isEmpty() const override { return texts_.isEmpty(); }
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    int size() const { return static_cast<int>(texts_.size()); }

private:
    QHash<QString, QString> texts_;   // context + '\x1f' + source -> pseudo text
};

}  // namespace orv::test
