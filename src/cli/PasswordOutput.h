#pragma once

#include "cli/CliOptions.h"

#include "core/generation/PasswordStream.h"
#include "core/results/ExportLayouts.h"

#include <QByteArray>

class OutputSink;

// tessaro-cli's end of the stream: the passwords in the requested layout,
// written to standard output or a file in blocks. The lines layout is
// squeezed in place (kept lines move down over dropped ones) and written as
// it stands; the text and CSV layouts are built from the UTF-16 by the
// window's export functions.
class PasswordOutput final : public PasswordSink
{
public:
    PasswordOutput(OutputFormat format, OutputSink &out);

    static Needs needsOf(OutputFormat format) { return {true, format != OutputFormat::Lines}; }
    Needs needs() const override { return needsOf(m_format); }
    qint64 take(const PasswordChunk &chunk, qint64 room) override;
    bool finish() override;

private:
    const OutputFormat m_format;
    OutputSink &m_out;
    QByteArray m_layout;
    ExportLayouts::CsvWriter m_csv;
    qint64 m_written = 0;
};
