#pragma once

#include <QString>
#include <cstdio>

namespace pelorama::app {

// Tells on a stream (standard error) how an export from the command line goes: one line per file written
// ("[3/12] Home.png") and per failure, or, on a terminal, one bar redrawn in place with the failures
// above it.
class ExportProgressPrinter
{
public:
    ExportProgressPrinter(std::FILE* stream, bool terminal);

    // Before the first file: on a terminal, the empty bar.
    void begin(int total);
    void fileWritten(int done, int total, const QString& fileName);
    // message names what failed; the program's name goes before it.
    void failed(const QString& message);
    // Ends the bar's line, if one is shown.
    void finish();

private:
    void print(const QString& text);
    void drawBar();

    std::FILE* m_stream;
    bool m_terminal;
    bool m_barShown = false;
    int m_done = 0;
    int m_total = 0;
    QString m_fileName;
};

} // namespace pelorama::app
