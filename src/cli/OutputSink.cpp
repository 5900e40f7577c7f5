#include "cli/OutputSink.h"

#include <cerrno>
#include <cstring>

bool DescriptorSink::write(const char *bytes, qsizetype length)
{
    if (m_readerGone || !m_error.isEmpty())
        return false;
    const int failure = SafeFileWriter::writeAll(m_fd, bytes, length);
    if (failure == EPIPE)
        m_readerGone = true;
    else if (failure != 0)
        m_error = QString::fromLocal8Bit(std::strerror(failure));
    return failure == 0;
}

SaveFileSink::SaveFileSink(const QString &path) : m_file(path, SafeFileWriter::Access::OwnerOnly) {}

bool SaveFileSink::open()
{
    return m_file.open();
}

bool SaveFileSink::write(const char *bytes, qsizetype length)
{
    return m_file.write(bytes, length);
}

bool SaveFileSink::commit()
{
    return m_file.commit();
}
