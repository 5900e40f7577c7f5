#include "cli/PasswordOutput.h"

#include "cli/OutputSink.h"

#include "core/generation/PasswordStreamWorkers.h"

#include <cstring>

namespace {

// The text and CSV layouts are collected up to this size before a write.
constexpr qsizetype kLayoutBytes = qsizetype(1) << 20;

} // namespace

PasswordOutput::PasswordOutput(OutputFormat format, OutputSink &out) : m_format(format), m_out(out)
{
    if (format != OutputFormat::Lines)
        m_layout.reserve(2 * kLayoutBytes);
}

qint64 PasswordOutput::take(const PasswordChunk &chunk, qint64 room)
{
    // The lines are squeezed in the chunk's own buffer, which is the stream's
    // to give and nobody reads after this.
    char *const text = const_cast<char *>(chunk.lines.data());
    qsizetype kept = 0;
    qint64 taken = 0;
    for (int i = 0; i < chunk.attempts && taken < room; ++i) {
        if (chunk.dropped(i))
            continue;
        ++taken;
        if (m_format == OutputFormat::Lines) {
            const std::span<const char> line = chunk.line(i);
            if (kept != chunk.lineStart(i))
                std::memmove(text + kept, line.data(), line.size());
            kept += qsizetype(line.size());
        } else if (m_format == OutputFormat::Text) {
            ExportLayouts::appendTextLine(chunk.text(i), m_layout);
        } else {
            m_csv.add(chunk.text(i), m_layout);
        }
    }
    m_written += taken;
    if (kept > 0 && !m_out.write(text, kept))
        return -1;
    if (m_layout.size() >= kLayoutBytes) {
        if (!m_out.write(m_layout.constData(), m_layout.size()))
            return -1;
        m_layout.resize(0);
    }
    return taken;
}

bool PasswordOutput::finish()
{
    if (m_format == OutputFormat::Csv && m_written > 0)
        m_csv.finish(m_layout);
    return m_layout.isEmpty() || m_out.write(m_layout.constData(), m_layout.size());
}
