#pragma once

#include <QString>
#include <QTextStream>
#include <mutex>

namespace plenfox::util {

// A text writer that indents every line by the current nesting depth, for
// writing small XML documents by hand. All operations hold the writer's lock.
class IndentingPrintWriter {
public:
    // Lines end with lineSeparator (the Windows convention, CR LF, by default).
    IndentingPrintWriter(QTextStream& inner, int indentDegree,
                         QString lineSeparator = QStringLiteral("\r\n"));

    void print(const QString& text);
    void println(const QString& text);
    void println();
    void resetLine();
    void indent();
    void undoIndent();
    void pushTag(const QString& name);
    void pushTag(const QString& name, const QString& attributes);
    void popTag(const QString& name);
    void flush();

private:
    void evaluateIndentation();
    void printLocked(const QString& text);
    void printlnLocked(const QString& text);
    void splitLinesAndPrint(const QString& text);
    static QString nameText(const QString& name);

    std::mutex mutex;
    QTextStream& inner;
    int indentCount = 0;
    const int indentDegree;
    const QString lineSeparator;
    bool needIndentation = true;
};

} // namespace plenfox::util
