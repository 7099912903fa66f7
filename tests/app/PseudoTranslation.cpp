#include "PseudoTranslation.h"

#include <QFile>
#include <QXmlStreamReader>

namespace orv::test {

namespace {
const QChar kOpen(0x27E6);
const QChar kClose(0x27E7);
QString key(const QString& context, const QString& source) { return context + QChar(0x1f) + source; }

// The text of the element just started; a control character is written as
// <byte value="xd"/> inside it.
QString elementText(QXmlStreamReader& xml) {
    QString text;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters: text += xml.text(); break;
        case QXmlStreamReader::StartElement:
            if (xml.name() == QLatin1String("byte"))
                text += QChar(xml.attributes().value(QLatin1String("value")).mid(1).toUInt(nullptr, 16));
            break;
        case QXmlStreamReader::EndElement:
            if (xml.name() != QLatin1String("byte")) return text;
            break;
        default: break;
        }
    }
    return text;
}
}  // namespace

QString translationTemplatePath() { return QStringLiteral(ORV_SOURCE_DIR "/translations/orvedit_en.ts"); }

QString pseudoText(const QString& text) { return kOpen + text + kClose; }

QString unmarkedRest(const QString& shown) {
    QString rest;
    int depth = 0;
    for (const QChar c : shown) {
        if (c == kOpen) ++depth;
        else if (c == kClose && depth > 0) --depth;
        else if (depth == 0) rest += c;
    }
    return rest;
}

PseudoTranslator::PseudoTranslator(const QString& tsPath) {
    QFile file(tsPath);
    if (!file.open(QIODevice::ReadOnly)) return;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("name")) {
            context = elementText(xml);
        } else if (xml.name() == QLatin1String("source")) {
            const QString source = elementText(xml);
            texts_.insert(key(context, source), pseudoText(source));
        }
    }
}

QString PseudoTranslator::translate(const char* context, const char* sourceText, const char*, int) const {
    // Qt's own texts (its contexts are its class names) stand for Qt's
    // translation, which the editor installs beside its own.
    if (context && context[0] == 'Q') return pseudoText(QString::fromUtf8(sourceText));
    return texts_.value(key(QString::fromUtf8(context), QString::fromUtf8(sourceText)));
}

}  // namespace orv::test
