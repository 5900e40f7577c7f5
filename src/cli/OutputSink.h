#pragma once

#include "core/common/SafeFileWriter.h"

#include <QString>

// Where the password blocks go: a descriptor (standard output) or a file
// that replaces its target only when everything was written.
class OutputSink
{
public:
    virtual ~OutputSink() = default;
    // Writes the whole block; false when writing can go no further.
    virtual bool write(const char *bytes, qsizetype length) = 0;
};

// Writes to a descriptor with ::write, the whole block each time.
class DescriptorSink final : public OutputSink
{
public:
    explicit DescriptorSink(int fd) : m_fd(fd) {}
    bool write(const char *bytes, qsizetype length) override;

    // Why writing failed otherwise; empty while it has not.
    QString error() const { return m_error; }

private:
    int m_fd;
    bool m_readerGone = false;
    QString m_error;
};

// Writes a file readable by its owner alone, through SafeFileWriter: the
// target is replaced when commit() succeeds and left as it was otherwise (a
// device or FIFO is written in place; the temporary file is removed when the
// sink goes without a commit).
class SaveFileSink final : public OutputSink
{
public:
    explicit SaveFileSink(const QString &path);
    // Opens the temporary file; false with error() set when it cannot.
    bool open();
    bool write(const char *bytes, qsizetype length) override;
    bool commit();
    QString error() const { return m_file.error(); }
    // See SafeFileWriter::discardBeforeExit: for a signal handler.
    void discardBeforeExit() const noexcept { m_file.discardBeforeExit(); }

private:
    SafeFileWriter m_file;
};
