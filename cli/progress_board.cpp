#include "progress_board.h"

#include "cli_command.h"

#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace Cli {

ProgressBoard::ProgressBoard(const QStringList& ports)
    : m_ports(ports), m_lines(ports), m_messages(ports.size()), m_tty(isatty(2) != 0) {}

ProgressBoard::~ProgressBoard() {
    EndBar();
}

void ProgressBoard::Progress(int row, int done, int total, const QString& stage) {
    QMutexLocker lock(&m_mutex);
    if (!m_tty) {
        return;
    }
    constexpr int kWidth = 40;
    const int filled = done * kWidth / std::max(1, total);
    const QString bar =
        QStringLiteral("[%1%2] %3/%4")
            .arg(QString(filled, QLatin1Char('#')), QString(kWidth - filled, QLatin1Char('.')))
            .arg(done, 3)
            .arg(total);
    if (single()) {
        if (stage != m_stage) {
            EndBar();
            m_stage = stage;
        }
        const QString text = stage.isEmpty() ? bar : bar + QLatin1Char(' ') + stage;
        std::fprintf(stderr, "\r%s", text.toLocal8Bit().constData());
        std::fflush(stderr);
        m_barShown = true;
        return;
    }
    m_lines[row] = m_ports[row] + QStringLiteral("  ") + bar + QStringLiteral("  ") + stage;
    Redraw();
}

void ProgressBoard::Done(int row, const QString& result) {
    QMutexLocker lock(&m_mutex);
    if (!single() && m_tty) {
        m_lines[row] = m_ports[row] + QStringLiteral("  ") + result;
        Redraw();
    }
}

void ProgressBoard::Message(int row, const QString& text, const QString& detail) {
    QMutexLocker lock(&m_mutex);
    if (single()) {
        EndBar();
        Fail(text);
        if (!detail.isEmpty()) {
            QTextStream(stderr) << detail << "\n";
        }
        return;
    }
    m_messages[row].append(m_ports[row] + QStringLiteral(": ") + text);
    if (!detail.isEmpty()) {
        m_messages[row].append(detail);
    }
}

void ProgressBoard::Flush() {
    QMutexLocker lock(&m_mutex);
    EndBar();
    for (QStringList& lines : m_messages) {
        for (const QString& line : lines) {
            QTextStream(stderr) << "qtr318: " << line << "\n";
        }
        lines.clear();
    }
}

void ProgressBoard::Redraw() {
    QByteArray text;
    if (m_drawn) {
        text += "\x1b[" + QByteArray::number(m_lines.size()) + "A";
    }
    for (const QString& line : m_lines) {
        text += "\r\x1b[2K" + line.toLocal8Bit() + "\n";
    }
    std::fputs(text.constData(), stderr);
    std::fflush(stderr);
    m_drawn = true;
}

void ProgressBoard::EndBar() {
    if (m_barShown) {
        std::fputc('\n', stderr);
        m_barShown = false;
    }
}

} // namespace Cli
