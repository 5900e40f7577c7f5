#include "OutputSink.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

bool DescriptorSink::write(const char *bytes, qsizetype length)
{
    if (m_readerGone || !m_error.isEmpty())
        return false;
    while (length > 0) {
        const ssize_t written = ::write(m_fd, bytes, size_t(length));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EPIPE)
                m_readerGone = true;
            else
                m_error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        bytes += written;
        length -= written;
    }
    return true;
}

SaveFileSink::SaveFileSink(const QString &path, const volatile std::sig_atomic_t *stop) : m_file(path), m_stop(stop) {}

bool SaveFileSink::open()
{
    if (QFileInfo(m_file.fileName()).isDir()) {
        m_error = QStringLiteral("it is a folder");
        return false;
    }
    if (!m_file.open(QIODevice::WriteOnly)) {
        m_error = m_file.errorString();
        return false;
    }
    if (!m_file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        m_error = m_file.errorString();
        m_file.cancelWriting();
        return false;
    }
    return true;
}

bool SaveFileSink::write(const char *bytes, qsizetype length)
{
    if (!m_error.isEmpty() || *m_stop)
        return false;
    if (m_file.write(bytes, length) != length) {
        m_error = m_file.errorString();
        m_file.cancelWriting();
        return false;
    }
    return true;
}

bool SaveFileSink::commit()
{
    if (!m_error.isEmpty() || *m_stop)
        return false;
    if (!m_file.commit()) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}
