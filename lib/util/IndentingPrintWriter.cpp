#include "lib/util/IndentingPrintWriter.h"

namespace plenfox::util {

IndentingPrintWriter::IndentingPrintWriter(QTextStream& inner, int indentDegree,
                                           QString lineSeparator)
    : inner(inner), indentDegree(indentDegree), lineSeparator(std::move(lineSeparator)) {}

void IndentingPrintWriter::evaluateIndentation() {
    if (needIndentation && indentCount > 0)
        inner << QString(indentCount, QLatin1Char(' '));
    needIndentation = false;
}

void IndentingPrintWriter::print(const QString& text) {
    std::lock_guard lock(mutex);
    printLocked(text);
}

void IndentingPrintWriter::printLocked(const QString& text) {
    if (text.contains(QLatin1Char('\n'))) {
        splitLinesAndPrint(text);
        return;
    }
    evaluateIndentation();
    inner << text;
}

void IndentingPrintWriter::println(const QString& text) {
    std::lock_guard lock(mutex);
    printlnLocked(text);
}

void IndentingPrintWriter::println() {
    std::lock_guard lock(mutex);
    inner << lineSeparator;
    needIndentation = true;
}

void IndentingPrintWriter::printlnLocked(const QString& text) {
    printLocked(text);
    inner << lineSeparator;
    needIndentation = true;
}

void IndentingPrintWriter::splitLinesAndPrint(const QString& text) {
    qsizetype start = 0;
    for (;;) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        if (lf < 0)
            break;
        qsizetype end = lf;
        if (end > start && text.at(end - 1) == QLatin1Char('\r'))
            --end;
        evaluateIndentation();
        inner << QStringView(text).mid(start, end - start) << lineSeparator;
        needIndentation = true;
        start = lf + 1;
    }
    // The last piece stays open: the next output continues its line.
    if (start < text.size()) {
        evaluateIndentation();
        inner << QStringView(text).mid(start);
    }
}

void IndentingPrintWriter::resetLine() {
    std::lock_guard lock(mutex);
    needIndentation = true;
}

void IndentingPrintWriter::indent() {
    std::lock_guard lock(mutex);
    indentCount += indentDegree;
}

void IndentingPrintWriter::undoIndent() {
    std::lock_guard lock(mutex);
    if (indentCount > 0)
        indentCount -= indentDegree;
}

QString IndentingPrintWriter::nameText(const QString& name) {
    return name.isNull() ? QStringLiteral("null") : name;
}

void IndentingPrintWriter::pushTag(const QString& name) {
    std::lock_guard lock(mutex);
    printlnLocked(QLatin1Char('<') + nameText(name) + QLatin1Char('>'));
    indentCount += indentDegree;
}

void IndentingPrintWriter::pushTag(const QString& name, const QString& attributes) {
    std::lock_guard lock(mutex);
    printlnLocked(QLatin1Char('<') + nameText(name) + QLatin1Char(' ') + attributes +
                  QLatin1Char('>'));
    indentCount += indentDegree;
}

void IndentingPrintWriter::popTag(const QString& name) {
    std::lock_guard lock(mutex);
    if (indentCount > 0)
        indentCount -= indentDegree;
    printlnLocked(QStringLiteral("</") + nameText(name) + QLatin1Char('>'));
}

void IndentingPrintWriter::flush() {
    std::lock_guard lock(mutex);
    inner.flush();
}

} // namespace plenfox::util
